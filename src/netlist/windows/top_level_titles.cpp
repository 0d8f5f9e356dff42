#include "netlist/windows/top_level_titles.h"

#include <QApplication>
#include <QWidget>

#include "platform/qt/x11_windows.h"

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

}  // namespace

QStringList TopLevelWindowTitles() {
  if (QGuiApplication::platformName() == QLatin1String("xcb")) {
    if (auto windows = vemu::platform::X11ClientList()) {
      QStringList titles;
      for (const auto& w : *windows)
        if (w.viewable && !w.transient && !w.title.isEmpty()) titles << w.title.left(kTitleLength);
      return titles;
    }
  }
  return OwnTopLevelTitles();
}
