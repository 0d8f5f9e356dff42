// The file commands over a recording host and real files: every dialog
// path (OK, Cancel, failure), the question on unsaved work, and failed
// loads and saves that keep the state they found.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

#include "files/circuit_file.h"
#include "files/file_commands.h"
#include "files/sample_circuits.h"
#include "files/subcircuit_file.h"
#include "platform/scripted_dialogs.h"
#include "platform/text_file.h"
#include "support/scratch_folder.h"

namespace {

using vemu::files::FileCommands;
using vemu::files::FileMenuItem;
using vemu::model::TheBaseOfGraf;
using vemu::model::TheNode;
using vemu::platform::MsgResult;
namespace model = vemu::model;

// The window's side: a real graph read and written through ".dag" files;
// every other request is only recorded.
class RecordingHost final : public vemu::files::FileCommandsHost {
 public:
  RecordingHost() { graph = std::move(vemu::test::SampleCircuit().graph); }

  std::unique_ptr<TheBaseOfGraf> graph;
  std::vector<std::string> calls;
  std::string caption = "caption before";
  std::string status2;
  bool failWrites = false;
  std::vector<std::string> netlist = {"noname.dag", "R1  3  4    10k", ".END"};
  std::vector<std::string> textWindow;
  std::string savedNetlist;
  int snapshots = 0;
  int rootMembersAtSnapshot = -1;

  int RootMembers() const { return graph->LineCount(graph->MainNode); }

  TheBaseOfGraf& Graph() override { return *graph; }
  bool ReadCircuitFile(const std::string& path) override {
    auto result = vemu::files::ReadCircuitFile(path);
    calls.push_back(result.ok ? "read" : "read failed");
    if (!result.ok) return false;
    graph = std::move(result.graph);
    graph->MainNode = result.mainNode;
    return true;
  }
  bool WriteCircuitFile(const std::string& path) override {
    calls.push_back("write");
    return !failWrites && vemu::files::WriteCircuitFile(*graph, {}, path, nullptr);
  }
  void ReplaceWithEmptyCircuit() override {
    calls.push_back("empty");
    graph = std::make_unique<TheBaseOfGraf>();
    graph->MainNode = graph->AddNode(nullptr, model::ntRoot);
  }
  void SetCurrentNode(TheNode* node) override { graph->CurrentNode = node; }
  void ClearPreview() override { calls.push_back("preview"); }
  void PushUndoSnapshot() override {
    calls.push_back("snapshot");
    ++snapshots;
    rootMembersAtSnapshot = RootMembers();
  }
  void ResetUndoRing() override { calls.push_back("reset ring"); }
  void NumberNets() override { calls.push_back("nets"); }
  void ComputeItemsRect() override { calls.push_back("box"); }
  void UpdateScrollBars() override { calls.push_back("bars"); }
  void Redraw() override { calls.push_back("redraw"); }
  void DefaultView() override { calls.push_back("default view"); }
  void SetViewScale(double scale) override { calls.push_back("scale " + std::to_string(scale).substr(0, 3)); }
  void SetViewOrigin(std::int32_t x, std::int32_t y) override {
    calls.push_back("origin " + std::to_string(x) + "," + std::to_string(y));
  }
  void FitViewToPaintBox() override { calls.push_back("fit"); }
  void SetCaption(const std::string& text) override { caption = text; }
  std::string ProgramTitle() const override { return "Vemu"; }
  void SetStatusText(int panel, const std::string& text) override {
    if (panel == 2) status2 = text;
  }
  std::string ItemCaption(FileMenuItem item) const override { return "caption" + std::to_string(int(item)); }
  std::string ItemHint(FileMenuItem item) const override { return "hint" + std::to_string(int(item)); }
  void EnableSave() override { calls.push_back("enable save"); }
  void SetLastOpenCaption(const std::string& text) override { calls.push_back("last open " + text); }
  std::vector<std::string> BuildNetlistIntoTextWindow() override { return textWindow = netlist; }
  void SetTextWindowLines(const std::vector<std::string>& lines) override { textWindow = lines; }
  bool SaveTextWindow(const std::string& path) override {
    savedNetlist = path;
    return vemu::platform::writeLines(path, textWindow);
  }
  bool OpenNetlistAndBuild(const std::string&) override { return false; }
  void ClearDiagnosticMemo() override { memo.clear(); }
  void AddDiagnosticLines(const std::vector<std::string>& lines) override {
    memo.insert(memo.end(), lines.begin(), lines.end());
  }
  std::vector<std::string> memo;
};

struct Commands : ::testing::Test {
  vemu::test::ScratchFolder folder;
  vemu::platform::ScriptedDialogs dialogs;
  vemu::platform::ScopedDialogs scope{dialogs};
  RecordingHost host;
  std::uint8_t modified = 1;
  std::string lastFile, subCircuitFile = "select.dag", saveName = "noname.dag", openName, dialogFolder;
  int openFilter = 1, saveFilter = 1;
  bool unsaved = false;
  bool ownFile = true;
  bool secondBuild = false;

