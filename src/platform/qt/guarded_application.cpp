#include "platform/qt/guarded_application.h"

#include <new>
#include <stdexcept>

#include "platform/dialogs.h"

namespace vemu::platform {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
  const char* failure = nullptr;
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::bad_alloc&) {
    failure = "Not enough memory for this command: it was stopped.";
  } catch (const std::length_error&) {
    failure = "This command needs more memory than there can be: it was stopped.";
  }
  // Shown once the stack of the failed command is gone, and so its memory.
  dialogs().messageBox("Vemu", failure, MsgButtons::Ok, MsgIcon::Error);
  return false;
}

}  // namespace vemu::platform
