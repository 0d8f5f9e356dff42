// The main window's selection commands through their menu items and the
// delete button: select and deselect all, delete with and without the
// question, the current node's deletion, the queues, clearing values and
// deleting the current node's links; no pointer of the window is left on a
// freed node.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QToolButton>

#include "build2/second_profile.h"
#include "catalogue/messages.h"
#include "catalogue/settings.h"
#include "model/selection.h"
#include "platform/scripted_dialogs.h"
#include "support/scratch_folder.h"
#include "ui/tform1.h"
#include "ui/value_window.h"
#include "ui/window_set.h"
#include "view/windows/preview_window.h"
#include "support/graph_members.h"

using vemu::catalogue::GetMsg;
using vemu::model::TheNode;
using vemu::platform::MsgResult;
namespace model = vemu::model;

namespace {

class SelectionCommandsTest : public ::testing::Test {
 protected:
  SelectionCommandsTest() : scope(dialogs) {
    folder.copyShippedData();
    set = std::make_unique<WindowSet>(FullProgramProfile(), std::vector<std::string>{"vemu3"});
    form = set->windows().Form1;
    root = form->Graph->MainNode;
  }

  TheNode* member(TheNode* owner, std::uint8_t type, const char* name, int x = 0, int y = 0) {
    return vemu::testing::AddMember(*form->Graph, owner, type, name, x, y, "1");
  }
  // Junctions 1, 2; R1 between them; the sub-circuit X1 with two members.
  void fill() {
    j1 = member(root, model::ntJunction, "1", 10, 100);
    j2 = member(root, model::ntJunction, "2", 40, 50);
    r1 = member(root, 19, "R1", 101, 70);
    form->Graph->AddLine(-2, r1, j1, model::alOutPin);
    form->Graph->AddLine(-2, r1, j2, model::alInPin);
    x1 = member(root, model::ntSubCircuit, "X1", 200, 200);
    member(x1, model::ntJunction, "1");
    member(x1, 19, "R2");
  }
  int snapshots() const { return form->Backup.BackupCount; }
  vemu::catalogue::Settings& settings() { return *set->windows().Settings; }

  vemu::test::ScratchFolder folder;
  vemu::platform::ScriptedDialogs dialogs;
  vemu::platform::ScopedDialogs scope;
  std::unique_ptr<WindowSet> set;
  TForm1* form = nullptr;
  TheNode *root = nullptr, *j1 = nullptr, *j2 = nullptr, *r1 = nullptr, *x1 = nullptr;
};

TEST_F(SelectionCommandsTest, SelectAndUnselectAllTakeNoSnapshot) {
  form->SelectAll1->trigger();  // an empty level
  EXPECT_EQ(vemu::model::CountSelected(*form->Graph), 0);
  fill();
  form->SelectAll1->trigger();
  EXPECT_EQ(vemu::model::CountSelected(*form->Graph), 4);
  form->UnselectAll1->trigger();
  EXPECT_EQ(vemu::model::CountSelected(*form->Graph), 0);
  EXPECT_EQ(snapshots(), 0);
  EXPECT_EQ(form->CountNodesOfType(model::ntJunction), 3);
}

TEST_F(SelectionCommandsTest, DeleteTheSelectionAsksWithTheCount) {
  fill();
  settings().CheckWindowDelete = true;
  j1->Selected = j2->Selected = x1->Selected = 1;
  const int before = form->Graph->NodeCount();

  dialogs.boxAnswers = {MsgResult::Cancel};
  form->Deleteobject1->trigger();
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text, "Delete 3 selected objects?");
  EXPECT_EQ(dialogs.boxes[0].caption, GetMsg(24));
  EXPECT_EQ(form->Graph->NodeCount(), before);
  EXPECT_EQ(snapshots(), 0);

  // The window's pointers on doomed nodes go with them.
  form->DownNode = x1;
  form->HoverNode = j1;
  form->PendingHalf = r1;
  set->windows().FormSubCircuit->ShownNode = x1;
  set->windows().FormInputValue->Node = j2;
  form->SetCurrentNode(r1);
  dialogs.boxAnswers = {MsgResult::Ok};
  form->Deleteobject1->trigger();
  EXPECT_EQ(form->StatusText(2), GetMsg(21));
  EXPECT_EQ(form->Graph->NodeCount(), before - 5);  // three members and X1's two
  EXPECT_EQ(snapshots(), 1);
  EXPECT_EQ(form->Graph->CurrentNode, nullptr);
  EXPECT_EQ(form->Edit2->text(), "NIL");  // the fields show no deleted node
  EXPECT_EQ(form->DownNode, nullptr);
  EXPECT_EQ(form->HoverNode, nullptr);
  EXPECT_EQ(form->PendingHalf, nullptr);
  EXPECT_EQ(set->windows().FormSubCircuit->ShownNode, nullptr);
  EXPECT_EQ(set->windows().FormInputValue->Node, nullptr);
  EXPECT_EQ(form->Graph->LineCount(r1), 0);  // its links to the junctions went
}

