// The main window's menu, its shared actions and the memo's pop-up menu.
// Design captions are English; the captions file replaces most of them at
// start.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QToolBar>

#include "catalogue/windows/settings_window.h"
#include "ui/action_link.h"
#include "ui/tform1.h"

namespace {

QAction* NewAction(QObject* owner, const char* name, const char* caption) {
  auto* action = new QAction(QString::fromUtf8(caption), owner);
  action->setObjectName(name);
  return action;
}

QAction* AddItem(QMenu* menu, const char* name, const char* caption, const char* shortcut = nullptr) {
  QAction* item = menu->addAction(QString::fromUtf8(caption));
  item->setObjectName(name);
  if (shortcut) item->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
  return item;
}

// An item that runs a shared action: it takes the action's texts now.
QAction* AddLinkedItem(QMenu* menu, const char* name, QAction* action, const char* shortcut = nullptr) {
  QAction* item = AddItem(menu, name, "", shortcut);
  LinkToAction(item, action);
  return item;
}

QMenu* AddMenu(QMenuBar* bar, const char* name, const char* title) {
  QMenu* menu = bar->addMenu(QString::fromUtf8(title));
  menu->setObjectName(name);
  return menu;
}

QAction* AddToggle(QMenu* menu, const char* name, const char* caption, bool checked) {
  QAction* item = AddItem(menu, name, caption);
  item->setCheckable(true);
  item->setChecked(checked);
  return item;
}

void ToggleBar(QAction* item, QWidget* bar) {
  if (!item || !bar) return;
  item->setChecked(!item->isChecked());
  bar->setVisible(item->isChecked());
}

}  // namespace

int ControlTag(const QObject* control) { return control ? control->property("Tag").toInt() : 0; }

void TForm1::CreateActions() {
  ActNewCircuit = NewAction(this, "ActNewCircuit", "New circuit");
  ActLoad = NewAction(this, "ActLoad", "Load file");
  ActSaveAs = NewAction(this, "ActSaveAs", "Save as");
  ActTextWin = NewAction(this, "ActTextWin", "Show Text");
  ActSettings = NewAction(this, "ActSettings", "Settings");
  ActSubWin = NewAction(this, "ActSubWin", "Sub-circuit window");
  ActMainWin = NewAction(this, "ActMainWin", "Up-level window");
  ActUpSub = NewAction(this, "ActUpSub", "Up level");
  ActDownSub = NewAction(this, "ActDownSub", "Down level");
  ActionItemInfo = NewAction(this, "ActionItemInfo", "Information");
  BrowseURL1 = NewAction(this, "BrowseURL1", "Help");
  ActScaleBig = NewAction(this, "ActScaleBig", "Zoom in");
  ActScaleBig->setShortcut(QKeySequence(Qt::ALT | Qt::Key_PageUp));
  ActScaleSmall = NewAction(this, "ActScaleSmall", "Zoom out");
  ActScaleSmall->setShortcut(QKeySequence(Qt::ALT | Qt::Key_PageDown));
  // Actions without a menu item need the window for their short-cuts.
  addAction(ActScaleBig);
  addAction(ActScaleSmall);

  connect(ActSettings, &QAction::triggered, this, [this] { Settings1Click(); });
}

