// Test entry: GoogleTest first, then a headless QApplication for the
// window tests (also when the tests are listed at build time).
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // Per-user folders of this run only (a scratch folder sets its own).
  std::string home = (std::filesystem::temp_directory_path() / "vemu-home-XXXXXX").string();
  if (!mkdtemp(home.data())) return 2;
  setenv("XDG_STATE_HOME", (home + "/state").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", home.c_str(), 1);
  int result = 0;
  {
    QApplication app(argc, argv);
    result = RUN_ALL_TESTS();
  }
  std::error_code ec;
  std::filesystem::remove_all(home, ec);
  return result;
}
