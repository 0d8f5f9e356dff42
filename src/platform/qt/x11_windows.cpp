#include "platform/qt/x11_windows.h"

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <memory>

#ifdef VEMU_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace vemu::platform {

#ifdef VEMU_HAVE_XCB
namespace {

struct FreeReply {
  void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply>;

// A connection of our own to the display, with its first screen's root.
class Connection {
 public:
  explicit Connection(const char* display) {
    int screenNumber = 0;
    c_ = xcb_connect(display, &screenNumber);
    if (xcb_connection_has_error(c_)) return;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c_));
    for (int i = 0; i < screenNumber && screens.rem; ++i) xcb_screen_next(&screens);
    if (screens.rem) root_ = screens.data->root;
  }
  ~Connection() { xcb_disconnect(c_); }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  bool ok() const { return root_ != XCB_WINDOW_NONE; }
  xcb_connection_t* get() const { return c_; }
  xcb_window_t root() const { return root_; }

 private:
  xcb_connection_t* c_ = nullptr;
  xcb_window_t root_ = XCB_WINDOW_NONE;
};

xcb_atom_t Atom(xcb_connection_t* c, const char* name, bool onlyIfExists = true) {
  Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
      c, xcb_intern_atom(c, onlyIfExists ? 1 : 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
  return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

Reply<xcb_get_property_reply_t> Property(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property, xcb_atom_t type,
                                         std::uint32_t longs) {
  return Reply<xcb_get_property_reply_t>(
      xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, type, 0, longs), nullptr));
}

QString TitleOf(xcb_connection_t* c, xcb_window_t w, xcb_atom_t netWmName, xcb_atom_t utf8) {
  constexpr std::uint32_t kLongs = 1024;
  if (netWmName != XCB_ATOM_NONE && utf8 != XCB_ATOM_NONE) {
    auto reply = Property(c, w, netWmName, utf8, kLongs);
    if (reply && reply->format == 8 && xcb_get_property_value_length(reply.get()) > 0)
      return QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(reply.get())),
                               xcb_get_property_value_length(reply.get()));
  }
  auto reply = Property(c, w, XCB_ATOM_WM_NAME, XCB_ATOM_ANY, kLongs);
  if (reply && reply->format == 8 && xcb_get_property_value_length(reply.get()) > 0)
    return QString::fromLatin1(static_cast<const char*>(xcb_get_property_value(reply.get())),
                               xcb_get_property_value_length(reply.get()));
  return QString();
}

std::uint32_t WindowProperty(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property) {
  auto reply = Property(c, w, property, XCB_ATOM_WINDOW, 1);
  if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4) return XCB_WINDOW_NONE;
  return *static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
}

void SendToRoot(const Connection& x, xcb_window_t window, xcb_atom_t type, const std::uint32_t (&data)[5],
                std::uint32_t mask) {
  xcb_client_message_event_t event{};
  event.response_type = XCB_CLIENT_MESSAGE;
  event.format = 32;
  event.window = window;
  event.type = type;
  for (int i = 0; i < 5; ++i) event.data.data32[i] = data[i];
  xcb_send_event(x.get(), 0, mask ? x.root() : window, mask, reinterpret_cast<const char*>(&event));
  // A round trip: the server has dealt with the event before the connection closes.
  std::free(xcb_get_input_focus_reply(x.get(), xcb_get_input_focus(x.get()), nullptr));
}

bool OnX11() { return qGuiApp && QGuiApplication::platformName() == QLatin1String("xcb"); }

}  // namespace

