// SETTINGS.INI: the main window's placement, its tool bars, the menu checks
// of the bars and the last circuit file. Both programs share the file; the
// second build keeps fewer keys of the section.
#include <algorithm>
#include <filesystem>

#include <QAction>
#include <QByteArray>
#include <QDataStream>
#include <QIODevice>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QTabBar>
#include <QToolBar>
#include <QVariant>

#include "files/ini_file.h"
#include "platform/dialogs.h"
#include "platform/program_folder.h"
#include "platform/qt/qt_text.h"
#include "platform/text_codec.h"
#include "platform/text_file.h"
#include "platform/user_folders.h"
#include "ui/tform1.h"
#include "ui/window_placement.h"

namespace {

constexpr const char* kSection = "Form1";
// The property that holds a bar's place (QPoint: left, top) while Qt has
// not laid it out, or while it is hidden.
constexpr const char* kPlaceProperty = "ToolBarPlace";

struct BarKeys {
  QToolBar* bar;
  const char* x;
  const char* y;
  int width;  // the designed width; Qt sizes the bars by their contents
};

// The available areas of the screens, the primary first.
std::vector<vemu::ui::PlacementRect> ScreenRects() {
  std::vector<vemu::ui::PlacementRect> rects;
  QScreen* primary = QGuiApplication::primaryScreen();
  std::vector<QScreen*> screens{primary};
  for (QScreen* screen : QGuiApplication::screens())
    if (screen != primary) screens.push_back(screen);
  for (QScreen* screen : screens) {
    if (!screen) continue;
    const QRect r = screen->availableGeometry();
    rects.push_back({r.x(), r.y(), r.width(), r.height()});
  }
  return rects;
}

int Flag(const QAction* item) { return item && item->isChecked() ? 1 : 0; }

// The tool-bar area's top inside the window.
int ToolBarAreaTop(const QMainWindow* window) {
  const QWidget* menu = window->menuWidget();
  return menu && menu->isVisibleTo(window) ? menu->geometry().bottom() + 1 : 0;
}

// Qt keeps the room a user leaves after a bar in its row (by dragging the
// next one away) only in the window's saved state, as the bar's preferred
// length: each bar's entry there is its object name, a shown flag, its
// position and then that length (-1: its own size). The lengths are set in
// the state Qt gives and the state handed back.
void SetBarLengths(QMainWindow* window, const std::vector<std::pair<QToolBar*, int>>& lengths) {
  QByteArray state = window->saveState();
  bool changed = false;
  for (const auto& [bar, length] : lengths) {
    QByteArray name;
    QDataStream out(&name, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_0);
    out << bar->objectName();
    const qsizetype at = state.indexOf(name);
    if (at < 0 || state.indexOf(name, at + 1) >= 0 || at + name.size() + 9 > state.size()) continue;
    QByteArray value;
    QDataStream in(&value, QIODevice::WriteOnly);
    in.setVersion(QDataStream::Qt_5_0);
    in << qint32(length);
    state.replace(at + name.size() + 5, 4, value);
    changed = true;
  }
  if (changed) window->restoreState(state);
}

int RowPitch(const std::vector<QToolBar*>& bars) {
  int pitch = 0;
  for (const QToolBar* bar : bars) pitch = std::max(pitch, bar->sizeHint().height());
  return pitch > 0 ? pitch : 30;
}

}  // namespace

std::string TForm1::SettingsFileName() {
  return vemu::platform::settingsFileToRead(vemu::platform::programFolder(), "SETTINGS.INI");
}

std::string TForm1::SettingsFileToWrite() {
  return vemu::platform::settingsFileToWrite(vemu::platform::programFolder(), "SETTINGS.INI");
}

std::pair<int, int> TForm1::ToolBarPlace(const QToolBar* bar) const {
  // A bar Qt has laid out in the shown window is where the user left it.
  if (isVisible() && bar->isVisible())
    return {bar->x(), bar->y() - ToolBarAreaTop(this) + 2};
  const QVariant place = bar->property(kPlaceProperty);
  if (place.isValid()) return {place.toPoint().x(), place.toPoint().y()};
  return {0, 2};
}

void TForm1::RememberToolBarPlaces() {
  for (QToolBar* bar : findChildren<QToolBar*>()) {
    if (!isVisible() || !bar->isVisible()) continue;
    const auto [left, top] = ToolBarPlace(bar);
    bar->setProperty(kPlaceProperty, QPoint(left, top));
  }
}

