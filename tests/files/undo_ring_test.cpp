// The undo ring over real snapshot files: counters, slots, the wrap after
// 30 snapshots, the snapshot folder and failures of the files.
#include <gtest/gtest.h>

#include <filesystem>

#include "files/circuit_file.h"
#include "files/file_size_limit.h"
#include "files/undo_ring.h"
#include "platform/scripted_dialogs.h"
#include "platform/text_file.h"
#include "support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;
using vemu::files::UndoRing;
using vemu::model::TheBaseOfGraf;
using vemu::model::TheNode;

// The window's side of the ring: a real circuit written and read through
// the ".dag" files. The state of the circuit is the text of its note.
class CircuitHost : public vemu::files::UndoHost {
 public:
  CircuitHost() { SetLabel("S0"); }

  // An editing step: the snapshot first, then the change.
  void Edit(const std::string& label) {
    ring.PushUndoSnapshot();
    SetLabel(label);
  }
  std::string Label() const {
    const TheNode* note = graph->FindNodeByNumber(2);
    return note ? note->Value : std::string("<no note>");
  }

  bool WriteSnapshot(const std::string& path) override {
    writes.push_back(fs::path(path).filename());
    std::string error;
    if (vemu::files::WriteCircuitFile(*graph, vemu::files::CircuitViewState{}, path, &error)) return true;
    errors.push_back(error);
    return false;
  }
  bool ReadSnapshot(const std::string& path) override {
    reads.push_back(fs::path(path).filename());
    auto result = vemu::files::ReadCircuitFile(path);
    if (!result.ok) {
      errors.push_back(result.error);
      return false;
    }
    graph = std::move(result.graph);
    return true;
  }
  void SetModified() override { modified = true; }
  void SetStatusText(int panel, const std::string& text) override { status[panel] = text; }
  void SetCaption(const std::string& text) override { caption = text; }
  void UpdateUndoEnables(bool canUndo, bool canRedo) override {
    undoEnabled = canUndo;
    redoEnabled = canRedo;
  }
  void RequestRedraw() override { ++redraws; }

  UndoRing ring{*this};
  std::unique_ptr<TheBaseOfGraf> graph;
  std::vector<std::string> writes, reads, errors;
  bool modified = false;
  std::string status[3];
  std::string caption;
  bool undoEnabled = false, redoEnabled = false;
  int redraws = 0;

 private:
  void SetLabel(const std::string& label) {
    if (!graph) {
      graph = std::make_unique<TheBaseOfGraf>();
      TheNode* root = graph->AddNode(nullptr, vemu::model::ntRoot);
      root->Name = "Upper Level";
      graph->MainNode = root;
      TheNode* note = graph->AddNode(root, vemu::model::ntText);
      note->Name = "T1";
      graph->AddLine(-2, root, note, vemu::model::alHaveItem);
      graph->Renumber();
    }
    graph->FindNodeByNumber(2)->Value = label;
  }
};

struct Counters {
  int count, start, pos;
  bool flag;
  friend bool operator==(const Counters&, const Counters&) = default;
  friend std::ostream& operator<<(std::ostream& os, const Counters& c) {
    return os << "count " << c.count << " start " << c.start << " pos " << c.pos << " flag " << c.flag;
  }
};
Counters countersOf(const UndoRing& r) { return {r.BackupCount, r.BackupStart, r.BackupPos, r.UndoRedoFlag}; }

class UndoRingTest : public ::testing::Test {
 protected:
  vemu::platform::ScriptedDialogs dialogs;
  vemu::platform::ScopedDialogs scope{dialogs};
  vemu::test::ScratchFolder folder;
  CircuitHost host;
  UndoRing& ring = host.ring;

  std::string backup(int n) const { return folder.file("IMAGES/BACKUP/back" + std::to_string(n) + ".dag"); }
  // The note's text in a snapshot file.
  std::string labelIn(const std::string& path) const {
    auto r = vemu::files::ReadCircuitFile(path);
    if (!r.ok) return "<" + r.error + ">";
    const TheNode* note = r.graph->FindNodeByNumber(2);
    return note ? note->Value : "<no note>";
  }
  void expectEnables(bool undo, bool redo) {
    EXPECT_EQ(host.undoEnabled, undo);
    EXPECT_EQ(host.redoEnabled, redo);
    EXPECT_EQ(ring.CanUndo(), undo);
    EXPECT_EQ(ring.CanRedo(), redo);
  }
};

