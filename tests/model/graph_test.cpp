// Building and searching the circuit graph: nodes, link positions, lookups,
// numbering, clearing and exchanging whole graphs.
#include <gtest/gtest.h>

#include <memory>

#include "model/graph.h"
#include "model/graph_test_support.h"

using namespace vemu::model;
using vemu::platform::MsgButtons;
using vemu::platform::MsgIcon;
using vemu::test::CountedLine;

namespace {

const char* const kAbnormal = "Abnormal exeption !!! AddLine-rpoc";
const char* const kNilNodes = "ADDLINE-ERROR: (N1=nil)or(N2=nil)";

class GraphTest : public ::testing::Test, public vemu::test::GraphFixtureBase {
 protected:
  // A node a of the top level with links to b and c (kind 6), in that order.
  void SetUp() override {
    a = member(root, ntJunction, "1");
    b = member(root, ntJunction, "2");
    c = member(root, ntJunction, "3");
    d = member(root, ntJunction, "4");
    graph.AddLine(-2, a, b, alWire);
    graph.AddLine(-2, a, c, alWire);
  }
  TheNode* a = nullptr;
  TheNode* b = nullptr;
  TheNode* c = nullptr;
  TheNode* d = nullptr;
};

using Targets = std::vector<TheNode*>;

TEST_F(GraphTest, AddNodeAppendsAndSetsTypeOwnerAndLabelOffset) {
  auto given = std::make_unique<TheNode>();
  EXPECT_EQ(given->Wx, -10);
  EXPECT_EQ(given->Wy, -10);
  given->Name = "R7";
  given->Value = "1k";
  TheNode* raw = given.get();
  TheNode* added = graph.AddNode(std::move(given), a, 19);
  EXPECT_EQ(added, raw);
  EXPECT_EQ(added->NodeType, 19);
  EXPECT_EQ(added->Upper, a);
  EXPECT_EQ(added->Wx, -15);
  EXPECT_EQ(added->Wy, -15);
  EXPECT_EQ(added->Name.str(), "R7");
  EXPECT_EQ(added->Value, "1k");
  EXPECT_EQ(graph.LastNode(), added);
  EXPECT_EQ(names(), (std::vector<std::string>{"Upper Level", "1", "2", "3", "4", "R7"}));
  // The owner gets no containment link from AddNode.
  EXPECT_EQ(graph.FindLineTo(a, added), -1);

  TheNode* fresh = graph.AddNode(nullptr, 0);
  EXPECT_EQ(fresh->NodeType, 0);
  EXPECT_EQ(fresh->Upper, nullptr);
  EXPECT_EQ(fresh->Wx, -15);
  EXPECT_EQ(graph.NodeCount(), 7);
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(GraphTest, AddNodeOfAChainKeepsTheWholeChain) {
  auto head = std::make_unique<TheNode>();
  head->NextNode = std::make_unique<TheNode>();
  TheNode* second = head->NextNode.get();
  second->Name = "chained";
  graph.AddNode(std::move(head), root, ntJunction);
  EXPECT_EQ(graph.LastNode(), second);
  TheNode* after = graph.AddNode(root, ntJunction);
  EXPECT_EQ(second->NextNode.get(), after);
  EXPECT_EQ(graph.NodeCount(), 8);
  EXPECT_EQ(names()[6], "chained");
}

TEST_F(GraphTest, AddLineAtTheFrontAndAfterTheFirst) {
  TheLine* l = graph.AddLine(1, a, d, alControl);
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(l->Kind, alControl);
  EXPECT_EQ(l->Node, d);
  EXPECT_EQ(targets(a), (Targets{d, b, c}));

  graph.AddLine(2, a, root, alWire);
  EXPECT_EQ(targets(a), (Targets{d, root, b, c}));

  // Position 2 on a node without links puts the link first, without a box.
  graph.AddLine(2, d, a, alWire);
  EXPECT_EQ(targets(d), (Targets{a}));
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(GraphTest, AddLineAppendsForMinusOneAndMinusTwoAndJustPastTheEnd) {
  graph.AddLine(-1, a, d, alWire);
  EXPECT_EQ(targets(a), (Targets{b, c, d}));
  graph.AddLine(-2, a, root, alWire);
  EXPECT_EQ(targets(a), (Targets{b, c, d, root}));
  // Position count + 1 (the file readers' ordinal) appends as well.
  graph.AddLine(5, a, b, alInPin);
  EXPECT_EQ(targets(a), (Targets{b, c, d, root, b}));
  EXPECT_EQ(kinds(a).back(), alInPin);
  // A position below -2 finds the first link as predecessor.
  graph.AddLine(-3, a, a, alWire);
  EXPECT_EQ(targets(a), (Targets{b, a, c, d, root, b}));
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(GraphTest, AddLineBeyondTheEndOrAtZeroWarnsAndPutsTheLinkFirst) {
  auto given = std::make_unique<CountedLine>();
  TheLine* raw = given.get();
  TheLine* l = graph.AddLine(5, a, d, alOutPin, std::move(given));
  EXPECT_EQ(l, raw);
  EXPECT_EQ(l->Kind, alOutPin);
  EXPECT_EQ(targets(a), (Targets{d, b, c}));
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text, kAbnormal);
  EXPECT_EQ(dialogs.boxes[0].caption, "");
  EXPECT_EQ(dialogs.boxes[0].buttons, MsgButtons::Ok);
  EXPECT_EQ(dialogs.boxes[0].icon, MsgIcon::None);

  // Four links now: position 6 is two past the end.
  graph.AddLine(6, a, root, alWire);
  graph.AddLine(0, a, a, alWire);
  EXPECT_EQ(targets(a), (Targets{a, root, d, b, c}));
  EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{kAbnormal, kAbnormal, kAbnormal}));
}

TEST_F(GraphTest, AddLineWithAMissingNodeFreesTheGivenLinkAndWarnsOnce) {
  CountedLine::destroyed = 0;
  EXPECT_EQ(graph.AddLine(-2, a, nullptr, alWire, std::make_unique<CountedLine>()), nullptr);
  EXPECT_EQ(CountedLine::destroyed, 1);
  EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{kNilNodes}));

  EXPECT_EQ(graph.AddLine(1, nullptr, b, alWire, std::make_unique<CountedLine>()), nullptr);
  EXPECT_EQ(graph.AddLine(1, nullptr, nullptr, alWire), nullptr);
  EXPECT_EQ(CountedLine::destroyed, 2);
  EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{kNilNodes, kNilNodes, kNilNodes}));
  // Nothing was linked.
  EXPECT_EQ(targets(a), (Targets{b, c}));
  EXPECT_EQ(graph.LineCount(b), 0);
}

