// Name and value rules: the "New" store by node kind, the junction number
// swap, the quick stores, the ground cycle and the second build's value entry.
#include <gtest/gtest.h>

#include "editing_test_host.h"
#include "graph_test_support.h"
#include "model/name_rules.h"
#include "model/value_entry.h"

using namespace vemu::model;
using vemu::test::RecordingEditingHost;

namespace {

class NamingRules : public ::testing::Test, public vemu::test::GraphFixtureBase {
 protected:
  RecordingEditingHost host{graph};
  std::vector<std::string> junctionNames() {
    std::vector<std::string> out;
    graph.forEachNode([&](TheNode* n) {
      if (n->IsJunction()) out.push_back(n->Name.str());
    });
    return out;
  }
};

TEST(NamingTexts, NumbersAndBlanks) {
  for (const char* yes : {"12", "-3", "+0"}) EXPECT_TRUE(IsIntegerText(yes)) << yes;
  for (const char* no : {"", "x", "1.5", " 1", "0x1", "-"}) EXPECT_FALSE(IsIntegerText(no)) << no;
  for (const char* yes : {"1e3", "-2.5", "0", ".5"}) EXPECT_TRUE(IsFloatText(yes)) << yes;
  for (const char* no : {"", "R1", "1 k", "1,5x", "1e999"}) EXPECT_FALSE(IsFloatText(no)) << no;
  EXPECT_TRUE(NameProblem("a b"));
  EXPECT_TRUE(NameProblem("a\tb"));
  EXPECT_TRUE(NameProblem(""));
  EXPECT_FALSE(NameProblem("R1"));
  TheNode text;
  text.NodeType = ntText;
  TheNode resistor;
  resistor.NodeType = 19;
  EXPECT_FALSE(ValueProblem(text, "two words"));
  EXPECT_TRUE(ValueProblem(resistor, "two words"));
}

struct StoreCase {
  int type;
  const char* name;
  const char* value;
  const char* storedName;
  const char* storedValue;
  std::size_t warnings;
};

TEST_F(NamingRules, NewStoresByKind) {
  const StoreCase cases[] = {
      {19, "R7", "1k", "R7", "1k", 0},
      {26, "H1", "-12", "H1", "12", 0},
      {27, "B1", "+5", "B1", "5", 0},
      {30, "N1", "", "N1", "", 0},
      {28, "B2", "x-", "B2", "x-", 0},
      {29, "X2", "pins", "X2", "old", 0},
      {32, "ignored", "two words/next", "text", "two words/next", 0},
      {1, "Top", "v", "Upper", "old", 0},
      {19, "R 7", "1k", "R1", "old", 1},
      {19, "R7", "1 k", "R1", "old", 1},
      {19, "", "1", "R1", "old", 1},
      {19, "Z123456789012345678901234567890XYZ", "2", "Z12345678901234567890123456789", "2", 0},
  };
  for (const StoreCase& c : cases) {
    TheNode* n = member(root, static_cast<std::uint8_t>(c.type), c.type == 32 ? "text" : c.type == 1 ? "Upper" : "R1");
    n->Value = "old";
    graph.CurrentNode = n;
    host.warnings.clear();
    const int snapshots = host.snapshots;
    StoreNameAndValue(graph, c.name, c.value, host);
    EXPECT_EQ(n->Name.str(), c.storedName) << c.type << " " << c.name;
    EXPECT_EQ(n->Value, c.storedValue) << c.type << " " << c.name;
    EXPECT_EQ(host.warnings.size(), c.warnings) << c.type << " " << c.name;
    EXPECT_EQ(host.snapshots - snapshots, c.warnings ? 0 : 1) << c.type << " " << c.name;
  }
  graph.CurrentNode = nullptr;
  StoreNameAndValue(graph, "x", "y", host);
  EXPECT_EQ(host.deselects, static_cast<int>(std::size(cases)) + 1);
}

TEST_F(NamingRules, JunctionRenameSwapsNumbersAmongJunctionsOnly) {
  TheNode* j3 = member(root, ntJunction, "3");
  member(root, ntJunction, "5");
  member(root, ntJunction, "1");
  TheNode* element = member(root, 19, "5");
  TheNode* seven = member(root, 19, "7");
  graph.CurrentNode = j3;
  const struct { const char* to; const char* box; } refusals[] = {
      {"x", "M46"}, {"9", "M47=[9]"}, {"7", "M47=[7]"}};
  for (const auto& r : refusals) {
    host.messages.clear();
    StoreNameAndValue(graph, r.to, "", host);
    EXPECT_EQ(host.messages, std::vector<std::string>{r.box}) << r.to;
    EXPECT_EQ(junctionNames(), (std::vector<std::string>{"3", "5", "1"}));
  }
  StoreNameAndValue(graph, "3", "", host);  // the same number: nothing
  EXPECT_EQ(host.sorts, 0);
  StoreNameAndValue(graph, "5", "", host);
  EXPECT_EQ(junctionNames(), (std::vector<std::string>{"5", "3", "1"}));
  EXPECT_EQ(element->Name.str(), "5");
  EXPECT_EQ(seven->Name.str(), "7");
  EXPECT_EQ(host.sorts, 1);
  EXPECT_EQ(host.status[2], "M48 from 3 to 5");
  EXPECT_EQ(SwapJunctionNumbers(graph, "8", "1"), JunctionRename::NoOldName);
  TheNode lone;
  lone.NodeType = ntJunction;
  lone.Name = "8";
  host.messages.clear();
  RenameJunction(graph, lone, "1", host);
  EXPECT_EQ(host.messages, std::vector<std::string>{"M47={8}"});
}

TEST_F(NamingRules, QuickStoresTakeNoSnapshot) {
  TheNode* r = member(root, 19, "R1");
  TheNode* text = member(root, ntText, "text");
  TheNode* j = member(root, ntJunction, "1");
  member(root, ntJunction, "2");
  graph.CurrentNode = r;
  QuickStoreValue(graph, "R9", "R1", host);
  EXPECT_EQ(host.status[2], "M36");
  EXPECT_EQ(r->Name.str(), "R1");
  QuickStoreValue(graph, "R9", "1e3", host);
  EXPECT_EQ(host.status[2], "M35");
  EXPECT_EQ(r->Name.str(), "R9");
  EXPECT_EQ(r->Value, "1e3");
  EXPECT_EQ(host.redraws, 1);
  QuickStoreName(graph, "R 2", host);
  EXPECT_EQ(r->Name.str(), "R9");
  EXPECT_EQ(host.warnings.size(), 1u);
  QuickStoreName(graph, "R2", host);
  EXPECT_EQ(r->Name.str(), "R2");
  graph.CurrentNode = text;
  QuickStoreValue(graph, "TEXT", "a note", host);
  EXPECT_EQ(text->Value, "a note");
  EXPECT_EQ(text->Name.str(), "text");
  graph.CurrentNode = j;
  QuickStoreName(graph, "7", host);  // the junction rule: no net 7
  EXPECT_EQ(host.messages, std::vector<std::string>{"M47=[7]"});
  QuickStoreValue(graph, "2", "0", host);
  EXPECT_EQ(junctionNames(), (std::vector<std::string>{"2", "1"}));
  EXPECT_EQ(host.snapshots, 0);
}

TEST_F(NamingRules, GroundCycles) {
  TheNode* j = member(root, ntJunction, "1");
  TheNode* r = member(root, 19, "R1");
  TheNode* c = member(root, 23, "C1");
  graph.CurrentNode = j;
  for (int expected : {1, 2, 3, 4, 0}) {
    CycleGround(graph, root, host);
    EXPECT_EQ(j->Ground, expected);
  }
  EXPECT_TRUE(host.warnings.empty());
  EXPECT_EQ(host.status[2], "M61");
  r->Selected = c->Selected = 1;
  CycleGround(graph, root, host);
  EXPECT_EQ(host.warnings, std::vector<std::string>{"M10"});
  EXPECT_EQ(j->Ground, 0);
  EXPECT_EQ(host.numberings, 6);
  j->Selected = 1;
  CycleGround(graph, root, host);
  EXPECT_EQ(j->Ground, 1);
  EXPECT_EQ(host.warnings.size(), 1u);
  j->Selected = r->Selected = c->Selected = 0;
  graph.CurrentNode = r;
  CycleGround(graph, root, host);
  EXPECT_EQ(host.warnings.size(), 2u);
  EXPECT_EQ(host.snapshots, 8);
}

class RecordingValueEntry final : public ValueEntryHost {
 public:
  std::optional<std::string> answer;
  std::optional<AmplifierProperties> properties;  // what the window returns; nothing = cancel
  AmplifierProperties shown;
  std::vector<std::string> log;

