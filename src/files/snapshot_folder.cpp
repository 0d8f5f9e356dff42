#include "files/snapshot_folder.h"

#include "platform/user_folders.h"

namespace vemu::files {

SnapshotFolderChoice ClaimSnapshotFolder(const std::string& preferred) {
  SnapshotFolderChoice choice;
  std::string folder = preferred;
  if (folder.empty() || folder.back() != '/') folder += '/';
  if (!platform::folderWritable(folder)) {
    const std::string own = platform::userStateFolder() + "BACKUP/";
    platform::noteFolderReplaced(folder, own);
    folder = own;
  }
  bool held = false;
  choice.claim = platform::FolderClaim::Claim(folder, &held);
  if (choice.claim) return choice;
  choice.claim = platform::FolderClaim::MakePrivate(platform::privateFolderBase());
  if (!choice.claim) return choice;
  if (held)
    choice.notice = "Another editor uses " + folder + ": the snapshots of this one are kept in " +
                    choice.claim->folder();
  else
    platform::noteFolderReplaced(folder, choice.claim->folder());
  return choice;
}

}  // namespace vemu::files