TEST_F(UndoRingTest, EditsUndosAndRedosWalkTheRing) {
  EXPECT_EQ(countersOf(ring), (Counters{0, 0, 0, false}));

  host.Edit("S1");
  EXPECT_EQ(countersOf(ring), (Counters{1, 0, 1, false}));
  EXPECT_EQ(labelIn(backup(1)), "S0");
  EXPECT_EQ(host.status[0], "BackUP 1/1");
  EXPECT_TRUE(host.modified);
  expectEnables(true, false);

  host.Edit("S2");
  EXPECT_EQ(countersOf(ring), (Counters{2, 0, 2, false}));
  EXPECT_EQ(labelIn(backup(2)), "S1");
  EXPECT_EQ(host.status[0], "BackUP 2/2");

  // The newest state has no snapshot yet: it goes into slot 3 first.
  ring.Undo();
  EXPECT_EQ(labelIn(backup(3)), "S2");
  EXPECT_EQ(host.Label(), "S1");
  EXPECT_EQ(countersOf(ring), (Counters{3, 0, 1, false}));
  EXPECT_EQ(host.reads, (std::vector<std::string>{"back2.dag"}));
  expectEnables(true, true);

  ring.Undo();
  EXPECT_EQ(host.Label(), "S0");
  EXPECT_EQ(countersOf(ring), (Counters{3, 0, 0, false}));
  EXPECT_EQ(host.status[0], "BackUP 1/3");
  expectEnables(false, true);

  const auto writesBefore = host.writes.size();
  ring.Undo();
  EXPECT_EQ(host.status[0], "Error Undo");
  EXPECT_EQ(host.Label(), "S0");
  EXPECT_EQ(countersOf(ring), (Counters{3, 0, 0, false}));
  EXPECT_EQ(host.writes.size(), writesBefore);

  // Neither command reads the state on screen again: the redo right after
  // an undo steps over slot 1, the undo right after a redo over slot 3.
  ring.Redo();
  EXPECT_EQ(host.Label(), "S1");
  EXPECT_EQ(countersOf(ring), (Counters{3, 0, 2, true}));
  expectEnables(true, true);
  ring.Redo();
  EXPECT_EQ(host.Label(), "S2");
  EXPECT_EQ(countersOf(ring), (Counters{3, 0, 3, true}));
  expectEnables(true, false);

  const auto readsBefore = host.reads.size();
  ring.Redo();
  EXPECT_EQ(host.status[0], "Error Redo");
  EXPECT_EQ(host.reads.size(), readsBefore);
  EXPECT_EQ(countersOf(ring), (Counters{3, 0, 3, true}));
  ring.Undo();
  EXPECT_EQ(host.Label(), "S1");
  EXPECT_EQ(countersOf(ring), (Counters{3, 0, 1, false}));
  ring.Redo();
  EXPECT_EQ(host.Label(), "S2");
  EXPECT_EQ(host.reads, (std::vector<std::string>{"back2.dag", "back1.dag", "back2.dag", "back3.dag", "back2.dag",
                                                  "back3.dag"}));

  // After a redo the shown state is in its slot: the next edit writes
  // nothing and only clears the flag; the edit after it writes again.
  host.modified = false;
  host.Edit("S3");
  EXPECT_EQ(host.writes.size(), writesBefore);
  EXPECT_EQ(countersOf(ring), (Counters{3, 0, 3, false}));
  EXPECT_FALSE(host.modified);
  host.Edit("S4");
  EXPECT_EQ(countersOf(ring), (Counters{4, 0, 4, false}));
  EXPECT_EQ(labelIn(backup(4)), "S3");
  EXPECT_TRUE(host.modified);
  EXPECT_TRUE(host.caption.empty()) << host.caption;
  EXPECT_TRUE(host.errors.empty());
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(UndoRingTest, EditAfterAnUndoDropsTheRedoBranch) {
  host.Edit("S1");
  host.Edit("S2");
  ring.Undo();
  ASSERT_EQ(countersOf(ring), (Counters{3, 0, 1, false}));
  ASSERT_EQ(host.Label(), "S1");

  host.Edit("S1b");
  EXPECT_EQ(countersOf(ring), (Counters{2, 0, 2, false}));
  EXPECT_EQ(host.writes.back(), "back2.dag");
  EXPECT_EQ(labelIn(backup(2)), "S1");
  expectEnables(true, false);
  // S2 in slot 3 is out of reach: the next undo puts the newest state there.
  ring.Undo();
  EXPECT_EQ(labelIn(backup(3)), "S1b");
  EXPECT_EQ(host.Label(), "S1");
  ring.Undo();
  EXPECT_EQ(host.Label(), "S0");
  std::vector<std::string> seen;
  for (int k = 0; k < 4; ++k) {
    ring.Redo();
    seen.push_back(host.Label());
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"S1", "S1b", "S1b", "S1b"}));
  EXPECT_EQ(host.status[0], "Error Redo");
  EXPECT_EQ(countersOf(ring), (Counters{3, 0, 3, true}));
}