  FileCommands commands() {
    return FileCommands(host, {modified, lastFile, subCircuitFile, saveName, openName, dialogFolder, openFilter,
                               saveFilter, unsaved, ownFile, secondBuild});
  }
  std::string Path(const std::string& name) const { return folder.file(name); }
  // A good circuit file and a damaged one in the folder.
  void WriteFiles() {
    folder.write("good.dag", vemu::test::SampleCircuitText());
    folder.write("bad.dag", vemu::test::SampleCircuitText().substr(0, 300) + "x y z\r\n");
  }
  std::vector<std::string> Texts() const { return dialogs.texts(); }
};

TEST_F(Commands, QuestionOnUnsavedWork) {
  struct Case {
    bool unsaved;
    MsgResult answer;
    bool writeFails;
    bool goesOn;
    bool written;
    bool ownFile = true;  // else Yes asks for a name: the save dialog's answer
    std::optional<std::string> saveAs = std::nullopt;
  };
  for (const Case& c : std::vector<Case>{{false, MsgResult::Cancel, false, true, false},
                                         {true, MsgResult::Yes, false, true, true},
                                         {true, MsgResult::Yes, true, false, false},
                                         {true, MsgResult::No, false, true, false},
                                         {true, MsgResult::Cancel, false, false, false},
                                         {true, MsgResult::Yes, false, true, true, false, Path("saved.dag")},
                                         {true, MsgResult::Yes, false, false, false, false}}) {
    dialogs.boxes.clear();
    dialogs.boxAnswers = {c.answer};
    dialogs.fileAnswers = {c.saveAs};
    dialogs.fileRequests.clear();
    ownFile = c.ownFile;
    saveName = c.ownFile ? Path("saved.dag") : "noname.dag";
    vemu::platform::removeFile(Path("saved.dag"));
    unsaved = c.unsaved;
    host.failWrites = c.writeFails;
    EXPECT_EQ(commands().ConfirmDiscardUnsaved(), c.goesOn);
    EXPECT_EQ(dialogs.boxes.size(), c.unsaved ? 1u : 0u);
    if (c.unsaved) {
      EXPECT_EQ(dialogs.boxes[0].text, "MSG19");
      EXPECT_EQ(dialogs.boxes[0].buttons, vemu::platform::MsgButtons::YesNoCancel);
    }
    EXPECT_EQ(vemu::platform::fileExists(Path("saved.dag")), c.written);
    EXPECT_EQ(unsaved, c.unsaved && !c.written);
    EXPECT_EQ(dialogs.fileRequests.size(), c.unsaved && c.answer == MsgResult::Yes && !c.ownFile ? 1u : 0u);
    EXPECT_FALSE(vemu::platform::fileExists(Path("noname.dag")));
  }
}

TEST_F(Commands, NewAsksThenTakesASnapshotBeforeClearing) {
  unsaved = true;
  dialogs.boxAnswers = {MsgResult::Cancel};
  commands().Newcircuit1Click();
  EXPECT_TRUE(host.calls.empty());
  EXPECT_EQ(host.RootMembers(), 5);

  dialogs.boxAnswers = {MsgResult::No};
  saveName = lastFile = Path("old.dag");
  commands().Newcircuit1Click();
  EXPECT_EQ(host.calls, (std::vector<std::string>{"snapshot", "preview", "empty", "box", "default view"}));
  EXPECT_EQ(host.rootMembersAtSnapshot, 5);  // the snapshot holds the circuit of before
  EXPECT_EQ(host.RootMembers(), 0);
  EXPECT_EQ(modified, 0);
  EXPECT_FALSE(unsaved);
  // The new circuit has no file: Save must not write over the old one.
  EXPECT_EQ(saveName, "noname.dag");
  EXPECT_FALSE(ownFile);
  EXPECT_EQ(lastFile, Path("old.dag"));
  EXPECT_EQ(host.caption, "MSG20noname.dag");
}

TEST_F(Commands, LoadDialogPaths) {
  WriteFiles();
  openName = "old.dag";
  saveName = "old.dag";
  lastFile = "old.dag";
  // Cancel: nothing read.
  commands().LoadFile1Click();
  EXPECT_EQ(host.calls, (std::vector<std::string>{"enable save"}));
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(dialogs.fileRequests[0].title, "hint0");
  EXPECT_EQ(dialogs.fileRequests[0].fileName, "old.dag");
  // Each filter's patterns as the file dialog matches them: every file the editor writes is listed.
  const auto lists = [&](std::size_t filter, const char* name) {
    const QStringList patterns = QString::fromStdString(dialogs.fileRequests[0].filters.at(filter).second).split(';');
    return std::any_of(patterns.begin(), patterns.end(),
                       [&](const QString& p) { return QRegularExpression::fromWildcard(p).match(name).hasMatch(); });
  };
  for (const char* name : {"cir", "out", "clc", "a.dag", "n.cir"}) EXPECT_TRUE(lists(2, name)) << name;
  EXPECT_TRUE(lists(1, "cir") && lists(1, "n.cir") && !lists(1, "a.dag") && !lists(1, "circuit"));
  EXPECT_TRUE(lists(0, "a.dag") && !lists(0, "cir"));

  // A damaged file: everything stays, the error names the file and line.
  host.calls.clear();
  modified = 1;
  unsaved = true;
  dialogs.fileAnswers = {Path("bad.dag")};
  dialogs.boxAnswers = {MsgResult::No};
  commands().LoadFile1Click();
  EXPECT_EQ(host.calls, (std::vector<std::string>{"enable save", "read failed"}));
  EXPECT_EQ(host.RootMembers(), 5);
  EXPECT_EQ(openName, "old.dag");
  EXPECT_EQ(saveName, "old.dag");
  EXPECT_EQ(lastFile, "old.dag");
  EXPECT_EQ(host.caption, "caption before");
  EXPECT_EQ(modified, 1);
  EXPECT_TRUE(unsaved);

  // The question's Cancel stops before reading.
  host.calls.clear();
  dialogs.fileAnswers = {Path("good.dag")};
  dialogs.boxAnswers = {MsgResult::Cancel};
  commands().LoadFile1Click();
  EXPECT_EQ(host.calls, (std::vector<std::string>{"enable save"}));

  // A good file.
  host.calls.clear();
  dialogs.fileAnswers = {Path("good.dag")};
  dialogs.boxAnswers = {MsgResult::No};
  commands().LoadFile1Click();
  EXPECT_EQ(host.calls, (std::vector<std::string>{"enable save", "read", "reset ring", "scale 1.0", "nets", "box",
                                                  "bars", "redraw"}));
  EXPECT_EQ(openName, Path("good.dag"));
  EXPECT_EQ(saveName, Path("good.dag"));
  EXPECT_EQ(lastFile, Path("good.dag"));
  EXPECT_EQ(host.caption, "MSG20" + Path("good.dag"));
  EXPECT_EQ(modified, 0);  // the host's reader does not mark it
  EXPECT_FALSE(unsaved);
}

TEST_F(Commands, LoadWithTheNetlistFilter) {
  WriteFiles();
  for (bool second : {false, true}) {
    secondBuild = second;
    host.calls.clear();
    dialogs.boxes.clear();
    lastFile = "old.dag";
    dialogs.fileAnswers = {Path("good.dag")};
    dialogs.filterAnswers = {vemu::files::kNetlistFilter};
    commands().LoadFile1Click();
    EXPECT_EQ(openFilter, 2);
    if (!second) {
      // No import in this version: it says so and reads nothing.
      EXPECT_EQ(host.calls, (std::vector<std::string>{"enable save"}));
      ASSERT_EQ(dialogs.boxes.size(), 1u);
      EXPECT_NE(dialogs.boxes[0].text.find("not available"), std::string::npos);
      EXPECT_EQ(lastFile, "old.dag");
    } else {
      // The second build always reads a circuit, its dialog titled with the caption.
      EXPECT_EQ(dialogs.fileRequests.back().title, "caption0");
      EXPECT_EQ(lastFile, Path("good.dag"));
    }
  }
}

TEST_F(Commands, SaveAsksAndKeepsModified) {
  saveName = Path("s.dag");
  modified = 0;
  commands().Save1Click();
  EXPECT_TRUE(dialogs.boxes.empty());
  modified = 1;
  unsaved = true;
  dialogs.boxAnswers = {MsgResult::Cancel, MsgResult::Ok};
  commands().Save1Click();
  EXPECT_FALSE(vemu::platform::fileExists(saveName));
  commands().Save1Click();
  EXPECT_EQ(dialogs.boxes.back().text, "MSG19\r\n" + saveName);
  EXPECT_TRUE(vemu::platform::fileExists(saveName));
  EXPECT_EQ(host.caption, "MSG19" + saveName);
  EXPECT_EQ(host.status2, "caption1");
  EXPECT_EQ(modified, 1);
  EXPECT_FALSE(unsaved);
  // A failed write: the caption and the record of unsaved work stay.
  host.failWrites = true;
  host.caption = "kept";
  unsaved = true;
  dialogs.boxAnswers = {MsgResult::Ok};
  commands().Save1Click();
  EXPECT_EQ(host.caption, "kept");
  EXPECT_TRUE(unsaved);
}

TEST_F(Commands, SaveAsDialogPaths) {
  lastFile = "/some/where/last.dag";
  saveName = "noname.dag";
  folder.write("taken.dag", "old");
  ASSERT_EQ(::mkfifo(Path("pipe.dag").c_str(), 0600) + ::symlink("nowhere.dag", Path("dangling.dag").c_str()), 0);
  struct Case {
    const char* what;
    std::optional<std::string> answer;
    int filter;
    MsgResult overwrite;
    bool failWrite;
    bool complete;  // the netlist reached ".END"
    std::string written;  // the file that must exist with new content, or empty
    std::string saveNameAfter, captionAfter;
    std::string lastFileAfter = "/some/where/last.dag";
  };
  const std::vector<Case> cases = {
      {"cancel", std::nullopt, 1, MsgResult::Ok, false, true, "", "noname.dag", "caption before"},
      {"new name", Path("a"), 1, MsgResult::Ok, false, true, "a.dag", Path("a.dag"), "MSG19" + Path("a.dag"),
       Path("a.dag")},
      {"existing, not replaced", Path("taken.dag"), 1, MsgResult::Cancel, false, true, "", "noname.dag", "Vemu"},
      {"a FIFO, asked", Path("pipe.dag"), 1, MsgResult::Cancel, false, true, "", "noname.dag", "Vemu"},
      {"a dangling link, asked", Path("dangling.dag"), 1, MsgResult::Cancel, false, true, "", "noname.dag", "Vemu"},
      {"existing, replaced", Path("taken.dag"), 1, MsgResult::Ok, false, true, "taken.dag", Path("taken.dag"),
       "MSG19" + Path("taken.dag"), Path("taken.dag")},
      {"write fails", Path("b.dag"), 1, MsgResult::Ok, true, true, "", "noname.dag", "caption before"},
      {"netlist", Path("n"), 2, MsgResult::Ok, false, true, "n.cir", "noname.dag", "MSG19" + Path("n.cir")},
      {"the editor's netlist", Path("cir"), 2, MsgResult::Ok, false, true, "cir", "noname.dag", "MSG19" + Path("cir")},
      {"netlist stopped", Path("m.cir"), 2, MsgResult::Ok, false, false, "", "noname.dag", "caption before"},
  };
  for (const Case& c : cases) {
    saveName = "noname.dag";
    lastFile = "/some/where/last.dag";
    host.caption = "caption before";
    host.failWrites = c.failWrite;
    host.netlist = c.complete ? std::vector<std::string>{"t", "R1 1 2", ".END"} : std::vector<std::string>{"t", "R1"};
    folder.write("taken.dag", "old");
    dialogs.fileAnswers = {c.answer};
    dialogs.filterAnswers = {c.filter};
    dialogs.boxAnswers = {c.overwrite};
    dialogs.fileRequests.clear();
    commands().SaveAs1Click();
    ASSERT_EQ(dialogs.fileRequests.size(), 1u) << c.what;
    EXPECT_FALSE(dialogs.fileRequests[0].confirmOverwrite) << c.what;
    EXPECT_EQ(dialogs.fileRequests[0].title, "hint2") << c.what;
    if (!c.written.empty()) {
      EXPECT_NE(folder.read(c.written), "old") << c.what;
      EXPECT_FALSE(folder.read(c.written).empty()) << c.what;
    }
    EXPECT_EQ(saveName, c.saveNameAfter) << c.what;
    EXPECT_EQ(host.caption, c.captionAfter) << c.what;
    EXPECT_EQ(lastFile, c.lastFileAfter) << c.what;
  }
  // The netlist's title is the last circuit file's name, not the new one.
  EXPECT_EQ(folder.read("n.cir"), "last.dag\r\nR1 1 2\r\n.END\r\n");
  EXPECT_FALSE(vemu::platform::fileExists(Path("m.cir")));
  EXPECT_FALSE(vemu::platform::fileExists(Path("b.dag")));
  // Nothing happens while the circuit is not modified.
  modified = 0;
  dialogs.fileRequests.clear();
  commands().SaveAs1Click();
  EXPECT_TRUE(dialogs.fileRequests.empty());
}

TEST_F(Commands, SecondBuildSavesAsCircuitAndKeepsTheCaptionWhenNotReplacing) {
  secondBuild = true;
  folder.write("taken.dag", "old");
  dialogs.fileAnswers = {Path("taken.dag"), Path("x.cir")};
  dialogs.filterAnswers = {1, vemu::files::kNetlistFilter};
  dialogs.boxAnswers = {MsgResult::Cancel};
  commands().SaveAs1Click();
  EXPECT_EQ(host.caption, "caption before");
  EXPECT_EQ(folder.read("taken.dag"), "old");
  commands().SaveAs1Click();  // the netlist filter means nothing here: a circuit is written
  EXPECT_EQ(folder.read("x.cir").rfind("noname\r\n", 0), 0u);
  EXPECT_EQ(lastFile, Path("x.cir"));
  EXPECT_EQ(dialogs.fileRequests.back().title, "caption2");
}

TEST_F(Commands, LastFilePaths) {
  WriteFiles();
  lastFile = Path("missing.dag");
  commands().LastOpen1Click();
  EXPECT_EQ(Texts(), (std::vector<std::string>{"MSG0\n\r" + Path("missing.dag")}));
  EXPECT_TRUE(host.calls.empty());

  lastFile = Path("bad.dag");
  saveName = openName = "old.dag";
  commands().LastOpen1Click();
  EXPECT_EQ(host.calls, (std::vector<std::string>{"read failed"}));
  EXPECT_EQ(saveName, "old.dag");
  EXPECT_EQ(lastFile, Path("bad.dag"));
  EXPECT_EQ(modified, 1);

  host.calls.clear();
  lastFile = Path("good.dag");
  commands().LastOpen1Click();
  EXPECT_EQ(host.calls, (std::vector<std::string>{"read", "reset ring", "last open good.dag", "scale 1.0",
                                                  "origin 0,0", "fit", "nets", "box", "bars", "redraw"}));
  EXPECT_EQ(saveName, Path("good.dag"));
  EXPECT_EQ(openName, Path("good.dag"));
}

TEST_F(Commands, SubcircuitFileAndClipboard) {
  host.graph->forEachNode([](TheNode* n) { n->Selected = 0; });
  // Nothing selected: save refuses with message 58, copy does nothing.
  commands().SaveSubcircuit1Click();
  EXPECT_EQ(Texts(), (std::vector<std::string>{"MSG58"}));
  folder.write("copy.txt", "kept");
  commands().SaveSub1Click();
  EXPECT_EQ(folder.read("copy.txt"), "kept");

  TheNode* r1 = model::FindNodeByName(*host.graph, "R1");
  ASSERT_NE(r1, nullptr);
  r1->Selected = 1;
  // Save: the dialog starts on SubCircuitFile; an existing file is replaced only on OK.
  folder.write("r1.dag", "old");
  dialogs.fileAnswers = {Path("r1.dag"), Path("r1.dag")};
  dialogs.boxAnswers = {MsgResult::Cancel, MsgResult::Ok};
  commands().SaveSubcircuit1Click();
  EXPECT_EQ(dialogs.fileRequests.back().fileName, "select.dag");
  EXPECT_EQ(folder.read("r1.dag"), "old");
  commands().SaveSubcircuit1Click();
  EXPECT_EQ(dialogs.boxes.back().caption, "MSG59");
  EXPECT_NE(folder.read("r1.dag"), "old");
  EXPECT_EQ(subCircuitFile, Path("r1.dag"));
  EXPECT_EQ(host.caption, "MSG19" + Path("r1.dag"));
  EXPECT_EQ(host.memo, (std::vector<std::string>{"01  R1"}));

  commands().SaveSub1Click();
  EXPECT_EQ(host.status2, "COPY");

  // Load: the snapshot comes before the nodes are added.
  host.calls.clear();
  modified = 0;
  dialogs.fileAnswers = {Path("r1.dag")};
  commands().LoadSubcircuit1Click();
  EXPECT_EQ(host.calls, (std::vector<std::string>{"snapshot", "preview", "nets", "box", "bars", "redraw"}));
  EXPECT_EQ(host.rootMembersAtSnapshot, 5);
  EXPECT_EQ(host.RootMembers(), 6);
  EXPECT_EQ(modified, 1);
  EXPECT_EQ(host.caption, "MSG20" + Path("r1.dag"));

  // Paste: its own snapshot before the nodes are added, marks the work unsaved.
  host.calls.clear();
  modified = 0;
  unsaved = false;
  commands().LoadSub1Click();
  EXPECT_EQ(host.calls, (std::vector<std::string>{"snapshot", "preview", "nets", "box", "bars", "redraw"}));
  EXPECT_EQ(host.rootMembersAtSnapshot, 6);
  EXPECT_EQ(host.RootMembers(), 7);
  EXPECT_EQ(host.status2, "PASTE");
  EXPECT_EQ(modified, 1);
  EXPECT_TRUE(unsaved);
}

TEST_F(Commands, DamagedOrMissingClipboardAddsNothing) {
  const int nodesBefore = host.graph->NodeCount();
  for (const char* content : {static_cast<const char*>(nullptr), "noname\r\nflags\r\nrule\r\n 2\r\n 2\r\n"}) {
    if (content) folder.write("copy.txt", content);
    dialogs.boxes.clear();
    host.calls.clear();
    host.status2.clear();
    modified = 0;
    commands().LoadSub1Click();
    EXPECT_EQ(host.graph->NodeCount(), nodesBefore);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_TRUE(host.status2.empty());
    EXPECT_EQ(modified, 0);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_NE(dialogs.boxes[0].text.find("copy.txt"), std::string::npos) << dialogs.boxes[0].text;
  }
  // Loaded into no level: the fixed message, nothing added.
  folder.write("copy.txt", vemu::files::FormatSubcircuit(*host.graph).text);
  host.graph->MainNode = nullptr;
  dialogs.boxes.clear();
  commands().LoadSub1Click();
  EXPECT_EQ(host.graph->NodeCount(), nodesBefore);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Нет главного узла 1"}));
}

}  // namespace