void TForm1::PlaceToolBars(const std::vector<QToolBar*>& bars, const std::vector<std::pair<int, int>>& places) {
  std::vector<vemu::ui::BarPlace> stored;
  for (std::size_t i = 0; i < bars.size(); ++i) {
    stored.push_back({places[i].first, places[i].second});
    bars[i]->setProperty(kPlaceProperty, QPoint(places[i].first, places[i].second));
  }
  std::vector<bool> shown;
  for (QToolBar* bar : bars) {
    shown.push_back(bar->isVisibleTo(this));
    removeToolBar(bar);
  }
  bool firstRow = true;
  std::vector<std::pair<QToolBar*, int>> lengths;
  for (const auto& row : vemu::ui::ArrangeBarRows(stored, RowPitch(bars))) {
    if (!firstRow) addToolBarBreak(Qt::TopToolBarArea);
    firstRow = false;
    int shownBefore = -1;  // the last shown bar of the row so far
    for (int index : row) {
      const auto i = static_cast<std::size_t>(index);
      addToolBar(Qt::TopToolBarArea, bars[i]);
      bars[i]->setVisible(shown[i]);
      lengths.emplace_back(bars[i], -1);
      if (!shown[i]) continue;
      // The bar before reaches up to this bar's left edge.
      if (shownBefore >= 0) {
        const auto b = static_cast<std::size_t>(shownBefore);
        // Stored edges may lie anywhere in the range of int; no bar is
        // longer than a widget can be.
        const long long room = static_cast<long long>(stored[i].left) - stored[b].left;
        for (auto& [bar, length] : lengths)
          if (bar == bars[b] && room > bars[b]->sizeHint().width())
            length = static_cast<int>(std::min<long long>(room, QWIDGETSIZE_MAX));
      }
      shownBefore = index;
    }
  }
  SetBarLengths(this, lengths);
}

void TForm1::LoadIni() {
  namespace ui = vemu::ui;
  const bool full = Profile().kind == ProgramKind::Full;
  std::string refused;
  const auto ini = vemu::files::IniFile::Load(SettingsFileName(), &refused);
  if (!refused.empty())
    vemu::platform::dialogs().messageBox("Vemu", refused, vemu::platform::MsgButtons::Ok,
                                         vemu::platform::MsgIcon::Error);
  const auto stored = [&](const char* key) -> std::optional<int> {
    // Absent, or no number: the current value stays.
    const int a = ini.ReadInteger(kSection, key, 0), b = ini.ReadInteger(kSection, key, 1);
    if (a != b) return std::nullopt;
    return a;
  };

  // Bars never placed yet stand side by side in the designed order.
  int designedLeft = 0;
  for (QToolBar* bar : {ToolBarNewSaveLoad, ToolBarUndo, ToolBarOtpMenu, ToolBar2, ToolBar1, ToolBarNode, ToolBar_BARS}) {
    if (!bar) continue;
    if (!bar->property(kPlaceProperty).isValid()) bar->setProperty(kPlaceProperty, QPoint(designedLeft, 2));
    designedLeft += bar->sizeHint().width();
  }

  // The window.
  ui::StoredWindowRect rect;
  rect.left = ini.ReadInteger(kSection, "Left", -1);
  if (*rect.left != -1) {
    rect.top = stored("Top");
    rect.height = stored("Height");
    rect.width = stored("Width");
  }
  const ui::WindowPlacement placement =
      ui::PlaceWindow(rect, {x(), y(), width(), height()}, ScreenRects(), !full);
  move(placement.rect.left, placement.rect.top);
  resize(placement.rect.width, placement.rect.height);
  if (placement.maximised) setWindowState(windowState() | Qt::WindowMaximized);
  // The second build keeps its designed layout without stored settings.
  if (!full && *rect.left == -1) return;

  // Menu checks: stored inverted, since the toggles below invert them again.
  const auto inverted = [&](QAction* item, const char* key) {
    if (item) item->setChecked(ini.ReadInteger(kSection, key, 1) == 0);
  };
  inverted(OptSubMenu, "OSM");
  inverted(EditSubMenu1, "ESM");
  inverted(FileSubMenu1, "FSM");
  inverted(ScaelSubMenu1, "SSM");
  if (full) {
    if (BARS11) BARS11->setChecked(ini.ReadInteger(kSection, "BARS11", 0) != 0);
    if (BARS21) BARS21->setChecked(ini.ReadInteger(kSection, "BARS21", 1) != 0);
  }

  // Tool bars: every top 2, then the stored places (the second build keeps
  // only the left edges).
  std::vector<BarKeys> keys{{ToolBarOtpMenu, "Option_x", "Option_y", 135}, {ToolBarUndo, "Undo_x", "Undo_y", 102}};
  if (full && ToolBar_BARS) keys.push_back({ToolBar_BARS, "Bars_x", "Bars_y", 0});
  keys.insert(keys.end(), {{ToolBarNewSaveLoad, "SaveLoad_x", "SaveLoad_y", 105},
                           {ToolBar2, "Scale_x", "Scale_y", 168},
                           {ToolBar1, "Run_x", "Run_y", 99},
                           {ToolBarNode, "Node_x", "Node_y", 166}});
  std::vector<QToolBar*> bars;
  std::vector<std::pair<int, int>> places;
  for (const BarKeys& k : keys) {
    const int left = ToolBarPlace(k.bar).first;
    bars.push_back(k.bar);
    places.emplace_back(ini.ReadInteger(kSection, k.x, left), full ? ini.ReadInteger(kSection, k.y, 2) : 2);
  }

  // The last file: dropped when it is gone.
  LastFile = vemu::platform::cp1251ToUtf8(ini.ReadString(kSection, "LastFile", vemu::platform::utf8ToCp1251(LastFile)));
  if (!LastFile.empty() && vemu::platform::fileExists(LastFile)) {
    OpenDialogFileName = LastFile;
    SaveDialogFileName = LastFile;
    if (LastOpen1)
      LastOpen1->setText(vemu::platform::fromUtf8(std::filesystem::path(LastFile).filename().string()));
  } else {
    LastFile.clear();
  }

  FileSubMenu1Click();
  EditSubMenu1Click();
  OptSubMenuClick();
  ScaelSubMenu1Click();
  if (full) {
    if (ToolBar_BARS && BARS11) ToolBar_BARS->setVisible(BARS11->isChecked());
    if (TabSet1 && BARS21) TabSet1->setVisible(BARS21->isChecked());
  }
  // The rows once every bar's visibility is known: a hidden bar leaves no room.
  PlaceToolBars(bars, places);
}

