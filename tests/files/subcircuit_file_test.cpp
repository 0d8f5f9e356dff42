// The sub-circuit file: numbering of nested levels, the records written,
// reading back into a level (offsets while places are taken, selection,
// amplifier signs) and the checks that refuse a damaged file.
#include <gtest/gtest.h>

#include "files/subcircuit_file.h"
#include "platform/scripted_dialogs.h"
#include "support/graph_members.h"

namespace {

using vemu::files::ParseSubcircuitText;
using vemu::files::SubcircuitContent;
using vemu::model::TheBaseOfGraf;
using vemu::model::TheLine;
using vemu::model::TheNode;
namespace model = vemu::model;

TheNode* Member(TheBaseOfGraf& g, TheNode* owner, std::uint8_t type, const char* name, int x, int y) {
  return vemu::testing::AddMember(g, owner, type, name, x, y);
}

std::vector<TheNode*> MembersOf(const TheNode* level) {
  std::vector<TheNode*> members;
  level->forEachLine([&](TheLine* l) {
    if (l->Kind == model::alHaveItem) members.push_back(l->Node);
  });
  return members;
}

std::vector<std::string> NamesOf(const std::vector<TheNode*>& nodes) {
  std::vector<std::string> names;
  for (const TheNode* n : nodes) names.push_back(n->Name.str());
  return names;
}

// Root: X1 (holding J1, J2, R1 between them, and X2 holding R2), junction
// J3 outside wired from J1, and K1, a "+" amplifier.
struct NestedCircuit {
  TheBaseOfGraf g;
  TheNode *root, *x1, *j1, *j2, *r1, *x2, *r2, *j3, *k1;
  NestedCircuit() {
    root = g.AddNode(nullptr, model::ntRoot);
    root->Name = "Upper Level";
    g.MainNode = root;
    x1 = Member(g, root, model::ntSubCircuit, "X1", 100, 100);
    j1 = Member(g, x1, model::ntJunction, "1", 10, 10);
    j2 = Member(g, x1, model::ntJunction, "2", 50, 10);
    j2->Ground = 3;
    r1 = Member(g, x1, 19, "R1", 30, 10);
    r1->Value = "1k";
    g.AddLine(-2, r1, j1, model::alInPin);
    g.AddLine(-2, r1, j2, model::alOutPin);
    x2 = Member(g, x1, model::ntSubCircuit, "X2", 30, 60);
    r2 = Member(g, x2, 19, "R2", 5, 5);
    j3 = Member(g, root, model::ntJunction, "3", 300, 100);
    g.AddLine(-2, j1, j3, model::alWire);
    k1 = Member(g, root, 26, "K1", 200, 200);
    k1->Polarity = 1;
  }
};

TEST(SubcircuitFile, CopiesNestedLevelsInWalkOrderAndDropsLinksLeavingTheCopy) {
  NestedCircuit c;
  c.x1->Selected = 1;
  c.k1->Selected = 1;
  const auto written = vemu::files::FormatSubcircuit(c.g);
  EXPECT_EQ(written.memberCount, 2);
  EXPECT_EQ(written.memoLines,
            (std::vector<std::string>{"01  X1", "02  1", "03  2", "04  R1", "05  X2", "06  R2", "07  K1"}));
  const std::string& text = written.text;
  EXPECT_NE(text.find("      8 - How many nodes\r\n      8 - Main node\r\n      0 - Current node\r\n"),
            std::string::npos);
  // J1's wire to J3 (not copied) is left out; its count says so.
  EXPECT_NE(text.find("  2  10  10  2   1 0 -15 -15 1 \r\n  3"), std::string::npos);
  EXPECT_NE(text.find("  3  50  10  2   1 0 -15 -15 2  G3\r\n"), std::string::npos);
  EXPECT_NE(text.find("  7 200 200 26   8 0 -15 -15 +K1 \r\n"), std::string::npos);
  EXPECT_NE(text.find("  8 100 100  1   0 2   0   0 Main SubCircuit \r\n       1   1\r\n       1   7\r\n"
                      "      0 SubCircuit \r\n      0 0 1.000\r\n"),
            std::string::npos);

  // Read back into a fresh level: the same tree.
  const SubcircuitContent content = ParseSubcircuitText(text, "x.dag");
  ASSERT_TRUE(content.ok()) << content.error;
  TheBaseOfGraf target;
  TheNode* level = target.AddNode(nullptr, model::ntRoot);
  target.MainNode = level;
  const auto inserted = vemu::files::InsertSubcircuit(target, content);
  EXPECT_EQ(inserted.nodesAdded, 7);
  EXPECT_EQ(NamesOf(MembersOf(level)), (std::vector<std::string>{"X1", "K1"}));
  TheNode* x1 = MembersOf(level)[0];
  EXPECT_EQ(x1->Upper, level);
  EXPECT_EQ(NamesOf(MembersOf(x1)), (std::vector<std::string>{"1", "2", "R1", "X2"}));
  TheNode* x2 = MembersOf(x1)[3];
  EXPECT_EQ(x2->Upper, x1);
  ASSERT_EQ(MembersOf(x2).size(), 1u);
  EXPECT_EQ(MembersOf(x2)[0]->Upper, x2);
  TheNode* r1 = MembersOf(x1)[2];
  EXPECT_EQ(target.LineCount(r1), 2);
  EXPECT_EQ(target.GetLine(r1, 1)->Node, MembersOf(x1)[0]);
  EXPECT_EQ(target.LineCount(MembersOf(x1)[0]), 0);  // the wire to J3 stayed behind
  EXPECT_EQ(MembersOf(x1)[1]->Ground, 3);
  TheNode* k1 = MembersOf(level)[1];
  EXPECT_EQ(k1->Name.str(), "K1");
  EXPECT_EQ(k1->Polarity, 1);  // the sign comes back
  EXPECT_EQ(k1->Selected, 1);
  EXPECT_EQ(x1->Selected, 1);
  EXPECT_EQ(level->Number, 8);
}

TEST(SubcircuitFile, NothingSelectedOrNoShownLevelGivesTheMainRecordOnly) {
  NestedCircuit c;
  for (bool withLevel : {true, false}) {
    c.g.MainNode = withLevel ? c.root : nullptr;
    const auto written = vemu::files::FormatSubcircuit(c.g);
    EXPECT_EQ(written.memberCount, 0);
    EXPECT_NE(written.text.find("  1 100 100  1   0 0   0   0 Main SubCircuit \r\n      0 SubCircuit "),
              std::string::npos);
  }
}

TEST(SubcircuitFile, MembershipCycleInTheGraphIsWalkedOnce) {
  NestedCircuit c;
  // X2 holds X1 too: a damaged graph; the walk must still end.
  c.g.AddLine(-2, c.x2, c.x1, model::alHaveItem);
  c.g.AddLine(-2, c.x2, c.root, model::alHaveItem);
  c.x1->Selected = 1;
  const auto written = vemu::files::FormatSubcircuit(c.g);
  EXPECT_EQ(written.memoLines.size(), 6u);
  EXPECT_TRUE(ParseSubcircuitText(written.text, "x").ok());
}

TEST(SubcircuitFile, PastedMembersStepOffTakenPlacesAndGoFirstInFileOrder) {
  NestedCircuit c;
  c.j3->Selected = 1;
  c.k1->Selected = 1;
  const auto content = ParseSubcircuitText(vemu::files::FormatSubcircuit(c.g).text, "copy.txt");
  ASSERT_TRUE(content.ok()) << content.error;
  // Another member stands where the first step would put K1's copy.
  Member(c.g, c.root, model::ntJunction, "9", 210, 210);
  c.x1->Selected = 1;
  vemu::files::InsertSubcircuit(c.g, content);
  const auto members = MembersOf(c.root);
  EXPECT_EQ(NamesOf(members), (std::vector<std::string>{"3", "K1", "X1", "3", "K1", "9"}));
  EXPECT_EQ(members[0]->GetPos(), (model::TPoint{310, 110}));
  EXPECT_EQ(members[1]->GetPos(), (model::TPoint{220, 220}));
  // Only the pasted members are selected.
  std::vector<int> selected;
  for (const TheNode* m : members) selected.push_back(m->Selected);
  EXPECT_EQ(selected, (std::vector<int>{1, 1, 0, 0, 0, 0}));
}

TEST(SubcircuitFile, FileWithoutSignsReadsAmplifierNamesAsBefore) {
  const std::string head =
      "noname\r\nVemu.exe (WxWy) $Cur $SS $Scale\r\n-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-\r\n      3 - How many nodes\r\n"
      "      3 - Main node\r\n      0 - Current node\r\n--N--X---Y-Type-Up-Lines-Name-Value\r\n";
  const auto content = ParseSubcircuitText(head +
                                               "  1 0 0 26 3 0 -15 -15 K1 5\r\n  2 0 0 27 3 0 -15 -15 -K2 5\r\n"
                                               "  3 100 100 1 0 2 0 0 Main SubCircuit \r\n 1 1\r\n 1 2\r\n",
                                           "old.dag");
  ASSERT_TRUE(content.ok()) << content.error;
  EXPECT_EQ(content.records[0].name, "K1");
  EXPECT_EQ(content.records[0].polarity, 0);
  EXPECT_EQ(content.records[1].name, "K2");
  EXPECT_EQ(content.records[0].value, "5");
}

TEST(SubcircuitFile, DamagedFilesAreRefusedWithTheirLineAndReason) {
  const std::string head =
      "noname\r\nVemu.exe (WxWy) $Cur $SS $Scale\r\n-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-\r\n";
  auto file = [&](const std::string& count, const std::string& main, const std::string& body) {
    return head + "      " + count + " - How many nodes\r\n      " + main +
           " - Main node\r\n      0 - Current node\r\n--N--X---Y-Type-Up-Lines-Name-Value\r\n" + body;
  };
  const std::string mainOne = "  3 100 100 1 0 1 0 0 Main SubCircuit \r\n 1 1\r\n";
  const std::string second = "  2 0 0 2 1 0 -15 -15 1 \r\n";
  struct Case {
    const char* what;
    std::string text;
    SubcircuitContent::Status status;
    const char* error;
  };
  const std::vector<Case> cases = {
      {"header", file("3", "1", ""), SubcircuitContent::Status::HeaderMismatch, ""},
      {"no nodes", file("0", "0", ""), SubcircuitContent::Status::Damaged, "x(4): The node count 0"},
      {"count past the file", file("9", "9", "  1 0 0 2 9 0 -15 -15 1 \r\n"), SubcircuitContent::Status::Damaged,
       "x(4): The node count 8 does not match"},
      {"type", file("3", "3", "  1 0 0 44 3 0 -15 -15 Q \r\n  2 0 0 2 1 0 -15 -15 1 \r\n" + mainOne),
       SubcircuitContent::Status::Damaged, "x(8): Unknown node type 44"},
      {"owner", file("3", "3", "  1 0 0 2 7 0 -15 -15 1 \r\n  2 0 0 2 1 0 -15 -15 1 \r\n" + mainOne),
       SubcircuitContent::Status::Damaged, "x(8): The owner 7 names no node"},
      {"link target", file("3", "3", "  1 0 0 2 3 1 -15 -15 1 \r\n 6 3\r\n  2 0 0 2 1 0 -15 -15 1 \r\n" + mainOne),
       SubcircuitContent::Status::Damaged, "x(9): The link target 3 names no node"},
      {"link count", file("3", "3", "  1 0 0 2 3 99 -15 -15 1 \r\n" + second + mainOne), SubcircuitContent::Status::Damaged,
       "x(8): The link count 99"},
      {"not a member", file("3", "3", "  1 0 0 2 3 0 -15 -15 1 \r\n  2 0 0 2 3 0 -15 -15 1 \r\n" + mainOne),
       SubcircuitContent::Status::Damaged, "x(9): Node 2 is not listed as a member of its owner 3"},
      {"member of another", file("3", "3", "  1 0 0 29 3 1 -15 -15 X \r\n 1 2\r\n  2 0 0 2 3 0 -15 -15 1 \r\n" + mainOne),
       SubcircuitContent::Status::Damaged, "x(9): Node 2 is listed as a member of 1 but its owner is 3"},
      {"listed twice",
       file("3", "3", "  1 0 0 2 3 0 -15 -15 1 \r\n  2 0 0 2 3 0 -15 -15 1 \r\n"
                      "  3 100 100 1 0 3 0 0 Main SubCircuit \r\n 1 1\r\n 1 2\r\n 1 2\r\n"),
       SubcircuitContent::Status::Damaged, "x(13): Node 2 is listed twice"},
      {"cycle",
       file("4", "4", "  1 0 0 29 2 1 -15 -15 X1 \r\n 1 2\r\n  2 0 0 29 1 1 -15 -15 X2 \r\n 1 1\r\n"
                      "  3 0 0 2 4 0 -15 -15 1 \r\n  4 100 100 1 0 1 0 0 Main SubCircuit \r\n 1 3\r\n"),
       SubcircuitContent::Status::Damaged, "x(8): Node 1 is its own owner"},
      {"value over 64 KB", file("3", "3", "  1 0 0 19 3 0 -15 -15 R1 " + std::string(65537, '1') + "\r\n" + second + mainOne),
       SubcircuitContent::Status::Damaged, "x(8): The value holds 65537 characters"},
      {"cut short", file("3", "3", "  1 0 0 2 3 0 -15 -15 1 \r\n" + second + "  3 100 100 1"),
       SubcircuitContent::Status::Damaged, "x(10): The file ends early"},
      {"not a number", file("3", "3", "  1 0 0 2 3 zero -15 -15 1 \r\n" + second + mainOne),
       SubcircuitContent::Status::Damaged,
       "x(8):"},
  };
  for (const Case& c : cases) {
    const SubcircuitContent content = ParseSubcircuitText(c.text, "x");
    EXPECT_EQ(content.status, c.status) << c.what << ": " << content.error;
    EXPECT_EQ(content.error.rfind(c.error, 0), 0u) << c.what << ": " << content.error;
    EXPECT_TRUE(content.records.empty()) << c.what;
    TheBaseOfGraf g;
    g.MainNode = g.AddNode(nullptr, model::ntRoot);
    EXPECT_EQ(vemu::files::InsertSubcircuit(g, content).nodesAdded, 0) << c.what;
    EXPECT_EQ(g.NodeCount(), 1) << c.what;
  }
}

}  // namespace
