// Moving selections between levels: the connections between element
// terminals stay, the levels stay well formed, and the circuit reads back
// as it was written.
#include "model/hierarchy.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

#include "files/circuit_file.h"
#include "graph_test_support.h"
#include "model/node_types.h"
#include "netlist/net_numbering.h"

namespace vemu::test {
namespace {

using model::Hierarchy;
using model::TheLine;

class RecordingHost : public model::HierarchyHost {
 public:
  explicit RecordingHost(model::TheBaseOfGraf& graph) : graph_(graph) {}
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void ShowOnNode(TheNode* node, const std::string& text, const std::string&) override {
    // Shown only once the move is complete: the node is still in the graph.
    EXPECT_TRUE(graph_.Contains(node));
    messages.push_back(text);
  }
  void StopTimer() override { ++timerStops; }
  void StartTimer() override { --timerStops; }
  void ForgetNodePointers() override { ++forgets; }
  void SetCurrentNode(TheNode* n) override { graph_.CurrentNode = n; }
  void NumberNets() override { netlist::NumberJunctions(graph_); }
  void ShowInPreview(TheNode* container) override { preview = container; }
  int Random(int n) override { return static_cast<int>(rng() % static_cast<unsigned>(n)); }

  std::vector<std::string> messages;
  int timerStops = 0;
  int forgets = 0;
  TheNode* preview = nullptr;
  std::minstd_rand rng{7};

 private:
  model::TheBaseOfGraf& graph_;
};

using Partition = std::set<std::set<std::string>>;

class HierarchyTest : public GraphFixtureBase, public ::testing::Test {
 protected:
  HierarchyTest() : host(graph), hierarchy(graph, host) {}

  // An element of `owner` from `out` (kind 4) to `in` (kind 5).
  TheNode* element(TheNode* owner, const std::string& name, TheNode* out, TheNode* in, int x = 0, int y = 0) {
    TheNode* e = member(owner, 19, name, x, y);
    graph.AddLine(-2, e, out, model::alOutPin);
    graph.AddLine(-2, e, in, model::alInPin);
    return e;
  }

  // The element terminals grouped by the net they lie on.
  Partition Terminals() {
    netlist::NumberJunctions(graph);
    std::map<std::string, std::set<std::string>> nets;
    graph.forEachNode([&](TheNode* n) {
      if (!n->IsElement()) return;
      // Pins of the sub-circuit elements the circuit starts with count too.
      if (n->IsContainer() && n->Name.str() != "X0") return;
      n->forEachLine([&](TheLine* l) {
        if (l->Kind == model::alOutPin || l->Kind == model::alInPin)
          nets[l->Node->Name.str()].insert(n->Name.str() + ":" + std::to_string(l->Kind));
      });
    });
    Partition out;
    for (auto& [net, terminals] : nets) out.insert(terminals);
    return out;
  }

  // Every level well formed: owners match membership, terminals and pins
  // reach junctions of the right level, wires join one level or lead out
  // of a sub-circuit into the level that holds it, no link to itself, and
  // each pin stands for an inner wire.
  void ExpectWellFormed() {
    std::map<const TheNode*, int> memberships;
    graph.forEachNode([&](TheNode* n) {
      n->forEachLine([&](TheLine* l) {
        if (l->Kind == model::alHaveItem) {
          EXPECT_EQ(++memberships[l->Node], 1) << l->Node->Describe();
        }
      });
    });
    graph.forEachNode([&](TheNode* n) {
      n->forEachLine([&](TheLine* l) {
        TheNode* t = l->Node;
        ASSERT_NE(t, nullptr);
        EXPECT_NE(t, n) << n->Describe();
        if (l->Kind == model::alHaveItem) {
          EXPECT_EQ(t->Upper, n) << t->Describe();
        } else if (n->IsContainer()) {
          EXPECT_EQ(l->Kind, model::alOutPin);
          EXPECT_EQ(t->Upper, n->Upper) << n->Describe() << "->" << t->Describe();
        } else if (n->IsElement()) {
          EXPECT_TRUE(t->IsJunction());
          EXPECT_EQ(t->Upper, n->Upper) << n->Describe() << "->" << t->Describe();
        } else if (n->IsJunction()) {
          const bool sameLevel = t->Upper == n->Upper;
          const bool pinWire = n->Upper && t->Upper == n->Upper->Upper;
          EXPECT_TRUE(sameLevel || pinWire) << n->Describe() << "->" << t->Describe();
        }
      });
    });
  }

  void SelectOnly(TheNode* level, const std::vector<TheNode*>& nodes) {
    level->forEachLine([](TheLine* l) { l->Node->Selected = 0; });
    for (TheNode* n : nodes) n->Selected = 1;
  }

