// The folders this editor writes in: its own snapshot folder for the run,
// and the notices about folders that take no files.
#include "files/snapshot_folder.h"
#include "ui/tform1.h"

void TForm1::ShowFolderNotice(const std::string& text) {
  FolderNotices.push_back(text);
  std::string shown;
  for (const std::string& notice : FolderNotices) shown += (shown.empty() ? "" : " | ") + notice;
  SetStatusText(2, shown);
}

void TForm1::ChooseWriteFolders() {
  folderNotices_ = std::make_unique<vemu::platform::ScopedFolderNotices>(
      [this](const std::string& text) { ShowFolderNotice(text); });
  vemu::files::SnapshotFolderChoice choice =
      vemu::files::ClaimSnapshotFolder(vemu::files::UndoRing::SnapshotFolder());
  SnapshotClaim = std::move(choice.claim);
  if (SnapshotClaim) Backup.UseFolder(SnapshotClaim->folder());
  if (!choice.notice.empty()) ShowFolderNotice(choice.notice);
  // Said now rather than when the settings are written at the end.
  if (WritesSettingsFile) SettingsFileToWrite();
}

void TForm1::ReleaseSnapshotFolder() {
  // Only this editor's files: its slots, its lock and its private folder.
  Backup.DeleteSnapshotFiles();
  SnapshotClaim.reset();
  folderNotices_.reset();
}
