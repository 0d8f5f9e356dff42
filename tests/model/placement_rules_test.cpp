// Placement rules: partner types, link limit texts, new names, the finishing
// step of pairs, text notes and amplifiers, junctions and the arrangement switch.
#include <gtest/gtest.h>

#include "editing_test_host.h"
#include "graph_test_support.h"
#include "model/placement.h"

using namespace vemu::model;
using vemu::test::RecordingEditingHost;

namespace {

class PlacementRules : public ::testing::Test, public vemu::test::GraphFixtureBase {
 protected:
  RecordingEditingHost host{graph};
  int currentType = 2;
  TheNode* pending = nullptr;

  TheNode* place(int x = 0, int y = 0) { return PlaceElement(graph, root, currentType, pending, {x, y}, host); }
  // Control links in the circuit as "source>target" names.
  std::vector<std::string> controlLinks() {
    std::vector<std::string> out;
    graph.forEachNode([&](TheNode* n) {
      n->forEachLine([&](TheLine* l) {
        if (l->Kind == alControl) out.push_back(n->Name.str() + ">" + l->Node->Name.str());
      });
    });
    return out;
  }
};

TEST(PlacementTables, PartnersAndLinkLimits) {
  const std::pair<int, int> partners[] = {{9, 10}, {10, 9}, {11, 12}, {12, 11}, {13, 14}, {14, 13},
                                          {15, 16}, {16, 15}, {17, 18}, {18, 17}, {8, 8}, {19, 19}};
  for (auto [type, partner] : partners) EXPECT_EQ(PartnerType(type), partner) << type;
  EXPECT_FALSE(IsPairType(8));
  EXPECT_FALSE(IsPairType(19));
  const struct { int in, out; const char* text; } limits[] = {
      {1, 1, "IN:=1, OUT:=1"}, {0, 0, ""}, {-1, -1, "IN:unlimited, OUT:unlimited"},
      {2, 0, "IN:=2, "}, {0, 3, "OUT:=3"}};
  for (const auto& c : limits) EXPECT_EQ(LinkLimitsText(c.in, c.out), c.text);
}

TEST_F(PlacementRules, ElementsAreNamedByLetterAndCountAndComeFirst) {
  currentType = 19;
  TheNode* r1 = place(10, 20);
  TheNode* r2 = place();
  EXPECT_EQ(r1->Name.str(), "R1");
  EXPECT_EQ(r2->Name.str(), "R2");
  EXPECT_EQ(r1->X, 10);
  EXPECT_EQ(r1->Y, 20);
  EXPECT_EQ(targets(root), (std::vector<TheNode*>{r2, r1}));
  EXPECT_EQ(host.snapshots, 2);
  EXPECT_EQ(host.modified, 2);
  // After a deletion the counted number may be taken: the next free one.
  graph.DeleteNode(r1);
  EXPECT_EQ(place()->Name.str(), "R3");
  // Two types sharing a letter: the nullator's count would repeat N1.
  currentType = 9;
  EXPECT_EQ(place()->Name.str(), "N1");
  EXPECT_EQ(place()->Name.str(), "N2");
  EXPECT_EQ(NewElementName(graph, nullptr, "R", 2), "R4");
}

TEST_F(PlacementRules, JunctionsComeLastWithTheirCountAndRenumberTheNets) {
  currentType = 19;
  place();
  TheNode* j = PlaceJunction(graph, root, {5, 6}, host);
  EXPECT_EQ(j->Name.str(), "1");
  EXPECT_EQ(targets(root).back(), j);
  EXPECT_EQ(host.numberings, 1);
  currentType = 2;
  PlaceOrOpen(graph, root, nullptr, currentType, pending, {0, 0}, host);
  EXPECT_EQ(targets(root).back()->Name.str(), "2");
  EXPECT_EQ(host.numberings, 2);
}

TEST_F(PlacementRules, DoubleClickOnANodeOpensItsValueEntryOnly) {
  TheNode* r = member(root, 19, "R1");
  currentType = 19;
  PlaceOrOpen(graph, root, r, currentType, pending, {0, 0}, host);
  EXPECT_EQ(host.valueEntries, std::vector<TheNode*>{r});
  EXPECT_EQ(graph.NodeCount(), 2);
  EXPECT_EQ(host.snapshots, 0);
}

struct PairCase {
  const char* name;
  std::vector<int> chosen;  // type chosen before each placement; 0 keeps the switched one
  std::vector<std::string> links;
  bool waiting;             // a half waits at the end
};

TEST_F(PlacementRules, PairsLinkTheirHalves) {
  const PairCase cases[] = {
      {"norator then nullator", {9, 0}, {"N1>N2"}, false},
      {"receiver then generator", {11, 0}, {"K1>U1"}, true},
      {"generator then receiver", {12, 0}, {"K1>U1"}, false},
      {"two receivers", {11, 11}, {}, true},
      {"an element between forgets the half", {11, 19, 12}, {}, true},
      {"two whole pairs", {11, 0, 0, 0}, {"K1>U1", "K2>U2"}, true},
  };
  for (const PairCase& c : cases) {
    graph.Clear();
    root = graph.AddNode(nullptr, ntRoot);
    graph.MainNode = root;
    pending = nullptr;
    for (int type : c.chosen) {
      if (type) currentType = type;
      place();
    }
    EXPECT_EQ(controlLinks(), c.links) << c.name;
    EXPECT_EQ(pending != nullptr, c.waiting) << c.name;
  }
}

TEST_F(PlacementRules, PairHalvesSwitchTheChosenTypeAndNoratorsGetAValue) {
  currentType = 9;
  TheNode* norator = place();
  EXPECT_EQ(currentType, 10);
  EXPECT_EQ(host.chosen, std::vector<int>{10});
  EXPECT_EQ(norator->Value, "1");
  EXPECT_EQ(pending, norator);
  TheNode* nullator = place();
  EXPECT_EQ(nullator->Value, "1");
  EXPECT_EQ(currentType, 9);
  EXPECT_EQ(pending, nullptr);
  // A waiting half deleted meanwhile is forgotten, not linked.
  place();
  graph.DeleteNode(pending);
  place();
  EXPECT_EQ(controlLinks().size(), 1u);
}

TEST_F(PlacementRules, TextNotesAndAmplifiers) {
  currentType = 32;
  TheNode* text = place(40, 50);
  EXPECT_EQ(text->Value, kNewTextValue);
  EXPECT_EQ(text->Name.str(), "text");
  EXPECT_EQ(text->Wx, 0);
  EXPECT_EQ(text->Wy, 0);
  EXPECT_EQ(host.valueEntries, std::vector<TheNode*>{text});
  currentType = 25;
  TheNode* amp = place();
  EXPECT_EQ(amp->Wx, -15 + 8);
  EXPECT_EQ(amp->Wy, -15 - 8);
  EXPECT_EQ(amp->Name.str(), "K1");
  EXPECT_EQ(currentType, 25);
}

TEST_F(PlacementRules, ArrangeModeToggles) {
  std::uint8_t mode = 0;
  ToggleArrangeMode(mode, root, host);
  EXPECT_EQ(mode, 1);
  EXPECT_EQ(host.messages, std::vector<std::string>{"M56"});
  member(root, 19, "R1");
  ToggleArrangeMode(mode, root, host);
  EXPECT_EQ(mode, 0);
  EXPECT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.snapshots, 2);
}

}  // namespace
