// The netlist builder: net numbering and sorting, the element lines of every
// type, the checks with each of their answers and what the questions do to
// the shown level, the selection and the current node.
#include <gtest/gtest.h>

#include "platform/program_folder.h"

#include <functional>

#include "netlist/element_lines.h"
#include "netlist/net_numbering.h"
#include "netlist/netlist_checks.h"
#include "netlist/text_format.h"
#include "netlist/netlist_test_support.h"

using vemu::model::TheNode;
using vemu::platform::MsgResult;
using vemu::test::NetlistFixture;
using Lines = std::vector<std::string>;

namespace {

// The table cases build their circuits through these.
class NetlistBuilderTest : public NetlistFixture {
 public:
  using NetlistFixture::element;
  using NetlistFixture::junction;
  using NetlistFixture::settings;
  using NetlistFixture::wire;
  using vemu::test::GraphFixtureBase::graph;
  using vemu::test::GraphFixtureBase::root;
};

// --- element lines --------------------------------------------------------

// A ground junction (net 0) and junctions n1, n2 (nets 1, 2) are there for
// every case; `make` adds the element(s) under test.
struct ColumnCase {
  const char* what;
  std::function<void(NetlistBuilderTest&, TheNode* n0, TheNode* n1, TheNode* n2)> make;
  Lines body;
  int questions = 0;  // each answered with Retry
};

void PrintTo(const ColumnCase& c, std::ostream* os) { *os << c.what; }

class ColumnRuleTest : public NetlistBuilderTest, public ::testing::WithParamInterface<ColumnCase> {};

TEST_P(ColumnRuleTest, WritesTheColumnsOfTheType) {
  TheNode* n0 = junction(root, "a", 1);
  TheNode* n1 = junction(root, "b");
  TheNode* n2 = junction(root, "c");
  // Keeps every net connected, so no connection question comes.
  graph.AddLine(-2, element(root, 19, "Z9", "1", n2, n1), n0, vemu::model::alOutPin);
  GetParam().make(*this, n0, n1, n2);
  for (int k = 0; k < GetParam().questions; ++k) dialogs.boxAnswers.push_back(MsgResult::Retry);
  Lines expected = GetParam().body;
  expected.push_back("Z9  1  2  0    1");
  EXPECT_EQ(body(), expected) << GetParam().what;
  EXPECT_EQ(dialogs.boxes.size(), static_cast<std::size_t>(GetParam().questions)) << GetParam().what;
}

const ColumnCase kColumnCases[] = {
    {"resistance: ins, outs, value",
     [](auto& f, TheNode* n0, TheNode* n1, TheNode*) { f.element(f.root, 19, "R1", "10", n0, n1); },
     {"R1  1  0    10"}},
    {"a name with ? has no value part",
     [](auto& f, TheNode* n0, TheNode* n1, TheNode*) { f.element(f.root, 19, "R?", "10", n0, n1); },
     {"R?  1  0"}},
    {"a type without value takes none",
     [](auto& f, TheNode* n0, TheNode* n1, TheNode*) { f.element(f.root, 5, "A1", "3", n0, n1); },
     {"A1  1  0"}},
    {"amplifier with + sign: outs, ins, then 0",
     [](auto& f, TheNode*, TheNode* n1, TheNode* n2) { f.element(f.root, 26, "H1", "2", n2, n1)->Polarity = 1; },
     {"H1 0   2  1 0     2"}},
    {"amplifier with - sign: outs, 0, ins",
     [](auto& f, TheNode*, TheNode* n1, TheNode* n2) { f.element(f.root, 30, "O1", "3", n2, n1); },
     {"O1 0   2 0   1    3"}},
    {"probe with both links",
     [](auto& f, TheNode*, TheNode* n1, TheNode* n2) { f.element(f.root, 31, "P1", "7", n2, n1); },
     {"P1 2 0 1 0    7"}},
    {"probe without output link",
     [](auto& f, TheNode*, TheNode* n1, TheNode*) { f.element(f.root, 36, "P2", "1", nullptr, n1); },
     {"P2 ? 0 1 0    1"},
     1},
    {"probe without input link",
     [](auto& f, TheNode*, TheNode*, TheNode* n2) { f.element(f.root, 38, "P3", "8", n2, nullptr); },
     {"P3 2 0 ? 0    8"},
     1},
    {"two output links: one column each, in list order",
     [](auto& f, TheNode* n0, TheNode* n1, TheNode* n2) {
       TheNode* e = f.element(f.root, 21, "L1", "1m", n2, n1);
       f.graph.AddLine(-2, e, n0, vemu::model::alOutPin);
     },
     {"L1  1  2  0    1m"}},
    {"generator half: its columns, then the receiver's; the receiver has no line",
     [](auto& f, TheNode* n0, TheNode* n1, TheNode* n2) {
       TheNode* receiver = f.element(f.root, 11, "F2", "", n0, n2);
       TheNode* generator = f.element(f.root, 12, "F1", "5", n1, n0);
       f.graph.AddLine(-2, generator, receiver, vemu::model::alControl);
     },
     {"F1  0  1  2  0    5"}},
    {"a line break inside a value stays on the element's line",
     [](auto& f, TheNode* n0, TheNode* n1, TheNode*) { f.element(f.root, 19, "R1", "1\r\n2", n0, n1); },
     {"R1  1  0    1 2"}},
};
INSTANTIATE_TEST_SUITE_P(Types, ColumnRuleTest, ::testing::ValuesIn(kColumnCases));

TEST_F(NetlistBuilderTest, SubCircuitLineTakesPinsAndValueThenMembersAndX) {
  TheNode* a = junction(root, "a", 1);
  TheNode* b = junction(root, "b");
  TheNode* x1 = element(root, vemu::model::ntSubCircuit, "X1", "", b, nullptr);
  graph.AddLine(-2, x1, a, vemu::model::alOutPin);
  TheNode* p = junction(x1, "p");
  TheNode* q = junction(x1, "q");
  wire(p, b);
  wire(q, a);
  element(x1, 19, "R1", "5", p, q);
  EXPECT_EQ(body(), (Lines{"X1 1 0", "R1  0  1    5", ".X"}));
}

TEST_F(NetlistBuilderTest, ColumnsHaveAFieldOfTwo) {
  const char* names[] = {"3", "12", "123", ""};
  TheNode* e = member(root, 19, "R1");
  for (const char* n : names) graph.AddLine(-2, e, junction(root, n), vemu::model::alInPin);
  std::string text;
  vemu::netlist::AppendLinkNodes(text, 5, e, vemu::model::KindSet{vemu::model::alInPin});
  EXPECT_EQ(text, "  3 12 123     0");
}

// --- numbering and order ----------------------------------------------------

TEST_F(NetlistBuilderTest, NetsSpanLevelsAndGroundIsZero) {
  TheNode* j1 = junction(root, "x");
  TheNode* j2 = junction(root, "y");
  TheNode* g = junction(root, "z", 3);
  TheNode* j3 = junction(root, "w");
  wire(j3, g);
  TheNode* x1 = element(root, vemu::model::ntSubCircuit, "X1", "", j2, nullptr);
  TheNode* inner = junction(x1, "i");
  TheNode* lone = junction(x1, "k");
  wire(inner, j2);
  element(root, 19, "R1", "1", j1, j2);
  element(x1, 19, "R2", "1", inner, lone);
  element(root, 19, "R3", "1", j1, g);
  build();
  EXPECT_EQ(j1->Name.str(), "1");
  EXPECT_EQ(j2->Name.str(), "2");
  EXPECT_EQ(inner->Name.str(), "2");
  EXPECT_EQ(g->Name.str(), "0");
  EXPECT_EQ(j3->Name.str(), "0");
  EXPECT_EQ(lone->Name.str(), "3");
  // Number is left holding the link counts of the connection check.
  EXPECT_EQ(j1->Number, 2);
  EXPECT_EQ(inner->Number, 2);
}

TEST_F(NetlistBuilderTest, ElementsComeInByteOrderOfTheirNames) {
  TheNode* g = junction(root, "g", 1);
  const std::string names[] = {"R2", "r1", "R10", "\xDF" "1", "C1", "R1"};  // "\xDF" is a Cyrillic letter
  for (const auto& n : names) element(root, 19, n, "1", g, g);
  settings.CheckBox1 = true;  // equal names allowed
  Lines lines = body();
  Lines order;
  for (const auto& l : lines) order.push_back(l.substr(0, l.find(' ')));
  EXPECT_EQ(order, (Lines{"C1", "R1", "R10", "R2", "r1", "\xDF" "1"}));
  // Junctions keep their relative order; the list of all nodes is sorted.
  EXPECT_EQ(vemu::netlist::NameLess("R1", "R10"), true);
  EXPECT_EQ(vemu::netlist::NameLess("\xDF", "r"), false);
}

TEST_F(NetlistBuilderTest, SortKeepsEqualNamesInTheirOrder) {
  TheNode* a = member(root, 19, "B");
  TheNode* b = member(root, 19, "A");
  TheNode* c = member(root, 19, "B");
  TheNode* d = member(root, 19, "A");
  vemu::netlist::SortByName(graph);
  std::vector<TheNode*> order;
  graph.forEachNode([&](TheNode* n) { order.push_back(n); });
  EXPECT_EQ(order, (std::vector<TheNode*>{b, d, a, c, root}));
  EXPECT_EQ(targets(root), (std::vector<TheNode*>{b, d, a, c}));
  EXPECT_EQ(graph.LastNode(), root);
}

TEST_F(NetlistBuilderTest, NoShownLevelGivesTitleAndExtraLineOnly) {
  settings.CheckAdditionalString = true;
  junction(root, "a");
  graph.MainNode = nullptr;
  EXPECT_EQ(build(), (Lines{"t", ".AC LOG 5 10100"}));
  EXPECT_TRUE(host.caption.empty());
  settings.EditAdditionalStr = ".AC\r\nLOG";  // line breaks of the title and the extra line: blanks
  EXPECT_EQ(build("t\nR99 1 0 1\r.dag"), (Lines{"t R99 1 0 1 .dag", ".AC LOG"}));
}

TEST_F(NetlistBuilderTest, OnlyTheRootGivesTitleAndEnd) {
  EXPECT_EQ(build(), (Lines{"t", ".END"}));
  EXPECT_EQ(host.caption.substr(host.caption.size() - 3), "cir");
}

// --- checks before the element lines ----------------------------------------

struct CheckCase {
  const char* what;
  std::function<void(NetlistBuilderTest&)> make;
  std::vector<MsgResult> answers;
  std::vector<std::string> boxTexts;
  bool reachesEnd;
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.what; }

class CheckTest : public NetlistBuilderTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(CheckTest, AsksAndActsOnTheAnswer) {
  const CheckCase& c = GetParam();
  c.make(*this);
  for (auto a : c.answers) dialogs.boxAnswers.push_back(a);
  const Lines lines = build();
  EXPECT_EQ(dialogs.texts(), c.boxTexts) << c.what;
  EXPECT_EQ(!lines.empty() && lines.back() == ".END", c.reachesEnd) << c.what;
  if (!c.reachesEnd) {
    EXPECT_EQ(lines, Lines{"t"}) << c.what;
  }
}

void equalNames(NetlistBuilderTest& f) {
  TheNode* g = f.junction(f.root, "g", 1);
  f.element(f.root, 19, "R1", "1", g, g);
  f.element(f.root, 20, "R1", "1", g, g);
}

void doublePin(NetlistBuilderTest& f) {
  TheNode* g = f.junction(f.root, "g", 1);
  TheNode* x1 = f.element(f.root, vemu::model::ntSubCircuit, "X1", "", g, nullptr);
  TheNode* p = f.junction(x1, "p");
  TheNode* q = f.junction(x1, "q");
  f.wire(p, g);
  f.wire(q, g);
  f.element(x1, 19, "R1", "1", p, q);
}

void loneJunction(NetlistBuilderTest& f) {
  TheNode* g = f.junction(f.root, "g", 1);
  f.element(f.root, 19, "R1", "1", g, g);
  f.junction(f.root, "lone");
}

const CheckCase kCheckCases[] = {
    {"equal names, OK stops", equalNames, {MsgResult::Ok}, {"Two elements are named R1."}, false},
    {"equal names, Cancel goes on", equalNames, {MsgResult::Cancel}, {"Two elements are named R1."}, true},
    {"equal names of types that differ in the controlling link",
     [](NetlistBuilderTest& f) {
       TheNode* g = f.junction(f.root, "g", 1);
       TheNode* r = f.element(f.root, 11, "F1", "", g, g);
       TheNode* gen = f.element(f.root, 12, "F1", "1", g, g);
       f.graph.AddLine(-2, gen, r, vemu::model::alControl);
     },
     {},
     {},
     true},
    {"equal names allowed",
     [](NetlistBuilderTest& f) {
       equalNames(f);
       f.settings.CheckBox1 = true;
     },
     {},
     {},
     true},
    {"three equal names: every pair, in list order",
     [](NetlistBuilderTest& f) {
       equalNames(f);
       TheNode* g = f.graph.FirstNode->NextNode.get();
       f.element(f.root, 21, "R1", "1", g, g);
     },
     {MsgResult::Cancel, MsgResult::Cancel, MsgResult::Cancel},
     {"Two elements are named R1.", "Two elements are named R1.", "Two elements are named R1."},
     true},
    {"double pin, OK goes on", doublePin, {MsgResult::Ok}, {"m67 Node=0"}, true},
    {"double pin, Cancel stops", doublePin, {MsgResult::Cancel}, {"m67 Node=0"}, false},
    {"double pin not tested",
     [](NetlistBuilderTest& f) {
       doublePin(f);
       f.settings.CheckDoubleIn = false;
     },
     {},
     {},
     true},
    {"unconnected junction, OK stops", loneJunction, {MsgResult::Ok},
     {"Узел [1] не соединен ни с кем"}, false},
    {"unconnected junction, Cancel goes on", loneJunction, {MsgResult::Cancel},
     {"Узел [1] не соединен ни с кем"}, true},
};
INSTANTIATE_TEST_SUITE_P(Checks, CheckTest, ::testing::ValuesIn(kCheckCases));

TEST_F(NetlistBuilderTest, SecondBuildHasNoConnectionCheck) {
  loneJunction(*this);
  vemu::model::SetModelVariant(vemu::model::ModelVariant::Second);
  const Lines lines = build();
  vemu::model::SetModelVariant(vemu::model::ModelVariant::Full);
  EXPECT_TRUE(dialogs.boxes.empty());
  EXPECT_EQ(lines.back(), ".END");
}

TEST_F(NetlistBuilderTest, GroundQuestionMarksTheFirstJunction) {
  for (MsgResult a : {MsgResult::Ok, MsgResult::Cancel}) {
    graph.Clear();
    root = graph.AddNode(nullptr, vemu::model::ntRoot);
    root->Name = "Upper Level";
    graph.MainNode = root;
    TheNode* first = junction(root, "a");
    TheNode* second = junction(root, "b");
    element(root, 19, "R1", "1", first, second);
    dialogs.boxes.clear();
    dialogs.boxAnswers = {a};
    const Lines lines = build();
    ASSERT_EQ(dialogs.texts(), Lines{"m57"});
    EXPECT_EQ(dialogs.boxes[0].buttons, vemu::platform::MsgButtons::OkCancel);
    EXPECT_EQ(first->Ground, a == MsgResult::Ok ? 1 : 0);
    EXPECT_EQ(lines[1], a == MsgResult::Ok ? "R1  1  0    1" : "R1  2  1    1");
  }
  settings.CheckBox2 = false;
  dialogs.boxes.clear();
  build();
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(NetlistBuilderTest, EqualNamesShowTheFirstAndCentreOnTheSecond) {
  TheNode* g = junction(root, "g", 1);
  TheNode* other = element(root, 19, "Q", "1", g, g);
  other->Selected = 1;
  TheNode* x1 = element(root, vemu::model::ntSubCircuit, "X1", "", g, nullptr);
  TheNode* p = junction(x1, "p");
  wire(p, g);
  TheNode* first = element(x1, 19, "R1", "1", p, p);
  TheNode* second = element(root, 19, "R1", "1", g, g);
  dialogs.boxAnswers = {MsgResult::Ok};
  EXPECT_EQ(build(), Lines{"t"});
  EXPECT_EQ(other->Selected, 0);
  EXPECT_EQ(first->Selected, 1);
  EXPECT_EQ(second->Selected, 1);
  // The first of the pair is shown and current, the view centred on the second.
  EXPECT_EQ(host.events, (Lines{"current nil", "selection 0", "level X1", "current R1", "center R1"}));
  EXPECT_EQ(graph.CurrentNode, first);
  EXPECT_EQ(graph.MainNode, root);  // centring shows the second one's level
}

// --- questions while the element lines are written ---------------------------

struct ElementCase {
  const char* what;
  std::function<void(NetlistBuilderTest&, TheNode* g, TheNode* n)> make;
  std::vector<MsgResult> answers;
  std::vector<std::optional<std::string>> inputs;
  Lines body;
  std::vector<std::string> boxTexts;
  std::uint8_t listNotPacked;
};

void PrintTo(const ElementCase& c, std::ostream* os) { *os << c.what; }

class ElementQuestionTest : public NetlistBuilderTest, public ::testing::WithParamInterface<ElementCase> {};

TEST_P(ElementQuestionTest, AsksAndActsOnTheAnswer) {
  const ElementCase& c = GetParam();
  TheNode* g = junction(root, "g", 1);
  TheNode* n = junction(root, "n");
  element(root, 19, "A0", "1", n, g);
  c.make(*this, g, n);
  for (auto a : c.answers) dialogs.boxAnswers.push_back(a);
  for (const auto& i : c.inputs) dialogs.inputAnswers.push_back(i);
  Lines expected = c.body;
  expected.insert(expected.begin(), "A0  0  1    1");
  const Lines lines = build();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), ".END") << c.what;
  EXPECT_EQ(Lines(lines.begin() + 1, lines.end() - 1), expected) << c.what;
  EXPECT_EQ(dialogs.texts(), c.boxTexts) << c.what;
  EXPECT_EQ(listNotPacked, c.listNotPacked) << c.what;
}

