// The canvas gestures through the main window: mouse events on PaintBox1,
// the current node's fields, the level tabs and the keys of text fields.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>

#include "build2/second_profile.h"
#include "catalogue/node_type_table.h"
#include "catalogue/settings.h"
#include "platform/scripted_dialogs.h"
#include "support/scratch_folder.h"
#include "ui/paint_box.h"
#include "ui/tform1.h"
#include "ui/window_set.h"
#include "netlist/windows/text_window.h"
#include <QPlainTextEdit>
#include "view/my_line.h"
#include "support/graph_members.h"

using vemu::model::TheNode;

namespace {

struct Program {
  explicit Program(const ProgramProfile& profile = FullProgramProfile())
      : scope(dialogs), set(profile, {"vemu3"}) {
    form().Timer1->stop();
    form().View->OriginX = form().View->OriginY = 0;
  }
  vemu::platform::ScriptedDialogs dialogs;
  vemu::platform::ScopedDialogs scope;
  WindowSet set;
  TForm1& form() { return *set.windows().Form1; }

  TheNode* member(std::uint8_t type, const std::string& name, int x, int y, TheNode* owner = nullptr) {
    TForm1& f = form();
    return vemu::testing::AddMember(*f.Graph, owner ? owner : f.Graph->MainNode, type, name, x, y);
  }
  void mouse(QEvent::Type type, int x, int y, Qt::MouseButton button, Qt::MouseButtons held,
             Qt::KeyboardModifiers keys = Qt::NoModifier) {
    const QPointF at(x, y);
    QMouseEvent event(type, at, form().PaintBox1->mapToGlobal(at), button, held, keys);
    QApplication::sendEvent(form().PaintBox1, &event);
  }
  void drag(int x0, int y0, int x1, int y1, Qt::MouseButton button = Qt::LeftButton,
            Qt::KeyboardModifiers keys = Qt::NoModifier) {
    mouse(QEvent::MouseButtonPress, x0, y0, button, button, keys);
    mouse(QEvent::MouseMove, (x0 + x1) / 2, (y0 + y1) / 2, Qt::NoButton, button, keys);
    mouse(QEvent::MouseMove, x1, y1, Qt::NoButton, button, keys);
    mouse(QEvent::MouseButtonRelease, x1, y1, button, Qt::NoButton, keys);
  }
};

TEST(CanvasGestures, DragsOnThePaintBoxConnectAndTakeSnapshots) {
  vemu::test::ScratchFolder folder;
  Program program;
  TForm1& form = program.form();
  EXPECT_TRUE(form.PaintBox1->hasMouseTracking());
  TheNode* r = program.member(3, "R1", 100, 100);
  TheNode* j = program.member(2, "9", 200, 100);
  program.drag(100, 100, 198, 102);
  EXPECT_EQ(form.Graph->CountLinesOfKinds(r, {vemu::model::alOutPin}), 1);
  EXPECT_EQ(j->Name.str(), "1");  // the nets were renumbered
  EXPECT_EQ(form.Modified, 1);
  EXPECT_EQ(form.MouseState, 0);
  EXPECT_EQ(form.Backup.BackupCount, 1);

  // A hover move with nothing held leaves the gesture idle but tracks the cursor.
  program.mouse(QEvent::MouseMove, 40, 50, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(form.MousePoint, (vemu::model::TPoint{40, 50}));
  EXPECT_EQ(form.MouseState, 0);

  // A click selects and makes current; the fields follow.
  program.drag(100, 100, 100, 100);
  EXPECT_EQ(form.Graph->CurrentNode, r);
  EXPECT_EQ(r->Selected, 1);
  EXPECT_EQ(form.Edit2->text(), "R1");
  EXPECT_TRUE(form.Edit2->isEnabled());
  EXPECT_EQ(form.Edit2->palette().color(QPalette::Base), QColor(Qt::yellow));
  EXPECT_EQ(form.Backup.BackupCount, 1);  // selection takes no snapshot
}

TEST(CanvasGestures, DoubleClickPlacesThenPressesSoTheNewElementIsCurrent) {
  vemu::test::ScratchFolder folder;
  Program program;
  TForm1& form = program.form();
  form.CurrentType = 3;
  program.mouse(QEvent::MouseMove, 150, 120, Qt::NoButton, Qt::NoButton);
  program.mouse(QEvent::MouseButtonPress, 150, 120, Qt::LeftButton, Qt::LeftButton);
  program.mouse(QEvent::MouseButtonRelease, 150, 120, Qt::LeftButton, Qt::NoButton);
  program.mouse(QEvent::MouseButtonDblClick, 150, 120, Qt::LeftButton, Qt::LeftButton);
  program.mouse(QEvent::MouseButtonRelease, 150, 120, Qt::LeftButton, Qt::NoButton);
  TheNode* placed = form.Graph->MainNode->FirstLine ? form.Graph->MainNode->FirstLine->Node : nullptr;
  ASSERT_NE(placed, nullptr);
  EXPECT_EQ(placed->NodeType, 3);
  EXPECT_EQ(form.Graph->CurrentNode, placed);
  EXPECT_EQ(placed->Selected, 1);
}

TEST(CanvasGestures, CurrentNodeFillsFieldsByKind) {
  vemu::test::ScratchFolder folder;
  Program program;
  TForm1& form = program.form();
  TheNode* j = program.member(2, "4", 0, 0);
  TheNode* note = program.member(32, "text", 50, 0);
  note->Value = "hello";
  TheNode* x = program.member(29, "X1", 100, 0);
  struct Case { TheNode* node; const char* name; bool nameOn; const char* value; bool valueOn; };
  const Case cases[] = {
      {nullptr, "NIL", false, "", false},
      {j, "4", true, "no value", false},
      {note, "TEXT", false, "hello", true},
      {x, "X1", true, "", false},
  };
  for (const Case& c : cases) {
    form.SetCurrentNode(c.node);
    EXPECT_EQ(form.Edit2->text(), c.name);
    EXPECT_EQ(form.Edit2->isEnabled(), c.nameOn) << c.name;
    EXPECT_EQ(form.Edit3->text(), c.value) << c.name;
    EXPECT_EQ(form.Edit3->isEnabled(), c.valueOn) << c.name;
  }
  EXPECT_TRUE(form.ActDownSub->isEnabled());  // X1 is a container
  EXPECT_FALSE(form.ActUpSub->isEnabled());
}

TEST(CanvasGestures, LevelTabsShowAndSwitchTheShownLevel) {
  vemu::test::ScratchFolder folder;
  Program program;
  TForm1& form = program.form();
  TheNode* root = form.Graph->MainNode;
  TheNode* x1 = program.member(29, "X1", 0, 0);
  program.member(29, "X2", 50, 0);
  program.member(29, "Y1", 0, 0, x1);
  form.show();  // the tabs of a bar on screen change while it is off it
  form.UpdateLevelTabs();
  ASSERT_EQ(form.TabSet1->count(), 3);
  EXPECT_EQ(form.TabSet1->tabText(0), "Upper Level");
  EXPECT_EQ(form.TabSet1->currentIndex(), 0);
  EXPECT_EQ(form.TabControl2->count(), 3);

  form.TabSet1->setCurrentIndex(1);
  form.TabControlBARSMouseUp(form.TabSet1);
  EXPECT_EQ(form.Graph->MainNode, x1);
  // Owner, sibling, the shown level (selected), its own sub-circuit.
  ASSERT_EQ(form.TabSet1->count(), 4);
  EXPECT_EQ(form.TabSet1->tabText(1), "X2");
  EXPECT_EQ(form.TabSet1->currentIndex(), 2);
  EXPECT_EQ(form.TabSet1->tabText(3), "Y1");
  EXPECT_TRUE(form.ActUpSub->isEnabled());
  form.TabControl2->setCurrentIndex(0);
  form.TabControlBARSMouseUp(form.TabControl2);
  EXPECT_EQ(form.Graph->MainNode, root);
  // Fewer tabs again, renamed in place, every one shown, the bar back on screen.
  ASSERT_EQ(form.TabControl2->count(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(form.TabSet1->isTabVisible(i) && form.TabControl2->isTabVisible(i));
  EXPECT_TRUE(form.TabSet1->isVisible() && form.TabControl2->tabText(2) == "X2");
}

TEST(CanvasGestures, AVoltageDividerDrawnWithTheMouseGivesItsNetlist) {
  vemu::test::ScratchFolder folder;
  Program program;
  TForm1& form = program.form();
  form.App().Settings->CheckDrawAndCreate = true;
  vemu::catalogue::SetDescription(form.NodeTypes[3], "\"E\" source");
  vemu::catalogue::SetDescription(form.NodeTypes[19], "\"R\" resistor");
  TheNode* top = program.member(2, "1", 200, 100);
  TheNode* mid = program.member(2, "2", 200, 250);
  TheNode* bottom = program.member(2, "3", 200, 400);
  bottom->Ground = 1;
  form.CurrentType = 19;
  program.drag(200, 100, 200, 250);
  program.drag(200, 250, 200, 400);
  form.CurrentType = 3;
  program.drag(200, 400, 200, 100);
  const char* values[] = {"10", "2k", "1k"};  // E1, R2, R1: each new element is the first member
  int i = 0;
  form.Graph->MainNode->forEachLine([&](vemu::model::TheLine* l) {
    if (l->Node->IsElement() && i < 3) l->Node->Value = values[i++];
  });
  EXPECT_EQ(form.Backup.BackupCount, 3);
  form.BuildNetlist(form.App().Form6->Memo1);
  const QString netlist = form.App().Form6->Memo1->toPlainText();
  EXPECT_TRUE(netlist.contains("E1  0  1    10")) << netlist.toStdString();
  EXPECT_TRUE(netlist.contains("R1  1  2    1k")) << netlist.toStdString();
  EXPECT_TRUE(netlist.contains("R2  2  0    2k")) << netlist.toStdString();
  EXPECT_EQ(mid->Name.str(), "2");
  EXPECT_EQ(top->Name.str(), "1");
}

TEST(CanvasGestures, SecondBuildNeitherSwingsNorHasTabs) {
  vemu::test::ScratchFolder folder;
  Program program(SecondProgramProfile());
  TForm1& form = program.form();
  TheNode* r = program.member(3, "R1", 0, 0);
  TheNode* j = program.member(2, "1", 100, 0);
  form.Graph->AddLine(-2, r, j, vemu::model::alOutPin);
  vemu::view::AsMyLine(r->FirstLine.get())->Countdown = 0;
  form.SetCurrentNode(r);
  EXPECT_EQ(vemu::view::AsMyLine(r->FirstLine.get())->Countdown, 0);
  EXPECT_FALSE(form.ToolBarNode->isHidden());
  program.drag(300, 300, 350, 350);  // a rubber band: the state shows in panel 2
  EXPECT_EQ(form.StatusText(2), "3");
}

TEST(CanvasGestures, TextFieldsKeepTheirEditingKeys) {
  vemu::test::ScratchFolder folder;
  Program program;
  TForm1& form = program.form();
  form.show();
  QApplication::setActiveWindow(&form);
  form.ToolBarNode->show();
  int newNodes = 0;
  QObject::connect(form.NewNode1, &QAction::triggered, [&] { ++newNodes; });
  form.Edit2->setEnabled(true);
  form.Edit2->setText("ab");
  form.Edit2->setFocus();
  const QKeyCombination keys[] = {Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_Left, Qt::Key_Right,
                                  Qt::ControlModifier | Qt::Key_C, Qt::ControlModifier | Qt::Key_V,
                                  Qt::ControlModifier | Qt::Key_X, Qt::ControlModifier | Qt::Key_Z,
                                  Qt::ControlModifier | Qt::Key_A};
  for (QKeyCombination key : keys) {
    // The field takes the key before any menu short-cut of the window.
    QKeyEvent override(QEvent::ShortcutOverride, key.key(), key.keyboardModifiers());
    QApplication::sendEvent(form.Edit2, &override);
    EXPECT_TRUE(override.isAccepted()) << key.toCombined();
  }
  EXPECT_EQ(newNodes, 0);
  // A click on the canvas takes the keyboard away from the field.
  program.mouse(QEvent::MouseButtonPress, 10, 10, Qt::LeftButton, Qt::LeftButton);
  program.mouse(QEvent::MouseButtonRelease, 10, 10, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(QApplication::focusWidget(), form.PaintBox1);
}

}  // namespace
