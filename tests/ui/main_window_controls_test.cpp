// The main window's controls: menu items with their short-cuts, the shared
// actions, the tool bars and their toggles, the element palette and the
// table from type code to palette button.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <set>
#include <stdexcept>

#include "build2/second_profile.h"
#include "catalogue/windows/settings_window.h"
#include "platform/scripted_dialogs.h"
#include "support/scratch_folder.h"
#include "ui/about_window.h"
#include "ui/tform1.h"
#include "ui/value_window.h"
#include "ui/window_set.h"
#include "view/windows/preview_window.h"

using vemu::platform::ScopedDialogs;
using vemu::platform::ScriptedDialogs;
using vemu::test::ScratchFolder;

namespace {

struct Program {
  explicit Program(const ProgramProfile& profile = FullProgramProfile())
      : scope(dialogs), set(profile, {"vemu3"}) {}
  ScriptedDialogs dialogs;
  ScopedDialogs scope;
  WindowSet set;
  TForm1& form() { return *set.windows().Form1; }
};

struct MenuItem {
  const char* menu;
  const char* name;
  QKeySequence key;
};

// Every item of the main menu, with the menu that holds it and its short-cut.
const MenuItem kMenuItems[] = {
    {"File1", "Newcircuit1", {}},
    {"File1", "LoadFile1", QKeySequence(Qt::Key_F3)},
    {"File1", "CreateFromCir1", {}},
    {"File1", "Save1", QKeySequence(Qt::Key_F2)},
    {"File1", "SaveAs1", {}},
    {"File1", "LastOpen1", QKeySequence(Qt::CTRL | Qt::Key_F)},
    {"File1", "GoBaby1", QKeySequence(Qt::SHIFT | Qt::Key_F1)},
    {"MenuPanels", "FileSubMenu1", {}},
    {"MenuPanels", "EditSubMenu1", {}},
    {"MenuPanels", "OptSubMenu", {}},
    {"MenuPanels", "ScaelSubMenu1", {}},
    {"MenuPanels", "BARS11", {}},
    {"MenuPanels", "BARS21", {}},
    {"File1", "LoadSubcircuit1", QKeySequence(Qt::CTRL | Qt::Key_F3)},
    {"File1", "SaveSubcircuit1", QKeySequence(Qt::CTRL | Qt::Key_F2)},
    {"File1", "Exit1", {}},
    {"Edit1", "ConvertSelectedtoSubcircuit1", {}},
    {"Edit1", "ReturntoUPlevel1", {}},
    {"Edit1", "NewUnit1", QKeySequence(Qt::Key_F5)},
    {"Edit1", "NewNode1", QKeySequence(Qt::CTRL | Qt::Key_Z)},
    {"Edit1", "Deleteobject1", QKeySequence(Qt::CTRL | Qt::Key_D)},
    {"Edit1", "DeleteAllLines1", QKeySequence(Qt::CTRL | Qt::Key_L)},
    {"Edit1", "ClearAllInputValues1", QKeySequence(Qt::CTRL | Qt::Key_Delete)},
    {"Edit1", "GroundNode1", QKeySequence(Qt::CTRL | Qt::Key_G)},
    {"Edit1", "Rename", QKeySequence(Qt::Key_F9)},
    {"Edit1", "LoadSub1", QKeySequence(Qt::SHIFT | Qt::Key_Insert)},
    {"Edit1", "SaveSub1", QKeySequence(Qt::CTRL | Qt::Key_Insert)},
    {"Position1", "SelectAll1", QKeySequence(Qt::CTRL | Qt::Key_A)},
    {"Position1", "UnselectAll1", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_A)},
    {"Position1", "Centerscreen1", QKeySequence(Qt::CTRL | Qt::Key_C)},
    {"Position1", "CenteronSelect1", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C)},
    {"Position1", "Joinfeenodes1", QKeySequence(Qt::CTRL | Qt::Key_U)},
    {"Position1", "Verticalqueue1", QKeySequence(Qt::CTRL | Qt::Key_V)},
    {"Position1", "Horizontalqueue1", QKeySequence(Qt::CTRL | Qt::Key_H)},
    {"Position1", "Undo1", QKeySequence(Qt::ALT | Qt::Key_Backspace)},
    {"Position1", "Redo1", QKeySequence(Qt::SHIFT | Qt::ALT | Qt::Key_Backspace)},
    {"Position1", "UpLevel1", {}},
    {"Position1", "DownLevel1", {}},
    {"Position1", "Default1", QKeySequence(Qt::Key_F10)},
    {"Option1", "Information1", QKeySequence(Qt::CTRL | Qt::Key_I)},
    {"Option1", "Settings1", QKeySequence(Qt::Key_F7)},
    {"Option1", "SubCircuitWindow", QKeySequence(Qt::Key_F8)},
    {"Option1", "UpLevelWindow1", QKeySequence(Qt::CTRL | Qt::Key_F8)},
    {"Option1", "CreateText1", QKeySequence(Qt::CTRL | Qt::Key_F6)},
    {"Option1", "HideCross1", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_H)},
    {"Option1", "GraphX1", QKeySequence(Qt::Key_F11)},
    {"Option1", "AddNewNodeType", {}},
    {"Option1", "PrintScreen1", QKeySequence(Qt::CTRL | Qt::Key_P)},
    {"Option1", "CopyToClipboard", {}},
    {"Option1", "runaway1", {}},
    {"About1", "Russian1", {}},
    {"About1", "English1", {}},
    {"About1", "Polland1", {}},
    {"About1", "German1", {}},
    {"About1", "Debug1", {}},
    {"About1", "Info1", QKeySequence(Qt::CTRL | Qt::Key_F1)},
    {"About1", "Registerextention1", {}},
    {"About1", "Help1", QKeySequence(Qt::Key_F1)},
};

