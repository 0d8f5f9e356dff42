// libFuzzer entry of the start file check (see start_file_fuzz_input.h).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "start_file_fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string problem = vemu::fuzz::CheckStartFileInput(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!problem.empty()) {
    std::fprintf(stderr, "start_file_fuzz: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
