// The main window's tick, keys and command-line file.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolBar>
#include <filesystem>

#include "catalogue/settings.h"
#include "netlist/windows/text_window.h"
#include "platform/scripted_dialogs.h"
#include "support/scratch_folder.h"
#include "ui/tform1.h"
#include "ui/window_set.h"
#include "view/my_line.h"
#include "view/view_globals.h"

using vemu::model::TheNode;
using vemu::platform::ScopedDialogs;
using vemu::platform::ScriptedDialogs;

namespace {

struct Program {
  explicit Program(std::vector<std::string> args = {"vemu3"}) : scope(dialogs), set(FullProgramProfile(), args) {}
  ScriptedDialogs dialogs;
  ScopedDialogs scope;
  WindowSet set;
  TForm1& form() { return *set.windows().Form1; }
};

void typeInto(QWidget* widget, int key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &press);
}

}  // namespace

TEST(MainWindowTick, CountersWrapOnlyAboveThreeHundredSixty) {
  vemu::test::ScratchFolder folder;
  Program program;
  TForm1& form = program.form();
  form.AnimAngle = 357;
  form.WhirlCounter = 359;
  form.ShadowPhase = 350;
  form.Timer1Timer();
  EXPECT_EQ(form.AnimAngle, 360);  // 360 itself is held for one tick
  EXPECT_EQ(form.WhirlCounter, 360);
  EXPECT_EQ(form.ShadowPhase, 360);
  form.Timer1Timer();
  EXPECT_EQ(form.AnimAngle, 0);
  EXPECT_EQ(form.WhirlCounter, 0);
  EXPECT_EQ(form.ShadowPhase, 0);

  program.set.windows().Settings->CheckShadowMoving = false;
  form.Timer1Timer();
  EXPECT_EQ(form.ShadowPhase, 0);  // the shadow stands, the others run on
  EXPECT_EQ(form.WhirlCounter, 1);
  EXPECT_EQ(form.AnimAngle, 3);
}

TEST(MainWindowTick, LinksOfEveryLevelSwingButNotWhileTheGraphIsBusy) {
  vemu::test::ScratchFolder folder;
  Program program;
  TForm1& form = program.form();
  auto& g = *form.Graph;
  TheNode* x = g.AddNode(g.MainNode, 29);
  g.AddLine(-2, g.MainNode, x, vemu::model::alHaveItem);
  TheNode* a = g.AddNode(x, 2);
  TheNode* b = g.AddNode(x, 2);
  b->X = 100;
  auto* wire = static_cast<vemu::view::TMyLine*>(
      g.AddLine(-2, a, b, vemu::model::alWire, std::make_unique<vemu::view::TMyLine>(a, b)));
  vemu::view::LineSpeed = 2;
  form.Timer1Timer();  // the level inside X1 is not shown, its wire still swings
  EXPECT_EQ(wire->Countdown, 98);
  vemu::model::GraphBusy = true;
  form.Timer1Timer();
  vemu::model::GraphBusy = false;
  EXPECT_EQ(wire->Countdown, 98);
}

TEST(MainWindowKeys, TheWindowSeesKeysTypedIntoItsControlsFirst) {
  vemu::test::ScratchFolder folder;
  Program program;
  TForm1& form = program.form();
  form.show();
  QApplication::setActiveWindow(&form);
  form.ToolBarNode->show();
  form.Edit2->setEnabled(true);
  form.Edit2->clear();  // it shows "NIL" while no node is current
  form.Edit2->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), form.Edit2);

  typeInto(form.Edit2, Qt::Key_A, "a");
  EXPECT_EQ(form.StatusText(0), "Key=a 97");
  EXPECT_EQ(form.Edit2->text(), "a");  // and the key still reaches the field

  form.MouseState = 4;
  form.ArrangeMode = 1;
  typeInto(form.Edit2, Qt::Key_Escape, QString(QChar(27)));
  EXPECT_EQ(form.MouseState, 0);
  EXPECT_EQ(form.ArrangeMode, 0);

  // A Cyrillic letter is shown as itself with its code page 1251 code.
  typeInto(form.Edit2, Qt::Key_unknown, QString::fromUtf8("\xD0\xAF"));
  EXPECT_EQ(form.StatusText(0), "Key=\xD0\xAF 223");
}

TEST(MainWindowFiles, RelativeCommandLineFileIsFoundFromTheStartFolder) {
  vemu::test::ScratchFolder folder;
  folder.write("work/c.dag",
               "noname\r\nVemu.exe (WxWy) $Cur $SS $Scale\r\n-\r\n      1 - How many nodes\r\n"
               "      1 - Main node\r\n      0 - Current node\r\nheader\r\n"
               "  1   0   0  1   0 0 -15 -15 Upper Level \r\n      0 SubCircuit \r\n      0 0 1.000\r\n");
  std::filesystem::current_path(folder.file("work"));
  Program program({"vemu3", "c.dag"});
  EXPECT_EQ(program.form().CmdLineFile, folder.file("work/c.dag"));
  program.form().FormActivate();
  EXPECT_TRUE(program.form().CmdLineFile.empty());
  EXPECT_EQ(program.form().Modified, 1);
  // The file read is the circuit's own: Save writes it back without asking for a name.
  EXPECT_TRUE(program.form().HasOwnFile);
  EXPECT_EQ(program.form().SaveDialogFileName, folder.file("work/c.dag"));
}

TEST(MainWindowFiles, ReadingClearsTheMemosAndTheGestureNodes) {
  vemu::test::ScratchFolder folder;
  Program program;
  TForm1& form = program.form();
  ASSERT_TRUE(form.WriteCircuitFile(folder.file("c.dag")));
  form.Memo1->setPlainText("dump");
  program.set.windows().Form6->Memo1->setPlainText("netlist");
  form.DownNode = form.HoverNode = form.PendingHalf = form.Graph->MainNode;
  ASSERT_TRUE(form.ReadCircuitFile(folder.file("c.dag")));
  EXPECT_TRUE(form.Memo1->toPlainText().isEmpty());
  EXPECT_TRUE(program.set.windows().Form6->Memo1->toPlainText().isEmpty());
  EXPECT_EQ(form.DownNode, nullptr);
  EXPECT_EQ(form.HoverNode, nullptr);
  EXPECT_EQ(form.PendingHalf, nullptr);
}