void twoIncomplete(NetlistBuilderTest& f, TheNode* g, TheNode*) {
  f.element(f.root, 19, "R1", "1", g, nullptr);
  f.element(f.root, 19, "R2", "1", nullptr, g);
}

const ElementCase kElementCases[] = {
    {"missing input link, Abort stops the level", twoIncomplete, {MsgResult::Abort}, {}, {},
     {"(0<1) m14"}, 0},
    {"missing input link, Retry writes the one column", twoIncomplete,
     {MsgResult::Retry, MsgResult::Retry}, {}, {"R1  0    1", "R2  0    1"},
     {"(0<1) m14", "(0<1) m13"}, 0},
    {"Ignore once: no further problem is asked", twoIncomplete, {MsgResult::Ignore}, {},
     {"R1  0    1", "R2  0    1"}, {"(0<1) m14"}, 1},
    {"controlled source without its partner",
     [](NetlistBuilderTest& f, TheNode* g, TheNode* n) { f.element(f.root, 12, "F1", "2", g, n); },
     {MsgResult::Retry}, {}, {"F1  1  0    2"}, {"m43"}, 0},
    {"missing value taken from the prompt",
     [](NetlistBuilderTest& f, TheNode* g, TheNode* n) { f.element(f.root, 19, "R1", "", g, n); },
     {}, {std::string("4k7")}, {"R1  1  0    4k7"}, {}, 0},
    {"missing value, Cancel: rest of the level skipped",
     [](NetlistBuilderTest& f, TheNode* g, TheNode* n) { f.element(f.root, 19, "R1", "", g, n); },
     {}, {std::nullopt}, {}, {}, 1},
    {"Ignore first, the value prompt still comes",
     [](NetlistBuilderTest& f, TheNode* g, TheNode* n) {
       f.element(f.root, 19, "A1", "1", g, nullptr);
       f.element(f.root, 19, "B1", "", g, n);
       f.element(f.root, 19, "C1", "1", nullptr, nullptr);
     },
     {MsgResult::Ignore}, {std::string("7")}, {"A1  0    1", "B1  1  0    7", "C1    1"}, {"(0<1) m14"}, 1},
};
INSTANTIATE_TEST_SUITE_P(Answers, ElementQuestionTest, ::testing::ValuesIn(kElementCases));