  std::vector<TheNode*> MembersOf(TheNode* level) {
    std::vector<TheNode*> out;
    level->forEachLine([&](TheLine* l) {
      if (l->Kind == model::alHaveItem) out.push_back(l->Node);
    });
    return out;
  }

  std::string FileText() { return files::FormatCircuitFile(graph, {}); }

  // A random circuit on the top level: junctions on a grid, elements
  // between two of them, wires between some.
  void Generate(std::mt19937& rng, int junctions, int elements, int wires) {
    std::vector<TheNode*> js;
    for (int i = 0; i < junctions; ++i)
      js.push_back(member(root, model::ntJunction, "j" + std::to_string(i), (i % 8) * 60, (i / 8) * 60));
    std::uniform_int_distribution<int> pick(0, junctions - 1);
    for (int i = 0; i < elements; ++i) {
      TheNode* a = js[static_cast<std::size_t>(pick(rng))];
      TheNode* b = js[static_cast<std::size_t>(pick(rng))];
      element(root, "R" + std::to_string(i + 1), a, b, a->X + 30, a->Y + 20);
    }
    for (int i = 0; i < wires; ++i) {
      TheNode* a = js[static_cast<std::size_t>(pick(rng))];
      TheNode* b = js[static_cast<std::size_t>(pick(rng))];
      if (a != b) graph.AddLine(-2, a, b, model::alWire);
    }
    // A sub-circuit with two inner nets, each wired out to a top-level junction.
    TheNode* x = member(root, model::ntSubCircuit, "X0", 500, 500);
    TheNode* p = member(x, model::ntJunction, "p", 0, 0);
    TheNode* q = member(x, model::ntJunction, "q", 60, 0);
    element(x, "S1", p, q, 30, 20);
    element(x, "S2", q, p, 30, 40);
    graph.AddLine(-2, p, js[static_cast<std::size_t>(pick(rng))], model::alWire);
    graph.AddLine(-2, q, js[static_cast<std::size_t>(pick(rng))], model::alWire);
    hierarchy.CorrectSubCircuitLines();
  }

  std::vector<TheNode*> RandomSelection(std::mt19937& rng, TheNode* level, int percent) {
    std::vector<TheNode*> out;
    for (TheNode* m : MembersOf(level))
      if (static_cast<int>(rng() % 100) < percent) out.push_back(m);
    return out;
  }

  RecordingHost host;
  Hierarchy hierarchy;
};

TEST_F(HierarchyTest, MovesKeepEveryTerminalOnItsNet) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE(seed);
    graph.Clear();
    root = graph.AddNode(nullptr, model::ntRoot);
    root->Name = "Upper Level";
    root->Value = "Level";  // as every circuit read from a file has it
    graph.MainNode = root;
    std::mt19937 rng(seed);
    Generate(rng, 6 + static_cast<int>(seed % 10), 8 + static_cast<int>(seed % 7), static_cast<int>(seed % 5));
    const Partition before = Terminals();

    // Into a new sub-circuit.
    SelectOnly(root, RandomSelection(rng, root, 40));
    int count = 0;
    TheNode* x = hierarchy.NewSubCircuit(root, hierarchy.SelectionMean(count));
    hierarchy.MoveSelectedFromTo(root, x);
    EXPECT_EQ(Terminals(), before);
    ExpectWellFormed();
    EXPECT_EQ(host.timerStops, 0);
    EXPECT_EQ(host.preview, x);

    // More of the top level into the existing sub-circuit.
    SelectOnly(root, RandomSelection(rng, root, 30));
    x->Selected = 0;
    hierarchy.MoveSelectedFromTo(root, x);
    EXPECT_EQ(Terminals(), before);
    ExpectWellFormed();

    // A nested sub-circuit inside it, then part of it back up.
    graph.MainNode = x;
    SelectOnly(x, RandomSelection(rng, x, 50));
    TheNode* inner = hierarchy.NewSubCircuit(x, hierarchy.SelectionMean(count));
    hierarchy.MoveSelectedFromTo(x, inner);
    EXPECT_EQ(Terminals(), before);
    ExpectWellFormed();

    // Everything of the sub-circuit (the nested one too) back up.
    SelectOnly(x, MembersOf(x));
    hierarchy.MoveSelectedFromTo(x, root);
    EXPECT_EQ(Terminals(), before);
    ExpectWellFormed();

