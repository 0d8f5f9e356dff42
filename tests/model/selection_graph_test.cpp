// The selection's graph operations: counting and setting the selection of
// the shown level, the one-sweep deletion of sub-trees (the same result as
// DeleteNodeTree for each), the queues, clearing result values and freeing
// a node's own links.
#include <gtest/gtest.h>

#include "model/graph_test_support.h"
#include "model/selection.h"

using namespace vemu::model;

namespace {

class SelectionGraphTest : public ::testing::Test, public vemu::test::GraphFixtureBase {
 protected:
  // Junctions 1, 2, the resistor R1 between them, a current sensor I1, the
  // sub-circuit X1 (inner junction 1 wired to the outer junction 1, inner
  // R2, pin link to junction 1) and a text note T.
  void fill(TheBaseOfGraf& g, TheNode* top) {
    auto add = [&g](TheNode* owner, std::uint8_t type, const char* name, int x) {
      TheNode* n = g.AddNode(owner, type);
      n->Name = name;
      n->X = x;
      n->Y = 2 * x;
      n->Value = "v";
      g.AddLine(-2, owner, n, alHaveItem);
      return n;
    };
    TheNode* j1 = add(top, ntJunction, "1", 10);
    TheNode* j2 = add(top, ntJunction, "2", 40);
    TheNode* r1 = add(top, 19, "R1", 101);
    g.AddLine(-2, r1, j1, alOutPin);
    g.AddLine(-2, r1, j2, alInPin);
    TheNode* i1 = add(top, 5, "I1", 70);
    g.AddLine(-2, i1, j2, alOutPin);
    g.AddLine(-2, j1, j2, alWire);
    TheNode* x1 = add(top, ntSubCircuit, "X1", 20);
    TheNode* inner = add(x1, ntJunction, "1", 5);
    TheNode* r2 = add(x1, 19, "R2", 6);
    g.AddLine(-2, r2, inner, alOutPin);
    g.AddLine(-2, inner, j1, alWire);
    g.AddLine(-2, x1, j1, alOutPin);
    add(top, ntText, "T", 30);
  }

  // The circuit as text: every node with its owner and links.
  static std::string dump(const TheBaseOfGraf& g) {
    std::string out;
    g.forEachNode([&](const TheNode* n) {
      out += n->Name.str() + "^" + (n->Upper ? n->Upper->Name.str() : "-") + ":";
      n->forEachLine([&](const TheLine* l) { out += std::to_string(l->Kind) + (l->Node ? l->Node->Name.str() : "?") + ","; });
      out += ";";
    });
    return out;
  }