struct PaletteButton {
  const char* name;
  int tag;
};

// The palette buttons of the full program and the type codes they place.
const PaletteButton kPalette[] = {
    {"SpeedButton41", 2},  {"SpeedButton3", 3},   {"SpeedButton4", 4},   {"SpeedButton22", 5},
    {"SpeedButton21", 6},  {"SpeedButton23", 7},  {"SpeedButton24", 8},  {"SpeedButton11", 9},
    {"SpeedButton12", 10}, {"SpeedButton14", 11}, {"SpeedButton13", 12}, {"SpeedButton18", 13},
    {"SpeedButton17", 14}, {"SpeedButton16", 15}, {"SpeedButton15", 16}, {"SpeedButton20", 17},
    {"SpeedButton19", 18}, {"SpeedButton5", 19},  {"SpeedButton6", 20},  {"SpeedButton9", 21},
    {"SpeedButton10", 22}, {"SpeedButton7", 23},  {"SpeedButton8", 24},  {"SpeedButton42", 25},
    {"SpeedButton30", 29}, {"SpeedButton29", 30}, {"SpeedButton28", 31}, {"SpeedButton31", 32},
    {"SpeedButton26", 33}, {"SpeedButton25", 34}, {"SpeedButton44", 35}, {"SpeedButton45", 36},
    {"SpeedButton46", 37}, {"SpeedButton27", 38},
};

QMenu* MenuOf(QAction* item) {
  for (QObject* p = item->parent(); p; p = p->parent())
    if (auto* menu = qobject_cast<QMenu*>(p)) return menu;
  return nullptr;
}

QToolButton* Palette(TForm1& form, const char* name) {
  auto* button = form.Panel1->findChild<QToolButton*>(name);
  if (!button) throw std::runtime_error(std::string("no palette button ") + name);
  return button;
}

}  // namespace