TEST_F(SelectionCommandsTest, DeleteTheCurrentNode) {
  struct Case {
    const char* what;
    bool confirm;
    MsgResult answer;
    int nodesGone;
    int boxes;
  };
  const Case cases[] = {
      {"R1", false, MsgResult::Ok, 1, 0},
      {"R1", true, MsgResult::Cancel, 0, 1},
      {"X1", true, MsgResult::Ok, 3, 1},  // a container goes with its level
      {"none", true, MsgResult::Ok, 0, 0},
  };
  for (const Case& c : cases) {
    form->Graph->Clear();
    root = form->Graph->AddNode(nullptr, model::ntRoot);
    root->Name = "Upper Level";
    form->Graph->MainNode = root;
    fill();
    dialogs.boxes.clear();
    settings().CheckWindowDelete = c.confirm;
    dialogs.boxAnswers = {c.answer};
    const std::string what = c.what;
    form->SetCurrentNode(what == "R1" ? r1 : what == "X1" ? x1 : nullptr);
    const int before = form->Graph->NodeCount();
    form->SpeedButtonDelete->click();
    EXPECT_EQ(before - form->Graph->NodeCount(), c.nodesGone) << c.what;
    ASSERT_EQ(static_cast<int>(dialogs.boxes.size()), c.boxes) << c.what;
    if (c.boxes) {
      EXPECT_EQ(dialogs.boxes[0].text, GetMsg(22));
    }
    EXPECT_EQ(form->StatusText(2), GetMsg(21));
    // No owner-less node is left behind.
    form->Graph->forEachNode([&](TheNode* n) { EXPECT_TRUE(n->Upper || n == root) << c.what; });
  }
}

TEST_F(SelectionCommandsTest, TheShownLevelAndTheRootAreNotDeleted) {
  fill();
  const int before = form->Graph->NodeCount();
  form->SetCurrentNode(root);
  form->Deleteobject1Click();
  form->Graph->MainNode = x1;
  form->SetCurrentNode(x1);
  form->Deleteobject1Click();
  EXPECT_EQ(form->Graph->NodeCount(), before);
  EXPECT_EQ(form->Graph->MainNode, x1);
  ASSERT_EQ(dialogs.boxes.size(), 2u);
  EXPECT_EQ(snapshots(), 0);
}

TEST_F(SelectionCommandsTest, QueuesLineUpTheSelection) {
  fill();
  j1->Selected = j2->Selected = r1->Selected = 1;
  form->Verticalqueue1->trigger();
  EXPECT_EQ(j1->X, 55);
  EXPECT_EQ(r1->X, 55);
  EXPECT_EQ(j1->Y, 100);
  form->Horizontalqueue1->trigger();
  EXPECT_EQ(j2->Y, 75);
  settings().CheckUseGrid = true;
  r1->X = 101;
  form->Verticalqueue1->trigger();
  EXPECT_EQ(j1->X, form->SnapToGrid(78));
  EXPECT_EQ(snapshots(), 3);
  form->UnselectAll1->trigger();
  form->Horizontalqueue1->trigger();  // nothing selected: still a snapshot
  EXPECT_EQ(snapshots(), 4);
}

TEST_F(SelectionCommandsTest, ClearValuesDeleteLinesAndHideCross) {
  fill();
  TheNode* sensor = member(root, 5, "I1");
  form->ClearAllInputValues1->trigger();
  EXPECT_EQ(r1->Value, "1");
  EXPECT_EQ(sensor->Value, "");

  form->SetCurrentNode(x1);
  form->DeleteAllLines1->trigger();
  EXPECT_EQ(form->Graph->LineCount(x1), 2);  // X1 keeps its members
  form->SetCurrentNode(r1);
  form->DeleteAllLines1->trigger();
  EXPECT_EQ(form->Graph->LineCount(r1), 0);
  EXPECT_EQ(snapshots(), 3);

  form->HideCross1->trigger();
  EXPECT_EQ(form->Graph->CurrentNode, nullptr);
  form->DeleteAllLines1->trigger();  // no current node: only the snapshot
  EXPECT_EQ(snapshots(), 4);
}

}  // namespace

// The second build has no value window: deleting still resets every pointer.
TEST(SelectionCommandsSecondBuild, DeleteWithoutAValueWindow) {
  vemu::test::ScratchFolder folder;
  vemu::platform::ScriptedDialogs dialogs;
  vemu::platform::ScopedDialogs scope(dialogs);
  WindowSet set(SecondProgramProfile(), {"vemu"});
  ASSERT_EQ(set.windows().FormInputValue, nullptr);
  TForm1& form = *set.windows().Form1;
  TheNode* root = form.Graph->MainNode;
  TheNode* r = form.Graph->AddNode(root, 19);
  form.Graph->AddLine(-2, root, r, model::alHaveItem);
  r->Selected = 1;
  form.DownNode = r;
  form.Deleteobject1->trigger();
  EXPECT_EQ(form.Graph->NodeCount(), 1);
  EXPECT_EQ(form.DownNode, nullptr);
}
