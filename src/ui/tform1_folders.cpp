// The folders this editor writes in: its own snapshot folder for the run
// (private when another editor holds the shared one or none takes files),
// and the notices about folders that take no files.
#include <QLabel>

#include "files/snapshot_folder.h"
#include "platform/qt/qt_text.h"
#include "ui/tform1.h"

void TForm1::ShowFolderNotice(const std::string& text) {
  // The newest in the panel; every one of the run in its tool tip, where a
  // long path is not cut.
  FolderNotices.push_back(text);
  SetStatusText(2, text);
  std::string all;
  for (const std::string& notice : FolderNotices) all += (all.empty() ? "" : "\n") + notice;
  if (StatusPanels[2]) StatusPanels[2]->setToolTip(vemu::platform::fromUtf8(all));
}

void TForm1::ChooseWriteFolders() {
  folderNotices_ = std::make_unique<vemu::platform::ScopedFolderNotices>(
      [this](const std::string& text) { ShowFolderNotice(text); });
  vemu::files::RemoveLeftoversOfEndedEditors();
  vemu::files::SnapshotFolderChoice choice =
      vemu::files::ClaimSnapshotFolder(vemu::files::UndoRing::SnapshotFolder());
  SnapshotClaim = std::move(choice.claim);
  if (SnapshotClaim)
    Backup.UseFolder(SnapshotClaim->folder());
  else
    Backup.UseNoFolder();
  if (!choice.notice.empty()) ShowFolderNotice(choice.notice);
  // Said now rather than when the settings are written at the end.
  if (WritesSettingsFile) SettingsFileToWrite();
}

std::string TForm1::PrivateFolder() const {
  return SnapshotClaim && SnapshotClaim->isPrivate() ? SnapshotClaim->folder() : std::string();
}

void TForm1::ReleaseSnapshotFolder() {
  // Only this editor's files: its slots, its lock and its private folder
  // with what else it put there (copy.txt).
  Backup.DeleteSnapshotFiles();
  SnapshotClaim.reset();
  folderNotices_.reset();
}
