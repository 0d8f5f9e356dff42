// The hierarchy commands of the main window through their actions and menu
// items: stepping down and up, the preview commands, converting a selection
// with the move-to dialog's answer, moving up with its undo snapshot, and
// the commands that do nothing without a shown level.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QListWidget>
#include <map>
#include <set>

#include "catalogue/messages.h"
#include "editing_program.h"
#include "model/hierarchy.h"
#include "model/selection.h"
#include "netlist/net_numbering.h"
#include "ui/ask_insert_move.h"
#include "view/windows/preview_window.h"
#include "support/graph_members.h"

using vemu::catalogue::GetMsg;
using vemu::model::TheNode;
namespace model = vemu::model;

namespace {

class HierarchyWindowTest : public ::testing::Test {
 protected:
  HierarchyWindowTest() {
    form = &program.form();
    root = form->Graph->MainNode;
  }

  TheNode* member(TheNode* owner, std::uint8_t type, const char* name, int x = 0, int y = 0) {
    return vemu::testing::AddMember(*form->Graph, owner, type, name, x, y, "1");
  }
  // R1 from a to b and R2 from b to c on the top level, X1 with one member.
  void fill() {
    a = member(root, model::ntJunction, "a", 0, 0);
    b = member(root, model::ntJunction, "b", 100, 0);
    c = member(root, model::ntJunction, "c", 200, 0);
    r1 = member(root, 19, "R1", 50, 20);
    form->Graph->AddLine(-2, r1, a, model::alOutPin);
    form->Graph->AddLine(-2, r1, b, model::alInPin);
    r2 = member(root, 19, "R2", 150, 20);
    form->Graph->AddLine(-2, r2, b, model::alOutPin);
    form->Graph->AddLine(-2, r2, c, model::alInPin);
    x1 = member(root, model::ntSubCircuit, "X1", 300, 300);
    member(x1, model::ntJunction, "i", 0, 0);
  }
  // The move-to dialog answers with the item of that text (empty: cancel).
  void answer(const QString& item) {
    vemu::test::ModalWindows::onShow = [item](QWidget& window) {
      auto* dialog = qobject_cast<TAskInsertMove*>(&window);
      if (!dialog || item.isEmpty() || !dialog->ChooseItem(item)) return 2;
      return 1;
    };
  }
  std::set<std::set<std::string>> terminals() {
    vemu::netlist::NumberJunctions(*form->Graph);
    std::map<std::string, std::set<std::string>> nets;
    form->Graph->forEachNode([&](TheNode* n) {
      if (!n->IsElement() || n->IsContainer()) return;
      n->forEachLine([&](model::TheLine* l) {
        if (l->Kind == model::alOutPin || l->Kind == model::alInPin)
          nets[l->Node->Name.str()].insert(n->Name.str() + ":" + std::to_string(l->Kind));
      });
    });
    std::set<std::set<std::string>> out;
    for (auto& [net, t] : nets) out.insert(t);
    return out;
  }
  int snapshots() const { return form->Backup.BackupCount; }
  TFormSubCircuit& preview() { return *program.set.windows().FormSubCircuit; }

