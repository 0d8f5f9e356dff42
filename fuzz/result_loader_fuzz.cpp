// Fuzz target for the result loader: a circuit's result elements and the
// lines of "out" and "clc" from the fuzzer's bytes (see
// result_loader_fuzz_input.h). Any bytes must load without a crash, in
// time, with the values a plain search gives.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "result_loader_fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string problem =
      vemu::fuzz::CheckResultLoaderInput(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!problem.empty()) {
    std::fprintf(stderr, "result_loader_fuzz: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
