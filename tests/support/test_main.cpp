// Test entry: GoogleTest first, then a headless QApplication for the
// window tests (also when the tests are listed at build time).
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/program_folder.h"
#include "platform/qt/guarded_application.h"
#include "support/scratch_folder.h"
#include "ui/program_entry.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // "--entry FOLDER": vemu3's own entry with FOLDER as the program folder and a
  // first command that runs out of memory; each message box's text and the
  // handling of SIGXFSZ go to stdout, then two SIGTERMs end the program.
  if (argc == 3 && std::strcmp(argv[1], "--entry") == 0) {
    vemu::platform::setProgramFolder(argv[2]);
    qAddPreRoutine([] {
      QTimer::singleShot(0, [] { throw std::bad_alloc(); });
      auto* boxes = new QTimer(qApp);
      QObject::connect(boxes, &QTimer::timeout, [boxes] {
        for (QWidget* w : QApplication::topLevelWidgets())
          if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
            std::printf("box %s\n", box->text().toUtf8().constData());
            box->done(0);
          }
        struct sigaction xfsz {};
        ::sigaction(SIGXFSZ, nullptr, &xfsz);
        std::printf("SIGXFSZ %s\n", xfsz.sa_handler == SIG_IGN ? "ignored" : "taken");
        std::fflush(stdout);
        boxes->stop();
        for (int k = 0; k < 2; ++k) ::kill(::getpid(), SIGTERM);
      });
      boxes->start(300);
    });
    return ProgramEntry(1, argv, FullProgramProfile());
  }
  vemu::platform::GuardedApplication app(argc, argv);
  // No test writes into the program's own folder (build/bin): a window that
  // outlives its test's folder writes its SETTINGS.INI here.
  const vemu::test::ScratchFolder runFolder;
  return RUN_ALL_TESTS();
}
