// The second build's netlist import: lines into the shown level, the type
// letters, the amplifier rewriting, equal names, nets that only name
// junctions, and the menu command around it.
#include <gtest/gtest.h>

#include "catalogue/node_type_table.h"
#include "model/graph_test_support.h"
#include "netlist/second_import.h"
#include "platform/text_file.h"
#include "support/scratch_folder.h"

namespace {

using vemu::model::TheLine;
using vemu::model::TheNode;

class RecordingImportHost final : public vemu::netlist::SecondImportHost {
 public:
  int PaintBoxWidth() const override { return 640; }
  int PaintBoxHeight() const override { return 480; }
  void SetModified(bool modified) override { events.push_back(modified ? "modified" : "unmodified"); }
  void SetCaption(const std::string& text) override { caption = text; }
  bool ConfirmDiscardUnsaved() override { return events.emplace_back("question"), true; }
  void EnableSave() override { events.push_back("save enabled"); }
  void SetCurrentNode(TheNode* node) override { events.push_back(node ? "current" : "no current"); }
  std::string ImportItemCaption() const override { return "CreateCircuitFromCir"; }
  void ShowFileInTextWindow(const std::string&, std::string_view bytes) override { text = vemu::platform::splitLines(bytes); }
  void PushUndoSnapshot() override { events.push_back("snapshot"); }
  void ComputeItemsRect() override { events.push_back("items"); }
  void UpdateScrollBars() override { events.push_back("bars"); }
  void RefreshLevelWindows() override { events.push_back("levels"); }
  void StartArrangeMode() override { events.push_back("arrange"); }
  std::vector<std::string> events, text;
  std::string caption;
};

// The letters of the element types, in their descriptions' second place.
const char kLetters[] = "OSNEJIUVANNUKIHUGIBRgLlCcGHKBXNPTHGQ";

class SecondImport : public ::testing::Test, public vemu::test::GraphFixtureBase {
 protected:
  SecondImport() {
    vemu::catalogue::InitNodeTypeTable(types, 36, nullptr, vemu::catalogue::TypeCatalogue::Second);
    for (std::size_t t = 0; t < 36; ++t)
      vemu::catalogue::SetDescription(types[t], std::string("\"") + kLetters[t] + "\" d");
  }
  vemu::netlist::SecondImportContext context() { return {graph, types, host, random}; }
  // Builds the element lines between a title, the additional line and ".END".
  void import(std::vector<std::string> lines) {
    lines.insert(lines.begin(), {"title", ".AC LOG 5 10100"});
    lines.push_back(".END");
    vemu::netlist::SecondBuildImport(context()).BuildFromNetlist(lines);
  }
  // The shown level's members: name#type[=value] and each link kind>target.
  std::string level() const {
    std::string out;
    for (const TheLine* m = root->FirstLine.get(); m; m = m->Next.get()) {
      const TheNode* n = m->Node;
      out += (out.empty() ? "" : " | ") + std::string(n->Polarity ? "+" : "") + n->Name.str() + "#" +
             std::to_string(n->NodeType);
      if (!n->Value.empty()) out += "=" + n->Value;
      if (n->Ground) out += " ground";
      for (const TheLine* l = n->FirstLine.get(); l; l = l->Next.get())
        out += std::string(l->Kind == vemu::model::alInPin ? " in>" : " out>") + l->Node->Name.str();
    }
    return out;
  }

