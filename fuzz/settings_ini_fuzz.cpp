// libFuzzer entry of the settings ini check (see settings_ini_fuzz_input.h).
#include "fuzz_entry.h"
#include "settings_ini_fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return vemu::fuzz::RunCheck("settings_ini_fuzz", vemu::fuzz::CheckSettingsIniInput, data, size);
}