TEST(MainWindowMenu, EveryItemSitsInItsMenuWithItsShortcut) {
  ScratchFolder folder;
  Program program;
  TForm1& form = program.form();
  ASSERT_EQ(form.menuBar()->objectName(), "MainMenu1");
  std::vector<QString> topMenus;
  for (QAction* a : form.menuBar()->actions())
    if (a->menu()) topMenus.push_back(a->menu()->objectName());
  EXPECT_EQ(topMenus, (std::vector<QString>{"File1", "Edit1", "Position1", "Option1", "About1"}));

  for (const MenuItem& expected : kMenuItems) {
    SCOPED_TRACE(expected.name);
    auto* item = form.findChild<QAction*>(expected.name);
    ASSERT_NE(item, nullptr);
    QMenu* menu = MenuOf(item);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), expected.menu);
    EXPECT_TRUE(menu->actions().contains(item));
    EXPECT_EQ(item->shortcut(), expected.key);
  }
  // MenuPanels hangs in the File menu.
  auto* panels = form.findChild<QMenu*>("MenuPanels");
  ASSERT_NE(panels, nullptr);
  EXPECT_TRUE(form.File1->actions().contains(panels->menuAction()));
  // No two items share a short-cut.
  std::set<QString> keys;
  for (const MenuItem& item : kMenuItems)
    if (!item.key.isEmpty()) { EXPECT_TRUE(keys.insert(item.key.toString()).second) << item.name; }
  // runaway1 is hidden; everything else is shown.
  EXPECT_FALSE(form.runaway1->isVisible());
  EXPECT_TRUE(form.Exit1->isVisible());
  // The language items carry the tags of the four packs.
  EXPECT_EQ(ControlTag(form.Russian1), 1);
  EXPECT_EQ(ControlTag(form.English1), 2);
  EXPECT_EQ(ControlTag(form.Polland1), 3);
  EXPECT_EQ(ControlTag(form.German1), 4);
}

TEST(MainWindowMenu, ItemsFollowTheirSharedActions) {
  ScratchFolder folder;
  Program program;
  TForm1& form = program.form();
  for (const char* name : {"ActNewCircuit", "ActLoad", "ActSaveAs", "ActTextWin", "ActSettings", "ActSubWin",
                           "ActMainWin", "ActUpSub", "ActDownSub", "ActionItemInfo", "BrowseURL1"})
    EXPECT_NE(form.findChild<QAction*>(name), nullptr) << name;

  // Running the item runs the action, once.
  int loads = 0;
  QObject::connect(form.ActLoad, &QAction::triggered, [&loads] { ++loads; });
  form.LoadFile1->trigger();
  form.ToolButtonLoad->click();
  EXPECT_EQ(loads, 2);

  // A new action hint reaches the item and the tool button; the item keeps
  // the caption it was given itself.
  form.LoadFile1->setText("Own caption");
  form.ActLoad->setToolTip("Shared hint");
  EXPECT_EQ(form.LoadFile1->text(), "Own caption");
  EXPECT_EQ(form.LoadFile1->toolTip(), "Shared hint");
  EXPECT_EQ(form.ToolButtonLoad->toolTip(), "Shared hint");
  // The help item shows the caption of its action.
  form.BrowseURL1->setText("Help me");
  EXPECT_EQ(form.Help1->text(), "Help me");
  // Disabling an action disables its item and its button.
  form.ActUpSub->setEnabled(false);
  EXPECT_FALSE(form.UpLevel1->isEnabled());
  form.ActUpSub->setEnabled(true);
  EXPECT_TRUE(form.UpLevel1->isEnabled());
  form.ActSettings->setEnabled(false);
  EXPECT_FALSE(form.ToolButtonSettings->isEnabled());
  EXPECT_FALSE(form.Settings1->isEnabled());
}

TEST(MainWindowMenu, SettingsItemOpensTheSettingsWindowModally) {
  ScratchFolder folder;
  Program program;
  TForm1& form = program.form();
  TForm3* settings = program.set.windows().Form3;
  ASSERT_NE(settings, nullptr);
  bool shown = false;
  QTimer::singleShot(0, settings, [&] {
    shown = settings->isVisible() && settings->isModal();
    settings->reject();
  });
  form.Settings1->trigger();
  EXPECT_TRUE(shown);
  EXPECT_FALSE(settings->isVisible());
}