void TForm1::SaveInit() {
  if (!WritesSettingsFile) return;
  const bool full = Profile().kind == ProgramKind::Full;
  // The keys of a copy read elsewhere (the program folder's, when the
  // per-user one is new) are kept.
  std::string refused;
  auto ini = vemu::files::IniFile::Load(SettingsFileName(), &refused);
  if (!refused.empty()) return;  // a file too large to read is left as it is
  ini.WriteInteger(kSection, "Left", x());
  ini.WriteInteger(kSection, "Top", y());
  ini.WriteInteger(kSection, "Width", width());
  ini.WriteInteger(kSection, "Height", height());
  ini.WriteInteger(kSection, "OSM", Flag(OptSubMenu));
  ini.WriteInteger(kSection, "ESM", Flag(EditSubMenu1));
  ini.WriteInteger(kSection, "FSM", Flag(FileSubMenu1));
  ini.WriteInteger(kSection, "SSM", Flag(ScaelSubMenu1));
  const std::vector<std::pair<QToolBar*, std::string>> bars{
      {ToolBarOtpMenu, "Option"}, {ToolBarUndo, "Undo"}, {ToolBarNewSaveLoad, "SaveLoad"}, {ToolBar_BARS, "Bars"},
      {ToolBar2, "Scale"},        {ToolBar1, "Run"},     {ToolBarNode, "Node"}};
  for (const auto& [bar, name] : bars) {
    if (!bar) continue;  // the second build has no level-tab bar
    const auto [left, top] = ToolBarPlace(bar);
    ini.WriteInteger(kSection, name + "_x", left);
    if (full) ini.WriteInteger(kSection, name + "_y", top);
  }
  // A name with a line break is no line of the file: the one stored before stays.
  ini.WriteString(kSection, "LastFile", vemu::platform::utf8ToCp1251(LastFile));
  if (full) {
    ini.WriteInteger(kSection, "BARS11", Flag(BARS11));
    ini.WriteInteger(kSection, "BARS21", Flag(BARS21));
  }
  // A folder that cannot be written keeps no settings; that is no error.
  ini.Save(SettingsFileToWrite());
}
