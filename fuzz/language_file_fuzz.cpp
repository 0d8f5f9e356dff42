// libFuzzer entry of the language file check (see language_file_fuzz_input.h).
#include "fuzz_entry.h"
#include "language_file_fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return vemu::fuzz::RunCheck("language_file_fuzz", vemu::fuzz::CheckLanguageFileInput, data, size);
}