TEST_F(NetlistBuilderTest, AbortInsideASubCircuitEndsOnlyThatLevel) {
  TheNode* g = junction(root, "g", 1);
  TheNode* x1 = element(root, vemu::model::ntSubCircuit, "X1", "", g, nullptr);
  TheNode* p = junction(x1, "p");
  wire(p, g);
  TheNode* bad = element(x1, 19, "R1", "1", p, nullptr);
  element(x1, 19, "R2", "1", p, p);
  element(root, 19, "Z1", "1", g, g);
  dialogs.boxAnswers = {MsgResult::Abort};
  EXPECT_EQ(body(), (Lines{"X1 0", ".X", "Z1  0  0    1"}));
  // The question showed the element on its level, alone selected and current.
  EXPECT_EQ(host.events, (Lines{"current nil", "memo shown (2 lines)", "level X1", "selection 0", "current R1",
                                "center R1", "status 2 (0<1) m14"}));
  EXPECT_EQ(graph.MainNode, x1);
  EXPECT_EQ(bad->Selected, 1);
}

TEST_F(NetlistBuilderTest, ValuePromptShowsCaptionThenValueInTheStatus) {
  TheNode* g = junction(root, "g", 1);
  element(root, 19, "R1", "", g, g);
  dialogs.inputAnswers = {std::string("5")};
  build();
  EXPECT_EQ(dialogs.prompts, Lines{"m15"});
  EXPECT_EQ(host.eventsOf("status"), (Lines{"status 2 m38", "status 2 Value=5"}));
  dialogs.inputAnswers = {std::nullopt, std::nullopt};
  for (TheNode* n = graph.FirstNode.get(); n; n = n->NextNode.get())
    if (n->Name.str() == "R1") n->Value.clear();
  host.events.clear();
  // Cancel makes up no value: the next build asks again.
  build();
  build();
  EXPECT_EQ(host.eventsOf("status"), (Lines{"status 2 m38", "status 2 Value=", "status 2 m38", "status 2 Value="}));
  EXPECT_EQ(dialogs.prompts, (Lines{"m15", "m15", "m15"}));
}