    // The circuit reads back as it was written.
    const std::string text = FileText();
    files::CircuitReadResult read = files::ReadCircuitText(text, "t.dag");
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(files::FormatCircuitFile(*read.graph, {}), text);
    EXPECT_TRUE(host.messages.empty()) << host.messages.front();
    host.messages.clear();
  }
}

TEST_F(HierarchyTest, ConnectorsOfEachKind) {
  // R1 between a and b; R1 and a move into X1, b stays outside.
  TheNode* a = member(root, model::ntJunction, "a", 0, 0);
  TheNode* b = member(root, model::ntJunction, "b", 100, 0);
  b->Ground = 2;
  TheNode* r1 = element(root, "R1", a, b, 50, 0);
  SelectOnly(root, {a, r1});
  int count = 0;
  TheNode* x = hierarchy.NewSubCircuit(root, hierarchy.SelectionMean(count));
  EXPECT_EQ(x->Name.str(), "X1");
  EXPECT_EQ(x->X, 25);
  hierarchy.MoveSelectedFromTo(root, x);
  // The element's input now reaches a connector inside X1, wired out to b,
  // and X1 has a pin on b.
  TheNode* d = graph.GetLineOfKinds(r1, 1, {model::alInPin})->Node;
  EXPECT_EQ(d->Upper, x);
  EXPECT_EQ(d->X, 100);
  EXPECT_EQ(d->Selected, 1);
  EXPECT_EQ(graph.FindLineTo(d, b) > 0, true);
  ASSERT_EQ(graph.CountLinesOfKinds(x, {model::alOutPin}), 1);
  EXPECT_EQ(graph.GetLineOfKinds(x, 1, {model::alOutPin})->Node, b);

  // R1 back up while a stays inside: a connector in the upper level, and
  // a gets a wire to it.
  graph.MainNode = x;
  SelectOnly(x, {r1});
  hierarchy.MoveSelectedFromTo(x, root);
  TheNode* up = graph.GetLineOfKinds(r1, 1, {model::alOutPin})->Node;
  EXPECT_EQ(up->Upper, root);
  EXPECT_EQ(up->X, a->X);
  EXPECT_GT(graph.FindLineTo(a, up), 0);
  ExpectWellFormed();

  // The connector back up onto b: the two are merged, and the net keeps
  // b's ground mark.
  SelectOnly(x, {d});
  const int nodes = graph.NodeCount();
  hierarchy.MoveSelectedFromTo(x, root);
  EXPECT_EQ(graph.NodeCount(), nodes - 1);
  EXPECT_EQ(graph.GetLineOfKinds(r1, 1, {model::alInPin})->Node->Ground, 2);
  ExpectWellFormed();
}

TEST_F(HierarchyTest, SubCircuitElementMovedUpKeepsItsPins) {
  // X1 on the top level holds X2; X2's inner junction is wired to X1's
  // junction n, so X2 has a pin on n.
  TheNode* n = member(root, model::ntJunction, "n", 0, 0);
  TheNode* g = member(root, model::ntJunction, "g", 0, 100);
  element(root, "R1", n, g);
  SelectOnly(root, {n});
  int count = 0;
  TheNode* x1 = hierarchy.NewSubCircuit(root, {200, 0});
  hierarchy.MoveSelectedFromTo(root, x1);
  TheNode* x2 = member(x1, model::ntSubCircuit, "X2", 50, 50);
  TheNode* inner = member(x2, model::ntJunction, "i", 0, 0);
  TheNode* k = member(x2, model::ntJunction, "k", 0, 50);
  element(x2, "R2", inner, k);
  graph.AddLine(-2, inner, n, model::alWire);
  hierarchy.CorrectSubCircuitLines();
  const Partition before = Terminals();
  ASSERT_EQ(graph.CountLinesOfKinds(x2, {model::alOutPin}), 1);

  SelectOnly(x1, {x2});
  hierarchy.MoveSelectedFromTo(x1, root);
  EXPECT_EQ(x2->Upper, root);
  EXPECT_EQ(graph.CountLinesOfKinds(x2, {model::alOutPin}), 1);
  EXPECT_EQ(Terminals(), before);
  ExpectWellFormed();
  (void)count;
}