TEST_F(UndoRingTest, EditAtPositionZeroStartsTheRingAgain) {
  host.Edit("S1");
  ring.Undo();
  ring.Undo();
  ASSERT_EQ(countersOf(ring), (Counters{2, 0, 0, false}));
  ASSERT_EQ(host.Label(), "S0");
  host.Edit("T1");
  EXPECT_EQ(countersOf(ring), (Counters{1, 0, 1, false}));
  EXPECT_EQ(labelIn(backup(1)), "S0");
  expectEnables(true, false);
}

TEST_F(UndoRingTest, ThirtyFirstSnapshotReusesTheOldestFile) {
  for (int k = 1; k <= 30; ++k) host.Edit("S" + std::to_string(k));
  EXPECT_EQ(countersOf(ring), (Counters{30, 0, 30, false}));
  EXPECT_EQ(labelIn(backup(1)), "S0");
  EXPECT_EQ(labelIn(backup(29)), "S28");
  EXPECT_EQ(labelIn(backup(0)), "S29");  // slot 30
  EXPECT_EQ(host.status[0], "BackUP 30/30");

  host.Edit("S31");
  EXPECT_EQ(countersOf(ring), (Counters{30, 1, 30, false}));
  EXPECT_EQ(host.writes.back(), "back1.dag");
  EXPECT_EQ(labelIn(backup(1)), "S30");
  EXPECT_EQ(labelIn(backup(2)), "S1");  // now slot 1, the oldest

  // Undo snapshots S31, which pushes S1 out as well, and steps back
  // through the 29 older states that remain.
  ring.Undo();
  EXPECT_EQ(countersOf(ring), (Counters{30, 2, 28, false}));
  EXPECT_EQ(labelIn(backup(2)), "S31");
  EXPECT_EQ(host.Label(), "S30");
  for (int k = 29; k >= 2; --k) {
    ring.Undo();
    EXPECT_EQ(host.Label(), "S" + std::to_string(k));
  }
  EXPECT_EQ(countersOf(ring), (Counters{30, 2, 0, false}));
  ring.Undo();
  EXPECT_EQ(host.status[0], "Error Undo");
  for (int k = 3; k <= 31; ++k) {
    ring.Redo();
    EXPECT_EQ(host.Label(), "S" + std::to_string(k));
  }
  EXPECT_EQ(countersOf(ring), (Counters{30, 2, 30, true}));
  expectEnables(true, false);
}

TEST_F(UndoRingTest, SlotFilesFollowTheRingStart) {
  ring.BackupStart = 28;
  EXPECT_EQ(ring.BackupFileName(1), backup(29));
  EXPECT_EQ(ring.BackupFileName(2), backup(0));
  EXPECT_EQ(ring.BackupFileName(30), backup(28));
  ring.BackupCount = 7;
  ring.BackupFileName(5);
  EXPECT_EQ(host.status[0], "BackUP 5/7");
}

TEST_F(UndoRingTest, MissingSnapshotFileMakesUndoDoNothing) {
  host.Edit("S1");
  host.Edit("S2");
  ring.Undo();  // S1 shown, position 1
  vemu::platform::removeFile(backup(1));
  const int redraws = host.redraws;
  ring.Undo();
  EXPECT_EQ(host.Label(), "S1");
  EXPECT_EQ(countersOf(ring), (Counters{3, 0, 1, false}));
  EXPECT_EQ(host.status[0], "BackUP 1/3");
  EXPECT_EQ(host.redraws, redraws + 1);
}

TEST_F(UndoRingTest, SnapshotsFallBackToImagesAndThenTheProgramFolder) {
  const std::string expectedCaption = "Cannot find DIR= " + folder.path() + "IMAGES/BACKUP";
  folder.removeDir("IMAGES/BACKUP");
  EXPECT_EQ(UndoRing::SnapshotFolder(), folder.path() + "IMAGES");
  host.Edit("S1");
  EXPECT_EQ(host.caption, expectedCaption);
  EXPECT_EQ(labelIn(folder.file("IMAGES/back1.dag")), "S0");

  folder.removeDir("IMAGES");
  EXPECT_EQ(UndoRing::SnapshotFolder() + "/", folder.path());
  host.caption.clear();
  host.Edit("S2");
  EXPECT_EQ(host.caption, expectedCaption);
  EXPECT_EQ(labelIn(folder.file("back2.dag")), "S1");

  // Undo and redo set the caption too, and find the snapshot in the folder
  // in force.
  host.caption.clear();
  ring.Undo();
  EXPECT_EQ(host.caption, expectedCaption);
  EXPECT_EQ(host.Label(), "S1");
  EXPECT_EQ(labelIn(folder.file("back3.dag")), "S2");
  host.caption.clear();
  ring.Redo();
  EXPECT_EQ(host.caption, expectedCaption);
  EXPECT_EQ(host.Label(), "S2");
  EXPECT_EQ(host.reads, (std::vector<std::string>{"back2.dag", "back3.dag"}));
}