// --- the pieces ---------------------------------------------------------------

TEST(NetlistTextTest, FormatFillsOnlyThePlacesItHasArgumentsFor) {
  using vemu::netlist::FormatText;
  EXPECT_EQ(FormatText("(%d<%d) %s", {0, 2, std::string("x")}), "(0<2) x");
  EXPECT_EQ(FormatText("%s and %s %d%% %x", {std::string("a")}), "a and %s %d% %x");
  EXPECT_EQ(FormatText("end %", {}), "end %");
}

TEST(NetlistTextTest, IntegerTexts) {
  using vemu::netlist::IsIntegerText;
  for (const char* yes : {"0", "12", "-5", " 7", "+3", "$1F", "0x10", "2147483647", "-2147483648"})
    EXPECT_TRUE(IsIntegerText(yes)) << yes;
  for (const char* no : {"", "@", "1a", "2147483648", "-", "$", "1 ", "12.0"}) EXPECT_FALSE(IsIntegerText(no)) << no;
}

TEST(NetlistTextTest, TitleIsTheFilePart) {
  EXPECT_EQ(vemu::platform::fileNamePart("/a/b/c.dag"), "c.dag");
  EXPECT_EQ(vemu::platform::fileNamePart("c.dag"), "c.dag");
  EXPECT_EQ(vemu::platform::fileNamePart(""), "");
}