TEST(MainWindowToolBars, BarsAndTheirButtons) {
  ScratchFolder folder;
  Program program;
  TForm1& form = program.form();
  const std::vector<std::pair<const char*, std::vector<const char*>>> bars = {
      {"ToolBar1", {"FromCtoMButton", "RunButton", "SpeedButton1"}},
      {"ToolBarNode", {"Edit2", "Edit3", "Button2"}},
      {"ToolBar2", {"SpeedZoomin", "SpeedZumout", "SpeedButton33", "SBUpHieracy", "SBDownHieracy"}},
      {"ToolBarUndo", {"SpeedButtonUndo", "SpeedButtonRedo", "SpeedButtonDelete"}},
      {"ToolBarNewSaveLoad", {"ToolButtonNew", "ToolButtonLoad", "ToolButtonSaveAs"}},
      {"ToolBarOtpMenu",
       {"SpeedButton43", "ToolButtonSettings", "ToolButtonSubWin", "ToolButtonMainWin", "ToolButtonTextWin"}},
      {"ToolBar_BARS", {"TabControl2"}},
  };
  for (const auto& [barName, controls] : bars) {
    auto* bar = form.findChild<QToolBar*>(barName);
    ASSERT_NE(bar, nullptr) << barName;
    EXPECT_EQ(form.toolBarArea(bar), Qt::TopToolBarArea) << barName;
    for (const char* name : controls) {
      auto* control = bar->findChild<QWidget*>(name);
      EXPECT_NE(control, nullptr) << name;
    }
  }
  EXPECT_NE(qobject_cast<QLineEdit*>(form.Edit2), nullptr);
  EXPECT_EQ(form.Button2->text(), "New");
  EXPECT_NE(qobject_cast<QTabBar*>(form.findChild<QWidget*>("TabControl2")), nullptr);
  // Hidden at design: the node fields, the option bar and the level-tab bar;
  // a first start without SETTINGS.INI shows the option bar.
  EXPECT_TRUE(form.ToolBarNode->isHidden());
  EXPECT_FALSE(form.ToolBarOtpMenu->isHidden());
  EXPECT_TRUE(form.ToolBar_BARS->isHidden());
  EXPECT_FALSE(form.ToolBar1->isHidden());
  // The item-information button runs the shared action.
  int infos = 0;
  QObject::connect(form.ActionItemInfo, &QAction::triggered, [&infos] { ++infos; });
  form.SpeedButton43->click();
  EXPECT_EQ(infos, 1);
  // Undo and redo start disabled, on the menu and on the bar.
  EXPECT_FALSE(form.SpeedButtonUndo->isEnabled());
  EXPECT_FALSE(form.SpeedButtonRedo->isEnabled());
}

TEST(MainWindowToolBars, TogglesFlipTheirCheckAndTheBar) {
  ScratchFolder folder;
  Program program;
  TForm1& form = program.form();
  const std::vector<std::pair<QAction*, QWidget*>> toggles = {
      {form.FileSubMenu1, form.ToolBarNewSaveLoad}, {form.EditSubMenu1, form.ToolBarUndo},
      {form.OptSubMenu, form.ToolBarOtpMenu},       {form.ScaelSubMenu1, form.ToolBar2},
      {form.BARS11, form.ToolBar_BARS},             {form.BARS21, form.TabSet1},
  };
  for (const auto& [item, bar] : toggles) {
    SCOPED_TRACE(item->objectName().toStdString());
    ASSERT_TRUE(item->isCheckable());
    const bool before = item->isChecked();
    item->trigger();  // as the user does from the menu
    EXPECT_EQ(item->isChecked(), !before);
    EXPECT_EQ(bar->isHidden(), before);
    item->trigger();
    EXPECT_EQ(item->isChecked(), before);
    EXPECT_EQ(bar->isHidden(), !before);
  }
  // The handlers do the same when called directly (the settings file does).
  form.OptSubMenu->setChecked(false);
  form.OptSubMenuClick();
  EXPECT_TRUE(form.OptSubMenu->isChecked());
  EXPECT_FALSE(form.ToolBarOtpMenu->isHidden());
  form.BARS21Click();
  EXPECT_FALSE(form.BARS21->isChecked());
  EXPECT_TRUE(form.TabSet1->isHidden());
  // The tool-bar area offers no menu of its own that could bypass the marks.
  EXPECT_EQ(form.createPopupMenu(), nullptr);
}

