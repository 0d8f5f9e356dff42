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
  // Shown once the stack of the failed command is gone, and so its memory;
  // one that fails again while the message is up (a redraw) adds no other.
  static bool showing = false;
  if (!showing) {
    showing = true;
    try {
      dialogs().messageBox("Vemu", failure, MsgButtons::Ok, MsgIcon::Error);
    } catch (const std::bad_alloc&) {
      // Not even the message fits: the command is stopped all the same.
    }
    showing = false;
  }
  return false;
}

}  // namespace vemu::platform