TEST_F(HierarchyTest, PinJunctionMovedIntoASiblingSubCircuitKeepsThePin) {
  // X1's inner junction i is wired to the top-level junction n; n alone
  // moves into a new X2 beside X1.
  // n is reached by a wire only, so no element's connector stands in for it.
  TheNode* n = member(root, model::ntJunction, "n", 100, 0);
  TheNode* g = member(root, model::ntJunction, "g", 100, 100);
  TheNode* h = member(root, model::ntJunction, "h", 200, 100);
  graph.AddLine(-2, n, g, model::alWire);
  element(root, "R1", g, h);
  TheNode* x1 = member(root, model::ntSubCircuit, "X1", 0, 0);
  TheNode* i = member(x1, model::ntJunction, "i", 0, 0);
  TheNode* k = member(x1, model::ntJunction, "k", 0, 50);
  element(x1, "R2", i, k);
  graph.AddLine(-2, i, n, model::alWire);
  hierarchy.CorrectSubCircuitLines();
  const Partition before = Terminals();
  // The wire alone must carry the pin over: X1's pin link is not there yet.
  graph.DeleteLine(x1, graph.IndexOfLine(x1, graph.GetLineOfKinds(x1, 1, {model::alOutPin})));
  SelectOnly(root, {n});
  TheNode* x2 = hierarchy.NewSubCircuit(root, {200, 0});
  hierarchy.MoveSelectedFromTo(root, x2);
  EXPECT_EQ(n->Upper, x2);
  EXPECT_EQ(graph.CountLinesOfKinds(x1, {model::alOutPin}), 1);
  EXPECT_EQ(graph.CountLinesOfKinds(x2, {model::alOutPin}), 1);
  EXPECT_EQ(Terminals(), before);
  ExpectWellFormed();
}

TEST_F(HierarchyTest, ControlLinkAcrossLevelsIsRemovedWithOneLateMessage) {
  TheNode* a = member(root, model::ntJunction, "a", 0, 0);
  TheNode* b = member(root, model::ntJunction, "b", 100, 0);
  TheNode* e1 = element(root, "E1", a, b, 0, 50);
  TheNode* e2 = element(root, "E2", a, b, 100, 50);
  graph.AddLine(-2, e1, e2, model::alControl);
  SelectOnly(root, {e1});
  TheNode* x = hierarchy.NewSubCircuit(root, {0, 0});
  hierarchy.MoveSelectedFromTo(root, x);
  EXPECT_EQ(graph.CountLinesOfKinds(e1, {model::alControl}), 0);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_NE(host.messages[0].find("Irrevocable removing"), std::string::npos);
}

TEST_F(HierarchyTest, RefusedMovesChangeNothing) {
  TheNode* a = member(root, model::ntJunction, "a");
  TheNode* other = member(root, model::ntSubCircuit, "X9", 10, 10);
  TheNode* deeper = member(other, model::ntSubCircuit, "X8");
  a->Selected = 1;
  const std::string text = FileText();
  hierarchy.MoveSelectedFromTo(nullptr, other);
  hierarchy.MoveSelectedFromTo(root, nullptr);
  EXPECT_TRUE(host.messages.empty());
  hierarchy.MoveSelectedFromTo(root, deeper);  // not a level next to the root
  EXPECT_EQ(host.messages, std::vector<std::string>{"INTERNAL_ERROR-334: Abort operation."});
  EXPECT_EQ(FileText(), text);
  // The target itself never moves into itself.
  other->Selected = 1;
  hierarchy.MoveSelectedFromTo(root, other);
  EXPECT_EQ(other->Upper, root);
  EXPECT_EQ(a->Upper, other);
}

struct MergeCase {
  const char* what;
  int distance;
  bool wired;        // the two junctions share a net
  bool merged;
  int groundA = 0, groundB = 0;  // a is kept, b merged into it
  int kept = 0;                  // a's ground mark afterwards
};

TEST_F(HierarchyTest, RepairMergesOnlyJunctionsOfOneNet) {
  const MergeCase cases[] = {
      {"one net, distance 9", 9, true, true},
      {"one net, distance 10", 10, true, false},
      {"two nets, distance 0", 0, false, false},
      {"two nets, distance 9", 9, false, false},
      {"the merged one grounded", 5, true, true, 0, 3, 3},
      {"both grounded: the kept one's mark", 5, true, true, 2, 3, 2},
  };
  for (const MergeCase& c : cases) {
    SCOPED_TRACE(c.what);
    graph.Clear();
    root = graph.AddNode(nullptr, model::ntRoot);
    root->Name = "Upper Level";
    graph.MainNode = root;
    TheNode* a = member(root, model::ntJunction, "a", 0, 0);
    TheNode* b = member(root, model::ntJunction, "b", c.distance, 0);
    a->Ground = c.groundA;
    b->Ground = c.groundB;
    TheNode* far = member(root, model::ntJunction, "f", 500, 0);
    TheNode* far2 = member(root, model::ntJunction, "f2", 500, 500);
    element(root, "R1", a, far);
    element(root, "R2", b, far2);
    TheNode* via = member(root, model::ntJunction, "v", 300, 300);
    if (c.wired) {
      graph.AddLine(-2, a, via, model::alWire);
      graph.AddLine(-2, via, b, model::alWire);
      graph.AddLine(-2, a, b, model::alWire);
      graph.AddLine(-2, b, a, model::alWire);
    }
    const Partition before = Terminals();
    const int nodes = graph.NodeCount();
    hierarchy.CorrectSubCircuitLines();
    EXPECT_EQ(graph.NodeCount(), c.merged ? nodes - 1 : nodes);
    EXPECT_EQ(Terminals(), before);
    ExpectWellFormed();
    EXPECT_EQ(host.forgets > 0, c.merged);
    EXPECT_EQ(a->Ground, c.kept);
    host.forgets = 0;
  }
}

