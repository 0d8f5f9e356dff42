// The X11 display's top-level windows as the window manager lists them
// (EWMH _NET_CLIENT_LIST), activation through the window manager
// (_NET_ACTIVE_WINDOW), and the program's own window message: a
// ClientMessage of the atom VEMU_WM_USER (format 32: message number,
// wParam, lParam). Without xcb support, or without a display, every
// function finds nothing and sends nothing.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace vemu::platform {

struct X11ClientWindow {
  std::uint32_t id = 0;
  QString title;          // _NET_WM_NAME (UTF-8), else WM_NAME
  bool viewable = false;  // mapped and visible
  bool transient = false; // has an owner (WM_TRANSIENT_FOR)
};

// The client list of `display` (null: $DISPLAY) in the window manager's
// order; nothing without a display or a client list.
std::optional<std::vector<X11ClientWindow>> X11ClientList(const char* display = nullptr);

// The first window of the client list titled exactly `title`; 0 when none.
std::uint32_t X11FindWindowByTitle(const QString& title, const char* display = nullptr);

// Asks the window manager to activate the window; false without a display.
bool X11ActivateWindow(std::uint32_t window, const char* display = nullptr);

// The program's window message.
struct UserMessage {
  std::int32_t message = 0;
  std::int32_t wParam = 0;
  std::int32_t lParam = 0;
};
inline constexpr const char* kUserMessageAtom = "VEMU_WM_USER";

// Sends the message to a window; false without a display.
bool X11SendUserMessage(std::uint32_t window, const UserMessage& m, const char* display = nullptr);

// The client-leader window of a top-level window (WM_CLIENT_LEADER) on the
// program's own display connection; 0 when none or not on X11.
std::uint32_t X11ClientLeaderOf(std::uint32_t window);

// Hands every VEMU_WM_USER message that reaches the program's display
// connection to `handler` (window, message); a true answer marks it handled.
// Installs itself on the application when it runs on X11 (xcb).
class X11UserMessageFilter final : public QObject, public QAbstractNativeEventFilter {
 public:
  using Handler = std::function<bool(std::uint32_t window, const UserMessage& message)>;
  X11UserMessageFilter(Handler handler, QObject* parent);
  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 private:
  Handler handler_;
  std::uint32_t atom_ = 0;
};

}  // namespace vemu::platform
