// The folder of one editor's undo snapshots. Each running editor owns its
// snapshot files: the program's folder (IMAGES/BACKUP, else IMAGES, else the
// program folder) when it takes files, else the per-user state folder's
// BACKUP; claimed for the run, so a second editor started from the same
// folder gets a private folder of its own instead (under $XDG_RUNTIME_DIR,
// else $TMPDIR, else /tmp), and no folder at all when none can be made: it
// then runs without undo rather than share another editor's snapshots.
#pragma once

#include <memory>
#include <string>

#include "platform/folder_claim.h"

namespace vemu::files {

struct SnapshotFolderChoice {
  std::unique_ptr<platform::FolderClaim> claim;  // null: no folder could be claimed, no undo
  std::string notice;  // what the status bar says once; empty when nothing is to be said
};

// What editors that ended without cleaning up left behind: their private
// folders (a lock nobody holds) and the temporary files of their unfinished
// saves in the program's and the user's folders; those of live editors stay.
void RemoveLeftoversOfEndedEditors();

// `preferred` is the folder the snapshots belong in (UndoRing::SnapshotFolder()).
SnapshotFolderChoice ClaimSnapshotFolder(const std::string& preferred);

}  // namespace vemu::files
