#include "support/golden_file.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace vemu::testing {

std::string ReadGoldenFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

bool UpdatingGolden() {
  const char* v = std::getenv("VEMU_UPDATE_GOLDEN");
  return v && std::string(v) == "1";
}

void ExpectGoldenFile(const std::string& path, const std::string& actual, const std::string& what) {
  if (UpdatingGolden()) {
    std::ofstream(path, std::ios::binary) << actual;
    return;
  }
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << "missing " << path;
  EXPECT_EQ(ReadGoldenFile(path), actual) << what << " differs from " << path;
}

}  // namespace vemu::testing
