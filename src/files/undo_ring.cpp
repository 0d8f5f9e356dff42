#include "files/undo_ring.h"

#include "platform/program_folder.h"
#include "platform/text_file.h"

namespace vemu::files {

std::string UndoRing::SnapshotFolder() {
  const std::string base = platform::programFolder();
  if (platform::directoryExists(base + "IMAGES/BACKUP")) return base + "IMAGES/BACKUP";
  if (platform::directoryExists(base + "IMAGES")) return base + "IMAGES";
  return base.substr(0, base.size() - 1);
}

std::string UndoRing::BackupFileName(int k) {
  const std::string base = platform::programFolder();
  host_.SetStatusText(0, "BackUP " + std::to_string(k) + "/" + std::to_string(BackupCount));
  if (!platform::directoryExists(base + "IMAGES/BACKUP"))
    host_.SetCaption("Cannot find DIR= " + base + "IMAGES/BACKUP");
  const int n = (((BackupStart + k) % Slots) + Slots) % Slots;
  std::string folder = Folder();
  if (!folder.empty() && folder.back() == '/') folder.pop_back();
  return folder + "/back" + std::to_string(n) + ".dag";
}

bool UndoRing::Snapshot() {
  host_.SetModified();
  if (withoutFolder_) {
    UpdateEnables();
    return false;
  }
  const int count = BackupCount, start = BackupStart, pos = BackupPos;
  if (BackupCount == 0) {
    BackupCount = 1;
    BackupStart = 0;
    BackupPos = 1;
  } else if (BackupCount > BackupPos) {
    BackupCount = BackupPos < 1 ? 1 : BackupPos + 1;
    BackupPos = BackupCount;
  } else if (BackupCount < Slots) {
    ++BackupCount;
    BackupPos = BackupCount;
  } else {
    BackupCount = BackupPos = Slots;
    BackupStart = (BackupStart + 1) % Slots;
  }
  const bool written = host_.WriteSnapshot(BackupFileName(BackupPos));
  if (!written) {
    // The slot does not hold this state (the file write keeps whatever the
    // slot's file held before): the ring stays as it was, so no undo ever
    // reads a snapshot that was not written.
    BackupCount = count;
    BackupStart = start;
    BackupPos = pos;
  }
  UpdateEnables();
  return written;
}

void UndoRing::PushUndoSnapshot() {
  if (!UndoRedoFlag) Snapshot();
  UndoRedoFlag = false;
  LastRead = SlotRead::None;
}

void UndoRing::Undo() {
  if (BackupPos == BackupCount && !UndoRedoFlag) {
    if (!Snapshot()) return;
    --BackupPos;
    LastRead = SlotRead::Undo;  // the state shown is now in slot BackupPos + 1
  }
  // The slot before the one shown.
  const int slot = LastRead == SlotRead::Redo ? BackupPos - 1 : BackupPos;
  if (slot >= 1 && BackupCount >= 1) {
    const std::string file = BackupFileName(slot);
    if (platform::fileExists(file)) {
      if (!host_.ReadSnapshot(file)) {
        // The circuit shown is still the one before this undo.
        UpdateEnables();
        return;
      }
      BackupPos = slot - 1;
      UndoRedoFlag = false;
      LastRead = SlotRead::Undo;
    }
  } else {
    host_.SetStatusText(0, "Error Undo");
  }
  UpdateEnables();
  host_.RequestRedraw();
}

void UndoRing::Redo() {
  // The slot after the one shown.
  const int slot = LastRead == SlotRead::Undo ? BackupPos + 2 : BackupPos + 1;
  if (slot <= BackupCount && BackupCount >= 1) {
    if (!host_.ReadSnapshot(BackupFileName(slot))) {
      // Nothing was read: the position, the flag and the record go on
      // describing the circuit still shown.
      UpdateEnables();
      return;
    }
    BackupPos = slot;
    UndoRedoFlag = true;
    LastRead = SlotRead::Redo;
  } else {
    // Nothing read: the next edit's snapshot must still be written.
    host_.SetStatusText(0, "Error Redo");
  }
  UpdateEnables();
  host_.RequestRedraw();
}

void UndoRing::Reset() {
  BackupCount = BackupStart = BackupPos = 0;
  UndoRedoFlag = false;
  LastRead = SlotRead::None;
}

void UndoRing::DeleteSnapshotFiles() {
  if (withoutFolder_) return;
  for (int k = 1; k <= Slots; ++k) {
    const std::string file = BackupFileName(k);
    if (platform::fileExists(file)) platform::removeFile(file);
  }
}

}  // namespace vemu::files
