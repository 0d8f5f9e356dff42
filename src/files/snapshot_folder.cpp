#include "files/snapshot_folder.h"

#include "platform/program_folder.h"
#include "platform/text_file.h"
#include "platform/user_folders.h"

namespace vemu::files {

void RemoveLeftoversOfEndedEditors() {
  for (const std::string& base : platform::privateFolderBases()) platform::FolderClaim::RemoveAbandonedPrivate(base);
  const std::string program = platform::programFolder();
  for (const std::string& folder : {program, program + "IMAGES/", program + "IMAGES/BACKUP/", program + "FILES/",
                                    platform::userStateFolder(), platform::userStateFolder() + "BACKUP/",
                                    platform::userConfigFolder()})
    platform::removeLeftoverTemporaryFiles(folder);
}

SnapshotFolderChoice ClaimSnapshotFolder(const std::string& preferred) {
  SnapshotFolderChoice choice;
  const std::vector<std::string> bases = platform::privateFolderBases();
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
  // Never the folder another editor holds: a private one, or none at all.
  for (const std::string& base : bases) {
    choice.claim = platform::FolderClaim::MakePrivate(base);
    if (choice.claim) break;
  }
  const std::string reason = held ? "Another editor uses " + folder : "Cannot write in " + folder;
  if (!choice.claim) {
    std::string tried;
    for (const std::string& base : bases) tried += (tried.empty() ? "" : ", ") + base;
    choice.notice = reason + " and no folder of its own can be made in " + tried + ": this editor runs without undo";
  } else if (held) {
    choice.notice = reason + ": the snapshots of this one are kept in " + choice.claim->folder();
  } else {
    platform::noteFolderReplaced(folder, choice.claim->folder());
  }
  return choice;
}

}  // namespace vemu::files