TEST_F(UndoRingTest, FailedSnapshotLeavesTheRingAsItWas) {
  host.Edit("S1");
  ASSERT_EQ(countersOf(ring), (Counters{1, 0, 1, false}));
  // Slot 2's file cannot be replaced.
  folder.makeDir("IMAGES/BACKUP/back2.dag");
  host.Edit("S2");
  EXPECT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(countersOf(ring), (Counters{1, 0, 1, false}));
  expectEnables(true, false);
  // An undo then tries the same slot for the newest state, fails again
  // and stops without reading anything.
  ring.Undo();
  EXPECT_EQ(host.errors.size(), 2u);
  EXPECT_TRUE(host.reads.empty());
  EXPECT_EQ(host.Label(), "S2");
  EXPECT_EQ(countersOf(ring), (Counters{1, 0, 1, false}));
  // Once the slot can be written the ring goes on; S1, whose snapshot
  // failed, is not in it.
  folder.removeDir("IMAGES/BACKUP/back2.dag");
  ring.Undo();
  EXPECT_EQ(labelIn(backup(2)), "S2");
  EXPECT_EQ(host.Label(), "S0");
  EXPECT_EQ(countersOf(ring), (Counters{2, 0, 0, false}));
}

TEST_F(UndoRingTest, FailedWriteWithAFullRingKeepsTheOldestSnapshot) {
  for (int k = 1; k <= 30; ++k) host.Edit("S" + std::to_string(k));
  {
    vemu::test::FileSizeLimit diskFull(10);
    host.Edit("S31");
  }
  EXPECT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(countersOf(ring), (Counters{30, 0, 30, false}));
  EXPECT_EQ(labelIn(backup(1)), "S0");
  // Undo still reaches back to S0.
  for (int k = 0; k < 31; ++k) ring.Undo();
  EXPECT_EQ(host.Label(), "S1");  // the undo's own snapshot of S31 pushed S0 out
  EXPECT_EQ(countersOf(ring), (Counters{30, 1, 0, false}));
}

TEST_F(UndoRingTest, UnreadableSnapshotLeavesTheShownCircuitAndPosition) {
  host.Edit("S1");
  host.Edit("S2");
  ring.Undo();
  ring.Undo();
  ASSERT_EQ(countersOf(ring), (Counters{3, 0, 0, false}));
  folder.write("IMAGES/BACKUP/back2.dag", "damaged\r\n\r\n\r\nmany - How many nodes\r\n");

  ring.Redo();
  EXPECT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(host.Label(), "S0");
  EXPECT_EQ(countersOf(ring), (Counters{3, 0, 0, false}));
  expectEnables(false, true);
}

TEST_F(UndoRingTest, UnreadableSnapshotStopsAnUndo) {
  host.Edit("S1");
  host.Edit("S2");
  ring.Undo();
  ASSERT_EQ(countersOf(ring), (Counters{3, 0, 1, false}));
  folder.write("IMAGES/BACKUP/back1.dag", "damaged\r\n\r\n\r\n1x - How many nodes\r\n");
  const int redraws = host.redraws;
  ring.Undo();
  EXPECT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(host.Label(), "S1");
  EXPECT_EQ(countersOf(ring), (Counters{3, 0, 1, false}));
  EXPECT_EQ(host.redraws, redraws);
  expectEnables(true, true);
  ring.Redo();
  EXPECT_EQ(host.Label(), "S2");
}

TEST_F(UndoRingTest, UndoAndRedoRequestARedraw) {
  host.Edit("S1");
  ring.Undo();
  EXPECT_EQ(host.redraws, 1);
  ring.Redo();
  EXPECT_EQ(host.redraws, 2);
  ring.Redo();  // nothing to redo, still redrawn
  EXPECT_EQ(host.redraws, 3);
}

TEST_F(UndoRingTest, ResetEmptiesTheRingAndDeleteRemovesOnlySnapshots) {
  for (int k = 1; k <= 31; ++k) host.Edit("S" + std::to_string(k));
  folder.write("IMAGES/BACKUP/keep.dag", "x");
  folder.write("IMAGES/BACKUP/back30.dag", "x");
  ring.Undo();
  ring.Redo();  // the flag and the record, too, start afresh
  ring.Reset();
  EXPECT_EQ(countersOf(ring), (Counters{0, 0, 0, false}));
  EXPECT_EQ(ring.LastRead, UndoRing::SlotRead::None);
  EXPECT_FALSE(ring.CanUndo());
  EXPECT_FALSE(ring.CanRedo());
  ring.DeleteSnapshotFiles();
  std::vector<std::string> left;
  for (const auto& e : fs::directory_iterator(folder.file("IMAGES/BACKUP"))) left.push_back(e.path().filename());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"back30.dag", "keep.dag"}));
}

}  // namespace