  std::optional<std::string> AskText(const std::string& caption, const std::string& prompt,
                                     const std::string& initial) override {
    log.push_back("ask " + caption + "|" + prompt + "|" + initial);
    return answer;
  }
  bool AskAmplifierProperties(AmplifierProperties& fields) override {
    shown = fields;
    if (!properties) return false;
    fields = *properties;
    return true;
  }
  std::string Msg(int index) override { return "M" + std::to_string(index); }
  void ShowWarning(const std::string& text) override { log.push_back("warn " + text); }
  std::string TypeDescription(int type) override { return "type" + std::to_string(type); }
  void PushUndoSnapshot() override { log.push_back("snapshot"); }
  void SetModified() override { log.push_back("modified"); }
  void SetCurrentNode(TheNode* node) override { log.push_back("current " + node->Name.str()); }
  void StoreThroughFields(const std::string& name, const std::string& value) override {
    log.push_back("store " + name + "=" + value);
  }
  void SetIgnoreMouseDown() override { log.push_back("ignore"); }
  void ResetMouseState() override { log.push_back("mouse 0"); }
};

TEST_F(NamingRules, SecondBuildValueEntry) {
  RecordingValueEntry entry;
  TheNode* r = member(root, 19, "R1");
  r->Value = "10";
  entry.answer = "22";
  EditNodeValue(r, entry);
  EXPECT_EQ(entry.log, (std::vector<std::string>{"ask M51|R1|10", "current R1", "store R1=22", "mouse 0"}));
  entry.log.clear();
  entry.answer.reset();
  EditNodeValue(r, entry);
  EXPECT_EQ(entry.log, (std::vector<std::string>{"ask M51|R1|10", "mouse 0"}));

  TheNode* note = member(root, ntText, "text", 30, 40);
  note->Value = "two/lines";
  entry.log.clear();
  entry.answer = "one line";
  EditNodeValue(note, entry);  // the stub stores nothing: the note keeps two lines
  EXPECT_EQ(entry.log, (std::vector<std::string>{"ask M51|text|two/lines", "snapshot", "current text",
                                                 "store text=one line", "ignore", "mouse 0"}));
  EXPECT_EQ(note->Wx, -15);
  entry.log.clear();
  entry.answer.reset();
  EditNodeValue(note, entry);
  EXPECT_EQ(entry.log, (std::vector<std::string>{"ask M51|text|two/lines", "ignore", "mouse 0"}));

  TheNode* amp = member(root, 27, "B1");
  amp->Polarity = 1;
  entry.properties = AmplifierProperties{"", "B123456789012345678901234567890", "3", true};
  entry.log.clear();
  EditNodeValue(amp, entry);
  EXPECT_EQ(entry.log, (std::vector<std::string>{"snapshot", "modified", "mouse 0"}));
  EXPECT_EQ(entry.shown.caption, "type27");
  EXPECT_FALSE(entry.shown.inverted);
  EXPECT_EQ(amp->Polarity, 0);
  EXPECT_EQ(amp->Name.str(), "B12345678901234567890123456789");
  EXPECT_EQ(amp->Value, "3");
  entry.properties = AmplifierProperties{"", "B 2", "4", false};
  entry.log.clear();
  EditNodeValue(amp, entry);
  EXPECT_EQ(entry.log.size(), 2u);  // the refusal and the mouse state: no snapshot
  EXPECT_EQ(amp->Value, "3");
  EXPECT_EQ(amp->Polarity, 0);
  EditNodeValue(nullptr, entry);
}

}  // namespace
