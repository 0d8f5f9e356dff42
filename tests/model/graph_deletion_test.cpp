// Deleting from the circuit graph and its two repairs: nodes, whole
// sub-trees, owner-less nodes, pin links without a member, and links of
// member junctions to an outer junction.
#include <gtest/gtest.h>

#include <memory>

#include "model/graph.h"
#include "model/graph_test_support.h"

using namespace vemu::model;
using vemu::test::CountedLine;

namespace {

using Targets = std::vector<TheNode*>;
using Texts = std::vector<std::string>;

class GraphDeletionTest : public ::testing::Test, public vemu::test::GraphFixtureBase {
 protected:
  // No link of any listed node points at a node outside the list, and every
  // owner is a listed node.
  void expectNoDanglingReferences() {
    graph.forEachNode([&](TheNode* n) {
      n->forEachLine([&](TheLine* l) {
        EXPECT_TRUE(!l->Node || graph.Contains(l->Node)) << "link of " << n->Name.str();
      });
      EXPECT_TRUE(!n->Upper || graph.Contains(n->Upper)) << "owner of " << n->Name.str();
    });
    EXPECT_TRUE(!graph.MainNode || graph.Contains(graph.MainNode));
    EXPECT_TRUE(!graph.CurrentNode || graph.Contains(graph.CurrentNode));
  }
};

TEST_F(GraphDeletionTest, DeleteNodeOfTheShownAndCurrentContainer) {
  TheNode* j0 = member(root, ntJunction, "1");
  TheNode* x1 = member(root, ntSubCircuit, "X1");
  TheNode* j1 = member(x1, ntJunction, "1");
  TheNode* r1 = member(x1, 19, "R1");
  TheNode* f = member(root, 13, "F1");
  graph.AddLine(-2, x1, j0, alOutPin);
  graph.AddLine(-2, f, x1, alControl);
  graph.AddLine(-2, f, j0, alOutPin);
  graph.AddLine(-2, f, x1, alControl);
  graph.MainNode = x1;
  graph.CurrentNode = x1;
  graph.Renumber();

  graph.DeleteNode(x1);
  EXPECT_EQ(graph.MainNode, nullptr);
  EXPECT_EQ(graph.CurrentNode, nullptr);
  EXPECT_FALSE(graph.Contains(x1));
  EXPECT_EQ(names(), (Texts{"Upper Level", "1", "1", "R1", "F1"}));
  EXPECT_EQ(j1->Upper, nullptr);
  EXPECT_EQ(r1->Upper, nullptr);
  EXPECT_EQ(targets(root), (Targets{j0, f}));
  EXPECT_EQ(targets(f), (Targets{j0}));
  EXPECT_TRUE(dialogs.boxes.empty());
  expectNoDanglingReferences();

  // The members left without an owner go with two messages each.
  graph.DeleteOrphans();
  EXPECT_EQ(dialogs.texts(), (Texts{"WARNING: delete nil:1 [#4] ", "delete Upper=NIL nil:ERROR_NODE [#4] ",
                                    "WARNING: delete nil:R1 [#5] ", "delete Upper=NIL nil:ERROR_NODE [#5] "}));
  EXPECT_EQ(names(), (Texts{"Upper Level", "1", "F1"}));
  expectNoDanglingReferences();
}

TEST_F(GraphDeletionTest, DeleteNodeAtEitherEndOfTheList) {
  TheNode* a = member(root, ntJunction, "1");
  TheNode* b = member(root, ntJunction, "2");
  graph.AddLine(-2, a, b, alWire);
  graph.AddLine(-2, b, a, alWire);

  graph.DeleteNode(b);  // the tail
  EXPECT_EQ(graph.LastNode(), a);
  EXPECT_EQ(a->FirstLine, nullptr);
  TheNode* c = graph.AddNode(root, ntJunction);
  EXPECT_EQ(a->NextNode.get(), c);

  graph.DeleteNode(root);  // the head
  EXPECT_EQ(graph.FirstNode.get(), a);
  EXPECT_EQ(graph.MainNode, nullptr);
  EXPECT_EQ(a->Upper, nullptr);
  EXPECT_EQ(c->Upper, nullptr);
  EXPECT_EQ(graph.NodeCount(), 2);

  graph.DeleteNode(nullptr);
  EXPECT_EQ(graph.NodeCount(), 2);
  graph.DeleteNode(a);
  graph.DeleteNode(c);
  EXPECT_EQ(graph.FirstNode, nullptr);
  EXPECT_EQ(graph.LastNode(), nullptr);
  TheNode* fresh = graph.AddNode(nullptr, 1);
  EXPECT_EQ(graph.FirstNode.get(), fresh);
}

TEST_F(GraphDeletionTest, DeleteNodeOfANodeOutsideTheListLeavesTheListAlone) {
  TheNode* a = member(root, ntJunction, "1");
  auto loose = std::make_unique<TheNode>();
  CountedLine::destroyed = 0;
  graph.AddLine(-2, loose.get(), a, alWire, std::make_unique<CountedLine>());
  graph.AddLine(-2, a, loose.get(), alWire);
  graph.AddLine(-2, a, root, alWire);

  graph.DeleteNode(loose.get());
  EXPECT_EQ(CountedLine::destroyed, 1);
  EXPECT_EQ(loose->FirstLine, nullptr);
  EXPECT_EQ(targets(a), (Targets{root}));
  EXPECT_EQ(graph.NodeCount(), 2);
}

TEST_F(GraphDeletionTest, RetargetLinesMovesOrDropsEveryLinkToANode) {
  TheNode* a = member(root, ntJunction, "1");
  TheNode* b = member(root, ntJunction, "2");
  TheNode* c = member(root, ntJunction, "3");
  graph.AddLine(-2, a, b, alWire);
  graph.AddLine(-2, a, b, alWire);
  graph.AddLine(-2, a, c, alWire);
  graph.AddLine(-2, a, b, alWire);
  graph.AddLine(-2, c, b, alWire);

  graph.RetargetLines(b, c);
  EXPECT_EQ(targets(a), (Targets{c, c, c, c}));
  EXPECT_EQ(targets(c), (Targets{c}));
  EXPECT_EQ(targets(root), (Targets{a, c, c}));  // the member link to b as well
  EXPECT_EQ(kinds(a), (std::vector<int>{alWire, alWire, alWire, alWire}));

  graph.RetargetLines(c, nullptr);
  EXPECT_EQ(a->FirstLine, nullptr);
  EXPECT_EQ(c->FirstLine, nullptr);
  EXPECT_EQ(targets(root), (Targets{a}));  // the member links went too

  graph.RetargetLines(nullptr, a);
  EXPECT_EQ(targets(root), (Targets{a}));
  TheBaseOfGraf empty;
  empty.RetargetLines(a, nullptr);
  EXPECT_EQ(empty.NodeCount(), 0);
}

TEST_F(GraphDeletionTest, RemoveReferencesClearsEveryPointerToANode) {
  TheNode* x1 = member(root, ntSubCircuit, "X1");
  TheNode* r1 = member(x1, 19, "R1");
  TheNode* j = member(root, ntJunction, "1");
  graph.AddLine(-2, j, x1, alWire);
  graph.AddLine(-2, j, root, alWire);
  graph.AddLine(-2, j, x1, alWire);
  graph.CurrentNode = x1;
  graph.MainNode = x1;
  graph.RemoveReferences(x1);
  EXPECT_EQ(graph.CurrentNode, nullptr);
  EXPECT_EQ(graph.MainNode, nullptr);
  EXPECT_EQ(r1->Upper, nullptr);
  EXPECT_EQ(targets(j), (Targets{root}));
  EXPECT_EQ(targets(root), (Targets{j}));
  EXPECT_TRUE(graph.Contains(x1));  // only the references go
  EXPECT_EQ(x1->Upper, root);
  graph.RemoveReferences(nullptr);
  EXPECT_EQ(graph.NodeCount(), 4);
}

TEST_F(GraphDeletionTest, DeleteNodeTreeTakesNestedSubCircuits) {
  TheNode* j0 = member(root, ntJunction, "1");
  TheNode* x1 = member(root, ntSubCircuit, "X1");
  TheNode* j1 = member(x1, ntJunction, "1");
  TheNode* x2 = member(x1, ntSubCircuit, "X2");
  TheNode* j2 = member(x2, ntJunction, "1");
  TheNode* r2 = member(x2, 19, "R2");
  TheNode* r1 = member(x1, 19, "R1");
  TheNode* f = member(root, 13, "F1");
  graph.AddLine(-2, x1, j0, alOutPin);
  graph.AddLine(-2, j1, j0, alWire);
  graph.AddLine(-2, x2, j1, alOutPin);
  graph.AddLine(-2, j2, j1, alWire);
  graph.AddLine(-2, r2, j2, alOutPin);
  graph.AddLine(-2, r1, j1, alInPin);
  graph.AddLine(-2, f, r2, alControl);  // a (damaged) link from outside into the tree
  graph.AddLine(-2, f, j0, alOutPin);
  graph.CurrentNode = r2;
  CountedLine::destroyed = 0;
  graph.AddLine(-2, r2, j1, alWire, std::make_unique<CountedLine>());

  graph.DeleteNodeTree(x1);
  EXPECT_EQ(names(), (Texts{"Upper Level", "1", "F1"}));
  EXPECT_EQ(targets(root), (Targets{j0, f}));
  EXPECT_EQ(targets(f), (Targets{j0}));
  EXPECT_EQ(graph.CurrentNode, nullptr);
  EXPECT_EQ(graph.MainNode, root);
  EXPECT_EQ(CountedLine::destroyed, 1);
  expectNoDanglingReferences();
  EXPECT_TRUE(dialogs.boxes.empty());
  // Nothing is left without an owner.
  graph.DeleteOrphans();
  EXPECT_TRUE(dialogs.boxes.empty());

  graph.DeleteNodeTree(nullptr);
  EXPECT_EQ(graph.NodeCount(), 3);
  // A plain element is deleted like DeleteNode.
  graph.DeleteNodeTree(f);
  EXPECT_EQ(names(), (Texts{"Upper Level", "1"}));
}

TEST_F(GraphDeletionTest, DeleteNodeTreeSurvivesAMembershipCycle) {
  TheNode* keep = member(root, 19, "R0");
  TheNode* x1 = member(root, ntSubCircuit, "X1");
  TheNode* x2 = member(x1, ntSubCircuit, "X2");
  TheNode* r1 = member(x2, 19, "R1");
  graph.AddLine(-2, x2, x1, alHaveItem);  // X2 claims its own container
  graph.AddLine(-2, x2, x2, alHaveItem);  // and itself
  graph.AddLine(-2, r1, x1, alHaveItem);
  graph.AddLine(-2, x1, r1, alHaveItem);  // R1 twice in X1's level

  graph.DeleteNodeTree(x1);
  EXPECT_EQ(names(), (Texts{"Upper Level", "R0"}));
  EXPECT_EQ(targets(root), (Targets{keep}));
  expectNoDanglingReferences();

  // A member shared by two containers goes with the first; the other loses its link.
  TheNode* x3 = member(root, ntSubCircuit, "X3");
  TheNode* x4 = member(root, ntSubCircuit, "X4");
  TheNode* shared = member(x3, ntJunction, "1");
  graph.AddLine(-2, x4, shared, alHaveItem);
  graph.DeleteNodeTree(x3);
  EXPECT_EQ(names(), (Texts{"Upper Level", "R0", "X4"}));
  EXPECT_EQ(x4->FirstLine, nullptr);
  expectNoDanglingReferences();
}

TEST_F(GraphDeletionTest, DeleteOrphansSparesNamesWithUpAndReportsOthers) {
  const char* names_[] = {"SetUp", "setup", "xUpx", "UP", "R1"};
  for (const char* name : names_) {
    TheNode* n = graph.AddNode(nullptr, 19);
    n->Name = name;
  }
  TheNode* j = member(root, ntJunction, "1");
  TheNode* target = graph.FirstNode->NextNode->NextNode.get();  // "setup"
  graph.AddLine(-2, j, target, alWire);
  graph.AddLine(-2, j, root, alWire);
  graph.Renumber();

  graph.DeleteOrphans();
  EXPECT_EQ(names(), (Texts{"Upper Level", "SetUp", "xUpx", "1"}));
  EXPECT_EQ(dialogs.texts(),
            (Texts{"WARNING: delete nil:setup [#3] ", "delete Upper=NIL nil:ERROR_NODE [#3] ",
                   "WARNING: delete nil:UP [#5] ", "delete Upper=NIL nil:ERROR_NODE [#5] ",
                   "WARNING: delete nil:R1 [#6] ", "delete Upper=NIL nil:ERROR_NODE [#6] "}));
  EXPECT_EQ(targets(j), (Targets{root}));
  expectNoDanglingReferences();
}

TEST_F(GraphDeletionTest, DeleteOrphansShowsNamesAsUtf8) {
  TheNode* n = graph.AddNode(nullptr, 19);
  n->Name = "\xD0\xE5\x37";  // cp1251 for the Cyrillic "Re" and 7
  n->Number = 12;
  graph.DeleteOrphans();
  EXPECT_EQ(dialogs.texts(), (Texts{"WARNING: delete nil:\xD0\xA0\xD0\xB5" "7 [#12] ",
                                    "delete Upper=NIL nil:ERROR_NODE [#12] "}));
  EXPECT_EQ(graph.NodeCount(), 1);
}

TEST_F(GraphDeletionTest, DeleteOrphansLeavesNoOwnerlessMemberBehind) {
  // Members listed before their owner-less container lose their owner only
  // when the container goes; they must not stay behind.
  TheNode* early = graph.AddNode(nullptr, ntJunction);
  early->Name = "1";
  TheNode* x1 = graph.AddNode(nullptr, ntSubCircuit);
  x1->Name = "X1";
  early->Upper = x1;
  graph.AddLine(-2, x1, early, alHaveItem);
  TheNode* late = member(x1, 19, "R1");
  (void)late;
  graph.Renumber();

  graph.DeleteOrphans();
  EXPECT_EQ(names(), (Texts{"Upper Level"}));
  EXPECT_EQ(dialogs.texts(),
            (Texts{"WARNING: delete nil:X1 [#3] ", "delete Upper=NIL nil:ERROR_NODE [#3] ",
                   "WARNING: delete nil:R1 [#4] ", "delete Upper=NIL nil:ERROR_NODE [#4] ",
                   "WARNING: delete nil:1 [#2] ", "delete Upper=NIL nil:ERROR_NODE [#2] "}));
  dialogs.boxes.clear();
  graph.DeleteOrphans();
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(GraphDeletionTest, CheckPinLinesDropsPinsWithoutAMember) {
  TheNode* o1 = member(root, ntJunction, "1");
  TheNode* o2 = member(root, ntJunction, "2");
  TheNode* o3 = member(root, ntJunction, "3");
  TheNode* x1 = member(root, ntSubCircuit, "X1");
  member(x1, ntJunction, "1");
  member(x1, ntJunction, "2");
  graph.AddLine(-2, x1, o1, alOutPin);
  graph.AddLine(-2, x1, o3, alOutPin);
  graph.AddLine(-2, x1, o3, alOutPin);
  graph.AddLine(-2, x1, o2, alOutPin);
  graph.AddLine(-2, x1, o3, alInPin);  // not a pin link
  graph.AddLine(-2, x1, o3, alOutPin);
  graph.Renumber();

  graph.CheckPinLines(x1);
  EXPECT_EQ(dialogs.texts(), (Texts(3, "WARNING: delete LINE X1 [#5] ")));
  std::vector<TheNode*> pins;
  x1->forEachLine([&](TheLine* l) {
    if (l->Kind != alHaveItem) pins.push_back(l->Node);
  });
  EXPECT_EQ(pins, (Targets{o1, o2, o3}));
  EXPECT_EQ(kinds(x1).back(), alInPin);

  dialogs.boxes.clear();
  graph.CheckPinLines(x1);  // nothing more to drop
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(GraphDeletionTest, CheckPinLinesOnlyForContainers) {
  TheNode* o1 = member(root, ntJunction, "1");
  TheNode* r1 = member(root, 19, "R1");
  graph.AddLine(-2, r1, o1, alOutPin);
  graph.CheckPinLines(r1);
  graph.CheckPinLines(nullptr);
  EXPECT_EQ(targets(r1), (Targets{o1}));
  EXPECT_TRUE(dialogs.boxes.empty());

  // A pin link without a target is left alone.
  TheNode* x1 = member(root, ntSubCircuit, "X1");
  auto loose = std::make_unique<TheLine>();
  loose->Kind = alOutPin;
  x1->FirstLine = std::move(loose);
  graph.CheckPinLines(x1);
  EXPECT_EQ(graph.LineCount(x1), 1);
  EXPECT_TRUE(dialogs.boxes.empty());

  // Inside a sub-circuit the description carries the owner's name.
  TheNode* x2 = member(x1, ntSubCircuit, "X2");
  x2->Number = 8;
  graph.AddLine(-2, x2, o1, alOutPin);
  graph.CheckPinLines(x2);
  EXPECT_EQ(dialogs.texts(), (Texts{"WARNING: delete LINE X1.X2 [#8] "}));
  EXPECT_EQ(x2->FirstLine, nullptr);
}

TEST_F(GraphDeletionTest, UnlinkFromJunctionsDropsTheFirstLinkOfEachMemberJunction) {
  TheNode* outer = member(root, ntJunction, "1");
  TheNode* other = member(root, ntJunction, "2");
  TheNode* x1 = member(root, ntSubCircuit, "X1");
  TheNode* j1 = member(x1, ntJunction, "1");
  TheNode* j2 = member(x1, ntJunction, "2");
  TheNode* r1 = member(x1, 19, "R1");
  graph.AddLine(-2, j1, other, alWire);
  graph.AddLine(-2, j1, outer, alWire);
  graph.AddLine(-2, j1, outer, alWire);
  graph.AddLine(-2, j2, j1, alWire);
  graph.AddLine(-2, r1, outer, alOutPin);

  graph.UnlinkFromJunctions(x1, outer);
  EXPECT_EQ(targets(j1), (Targets{other, outer}));
  EXPECT_EQ(targets(j2), (Targets{j1}));
  EXPECT_EQ(targets(r1), (Targets{outer}));  // elements are not junctions

  // Only a container and a junction.
  graph.UnlinkFromJunctions(r1, outer);
  graph.UnlinkFromJunctions(x1, r1);
  graph.UnlinkFromJunctions(nullptr, outer);
  graph.UnlinkFromJunctions(x1, nullptr);
  EXPECT_EQ(targets(j1), (Targets{other, outer}));
  graph.UnlinkFromJunctions(root, j1);  // root's member junction "2"? no link to j1 there
  EXPECT_EQ(targets(j2), (Targets{j1}));
  graph.UnlinkFromJunctions(x1, j1);  // j2 is a member of X1 with a link to j1
  EXPECT_EQ(j2->FirstLine, nullptr);
  EXPECT_TRUE(dialogs.boxes.empty());
}

}  // namespace