TEST_F(GraphTest, GetLineByPosition) {
  graph.AddLine(-2, a, d, alWire);
  TheLine* first = a->FirstLine.get();
  TheLine* second = first->Next.get();
  TheLine* third = second->Next.get();
  EXPECT_EQ(graph.GetLine(a, 1), first);
  EXPECT_EQ(graph.GetLine(a, 0), first);
  EXPECT_EQ(graph.GetLine(a, -7), first);
  EXPECT_EQ(graph.GetLine(a, 2), second);
  EXPECT_EQ(graph.GetLine(a, 3), third);
  EXPECT_EQ(graph.GetLine(a, -2), third);
  EXPECT_EQ(graph.GetLine(a, -1), nullptr);
  EXPECT_EQ(graph.GetLine(a, 4), nullptr);
  EXPECT_EQ(graph.GetLine(a, 7), nullptr);
  EXPECT_EQ(graph.GetLine(d, -2), nullptr);
  EXPECT_EQ(graph.GetLine(d, 1), nullptr);
  EXPECT_EQ(graph.GetLine(nullptr, 1), nullptr);
  EXPECT_EQ(graph.LineCount(a), 3);
  EXPECT_EQ(graph.LineCount(d), 0);
  EXPECT_EQ(graph.LineCount(nullptr), 0);
}

