// Undo and redo over whole-circuit snapshots kept in a ring of 30 files
// (back0.dag to back29.dag) in IMAGES/BACKUP of the program folder.
#pragma once

#include <string>

namespace vemu::files {

// What the ring needs from the window that owns the circuit.
class UndoHost {
 public:
  virtual ~UndoHost() = default;
  // Write or read the whole circuit; false when it failed (already reported).
  virtual bool WriteSnapshot(const std::string& path) = 0;
  virtual bool ReadSnapshot(const std::string& path) = 0;
  virtual void SetModified() = 0;
  virtual void SetStatusText(int panel, const std::string& text) = 0;
  virtual void SetCaption(const std::string& text) = 0;
  virtual void UpdateUndoEnables(bool canUndo, bool canRedo) = 0;
  virtual void RequestRedraw() = 0;
};

class UndoRing {
 public:
  static constexpr int Slots = 30;

  explicit UndoRing(UndoHost& host) : host_(host) {}

  int BackupCount = 0;   // slots in use, 0 to 30
  int BackupStart = 0;   // ring index of slot 0
  int BackupPos = 0;     // current undo position, 0 to BackupCount
  bool UndoRedoFlag = false;  // set by redo, cleared by a snapshot call and by undo

  // Which command read the state now shown from its slot: after an undo it
  // is slot BackupPos + 1, after a redo slot BackupPos itself. Cleared by
  // every snapshot call (also one that writes nothing) and by Reset, so
  // neither command ever reads the state already on screen again.
  enum class SlotRead { None, Undo, Redo };
  SlotRead LastRead = SlotRead::None;

  // The file of slot k (1 to 30); shows "BackUP k/count" in status panel 0.
  std::string BackupFileName(int k);
  // The folder the snapshots belong in: IMAGES/BACKUP, else IMAGES, else the program folder.
  static std::string SnapshotFolder();
  // The folder this ring's files are in: the one its owner claimed for the
  // run (UseFolder), else SnapshotFolder(); empty without a folder.
  std::string Folder() const {
    if (withoutFolder_) return {};
    return folder_.empty() ? SnapshotFolder() : folder_;
  }
  void UseFolder(std::string folder) {
    folder_ = std::move(folder);
    withoutFolder_ = false;
  }
  // No folder is this ring's: a snapshot call only marks the circuit
  // modified, nothing is written, read or deleted, undo stays disabled.
  void UseNoFolder() {
    folder_.clear();
    withoutFolder_ = true;
  }
  bool HasFolder() const { return !withoutFolder_; }

  // A snapshot that cannot be written leaves the counters as they were; an
  // undo or redo that reads nothing (no such state, a missing or unreadable
  // file) leaves the position, the flag and the record as they were. The
  // host reports a failure.
  void PushUndoSnapshot();
  void Undo();
  void Redo();
  // Loading a circuit starts the ring afresh (counters, flag and record).
  void Reset();
  // Deletes the snapshot files of slots 1 to 30 that exist.
  void DeleteSnapshotFiles();

  // An older state than the one shown exists; a newer one exists.
  bool CanUndo() const { return BackupCount > 0 && BackupPos > (LastRead == SlotRead::Redo ? 1 : 0); }
  bool CanRedo() const { return BackupCount > 0 && BackupCount > BackupPos + (LastRead == SlotRead::Undo ? 1 : 0); }

 private:
  bool Snapshot();
  void UpdateEnables() { host_.UpdateUndoEnables(CanUndo(), CanRedo()); }

  UndoHost& host_;
  std::string folder_;
  bool withoutFolder_ = false;
};

}  // namespace vemu::files
