#include "ui/program_entry.h"

#include <QApplication>
#include <QTimer>

#include "model/graph.h"
#include "platform/qt/guarded_application.h"
#include "platform/qt/hint_pause.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/termination_signals.h"
#include "platform/text_file.h"
#include "ui/tform1.h"
#include "ui/window_set.h"

int ProgramEntry(int argc, char** argv, const ProgramProfile& profile) {
  vemu::platform::ignoreFileSizeSignal();
  vemu::platform::GuardedApplication application(argc, argv);
  vemu::platform::SetHintHidePause(application, 10000);
  QApplication::setApplicationName(QString::fromStdString(profile.applicationTitle));
  QApplication::setApplicationDisplayName(QString::fromStdString(profile.applicationTitle));
  vemu::model::SetModelVariant(profile.kind == ProgramKind::Second ? vemu::model::ModelVariant::Second
                                                                   : vemu::model::ModelVariant::Full);
  vemu::platform::QtDialogs dialogs;
  vemu::platform::ScopedDialogs useDialogs(dialogs);

  std::vector<std::string> args(argv, argv + argc);
  int code = 0;
  // Ended from outside: the same way out as Exit, so the settings are
  // written and this editor's lock, snapshots and private folder go. The
  // handling outlives the windows, so that no further signal ends the
  // program the system's way before they are gone.
  // One taken while the windows are being made (a start-up message box
  // runs the event loop) is acted on as soon as they stand.
  TForm1* main = nullptr;
  bool endPending = false;
  vemu::platform::TerminationSignals ending([&main, &endPending](int) {
    if (main) main->EndWithoutQuestion();
    else endPending = true;
  });
  {
    WindowSet set(profile, args);
    main = set.windows().Form1;
    dialogs.setParent(main);
    main->show();
    QTimer::singleShot(0, main, [main] { main->FormActivate(); });
    if (endPending) QTimer::singleShot(0, main, [main] { main->EndWithoutQuestion(); });
    code = QApplication::exec();
    main = nullptr;
    dialogs.setParent(nullptr);
  }
  return code;
}