TEST_F(GraphTest, IndexOfLineAndFindLineTo) {
  graph.AddLine(-2, a, b, alOutPin);  // a second link to b
  EXPECT_EQ(graph.IndexOfLine(a, graph.GetLine(a, 1)), 1);
  EXPECT_EQ(graph.IndexOfLine(a, graph.GetLine(a, 3)), 3);
  EXPECT_EQ(graph.IndexOfLine(a, root->FirstLine.get()), 0);
  EXPECT_EQ(graph.IndexOfLine(a, nullptr), 0);
  EXPECT_EQ(graph.IndexOfLine(nullptr, graph.GetLine(a, 1)), 0);

  EXPECT_EQ(graph.FindLineTo(a, b), 1);  // the first of the two
  EXPECT_EQ(graph.FindLineTo(a, c), 2);
  EXPECT_EQ(graph.FindLineTo(a, d), -1);
  EXPECT_EQ(graph.FindLineTo(a, nullptr), -1);
  EXPECT_EQ(graph.FindLineTo(nullptr, b), -1);
  EXPECT_EQ(graph.FindLineTo(root, c), 3);

  // A link without a target never matches, not even a search for nothing.
  auto loose = std::make_unique<TheLine>();
  loose->Next = std::move(a->FirstLine);
  a->FirstLine = std::move(loose);
  EXPECT_EQ(graph.FindLineTo(a, nullptr), -1);
  EXPECT_EQ(graph.FindLineTo(a, b), 2);
}

TEST_F(GraphTest, NodesEqualIsIdentityForListedNodes) {
  EXPECT_TRUE(TheBaseOfGraf::NodesEqual(a, a));
  EXPECT_FALSE(TheBaseOfGraf::NodesEqual(a, nullptr));
  EXPECT_FALSE(TheBaseOfGraf::NodesEqual(nullptr, a));
  // Same type, number and place, but different successors in the list.
  EXPECT_FALSE(TheBaseOfGraf::NodesEqual(c, d));
  // Two loose nodes with the same fields compare equal.
  TheNode p, q;
  p.X = q.X = 4;
  p.Name = "P";
  q.Name = "Q";
  EXPECT_TRUE(TheBaseOfGraf::NodesEqual(&p, &q));
  q.Y = 1;
  EXPECT_FALSE(TheBaseOfGraf::NodesEqual(&p, &q));
}

TEST_F(GraphTest, LinksCountedAndPickedByKind) {
  TheNode* r = member(root, 11, "R1");
  for (int k : {alHaveItem, alOutPin, alInPin, alOutPin, alControl, alHaveItem})
    graph.AddLine(-2, r, d, static_cast<std::uint8_t>(k));
  graph.AddLine(-2, r, d, 103);
  graph.AddLine(-2, r, d, 200);
  const KindSet out{alOutPin};
  EXPECT_EQ(graph.GetLineOfKinds(r, 1, out), graph.GetLine(r, 2));
  EXPECT_EQ(graph.GetLineOfKinds(r, 2, out), graph.GetLine(r, 4));
  EXPECT_EQ(graph.GetLineOfKinds(r, 3, out), nullptr);
  EXPECT_EQ(graph.GetLineOfKinds(r, 0, out), nullptr);
  EXPECT_EQ(graph.GetLineOfKinds(r, -2, out), nullptr);
  EXPECT_EQ(graph.GetLineOfKinds(nullptr, 1, out), nullptr);
  EXPECT_EQ(graph.GetLineOfKinds(r, 1, {alControl}), graph.GetLine(r, 5));
  EXPECT_EQ(graph.GetLineOfKinds(r, 3, {alInPin, alOutPin}), graph.GetLine(r, 4));

  EXPECT_EQ(graph.CountLinesOfKinds(r, out), 2);
  EXPECT_EQ(graph.CountLinesOfKinds(r, {alOutPin, alInPin, alControl}), 4);
  EXPECT_EQ(graph.CountLinesOfKinds(r, {}), 0);
  EXPECT_EQ(graph.CountLinesOfKinds(nullptr, out), 0);
  // The sets range over 0 to 103: 103 matches, a kind beyond never does.
  EXPECT_EQ(graph.CountLinesOfKinds(r, {103}), 1);
  EXPECT_EQ(graph.CountLinesOfKinds(r, {200, 104, -1}), 0);
  EXPECT_EQ(graph.GetLineOfKinds(r, 1, {200}), nullptr);
}

TEST_F(GraphTest, DeleteLineOutsideTheListChangesNothing) {
  graph.AddLine(-2, a, d, alWire);
  CountedLine::destroyed = 0;
  for (int pos : {-1, -2, 0, 4, 9}) {
    graph.DeleteLine(a, pos);
    EXPECT_EQ(targets(a), (Targets{b, c, d})) << "position " << pos;
  }
  graph.DeleteLine(nullptr, 1);
  graph.DeleteLine(root, 99);
  EXPECT_EQ(graph.LineCount(root), 4);
}