TEST_F(HierarchyTest, RepairRestoresOwnersNudgesElementsAndRebuildsPins) {
  TheNode* a = member(root, model::ntJunction, "a", 0, 0);
  TheNode* r1 = member(root, 19, "R1", 100, 100);
  TheNode* r2 = member(root, 19, "R2", 103, 104);
  TheNode* x = member(root, model::ntSubCircuit, "X1", 300, 0);
  TheNode* i = member(x, model::ntJunction, "i", 0, 0);
  graph.AddLine(-2, i, a, model::alWire);
  graph.AddLine(-2, x, r1, model::alControl);  // containers keep membership only
  i->Upper = root;                             // a damaged owner
  hierarchy.CorrectSubCircuitLines();
  EXPECT_EQ(i->Upper, x);
  EXPECT_EQ(host.messages, std::vector<std::string>{"ERROR:\n\rLost Upper Owner"});
  EXPECT_EQ(graph.CountLinesOfKinds(x, {model::alControl}), 0);
  ASSERT_EQ(graph.CountLinesOfKinds(x, {model::alOutPin}), 1);
  EXPECT_EQ(graph.GetLineOfKinds(x, 1, {model::alOutPin})->Node, a);
  EXPECT_NE(r1->X * 1000 + r1->Y, 0);
  EXPECT_TRUE(r2->X != 103 || r2->Y != 104);  // nudged
}

TEST_F(HierarchyTest, JoinFreeNodesKeepsJunctionsNamedLikeTheFirst) {
  TheNode* r = member(root, 19, "R1");
  TheNode* a = member(root, model::ntJunction, "5");
  TheNode* b = member(root, model::ntJunction, "7");
  TheNode* c = member(root, model::ntJunction, "5");
  for (TheNode* n : {r, a, b, c}) n->Selected = 1;
  EXPECT_TRUE(hierarchy.JoinFreeNodes());
  EXPECT_EQ(std::vector<int>({r->Selected, a->Selected, b->Selected, c->Selected}), std::vector<int>({0, 1, 0, 1}));
  for (TheNode* n : {a, c}) n->Selected = 0;
  r->Selected = 1;
  EXPECT_FALSE(hierarchy.JoinFreeNodes());
  EXPECT_EQ(r->Selected, 0);
  graph.MainNode = nullptr;
  EXPECT_FALSE(hierarchy.JoinFreeNodes());
}

TEST_F(HierarchyTest, ChangeLines456AndNewOwner) {
  TheNode* old = member(root, model::ntJunction, "o");
  TheNode* fresh = member(root, model::ntJunction, "n");
  TheNode* r = member(root, 19, "R1");
  TheNode* x = member(root, model::ntSubCircuit, "X1");
  TheNode* inner = member(x, model::ntJunction, "i");
  graph.AddLine(-2, r, old, model::alOutPin);
  graph.AddLine(-2, inner, old, model::alWire);
  graph.AddLine(-2, x, old, model::alOutPin);
  model::ChangeLines456(root, old, fresh);
  EXPECT_EQ(graph.GetLineOfKinds(r, 1, {model::alOutPin})->Node, fresh);
  EXPECT_EQ(graph.GetLineOfKinds(inner, 1, {model::alWire})->Node, fresh);
  EXPECT_EQ(graph.GetLineOfKinds(x, 1, {model::alOutPin})->Node, old);  // the container's own links stay

  // NewOwner hands inner's links into the root level over to `fresh`,
  // all but the one to `fresh` itself.
  TheNode* other = member(root, model::ntJunction, "p");
  graph.AddLine(-2, inner, other, model::alWire);
  model::NewOwner(inner, fresh);
  EXPECT_EQ(targets(inner), std::vector<TheNode*>{fresh});
  EXPECT_EQ(targets(fresh), std::vector<TheNode*>{other});
}

}  // namespace
}  // namespace vemu::test