  vemu::catalogue::NodeTypeTable types;
  RecordingImportHost host;
  vemu::platform::RandomSource random{7};
};

TEST_F(SecondImport, LinesBecomeElementsAndJunctionsOfTheShownLevel) {
  const std::string longNet(40, 'n');
  std::vector<std::string> twelve;  // one box for all, listing ten
  std::string listed = "12 messages:";
  for (int i = 1; i <= 12; ++i) twelve.push_back("Z" + std::to_string(i) + " 1 2");
  for (int i = 1; i <= 10; ++i) listed += "\r\nError: Cannot Find Type <Z" + std::to_string(i) + ">";
  struct Case {
    std::vector<std::string> body;
    std::string level;
    std::vector<std::string> boxes;
  } cases[] = {
      {{"R1 1 2 100"}, "R1#19=100 in>1 out>2 | 1#2 | 2#2", {}},
      // Both lower nets on ground: the voltage amplifier, input 4, output 3.
      {{"K1  0 3 0 4 10"}, "K1#27=10 in>4 out>3 | 4#2 | 3#2", {}},
      {{"K1 1 3 0 4 10"}, "K1#12=10 in>1 out>3 out>0 out>4 | 1#2 | 3#2 | 0#2 ground | 4#2", {}},
      // Missing words are empty: no net, no value.
      {{"H1 0 3 0"}, "H1#26 out>3 | 3#2", {}},
      {{"N1 1 2", "U1 1 0 x", "I1 1 0 x"},
       "I1#5 in>1 out>0 | U1#6 in>1 out>0 | N1#9 in>1 out>2 | 1#2 | 2#2 | 0#2 ground",
       {}},
      // Three or five words: name and nets, the value "0".
      {{"U1 2 0", "K1 1 3 2 0"}, "K1#12=0 in>1 out>3 out>2 out>0 | U1#6 in>2 out>0 | 2#2 | 0#2 ground | 1#2 | 3#2", {}},
      // The amplifier with the "+" sign: 0, output, input, 0.
      {{"K1 0 3 2 0 20"}, "+K1#27=20 in>2 out>3 | 2#2 | 3#2", {}},
      {{"Z1 1 2", "* R1 1 2", "", "S1 1", "Q1 1 2", "R2 100"},
       "R2#19=100",
       {"3 messages:\r\nError: Cannot Find Type <Z1>\r\nError: Cannot Find Type <S1>\r\nError: Cannot Find Type <Q1>"}},
      {{"R1 1 2 5", "R1 3 4 6"},
       "R1#19=5 in>1 out>2 in>3 out>4 | 1#2 | 2#2 | 3#2 | 4#2",
       {"WARNING: Equal Names <R1>"}},
      // A net named like an element is a junction of its own.
      {{"R1 1 2 5", "C1 R1 1 2"}, "C1#23=2 in>R1 out>1 | R1#19=5 in>1 out>2 | 1#2 | 2#2 | R1#2", {}},
      // Seven words at most; names cut to 30 characters, each net however long one junction;
      // five words end in the value "0".
      {{"R1 1 2 3 4 5 6 7 8", "C" + longNet + " " + longNet + " " + longNet + "x " + longNet + " 1"},
       "C" + longNet.substr(0, 29) + "#23=0 in>" + longNet.substr(0, 30) + " out>" + longNet.substr(0, 30) + " out>" +
           longNet.substr(0, 30) + " out>1 | R1#19=6 in>1 out>2 out>3 out>4 out>5 | 1#2 | 2#2 | 3#2 | 4#2 | 5#2 | " +
           longNet.substr(0, 30) + "#2 | " + longNet.substr(0, 30) + "#2",
       {}},
      {twelve, "", {listed + "\r\n... and 2 more"}},
      {{"R1"}, "R1#19", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body.front());
    graph.Clear();
    graph.MainNode = root = graph.AddNode(nullptr, vemu::model::ntRoot);
    dialogs.boxes.clear();
    import(c.body);
    EXPECT_EQ(level(), c.level);
    EXPECT_EQ(dialogs.texts(), c.boxes);
  }
}

TEST_F(SecondImport, TheTitleTheAdditionalLineAndTheLastAreNotReadIntoWhatIsThere) {
  TheNode* one = member(root, vemu::model::ntJunction, "1");
  // The line after the title is an element line unless it begins with ".".
  const std::vector<std::vector<std::string>> texts = {
      {"R1 1 2 3", ".R2 1 2 3", "R3 1 2 3"}, {"R1 1 2 3", ".R2 1 2 3", "R3 1 2 3", "R4 1 2 3"}, {}, {"a"},
      {"t", "R5 1 2 3"}, {"t", "R5 1 2 3", ".END"}};
  const std::string built = "R3#19=3 in>1 out>2 | 1#2 | 2#2";
  const std::string levels[] = {"1#2", built, built, built, built, "R5#19=3 in>1 out>2 | " + built};
  const char* captions[] = {"R3 1 2 33", "R3 1 2 34", "0", "1", "2", ".END3"};
  for (std::size_t i = 0; i < texts.size(); ++i) {
    vemu::netlist::SecondBuildImport(context()).BuildFromNetlist(texts[i]);
    EXPECT_EQ(level(), levels[i]);
    EXPECT_EQ(host.caption, captions[i]);
  }
  EXPECT_EQ(root->FirstLine->Next->Next->Node, one);  // the junction there is reused
  for (const TheLine* m = root->FirstLine.get(); m; m = m->Next.get())
    EXPECT_TRUE(m->Node->X < 640 && m->Node->Y < 480);
  graph.MainNode = nullptr;
  vemu::netlist::SecondBuildImport(context()).BuildFromNetlist(texts[1]);
  EXPECT_EQ(dialogs.texts(), std::vector<std::string>{"ERROR(102): Internal Programm error."});
}

TEST_F(SecondImport, TheMenuCommandAddsTheFileAfterASnapshotAndStartsTheArrangement) {
  vemu::test::ScratchFolder folder;
  folder.write("x.cir", "t\r\n.AC\r\nR1 1 0 5\r\n.END\r\n");
  const std::string dir = folder.path(), name;
  dialogs.fileAnswers = {std::nullopt, folder.file("x.cir"), folder.file("gone.cir")};
  for (int i = 0; i < 3; ++i) vemu::netlist::SecondBuildImport(context()).CreateFromCir1Click({dir, name});
  ASSERT_EQ(dialogs.fileRequests.size(), 3u);
  EXPECT_TRUE(dialogs.fileRequests[0].filters.empty());  // every file, the dialog's own filter untouched
  EXPECT_EQ(dialogs.fileRequests[0].title, "CreateCircuitFromCir");
  EXPECT_EQ(host.events, (std::vector<std::string>{"question", "save enabled", "no current", "question", "save enabled",
                                                   "no current", "snapshot", "unmodified", "modified", "items", "bars",
                                                   "levels", "arrange", "question", "save enabled", "no current"}));
  EXPECT_EQ(host.text, (std::vector<std::string>{"t", ".AC", "R1 1 0 5", ".END"}));
  EXPECT_EQ(level(), "R1#19=5 in>1 out>0 | 1#2 | 0#2 ground");
  EXPECT_EQ(dialogs.texts(), std::vector<std::string>{"Cannot read the file " + folder.file("gone.cir") +
                                                      ":\r\nNo such file or directory"});
  // The whole file is built, however little of it the text window shows; the caption counts every line.
  folder.write("many.cir", "t\r\n.AC\r\n" + std::string(200000, '\n') + "R2 1 0 7\r\n.END");
  dialogs.fileAnswers = {folder.file("many.cir")};
  vemu::netlist::SecondBuildImport(context()).CreateFromCir1Click({dir, name});
  EXPECT_EQ(host.caption, "200004");
  EXPECT_EQ(level(), "R2#19=7 in>1 out>0 | R1#19=5 in>1 out>0 | 1#2 | 0#2 ground");
}

}  // namespace