TEST_F(GraphTest, DeleteLineUnlinksAndFreesTheLinkAtAPosition) {
  CountedLine::destroyed = 0;
  graph.AddLine(-2, a, d, alWire, std::make_unique<CountedLine>());
  graph.AddLine(2, a, root, alWire, std::make_unique<CountedLine>());
  EXPECT_EQ(targets(a), (Targets{b, root, c, d}));
  graph.DeleteLine(a, 2);
  EXPECT_EQ(CountedLine::destroyed, 1);
  EXPECT_EQ(targets(a), (Targets{b, c, d}));
  graph.DeleteLine(a, 3);  // the last
  EXPECT_EQ(CountedLine::destroyed, 2);
  EXPECT_EQ(targets(a), (Targets{b, c}));
  // Appending after the last was deleted links after the new last one.
  graph.AddLine(-2, a, root, alWire);
  EXPECT_EQ(targets(a), (Targets{b, c, root}));
  graph.DeleteLine(a, 1);
  EXPECT_EQ(targets(a), (Targets{c, root}));
  graph.DeleteLine(a, 1);
  graph.DeleteLine(a, 1);
  EXPECT_EQ(a->FirstLine, nullptr);
  graph.DeleteLine(a, 1);
  EXPECT_EQ(a->FirstLine, nullptr);
}

TEST_F(GraphTest, FreeLinesFreesEveryLink) {
  CountedLine::destroyed = 0;
  for (int i = 0; i < 5; ++i) graph.AddLine(-2, d, a, alWire, std::make_unique<CountedLine>());
  graph.FreeLines(d);
  EXPECT_EQ(CountedLine::destroyed, 5);
  EXPECT_EQ(d->FirstLine, nullptr);
  graph.FreeLines(nullptr);
  graph.FreeLines(d);
  EXPECT_EQ(CountedLine::destroyed, 5);
}

TEST_F(GraphTest, FindChildByNameLooksAtMembersOnlyAndIsCaseSensitive) {
  TheNode* x1 = member(root, ntSubCircuit, "X1");
  TheNode* r1 = member(x1, 19, "R1");
  TheNode* first = member(x1, 19, "R3");
  TheNode* second = graph.AddNode(x1, 19);
  second->Name = "R3";
  graph.AddLine(1, x1, second, alHaveItem);  // first in link order, last in the list
  TheNode* outer = member(root, 19, "R2");
  graph.AddLine(-2, x1, outer, alOutPin);

  EXPECT_EQ(graph.FindChildByName("R1", x1), r1);
  EXPECT_EQ(graph.FindChildByName("r1", x1), nullptr);
  EXPECT_EQ(graph.FindChildByName("R", x1), nullptr);
  EXPECT_EQ(graph.FindChildByName("R2", x1), nullptr);  // linked, but not a member
  EXPECT_EQ(graph.FindChildByName("R3", x1), second);
  EXPECT_NE(graph.FindChildByName("R3", x1), first);
  EXPECT_EQ(graph.FindChildByName("R1", nullptr), nullptr);
  EXPECT_EQ(graph.FindChildByName("X1", root), x1);
  EXPECT_EQ(graph.FindChildByName("R1", root), nullptr);  // one level only
}

TEST_F(GraphTest, FindNodeByNameSearchesEveryLevel) {
  TheNode* x1 = member(root, ntSubCircuit, "X1");
  TheNode* inner = member(x1, 19, "R9");
  member(root, 19, "R9");
  EXPECT_EQ(FindNodeByName(graph, "R9"), inner);  // first in the list
  EXPECT_EQ(FindNodeByName(graph, "r9"), nullptr);
  EXPECT_EQ(FindNodeByName(graph, "Upper Level"), root);
  EXPECT_EQ(FindNodeByName(graph, "Missing"), nullptr);
}

