// libFuzzer entry of the start file check (see start_file_fuzz_input.h).
#include "fuzz_entry.h"
#include "start_file_fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return vemu::fuzz::RunCheck("start_file_fuzz", vemu::fuzz::CheckStartFileInput, data, size);
}