void TForm1::CreateMenus() {
  const bool full = Profile().kind == ProgramKind::Full;
  MainMenu1 = menuBar();
  MainMenu1->setObjectName("MainMenu1");

  File1 = AddMenu(MainMenu1, "File1", "&File");
  Newcircuit1 = AddLinkedItem(File1, "Newcircuit1", ActNewCircuit);
  LoadFile1 = AddLinkedItem(File1, "LoadFile1", ActLoad, "F3");
  CreateFromCir1 = AddItem(File1, "CreateFromCir1", "Create from netlist");
  Save1 = AddItem(File1, "Save1", "Save", "F2");
  SaveAs1 = AddLinkedItem(File1, "SaveAs1", ActSaveAs);
  LastOpen1 = AddItem(File1, "LastOpen1", "Last file", "Ctrl+F");
  GoBaby1 = AddItem(File1, "GoBaby1", "Arrange", "Shift+F1");
  MenuPanels = File1->addMenu("Panels");
  MenuPanels->setObjectName("MenuPanels");
  // Each bar starts as its item's check mark says.
  FileSubMenu1 = AddToggle(MenuPanels, "FileSubMenu1", "File bar", true);
  EditSubMenu1 = AddToggle(MenuPanels, "EditSubMenu1", "Undo bar", true);
  OptSubMenu = AddToggle(MenuPanels, "OptSubMenu", "Option bar", true);
  ScaelSubMenu1 = AddToggle(MenuPanels, "ScaelSubMenu1", "Scale bar", true);
  if (full) {
    BARS11 = AddToggle(MenuPanels, "BARS11", "Level bar", false);
    BARS21 = AddToggle(MenuPanels, "BARS21", "Level tabs", true);
  }
  File1->addSeparator();
  LoadSubcircuit1 = AddItem(File1, "LoadSubcircuit1", "Load sub-circuit", "Ctrl+F3");
  SaveSubcircuit1 = AddItem(File1, "SaveSubcircuit1", "Save sub-circuit", "Ctrl+F2");
  File1->addSeparator();
  Exit1 = AddItem(File1, "Exit1", "Exit");

  Edit1 = AddMenu(MainMenu1, "Edit1", "&Edit");
  ConvertSelectedtoSubcircuit1 = AddItem(Edit1, "ConvertSelectedtoSubcircuit1", "Convert selected to sub-circuit");
  ReturntoUPlevel1 = AddItem(Edit1, "ReturntoUPlevel1", "Return to upper level");
  NewUnit1 = AddItem(Edit1, "NewUnit1", "New element", "F5");
  NewNode1 = AddItem(Edit1, "NewNode1", "New node", "Ctrl+Z");
  Deleteobject1 = AddItem(Edit1, "Deleteobject1", "Delete object", "Ctrl+D");
  DeleteAllLines1 = AddItem(Edit1, "DeleteAllLines1", "Delete all lines", "Ctrl+L");
  ClearAllInputValues1 = AddItem(Edit1, "ClearAllInputValues1", "Clear all input values", "Ctrl+Del");
  GroundNode1 = AddItem(Edit1, "GroundNode1", "Ground node", "Ctrl+G");
  Rename = AddItem(Edit1, "Rename", "Rename", "F9");
  LoadSub1 = AddItem(Edit1, "LoadSub1", "Paste", "Shift+Ins");
  SaveSub1 = AddItem(Edit1, "SaveSub1", "Copy", "Ctrl+Ins");

  Position1 = AddMenu(MainMenu1, "Position1", "&Position");
  SelectAll1 = AddItem(Position1, "SelectAll1", "Select all", "Ctrl+A");
  UnselectAll1 = AddItem(Position1, "UnselectAll1", "Unselect all", "Ctrl+Alt+A");
  Centerscreen1 = AddItem(Position1, "Centerscreen1", "Center screen", "Ctrl+C");
  CenteronSelect1 = AddItem(Position1, "CenteronSelect1", "Center on Select", "Ctrl+Alt+C");
  Joinfeenodes1 = AddItem(Position1, "Joinfeenodes1", "Join free nodes", "Ctrl+U");
  Verticalqueue1 = AddItem(Position1, "Verticalqueue1", "Vertical queue", "Ctrl+V");
  Horizontalqueue1 = AddItem(Position1, "Horizontalqueue1", "Horizontal queue", "Ctrl+H");
  Position1->addSeparator();
  Undo1 = AddItem(Position1, "Undo1", "Undo", "Alt+Backspace");
  connect(Undo1, &QAction::triggered, this, [this] { Undo1Click(); });
  Redo1 = AddItem(Position1, "Redo1", "Redo", "Shift+Alt+Backspace");
  connect(Redo1, &QAction::triggered, this, [this] { Redo1Click(); });
  Position1->addSeparator();
  UpLevel1 = AddLinkedItem(Position1, "UpLevel1", ActUpSub);
  DownLevel1 = AddLinkedItem(Position1, "DownLevel1", ActDownSub);
  Default1 = AddItem(Position1, "Default1", "Default Scale", "F10");

  Option1 = AddMenu(MainMenu1, "Option1", "&Option");
  Information1 = AddLinkedItem(Option1, "Information1", ActionItemInfo, "Ctrl+I");
  Settings1 = AddLinkedItem(Option1, "Settings1", ActSettings, "F7");
  SubCircuitWindow = AddLinkedItem(Option1, "SubCircuitWindow", ActSubWin, "F8");
  UpLevelWindow1 = AddLinkedItem(Option1, "UpLevelWindow1", ActMainWin, "Ctrl+F8");
  CreateText1 = AddLinkedItem(Option1, "CreateText1", ActTextWin, "Ctrl+F6");
  HideCross1 = AddItem(Option1, "HideCross1", "Hide cross", "Ctrl+Alt+H");
  if (full) GraphX1 = AddItem(Option1, "GraphX1", "Plot program", "F11");
  AddNewNodeType = AddItem(Option1, "AddNewNodeType", "Element types");
  PrintScreen1 = AddItem(Option1, "PrintScreen1", "PrintScreen", "Ctrl+P");
  CopyToClipboard = AddItem(Option1, "CopyToClipboard", "CopyToClipboard");
  runaway1 = AddItem(Option1, "runaway1", "Download page");
  runaway1->setVisible(false);

  About1 = AddMenu(MainMenu1, "About1", "&About");
  Russian1 = AddItem(About1, "Russian1", "Russian");
  English1 = AddItem(About1, "English1", "English");
  Polland1 = AddItem(About1, "Polland1", "Polish");
  German1 = AddItem(About1, "German1", "German");
  int tag = 1;
  for (QAction* language : {Russian1, English1, Polland1, German1}) {
    language->setProperty("Tag", tag++);
    connect(language, &QAction::triggered, this, [this, language] { Russian1Click(ControlTag(language)); });
  }
  About1->addSeparator();
  Debug1 = AddItem(About1, "Debug1", "Debug");
  Info1 = AddItem(About1, "Info1", "About", "Ctrl+F1");
  Registerextention1 = AddItem(About1, "Registerextention1", "Register extension");
  Help1 = AddLinkedItem(About1, "Help1", BrowseURL1, "F1");
  ConnectSelectionControls();
  ConnectHierarchyControls();

  // The bars the toggles show and hide exist by now (CreateToolBars runs first).
  connect(FileSubMenu1, &QAction::triggered, ToolBarNewSaveLoad, &QWidget::setVisible);
  connect(EditSubMenu1, &QAction::triggered, ToolBarUndo, &QWidget::setVisible);
  connect(OptSubMenu, &QAction::triggered, ToolBarOtpMenu, &QWidget::setVisible);
  connect(ScaelSubMenu1, &QAction::triggered, ToolBar2, &QWidget::setVisible);
  if (BARS11) connect(BARS11, &QAction::triggered, ToolBar_BARS, &QWidget::setVisible);
  if (BARS21) connect(BARS21, &QAction::triggered, TabSet1, &QWidget::setVisible);
  ConnectViewControls();
  ConnectFileControls();
  ConnectImportControls();
  ConnectShellControls();
  ConnectWindowCommands();
}