TEST_F(GraphTest, NumbersFollowListOrder) {
  graph.Renumber();
  EXPECT_EQ(root->Number, 1);
  EXPECT_EQ(a->Number, 2);
  EXPECT_EQ(d->Number, 5);
  EXPECT_EQ(graph.FindNodeByNumber(3), b);
  EXPECT_EQ(graph.FindNodeByNumber(6), nullptr);
  EXPECT_EQ(TheBaseOfGraf::GetNumber(c), 4);
  EXPECT_EQ(TheBaseOfGraf::GetNumber(nullptr), 0);

  graph.DeleteNode(b);
  TheNode* e = graph.AddNode(root, 2);
  graph.Renumber();
  EXPECT_EQ(c->Number, 3);
  EXPECT_EQ(d->Number, 4);
  EXPECT_EQ(e->Number, 5);
  EXPECT_EQ(graph.NodeCount(), 5);
}

TEST_F(GraphTest, SetAllNumbersAndTheZeroNumber) {
  graph.SetAllNumbers(0);
  EXPECT_EQ(graph.NumberMark, 0);
  EXPECT_EQ(graph.FindNodeByNumber(0), nullptr);  // even though every node has 0
  graph.SetAllNumbers(-4);
  EXPECT_EQ(graph.NumberMark, -4);
  graph.forEachNode([](TheNode* n) { EXPECT_EQ(n->Number, -4); });
  EXPECT_EQ(graph.FindNodeByNumber(-4), root);
  c->Number = 0;
  EXPECT_EQ(graph.FindNodeByNumber(0), nullptr);
}

// A link that notes whether the graph was busy when it was freed.
class BusyProbeLine : public TheLine {
 public:
  ~BusyProbeLine() override { (GraphBusy ? busy : idle)++; }
  static inline int busy = 0;
  static inline int idle = 0;
};

TEST_F(GraphTest, ClearEmptiesTheGraphButKeepsItsName) {
  graph.Name = "Amplifier";
  graph.CurrentNode = a;
  graph.SetAllNumbers(3);
  BusyProbeLine::busy = BusyProbeLine::idle = 0;
  graph.AddLine(-2, c, d, alWire, std::make_unique<BusyProbeLine>());
  graph.AddLine(-2, c, b, alWire, std::make_unique<BusyProbeLine>());
  ASSERT_FALSE(GraphBusy);
  graph.Clear();
  EXPECT_EQ(BusyProbeLine::busy, 2);  // freed while the graph was busy
  EXPECT_EQ(BusyProbeLine::idle, 0);
  EXPECT_FALSE(GraphBusy);
  EXPECT_EQ(graph.Name.str(), "Amplifier");
  EXPECT_EQ(graph.NumberMark, 0);
  EXPECT_EQ(graph.MainNode, nullptr);
  EXPECT_EQ(graph.CurrentNode, nullptr);
  EXPECT_EQ(graph.FirstNode, nullptr);
  EXPECT_EQ(graph.LastNode(), nullptr);
  EXPECT_EQ(graph.NodeCount(), 0);

  // The emptied graph takes new nodes from the start.
  TheNode* n = graph.AddNode(nullptr, 1);
  TheNode* m = graph.AddNode(n, 2);
  EXPECT_EQ(graph.FirstNode.get(), n);
  EXPECT_EQ(graph.LastNode(), m);
  EXPECT_EQ(graph.NodeCount(), 2);
  graph.Clear();
  graph.Clear();  // clearing an empty graph is harmless
  EXPECT_EQ(graph.NodeCount(), 0);
}

TEST_F(GraphTest, ClearLeavesTheBusyFlagAsItFoundIt) {
  GraphBusy = true;  // as while the main window is being built
  graph.Clear();
  EXPECT_TRUE(GraphBusy);
  GraphBusy = false;
}

