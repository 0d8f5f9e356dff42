// libFuzzer entry of the settings ini check (see settings_ini_fuzz_input.h).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "settings_ini_fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string problem = vemu::fuzz::CheckSettingsIniInput(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!problem.empty()) {
    std::fprintf(stderr, "settings_ini_fuzz: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
