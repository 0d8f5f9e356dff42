// The plot program's window found through the window manager's client list,
// its activation, and window message 1025, on a real X display. Without one
// (or, for the program's own windows, without Qt's xcb platform) the cases
// are skipped; tests/run_x11_tests.sh runs them under a virtual X server.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QElapsedTimer>
#include <QThread>
#include <cstring>

#include "platform/qt/x11_windows.h"
#include "ui/editing_program.h"

#ifdef VEMU_HAVE_XCB
#include <xcb/xcb.h>

namespace vemu::test {
namespace {

// Windows of the test on the display named by $DISPLAY, listed in the
// root's _NET_CLIENT_LIST as a window manager would (when none runs).
struct FakeClients {
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  xcb_window_t root = XCB_WINDOW_NONE;
  std::vector<xcb_window_t> windows;
  bool ownList = false;

  FakeClients() {
    if (xcb_connection_has_error(c)) return;
    root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  }
  ~FakeClients() {
    if (ownList) xcb_delete_property(c, root, atom("_NET_CLIENT_LIST"));
    for (xcb_window_t w : windows) xcb_destroy_window(c, w);
    xcb_flush(c);
    xcb_disconnect(c);
  }
  bool ok() const { return root != XCB_WINDOW_NONE; }
  xcb_atom_t atom(const char* name) {
    auto* reply = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(reply);
    return a;
  }
  xcb_window_t add(const char* title) {
    const xcb_window_t w = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, w, root, 0, 0, 50, 50, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        static_cast<std::uint32_t>(std::strlen(title)), title);
    xcb_map_window(c, w);
    windows.push_back(w);
    return w;
  }
  // Lists the windows unless a window manager keeps the list itself.
  void list() {
    auto* reply = xcb_get_property_reply(c, xcb_get_property(c, 0, root, atom("_NET_CLIENT_LIST"), XCB_ATOM_WINDOW, 0, 1), nullptr);
    ownList = ownList || !reply || reply->type == XCB_ATOM_NONE;
    std::free(reply);
    if (ownList)
      xcb_change_property(c, XCB_PROP_MODE_REPLACE, root, atom("_NET_CLIENT_LIST"), XCB_ATOM_WINDOW, 32,
                          static_cast<std::uint32_t>(windows.size()), windows.data());
    xcb_flush(c);
  }
};

TEST(X11Windows, ThePlotProgramIsFoundByItsExactTitleAndActivatedThroughTheWindowManager) {
  FakeClients x;
  if (!x.ok()) GTEST_SKIP() << "no X display";
  x.add("Telvoro 2");
  const xcb_window_t plot = x.add("Telvoro");
  x.list();
  EXPECT_EQ(platform::X11FindWindowByTitle("Telvoro"), plot);
  EXPECT_EQ(platform::X11FindWindowByTitle("telvoro"), 0u);
  // Acting as the window manager: the activation request comes to the root.
  const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT;
  if (xcb_request_check(x.c, xcb_change_window_attributes_checked(x.c, x.root, XCB_CW_EVENT_MASK, &mask)))
    GTEST_SKIP() << "a window manager runs";
  ASSERT_TRUE(platform::X11ActivateWindow(plot));
  bool asked = false;
  QElapsedTimer clock;
  clock.start();
  while (!asked && clock.elapsed() < 3000) {
    xcb_generic_event_t* event = xcb_poll_for_event(x.c);
    if (event && (event->response_type & 0x7f) == XCB_CLIENT_MESSAGE) {
      const auto* m = reinterpret_cast<xcb_client_message_event_t*>(event);
      asked = m->type == x.atom("_NET_ACTIVE_WINDOW") && m->window == plot && m->data.data32[0] == 1;
    }
    std::free(event);
  }
  EXPECT_TRUE(asked);
}

TEST(X11Windows, TheCommandNamesTheFindAndMessage1025ReachesTheCaption) {
  EditingProgram program;
  TForm1& form = program.form();
  FakeClients x;
  if (QGuiApplication::platformName() != QLatin1String("xcb") || !x.ok()) {
    form.GraphX1->trigger();
    EXPECT_EQ(program.dialogs.texts(), std::vector<std::string>{"Не найден Telvoro"});
    GTEST_SKIP() << "the program's windows are not on X11";
  }
  x.add("Telvoro");
  x.list();
  form.GraphX1->trigger();
  EXPECT_EQ(program.dialogs.texts(), std::vector<std::string>{"Telvoro!!! Есть!!!"});
  form.show();
  const auto main = static_cast<std::uint32_t>(form.winId());
  const std::uint32_t leader = platform::X11ClientLeaderOf(main);
  ASSERT_NE(leader, 0u);
  const struct {
    std::uint32_t window;
    platform::UserMessage message;
    const char* caption;
  } cases[] = {
      {main, {1025, 7, -1}, "MSG=1025,7,-1"},
      {leader, {1025, 3, 40000}, "MyWindowHook(1025,3,40000) "},
      {leader, {1026, 5, 5}, "MyWindowHook(1025,3,40000) "},
      {main, {1025, -2, 0}, "MSG=1025,-2,0"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(platform::X11SendUserMessage(c.window, c.message));
    QElapsedTimer clock;
    clock.start();
    while (form.windowTitle() != c.caption && clock.elapsed() < 2000) {
      QApplication::processEvents();
      QThread::msleep(5);
    }
    EXPECT_EQ(form.windowTitle().toStdString(), c.caption);
  }
}

}  // namespace
}  // namespace vemu::test
#endif