TEST(MainWindowPanels, CanvasMemoAndStatusBar) {
  ScratchFolder folder;
  Program program;
  TForm1& form = program.form();
  ASSERT_NE(form.Panel2, nullptr);
  for (const char* name : {"TabSet1", "PaintBox1", "ScrollBar1", "ScrollBar2"})
    EXPECT_NE(form.Panel2->findChild<QWidget*>(name), nullptr) << name;
  // The ranges are the view's after the creation's UpdateScrollBars.
  EXPECT_EQ(form.ScrollBar1->minimum(), 0);
  EXPECT_EQ(form.ScrollBar2->orientation(), Qt::Vertical);
  EXPECT_EQ(form.Panel1->width(), 65);

  EXPECT_TRUE(form.Memo1->isHidden());
  EXPECT_TRUE(form.Splitter1->isHidden());
  std::vector<QString> memoItems;
  for (QAction* a : form.PopupMenu2->actions()) memoItems.push_back(a->objectName());
  EXPECT_EQ(memoItems, (std::vector<QString>{"N13", "N14", "CIR1", "N15", "ListAllCOmponents1", "DEBUGAllunits1",
                                             "DENUGHWND1", "ToolBarTop1"}));
  EXPECT_TRUE(form.CIR1->isCheckable());
  // N13 closes the memo: cleared, hidden and disabled.
  form.Memo1->show();
  form.Memo1->setPlainText("listing");
  form.N13->trigger();
  EXPECT_TRUE(form.Memo1->toPlainText().isEmpty());
  EXPECT_TRUE(form.Memo1->isHidden());
  EXPECT_FALSE(form.Memo1->isEnabled());

  EXPECT_EQ(form.statusBar()->objectName(), "StatusBar1");
  EXPECT_EQ(form.StatusPanels[0]->width(), 150);
  EXPECT_EQ(form.StatusPanels[1]->width(), 200);
  EXPECT_GE(form.StatusPanels[2]->minimumWidth(), 50);
  form.SetStatusText(1, "IN:=1, OUT:=1");
  EXPECT_EQ(form.StatusText(1), "IN:=1, OUT:=1");
  form.SetStatusText(3, "nowhere");  // no such panel: nothing happens
  EXPECT_EQ(form.StatusText(3), "");
}

TEST(MainWindowPalette, ButtonsTagsGlyphsAndOneDownAtATime) {
  ScratchFolder folder;
  Program program;
  TForm1& form = program.form();
  ASSERT_EQ(form.PaletteButtons.size(), std::size(kPalette));
  for (const PaletteButton& expected : kPalette) {
    SCOPED_TRACE(expected.name);
    auto* button = form.Panel1->findChild<QToolButton*>(expected.name);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(ControlTag(button), expected.tag);
    EXPECT_TRUE(button->isCheckable());
    EXPECT_EQ(button->group(), form.PaletteGroup);
    const QVariant glyph = button->property("glyph");
    ASSERT_TRUE(glyph.canConvert<QImage>());
    EXPECT_FALSE(glyph.value<QImage>().isNull());
  }
  EXPECT_TRUE(form.PaletteGroup->exclusive());
  EXPECT_TRUE(form.SpeedButton41->isChecked());
  Palette(form, "SpeedButton3")->click();
  EXPECT_TRUE(Palette(form, "SpeedButton3")->isChecked());
  EXPECT_FALSE(form.SpeedButton41->isChecked());
  form.SpeedButton42->click();
  EXPECT_FALSE(Palette(form, "SpeedButton3")->isChecked());
  EXPECT_EQ(form.PaletteGroup->checkedButton(), form.SpeedButton42);

  // The ground button stands for no type and stays out of the group.
  ASSERT_NE(form.SpeedButton32, nullptr);
  EXPECT_EQ(form.SpeedButton32->parent(), form.Panel1);
  EXPECT_EQ(form.SpeedButton32->group(), nullptr);
  EXPECT_FALSE(form.SpeedButton32->isCheckable());

  // The amplifier menu: four items with the amplifier codes.
  std::vector<std::pair<QString, int>> items;
  for (QAction* a : form.PopupMenu1->actions()) items.emplace_back(a->objectName(), ControlTag(a));
  EXPECT_EQ(items, (std::vector<std::pair<QString, int>>{{"K1", 25}, {"G1", 26}, {"B1", 27}, {"H1", 28}}));
  EXPECT_EQ(form.B1->text(), "8");
  // A right click on the amplifier button opens it.
  emit form.SpeedButton42->customContextMenuRequested(QPoint(2, 2));
  EXPECT_TRUE(form.PopupMenu1->isVisible());
  form.PopupMenu1->hide();
}