std::optional<std::vector<X11ClientWindow>> X11ClientList(const char* display) {
  Connection x(display);
  if (!x.ok()) return std::nullopt;
  xcb_connection_t* c = x.get();
  const xcb_atom_t clientList = Atom(c, "_NET_CLIENT_LIST");
  if (clientList == XCB_ATOM_NONE) return std::nullopt;
  auto list = Property(c, x.root(), clientList, XCB_ATOM_WINDOW, 1u << 16);
  if (!list || list->format != 32) return std::nullopt;
  const xcb_atom_t netWmName = Atom(c, "_NET_WM_NAME");
  const xcb_atom_t utf8 = Atom(c, "UTF8_STRING");
  const auto* windows = static_cast<const xcb_window_t*>(xcb_get_property_value(list.get()));
  const int count = xcb_get_property_value_length(list.get()) / 4;
  std::vector<X11ClientWindow> out;
  for (int i = 0; i < count; ++i) {
    X11ClientWindow w;
    w.id = windows[i];
    Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w.id), nullptr));
    if (!attributes) continue;  // gone meanwhile
    w.viewable = attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    w.transient = WindowProperty(c, w.id, XCB_ATOM_WM_TRANSIENT_FOR) != XCB_WINDOW_NONE;
    w.title = TitleOf(c, w.id, netWmName, utf8);
    out.push_back(std::move(w));
  }
  return out;
}

bool X11ActivateWindow(std::uint32_t window, const char* display) {
  Connection x(display);
  if (!x.ok()) return false;
  // Source 1: a normal application; no time stamp, no window of ours active.
  SendToRoot(x, window, Atom(x.get(), "_NET_ACTIVE_WINDOW", false), {1, XCB_CURRENT_TIME, 0, 0, 0},
             XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY);
  return true;
}

bool X11SendUserMessage(std::uint32_t window, const UserMessage& m, const char* display) {
  Connection x(display);
  if (!x.ok()) return false;
  SendToRoot(x, window, Atom(x.get(), kUserMessageAtom, false),
             {static_cast<std::uint32_t>(m.message), static_cast<std::uint32_t>(m.wParam),
              static_cast<std::uint32_t>(m.lParam), 0, 0},
             0);
  return true;
}

// Requests go through a connection of our own: a reply awaited on Qt's
// connection would leave the events read meanwhile unnoticed in its queue.
std::uint32_t X11ClientLeaderOf(std::uint32_t window) {
  if (!OnX11()) return 0;
  Connection x(nullptr);
  if (!x.ok()) return 0;
  const xcb_atom_t leader = Atom(x.get(), "WM_CLIENT_LEADER");
  return leader == XCB_ATOM_NONE ? 0 : WindowProperty(x.get(), window, leader);
}

X11UserMessageFilter::X11UserMessageFilter(Handler handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)) {
  if (!OnX11()) return;
  Connection x(nullptr);
  if (!x.ok()) return;
  atom_ = Atom(x.get(), kUserMessageAtom, false);
  qGuiApp->installNativeEventFilter(this);
}

bool X11UserMessageFilter::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (eventType != "xcb_generic_event_t" || !atom_) return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE) return false;
  const auto* client = static_cast<const xcb_client_message_event_t*>(message);
  if (client->type != atom_ || client->format != 32) return false;
  const UserMessage m{static_cast<std::int32_t>(client->data.data32[0]),
                      static_cast<std::int32_t>(client->data.data32[1]),
                      static_cast<std::int32_t>(client->data.data32[2])};
  return handler_ && handler_(client->window, m);
}

#else

std::optional<std::vector<X11ClientWindow>> X11ClientList(const char*) { return std::nullopt; }
bool X11ActivateWindow(std::uint32_t, const char*) { return false; }
bool X11SendUserMessage(std::uint32_t, const UserMessage&, const char*) { return false; }
std::uint32_t X11ClientLeaderOf(std::uint32_t) { return 0; }
X11UserMessageFilter::X11UserMessageFilter(Handler handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)) {}
bool X11UserMessageFilter::nativeEventFilter(const QByteArray&, void*, qintptr*) { return false; }

#endif

std::uint32_t X11FindWindowByTitle(const QString& title, const char* display) {
  const auto windows = X11ClientList(display);
  if (!windows) return 0;
  for (const X11ClientWindow& w : *windows)
    if (!w.transient && w.title == title) return w.id;
  return 0;
}

}  // namespace vemu::platform
