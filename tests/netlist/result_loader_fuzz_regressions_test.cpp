// The result loader's fuzz inputs kept in the tree (the seed corpus and
// what the fuzzer found): each loads the values a plain search gives.
#include <gtest/gtest.h>

#include <filesystem>

#include "../../fuzz/result_loader_fuzz_input.h"

namespace {

namespace fs = std::filesystem;

TEST(ResultLoaderFuzzInputs, KeptInputsLoadAsAPlainSearchWould) {
  int inputs = 0;
  for (const char* folder : {"/fuzz/corpus_results/", "/fuzz/regressions_results/"}) {
    const std::string path = std::string(VEMU_SOURCE_DIR) + folder;
    if (!fs::is_directory(path)) continue;
    for (const auto& entry : fs::directory_iterator(path)) {
      if (!entry.is_regular_file()) continue;
      SCOPED_TRACE(entry.path().string());
      const auto bytes = vemu::platform::readFileBytes(entry.path().string(), vemu::platform::kCircuitReadLimit);
      ASSERT_TRUE(bytes);
      EXPECT_EQ(vemu::fuzz::CheckResultLoaderInput(*bytes), "");
      ++inputs;
    }
  }
  EXPECT_GE(inputs, 2);
}

}  // namespace
