// Fuzz target for the result loader: a circuit's result elements and the
// lines of "out" and "clc" from the fuzzer's bytes (see
// result_loader_fuzz_input.h). Any bytes must load without a crash, in
// time, with the values a plain search gives.
#include "fuzz_entry.h"
#include "result_loader_fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return vemu::fuzz::RunCheck("result_loader_fuzz", vemu::fuzz::CheckResultLoaderInput, data, size);
}
