#include "platform/qt/application_window.h"

#include <QWidget>
#include <QWindow>

#include "platform/qt/x11_windows.h"

namespace vemu::platform {

std::uint64_t ApplicationWindowHandle(const QWidget& topLevel) {
  if (!topLevel.windowHandle()) return 0;
  return X11ClientLeaderOf(static_cast<std::uint32_t>(topLevel.windowHandle()->winId()));
}

}  // namespace vemu::platform
