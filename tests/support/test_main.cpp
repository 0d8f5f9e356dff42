// Test entry: GoogleTest first, then a headless QApplication for the
// window tests (also when the tests are listed at build time).
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "platform/program_folder.h"
#include "platform/qt/guarded_application.h"
#include "support/scratch_folder.h"
#include "ui/program_entry.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // "--entry FOLDER": vemu3's entry on FOLDER, its first command out of memory, then two SIGTERMs.
  // "--entry-early FOLDER": a SIGTERM while a start-up box is open, then the box answered.
  if (argc == 3 && argv[1] == std::string("--entry-early")) {
    vemu::platform::setProgramFolder(argv[2]);
    qAddPreRoutine([] {
      QTimer::singleShot(0, [] { ::kill(::getpid(), SIGTERM); });
      QTimer::singleShot(300, [] { QApplication::activeModalWidget()->close(); });
    });
    return ProgramEntry(1, argv, FullProgramProfile());
  }
  if (argc == 3 && argv[1] == std::string("--entry")) {
    vemu::platform::setProgramFolder(argv[2]);
    qAddPreRoutine([] {
      QTimer::singleShot(0, [] { throw std::bad_alloc(); });
      QTimer::singleShot(300, [] {
        auto* box = static_cast<QMessageBox*>(QApplication::activeModalWidget());
        std::fprintf(stderr, "box %s\nSIGXFSZ ignored %d\n", qPrintable(box->text()),  // unbuffered: kept if killed
                     std::signal(SIGXFSZ, SIG_IGN) == SIG_IGN);
        for (int k = 0; k < 2; ++k) ::kill(::getpid(), SIGTERM);
      });
    });
    return ProgramEntry(1, argv, FullProgramProfile());
  }
  vemu::platform::GuardedApplication app(argc, argv);
  // No test writes into the program's own folder (build/bin): a window that
  // outlives its test's folder writes its SETTINGS.INI here.
  const vemu::test::ScratchFolder runFolder;
  return RUN_ALL_TESTS();
}