void TForm1::CreateMemoMenu() {
  const bool full = Profile().kind == ProgramKind::Full;
  PopupMenu2 = new QMenu(this);
  PopupMenu2->setObjectName("PopupMenu2");
  if (full) {
    N13 = AddItem(PopupMenu2, "N13", "Close");
    connect(N13, &QAction::triggered, this, [this] { N13Click(); });
    N14 = AddItem(PopupMenu2, "N14", "Node tree");
    CIR1 = AddItem(PopupMenu2, "CIR1", "Show memo on import");
    CIR1->setCheckable(true);
    N15 = AddItem(PopupMenu2, "N15", "Copy");
  }
  ListAllCOmponents1 = AddItem(PopupMenu2, "ListAllCOmponents1", "List all components");
  DEBUGAllunits1 = AddItem(PopupMenu2, "DEBUGAllunits1", "List all types");
  DENUGHWND1 = AddItem(PopupMenu2, "DENUGHWND1", "Window handles");
  ToolBarTop1 = AddItem(PopupMenu2, "ToolBarTop1", "ToolBarNewSaveLoad.Top");
  ConnectDiagnosticsControls();
  Memo1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(Memo1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu2->popup(Memo1->mapToGlobal(at)); });
}

void TForm1::FileSubMenu1Click() { ToggleBar(FileSubMenu1, ToolBarNewSaveLoad); }
void TForm1::EditSubMenu1Click() { ToggleBar(EditSubMenu1, ToolBarUndo); }
void TForm1::OptSubMenuClick() { ToggleBar(OptSubMenu, ToolBarOtpMenu); }
void TForm1::ScaelSubMenu1Click() { ToggleBar(ScaelSubMenu1, ToolBar2); }
void TForm1::BARS11Click() { ToggleBar(BARS11, ToolBar_BARS); }
void TForm1::BARS21Click() { ToggleBar(BARS21, TabSet1); }

void TForm1::Settings1Click() {
  if (App().Form3) App().Form3->exec();
}

void TForm1::N13Click() {
  Memo1->clear();
  Memo1->hide();
  Memo1->setEnabled(false);
}
