// The seven tool bars of the main window's top area. Buttons that run a
// shared action follow its hint and enabled state; the others carry their
// own design hints, which the captions file replaces.
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>

#include "ui/action_link.h"
#include "ui/toolbar_icons.h"
#include "ui/tform1.h"

namespace {

QToolBar* NewBar(QMainWindow* window, const char* name, bool visible) {
  auto* bar = new QToolBar(QString::fromLatin1(name), window);
  bar->setObjectName(name);
  bar->setFloatable(false);
  window->addToolBar(Qt::TopToolBarArea, bar);
  bar->setVisible(visible);
  return bar;
}

QToolButton* AddButton(QToolBar* bar, const char* name, const char* text, const char* hint) {
  auto* button = new QToolButton(bar);
  button->setObjectName(name);
  button->setText(QString::fromUtf8(text));
  button->setToolTip(QString::fromUtf8(hint));
  bar->addWidget(button);
  return button;
}

QToolButton* AddLinkedButton(QToolBar* bar, const char* name, const char* text, QAction* action) {
  QToolButton* button = AddButton(bar, name, text, "");
  LinkToAction(button, action);
  return button;
}

}  // namespace

void TForm1::CreateToolBars() {
  ToolBarNewSaveLoad = NewBar(this, "ToolBarNewSaveLoad", true);
  ToolButtonNew = AddLinkedButton(ToolBarNewSaveLoad, "ToolButtonNew", "New", ActNewCircuit);
  ToolButtonLoad = AddLinkedButton(ToolBarNewSaveLoad, "ToolButtonLoad", "Load", ActLoad);
  ToolButtonSaveAs = AddLinkedButton(ToolBarNewSaveLoad, "ToolButtonSaveAs", "Save", ActSaveAs);

  ToolBarUndo = NewBar(this, "ToolBarUndo", true);
  SpeedButtonUndo = AddButton(ToolBarUndo, "SpeedButtonUndo", "Undo", "Undo");
  connect(SpeedButtonUndo, &QToolButton::clicked, this, [this] { Undo1Click(); });
  SpeedButtonRedo = AddButton(ToolBarUndo, "SpeedButtonRedo", "Redo", "Redo");
  connect(SpeedButtonRedo, &QToolButton::clicked, this, [this] { Redo1Click(); });
  SpeedButtonDelete = AddButton(ToolBarUndo, "SpeedButtonDelete", "Del", "Delete");

  ToolBarOtpMenu = NewBar(this, "ToolBarOtpMenu", false);
  SpeedButton43 = AddLinkedButton(ToolBarOtpMenu, "SpeedButton43", "Info", ActionItemInfo);
  ToolButtonSettings = AddLinkedButton(ToolBarOtpMenu, "ToolButtonSettings", "Set", ActSettings);
  ToolButtonSubWin = AddLinkedButton(ToolBarOtpMenu, "ToolButtonSubWin", "Sub", ActSubWin);
  ToolButtonMainWin = AddLinkedButton(ToolBarOtpMenu, "ToolButtonMainWin", "Main", ActMainWin);
  ToolButtonTextWin = AddLinkedButton(ToolBarOtpMenu, "ToolButtonTextWin", "Text", ActTextWin);

  ToolBar2 = NewBar(this, "ToolBar2", true);
  SpeedZoomin = AddLinkedButton(ToolBar2, "SpeedZoomin", "+", ActScaleBig);
  SpeedZumout = AddLinkedButton(ToolBar2, "SpeedZumout", "-", ActScaleSmall);
  SpeedButton33 = AddButton(ToolBar2, "SpeedButton33", "1:1", "Default Scale");
  SBUpHieracy = AddButton(ToolBar2, "SBUpHieracy", "Up", "Up level");
  SBDownHieracy = AddButton(ToolBar2, "SBDownHieracy", "Down", "Down level");

  ToolBar1 = NewBar(this, "ToolBar1", true);
  FromCtoMButton = AddButton(ToolBar1, "FromCtoMButton", "Text", "Create text file");
  RunButton = AddButton(ToolBar1, "RunButton", "Run", "Save file \"cir\"");
  SpeedButton1 = AddButton(ToolBar1, "SpeedButton1", "Load", "Load files \"clc\" and \"out\"");
  ConnectAnalysisControls();

  ToolBarNode = NewBar(this, "ToolBarNode", false);
  Edit2 = new QLineEdit(ToolBarNode);
  Edit2->setObjectName("Edit2");
  Edit2->setToolTip("Name");
  Edit2->setFixedWidth(60);
  ToolBarNode->addWidget(Edit2);
  Edit3 = new QLineEdit(ToolBarNode);
  Edit3->setObjectName("Edit3");
  Edit3->setToolTip("Value");
  Edit3->setFixedWidth(60);
  ToolBarNode->addWidget(Edit3);
  Button2 = new QPushButton("New", ToolBarNode);
  Button2->setObjectName("Button2");
  Button2->setToolTip("Save new Name or Data");
  ToolBarNode->addWidget(Button2);

  // The second build has no level tabs.
  if (Profile().kind == ProgramKind::Full) {
    ToolBar_BARS = NewBar(this, "ToolBar_BARS", false);
    TabControl2 = new QTabBar(ToolBar_BARS);
    TabControl2->setObjectName("TabControl2");
    ToolBar_BARS->addWidget(TabControl2);
  }
  for (QToolBar* bar : {ToolBarNewSaveLoad, ToolBarUndo, ToolBarOtpMenu, ToolBar2, ToolBar1})
    ShowToolButtonPictures(bar);
}