TEST(MainWindowPalette, ButtonOfTypeMapsEveryCode) {
  ScratchFolder folder;
  Program program;
  TForm1& form = program.form();
  ASSERT_EQ(form.ButtonOfType.size(), 39u);
  std::set<QAbstractButton*> own;
  for (int code = 0; code < 39; ++code) {
    SCOPED_TRACE(code);
    QAbstractButton* button = form.ButtonOfType[static_cast<std::size_t>(code)];
    ASSERT_NE(button, nullptr);
    if (code <= 2) {
      EXPECT_EQ(button->objectName(), "SpeedButton41");
    } else if (code >= 25 && code <= 28) {
      EXPECT_EQ(button->objectName(), "SpeedButton42");
    } else {
      EXPECT_EQ(ControlTag(button), code);
      EXPECT_TRUE(own.insert(button).second);
    }
  }
  // Types that share a button share its glyph in the type table too.
  ASSERT_EQ(form.NodeTypes.size(), 39u);
  EXPECT_FALSE(form.NodeTypes[0].B0.isNull());
  EXPECT_EQ(form.NodeTypes[0].B0, form.NodeTypes[2].B0);
  EXPECT_EQ(form.NodeTypes[25].B0, form.NodeTypes[28].B0);
  EXPECT_NE(form.NodeTypes[19].B0, form.NodeTypes[20].B0);
}

TEST(MainWindowPalette, SecondBuildPaletteAndMenus) {
  ScratchFolder folder;
  Program program(SecondProgramProfile());
  TForm1& form = program.form();
  ASSERT_EQ(form.ButtonOfType.size(), 36u);
  for (int code : {0, 1, 2, 33, 34, 35})
    EXPECT_EQ(form.ButtonOfType[static_cast<std::size_t>(code)]->objectName(), "SpeedButton41") << code;
  for (int code = 25; code <= 28; ++code)
    EXPECT_EQ(form.ButtonOfType[static_cast<std::size_t>(code)]->objectName(), "SpeedButton42") << code;
  for (int code = 3; code <= 32; ++code)
    if (code < 25 || code > 28) { EXPECT_EQ(ControlTag(form.ButtonOfType[static_cast<std::size_t>(code)]), code); }
  // No button places a code from 33 up; the probe buttons do not exist and
  // the three amplifier buttons place the amplifier codes.
  for (QToolButton* button : form.PaletteButtons) EXPECT_LT(ControlTag(button), 33) << button->objectName().toStdString();
  for (const char* name : {"SpeedButton44", "SpeedButton45", "SpeedButton46"})
    EXPECT_EQ(form.findChild<QWidget*>(name), nullptr) << name;
  EXPECT_EQ(ControlTag(form.findChild<QToolButton*>("SpeedButton25")), 25);
  EXPECT_EQ(ControlTag(form.findChild<QToolButton*>("SpeedButton26")), 26);
  EXPECT_EQ(ControlTag(form.findChild<QToolButton*>("SpeedButton27")), 27);
  // Nor level tabs, plot program or the memo's first four items.
  for (const char* name : {"GraphX1", "N13", "N14", "CIR1", "N15", "BARS11", "BARS21", "TabSet1", "ToolBar_BARS"})
    EXPECT_EQ(form.findChild<QObject*>(name), nullptr) << name;
  // The four bar toggles still work.
  form.FileSubMenu1->trigger();
  EXPECT_TRUE(form.ToolBarNewSaveLoad->isHidden());
}

TEST(OtherWindows, NamedControlsOfTheCaptionsFile) {
  ScratchFolder folder;
  Program program;
  AppWindows& w = program.set.windows();
  std::vector<QString> zoom;
  for (QAction* a : w.FormSubCircuit->PopupMenu1->actions()) zoom.push_back(a->objectName() + "=" + a->text());
  EXPECT_EQ(zoom, (std::vector<QString>{"ZoomIn1=ZoomIn", "ZoomOut1=ZoomOut", "DefaultScale1=Default Scale"}));
  for (const char* name : {"Value", "Label1", "Label2", "Label4"})
    EXPECT_NE(w.FormInputValue->findChild<QLabel*>(name), nullptr) << name;
  EXPECT_EQ(w.Form4->windowTitle(), "About");
}
