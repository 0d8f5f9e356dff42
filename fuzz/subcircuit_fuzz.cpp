// libFuzzer entry of the subcircuit check (see subcircuit_fuzz_input.h).
#include "fuzz_entry.h"
#include "subcircuit_fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return vemu::fuzz::RunCheck("subcircuit_fuzz", vemu::fuzz::CheckSubcircuitInput, data, size);
}