  vemu::test::EditingProgram program;
  TForm1* form = nullptr;
  TheNode *root = nullptr, *a = nullptr, *b = nullptr, *c = nullptr, *r1 = nullptr, *r2 = nullptr,
          *x1 = nullptr;
};

TEST_F(HierarchyWindowTest, StepsDownAndUpThroughTheActions) {
  fill();
  form->SetCurrentNode(r1);
  EXPECT_FALSE(form->ActDownSub->isEnabled());
  form->SBDownHieracyClick();  // not a container: the level stays
  EXPECT_EQ(form->Graph->MainNode, root);
  form->SetCurrentNode(x1);
  r1->Selected = 1;
  form->ActDownSub->trigger();
  EXPECT_EQ(form->Graph->MainNode, x1);
  EXPECT_EQ(form->Graph->CurrentNode, nullptr);
  EXPECT_EQ(r1->Selected, 0);
  EXPECT_EQ(form->CurrentType, model::ntJunction);
  EXPECT_TRUE(form->ActUpSub->isEnabled());
  form->ActUpSub->trigger();
  EXPECT_EQ(form->Graph->MainNode, root);
  EXPECT_EQ(form->Graph->CurrentNode, x1);
  form->SBUpHieracyClick();  // the root has no owner
  EXPECT_EQ(form->Graph->MainNode, root);
  EXPECT_EQ(snapshots(), 0);
}

TEST_F(HierarchyWindowTest, PreviewCommandsShowTheContainerOrTheOwnerLevel) {
  fill();
  form->SetCurrentNode(r1);
  form->ActSubWin->trigger();  // not a container
  EXPECT_EQ(preview().ShownNode, nullptr);
  form->SetCurrentNode(x1);
  form->ActSubWin->trigger();
  EXPECT_EQ(preview().ShownNode, x1);
  form->ActMainWin->trigger();  // the root shows itself
  EXPECT_EQ(preview().ShownNode, root);
  form->Graph->MainNode = x1;
  preview().ShownNode = nullptr;
  form->ActMainWin->trigger();
  EXPECT_EQ(preview().ShownNode, root);
}

TEST_F(HierarchyWindowTest, NothingHappensWithoutAShownLevel) {
  fill();
  form->Graph->MainNode = nullptr;
  form->ActUpSub->trigger();
  form->ActMainWin->trigger();
  form->ConvertSelectedtoSubcircuit1->trigger();
  form->ReturntoUPlevel1->trigger();
  form->Joinfeenodes1Click();
  EXPECT_EQ(form->Graph->MainNode, nullptr);
  EXPECT_EQ(preview().ShownNode, nullptr);
  EXPECT_EQ(snapshots(), 0);
}

TEST_F(HierarchyWindowTest, ConvertAndMoveBackKeepTheNetsAndTakeSnapshots) {
  fill();
  a->Ground = 1;
  const auto before = terminals();
  // Nothing selected: message 10, no dialog.
  form->ConvertSelectedtoSubcircuit1->trigger();
  EXPECT_EQ(form->StatusText(1), GetMsg(10));
  EXPECT_EQ(vemu::test::ModalWindows::shown, 0);

  // Cancelled: nothing changes.
  for (TheNode* n : {b, r1}) n->Selected = 1;
  answer("");
  form->ConvertSelectedtoSubcircuit1->trigger();
  EXPECT_EQ(vemu::test::ModalWindows::shown, 1);
  EXPECT_EQ(snapshots(), 0);
  EXPECT_EQ(r1->Upper, root);

  // A new sub-circuit.
  answer(QString::fromStdString(GetMsg(64)));
  form->ConvertSelectedtoSubcircuit1->trigger();
  EXPECT_EQ(snapshots(), 1);
  TheNode* x2 = r1->Upper;
  ASSERT_NE(x2, root);
  EXPECT_EQ(x2->Name.str(), "X2");
  EXPECT_EQ(x2->Upper, root);
  EXPECT_EQ(preview().ShownNode, x2);
  EXPECT_EQ(terminals(), before);

  // R2 into the existing X2.
  model::SetLevelSelection(*form->Graph, 0);
  r2->Selected = 1;
  answer("X2");
  form->ConvertSelectedtoSubcircuit1->trigger();
  EXPECT_EQ(r2->Upper, x2);
  EXPECT_EQ(terminals(), before);

  // Everything of X2 back up: a snapshot first, then the nets as before.
  form->Graph->MainNode = x2;
  model::SetLevelSelection(*form->Graph, 1);
  const int taken = snapshots();
  form->ReturntoUPlevel1->trigger();
  EXPECT_EQ(snapshots(), taken + 1);
  EXPECT_EQ(r1->Upper, root);
  EXPECT_EQ(r2->Upper, root);
  EXPECT_EQ(form->Graph->CurrentNode, x2);
  EXPECT_EQ(terminals(), before);
  // The connector that stood for a inside X2 is merged with it: the net keeps its ground.
  EXPECT_EQ(form->Graph->GetLineOfKinds(r1, 1, {model::alOutPin})->Node->Ground, 1);
}

TEST_F(HierarchyWindowTest, RepairCommandTakesASnapshot) {
  fill();
  form->CorrectSubCircuitLines();
  EXPECT_EQ(snapshots(), 1);
  EXPECT_EQ(form->Modified, 1);
}

}  // namespace

namespace {

TEST_F(HierarchyWindowTest, PageKeysStepThroughTheLevels) {
  fill();
  form->SetCurrentNode(x1);
  for (const QKeySequence& key : form->ActDownSub->shortcuts())
    EXPECT_TRUE(key == QKeySequence(Qt::Key_PageDown) || key == QKeySequence(Qt::CTRL | Qt::Key_PageDown));
  EXPECT_EQ(form->ActDownSub->shortcuts().size(), 2);
  EXPECT_EQ(form->ActUpSub->shortcuts().size(), 2);
  EXPECT_TRUE(form->actions().contains(form->ActDownSub));
  EXPECT_TRUE(form->actions().contains(form->ActUpSub));
}

}  // namespace