TEST_F(NetlistBuilderTest, StoreInCirFlags) {
  TheNode* j = junction(root, "j");
  TheNode* r = member(root, 11, "F2");
  TheNode* s = member(root, 12, "F1");
  graph.AddLine(-2, s, r, vemu::model::alControl);
  j->StoreInCir = 1;
  vemu::netlist::SetStoreInCirFlag(graph);
  EXPECT_EQ(j->StoreInCir, 0);
  EXPECT_EQ(r->StoreInCir, 0);
  EXPECT_EQ(s->StoreInCir, 1);
  EXPECT_EQ(root->StoreInCir, 1);
}

TEST_F(NetlistBuilderTest, CircularMembershipIsWalkedOnce) {
  TheNode* g = junction(root, "g", 1);
  TheNode* x1 = element(root, vemu::model::ntSubCircuit, "X1", "", g, nullptr);
  TheNode* x2 = element(x1, vemu::model::ntSubCircuit, "X2", "", nullptr, nullptr);
  graph.AddLine(-2, x2, x1, vemu::model::alHaveItem);
  // Each sub-circuit once, never nested inside itself; a member listed twice
  // gets one line.
  EXPECT_EQ(body(), (Lines{"X1 0", "X2", ".X", ".X"}));
  graph.AddLine(-2, root, x2, vemu::model::alHaveItem);
  EXPECT_EQ(body(), (Lines{"X1 0", "X2", ".X", ".X"}));
}

TEST_F(NetlistBuilderTest, TypeCodeOutsideTheTableHasNoRules) {
  TheNode* g = junction(root, "g", 1);
  element(root, 19, "R1", "1", g, g);
  TheNode* odd = element(root, 3, "E1", "9", g, g);
  types.resize(10);
  odd->NodeType = 3;
  types.resize(3);  // code 3 is beyond the table now
  EXPECT_EQ(body(), (Lines{"E1  0  0", "R1  0  0"}));
}

}  // namespace