  TheNode* byName(const std::string& name) const {
    TheNode* found = nullptr;
    root->forEachLine([&](TheLine* l) {
      if (l->Node && l->Node->Name == name) found = l->Node;
    });
    return found;
  }
};

TEST_F(SelectionGraphTest, SelectionOfAnEmptyAndAFilledLevel) {
  EXPECT_EQ(CountSelected(graph), 0);
  SetLevelSelection(graph, 1);  // no members: nothing to do
  EXPECT_EQ(CountSelected(graph), 0);

  fill(graph, root);
  TheNode* inner = byName("X1")->FirstLine->Node;
  SetLevelSelection(graph, 1);
  EXPECT_EQ(CountSelected(graph), 6);
  EXPECT_EQ(inner->Selected, 0);  // another level keeps its bytes
  EXPECT_EQ(SelectedMembers(graph).front()->Name.str(), "1");
  SetLevelSelection(graph, 0);
  EXPECT_EQ(CountSelected(graph), 0);

  graph.MainNode = nullptr;
  EXPECT_EQ(CountSelected(graph), 0);
  SetLevelSelection(graph, 1);
  EXPECT_EQ(root->FirstLine->Node->Selected, 0);
}

TEST_F(SelectionGraphTest, CountNodesOfTypeCoversEveryLevel) {
  fill(graph, root);
  EXPECT_EQ(CountNodesOfType(graph, ntJunction), 3);
  EXPECT_EQ(CountNodesOfType(graph, 19), 2);
  EXPECT_EQ(CountNodesOfType(graph, 3), 0);
}

// The one-sweep deletion gives what DeleteNodeTree gives for each node in turn.
TEST_F(SelectionGraphTest, DeleteNodeTreesMatchesOneTreeAfterAnother) {
  const std::vector<std::vector<std::string>> selections = {
      {"R1"}, {"X1"}, {"1", "X1"}, {"T"}, {"1", "2", "R1", "I1", "X1", "T"}};
  for (const auto& names : selections) {
    TheBaseOfGraf expected;
    TheNode* top = expected.AddNode(nullptr, ntRoot);
    top->Name = "Upper Level";
    expected.MainNode = top;
    fill(expected, top);
    TheBaseOfGraf& actual = graph;
    actual.Clear();
    root = actual.AddNode(nullptr, ntRoot);
    root->Name = "Upper Level";
    actual.MainNode = root;
    fill(actual, root);

    std::vector<TheNode*> doomed;
    for (const auto& name : names) {
      doomed.push_back(byName(name));
      TheNode* same = nullptr;
      top->forEachLine([&](TheLine* l) {
        if (l->Node->Name == name) same = l->Node;
      });
      expected.DeleteNodeTree(same);
    }
    actual.CurrentNode = doomed.back();
    const std::size_t freed = DeleteNodeTrees(actual, doomed);
    EXPECT_EQ(dump(actual), dump(expected)) << names.front();
    EXPECT_EQ(freed + static_cast<std::size_t>(actual.NodeCount()), 9u);
    EXPECT_EQ(actual.CurrentNode, nullptr);
    // The tail is right again: a new node goes to the end of the list.
    TheNode* added = actual.AddNode(root, 3);
    EXPECT_EQ(actual.LastNode(), added);
    EXPECT_EQ(actual.NodeCount(), expected.NodeCount() + 1);
  }
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(SelectionGraphTest, DeleteNodeTreesOfTheShownLevelClearsIt) {
  fill(graph, root);
  TheNode* x1 = byName("X1");
  graph.MainNode = x1;
  EXPECT_EQ(DeleteNodeTrees(graph, {x1}), 3u);
  EXPECT_EQ(graph.MainNode, nullptr);
  EXPECT_EQ(DeleteNodeTrees(graph, {}), 0u);
}

TEST_F(SelectionGraphTest, TreeHoldsFollowsMembership) {
  fill(graph, root);
  TheNode* x1 = byName("X1");
  EXPECT_TRUE(TreeHolds(root, x1->FirstLine->Node));
  EXPECT_TRUE(TreeHolds(x1, x1));
  EXPECT_FALSE(TreeHolds(x1, byName("R1")));
  EXPECT_FALSE(TreeHolds(nullptr, x1));
}

TEST_F(SelectionGraphTest, QueuesPutTheSelectionOnTheMiddle) {
  struct Case {
    QueueAxis axis;
    bool grid;
    int expected;
  };
  // X = 10, 40, 101 (Y twice that); the grid rounds to multiples of 10 here.
  const Case cases[] = {{QueueAxis::Vertical, false, 55},
                        {QueueAxis::Vertical, true, 60},
                        {QueueAxis::Horizontal, false, 111}};
  for (const Case& c : cases) {
    graph.Clear();
    root = graph.AddNode(nullptr, ntRoot);
    graph.MainNode = root;
    fill(graph, root);
    for (const char* name : {"1", "2", "R1"}) byName(name)->Selected = 1;
    std::function<std::int32_t(std::int32_t)> snap;
    if (c.grid) snap = [](std::int32_t v) { return (v + 5) / 10 * 10; };
    ASSERT_TRUE(QueueSelected(graph, c.axis, snap));
    for (const char* name : {"1", "2", "R1"}) {
      const TheNode* n = byName(name);
      EXPECT_EQ(c.axis == QueueAxis::Vertical ? n->X : n->Y, c.expected) << name;
    }
    EXPECT_EQ(byName("1")->Y, c.axis == QueueAxis::Vertical ? 20 : 111);  // the other axis stays
    EXPECT_EQ(byName("I1")->X, 70);  // not selected
  }
  SetLevelSelection(graph, 0);
  EXPECT_FALSE(QueueSelected(graph, QueueAxis::Vertical, nullptr));
}

TEST_F(SelectionGraphTest, QueueOfFarApartMembersDoesNotOverflow) {
  TheNode* a = member(root, 19, "R1", INT32_MIN + 1);
  TheNode* b = member(root, 19, "R2", INT32_MAX);
  a->Selected = b->Selected = 1;
  ASSERT_TRUE(QueueSelected(graph, QueueAxis::Vertical, nullptr));
  EXPECT_EQ(a->X, 0);
  EXPECT_EQ(b->X, 0);
}

TEST_F(SelectionGraphTest, ClearResultValuesKeepsUserValues) {
  fill(graph, root);
  TheNode* n1 = member(root, 9, "N1");
  n1->Value = "x";
  ClearResultValues(graph, [](std::uint8_t t) { return t == 19; });
  EXPECT_EQ(byName("R1")->Value, "v");
  EXPECT_EQ(byName("I1")->Value, "");
  EXPECT_EQ(n1->Value, "");
  EXPECT_EQ(byName("X1")->Value, "");  // a sub-circuit element takes no value
  EXPECT_EQ(byName("T")->Value, "v");  // a text note is no element
  EXPECT_EQ(byName("1")->Value, "v");  // nor is a junction
}

TEST_F(SelectionGraphTest, FreeOwnLinesKeepsMembershipLinks) {
  fill(graph, root);
  TheNode* x1 = byName("X1");
  FreeOwnLinesKeepingMembers(x1);
  EXPECT_EQ(kinds(x1), (std::vector<int>{alHaveItem, alHaveItem}));
  TheNode* r1 = byName("R1");
  FreeOwnLinesKeepingMembers(r1);
  EXPECT_TRUE(kinds(r1).empty());
  // Links of others that point to it stay.
  FreeOwnLinesKeepingMembers(byName("2"));
  EXPECT_EQ(kinds(byName("I1")), (std::vector<int>{alOutPin}));
  FreeOwnLinesKeepingMembers(nullptr);
}

}  // namespace
