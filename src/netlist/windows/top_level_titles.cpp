#include "netlist/windows/top_level_titles.h"

#include <QApplication>
#include <QWidget>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

#ifdef VEMU_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace {

constexpr int kTitleLength = 127;

QStringList OwnTopLevelTitles() {
  QStringList titles;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (!w->isVisible() || w->parentWidget() || w->windowTitle().isEmpty()) continue;
    titles << w->windowTitle().left(kTitleLength);
  }
  return titles;
}

#ifdef VEMU_HAVE_XCB

struct FreeReply {
  void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply>;

struct ConnectionCloser {
  void operator()(xcb_connection_t* c) const { xcb_disconnect(c); }
};

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  Reply<xcb_intern_atom_reply_t> reply(
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
  return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

Reply<xcb_get_property_reply_t> Property(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property,
                                         xcb_atom_t type, std::uint32_t longs) {
  return Reply<xcb_get_property_reply_t>(
      xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, type, 0, longs), nullptr));
}

QString TitleOf(xcb_connection_t* c, xcb_window_t w, xcb_atom_t netWmName, xcb_atom_t utf8) {
  // A buffer of 128 characters holds 127 and the end mark: 127 x 4 bytes is enough.
  constexpr std::uint32_t kLongs = (kTitleLength * 4 + 3) / 4;
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

std::optional<QStringList> ClientListTitles() {
  int screenNumber = 0;
  std::unique_ptr<xcb_connection_t, ConnectionCloser> connection(xcb_connect(nullptr, &screenNumber));
  xcb_connection_t* c = connection.get();
  if (!c || xcb_connection_has_error(c)) return std::nullopt;
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
  for (int i = 0; i < screenNumber && screens.rem; ++i) xcb_screen_next(&screens);
  if (!screens.rem) return std::nullopt;
  const xcb_window_t root = screens.data->root;
  const xcb_atom_t clientList = Atom(c, "_NET_CLIENT_LIST");
  if (clientList == XCB_ATOM_NONE) return std::nullopt;
  auto list = Property(c, root, clientList, XCB_ATOM_WINDOW, 1u << 16);
  if (!list || list->format != 32) return std::nullopt;
  const xcb_atom_t netWmName = Atom(c, "_NET_WM_NAME");
  const xcb_atom_t utf8 = Atom(c, "UTF8_STRING");
  const auto* windows = static_cast<const xcb_window_t*>(xcb_get_property_value(list.get()));
  const int count = xcb_get_property_value_length(list.get()) / 4;
  QStringList titles;
  for (int i = 0; i < count; ++i) {
    const xcb_window_t w = windows[i];
    Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr));
    if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE) continue;
    auto owner = Property(c, w, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 1);
    if (owner && owner->format == 32 && xcb_get_property_value_length(owner.get()) >= 4 &&
        *static_cast<const xcb_window_t*>(xcb_get_property_value(owner.get())) != XCB_WINDOW_NONE)
      continue;
    const QString title = TitleOf(c, w, netWmName, utf8).left(kTitleLength);
    if (!title.isEmpty()) titles << title;
  }
  return titles;
}

#endif

}  // namespace

QStringList TopLevelWindowTitles() {
#ifdef VEMU_HAVE_XCB
  if (QGuiApplication::platformName() == QLatin1String("xcb"))
    if (auto titles = ClientListTitles()) return *titles;
#endif
  return OwnTopLevelTitles();
}
