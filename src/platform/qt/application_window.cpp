#include "platform/qt/application_window.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <cstring>

#ifdef VEMU_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace vemu::platform {

std::uint64_t ApplicationWindowHandle(const QWidget& topLevel) {
#ifdef VEMU_HAVE_XCB
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !topLevel.windowHandle() || !x11->connection()) return 0;
  xcb_connection_t* c = x11->connection();
  static constexpr char kLeader[] = "WM_CLIENT_LEADER";
  xcb_intern_atom_reply_t* atom =
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, sizeof kLeader - 1, kLeader), nullptr);
  if (!atom) return 0;
  const xcb_atom_t leaderAtom = atom->atom;
  std::free(atom);
  if (leaderAtom == XCB_ATOM_NONE) return 0;
  const auto window = static_cast<xcb_window_t>(topLevel.windowHandle()->winId());
  xcb_get_property_reply_t* reply =
      xcb_get_property_reply(c, xcb_get_property(c, 0, window, leaderAtom, XCB_ATOM_WINDOW, 0, 1), nullptr);
  std::uint64_t leader = 0;
  if (reply && reply->format == 32 && xcb_get_property_value_length(reply) >= 4) {
    xcb_window_t value = 0;
    std::memcpy(&value, xcb_get_property_value(reply), sizeof value);
    leader = value;
  }
  std::free(reply);
  return leader;
#else
  (void)topLevel;
  return 0;
#endif
}

}  // namespace vemu::platform
