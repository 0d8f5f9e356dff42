// The application object of both programs. Every event, and so every command
// the user gives (a menu item, a button, a key, a click, a timer), is handed
// out through notify(); a command that runs out of memory is stopped there:
// it ends with a message and the editor goes on. The readers build what they
// read apart from the open circuit and put it in place only when all is read,
// so a load stopped that way leaves the circuit as it was.
#pragma once

#include <QApplication>

namespace vemu::platform {

class GuardedApplication : public QApplication {
 public:
  GuardedApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace vemu::platform