TEST_F(GraphTest, SwapExchangesWholeGraphs) {
  TheBaseOfGraf other;
  other.Name = "Other";
  TheNode* otherRoot = other.AddNode(nullptr, 1);
  other.MainNode = otherRoot;
  other.CurrentNode = otherRoot;
  other.NumberMark = 9;
  graph.CurrentNode = b;

  graph.Swap(other);
  EXPECT_EQ(graph.Name.str(), "Other");
  EXPECT_EQ(other.Name.str(), "NoName");
  EXPECT_EQ(graph.FirstNode.get(), otherRoot);
  EXPECT_EQ(graph.MainNode, otherRoot);
  EXPECT_EQ(graph.CurrentNode, otherRoot);
  EXPECT_EQ(graph.NumberMark, 9);
  EXPECT_EQ(other.MainNode, root);
  EXPECT_EQ(other.CurrentNode, b);
  EXPECT_EQ(graph.NodeCount(), 1);
  EXPECT_EQ(other.NodeCount(), 5);

  // Each graph keeps appending to its own list.
  TheNode* g = graph.AddNode(otherRoot, 2);
  TheNode* o = other.AddNode(root, 2);
  EXPECT_EQ(otherRoot->NextNode.get(), g);
  EXPECT_EQ(d->NextNode.get(), o);
  EXPECT_EQ(graph.LastNode(), g);
  EXPECT_EQ(other.LastNode(), o);
  EXPECT_TRUE(graph.Contains(g));
  EXPECT_FALSE(graph.Contains(o));
}

TEST(GraphDefaults, NewGraphNodeAndLink) {
  TheBaseOfGraf g;
  EXPECT_EQ(g.Name.str(), "NoName");
  EXPECT_EQ(g.MainNode, nullptr);
  EXPECT_EQ(g.FirstNode, nullptr);
  EXPECT_EQ(g.CurrentNode, nullptr);
  EXPECT_EQ(g.NumberMark, 0);
  EXPECT_EQ(g.NodeCount(), 0);

  TheNode n;
  EXPECT_EQ(n.NodeType, 1);
  EXPECT_EQ(n.Ground, 0);
  EXPECT_EQ(n.StoreInCir, 1);
  EXPECT_TRUE(n.Value.empty());
  EXPECT_TRUE(n.Name.empty());
  EXPECT_EQ(n.Number, 0);
  EXPECT_EQ(n.Number2, 0);
  EXPECT_EQ(n.GetPos(), (TPoint{0, 0}));
  EXPECT_EQ(n.Wx, -10);
  EXPECT_EQ(n.Wy, -10);
  EXPECT_EQ(n.Polarity, 0);
  EXPECT_EQ(n.NextNode, nullptr);
  EXPECT_EQ(n.Upper, nullptr);
  EXPECT_EQ(n.Selected, 0);
  EXPECT_EQ(n.FirstLine, nullptr);
  n.X = 7;
  n.Y = -3;
  EXPECT_EQ(n.GetPos(), (TPoint{7, -3}));

  TheLine l;
  EXPECT_EQ(l.Next, nullptr);
  EXPECT_EQ(l.Node, nullptr);
  EXPECT_EQ(l.Kind, 0);
}

// Long lists are freed one element at a time: nothing recurses along a list.
TEST(GraphSize, HugeGraphsAndListsAreFreedWithoutDeepRecursion) {
  constexpr int kCount = 200000;
  {
    auto g = std::make_unique<TheBaseOfGraf>();
    TheNode* top = g->AddNode(nullptr, 1);
    top->Name = "Upper Level";
    TheNode* prev = top;
    for (int i = 1; i < kCount; ++i) {
      TheNode* n = g->AddNode(top, 2);
      g->AddLine(1, top, n, alHaveItem);  // one node with 199999 links
      g->AddLine(1, n, prev, alWire);
      prev = n;
    }
    EXPECT_EQ(g->NodeCount(), kCount);
    EXPECT_EQ(g->LineCount(top), kCount - 1);
    g.reset();  // the destructor clears
  }
  {
    TheBaseOfGraf g;
    for (int i = 0; i < kCount; ++i) g.AddNode(nullptr, 2);
    g.Clear();
    EXPECT_EQ(g.NodeCount(), 0);
  }
  {
    // A chain of nodes and a chain of links held outside any graph.
    auto head = std::make_unique<TheNode>();
    TheNode* tail = head.get();
    for (int i = 1; i < kCount; ++i) {
      tail->NextNode = std::make_unique<TheNode>();
      tail = tail->NextNode.get();
    }
    auto line = std::make_unique<TheLine>();
    TheLine* last = line.get();
    for (int i = 1; i < kCount; ++i) {
      last->Next = std::make_unique<TheLine>();
      last = last->Next.get();
    }
    head->FirstLine = std::move(line);
    head.reset();
    EXPECT_EQ(head, nullptr);
  }
}

}  // namespace
