// Test entry: GoogleTest first, then a headless QApplication for the
// window tests (also when the tests are listed at build time).
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/qt/guarded_application.h"
#include "support/scratch_folder.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  vemu::platform::GuardedApplication app(argc, argv);
  // No test writes into the program's own folder (build/bin): a window that
  // outlives its test's folder writes its SETTINGS.INI here.
  const vemu::test::ScratchFolder runFolder;
  return RUN_ALL_TESTS();
}
