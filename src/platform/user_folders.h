// Where the program writes its own files when the folders it ships with take
// none (an installed, read-only program folder): the per-user folders.
// Plain POSIX; every folder name ends in '/'.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vemu::platform {

// Whether new files can be made in a folder. The system's answer by default
// (access with W_OK and X_OK: a folder on a read-only mount takes none);
// tests install their own, since a superuser may write where the
// permissions say no.
using WritableProbe = std::function<bool(const std::string& folder)>;
void setWritableProbe(WritableProbe probe);  // empty: the system's answer
bool folderWritable(const std::string& folder);

// $XDG_STATE_HOME/vemu/, else ~/.local/state/vemu/: snapshots and copy.txt.
std::string userStateFolder();
// $XDG_CONFIG_HOME/vemu/, else ~/.config/vemu/: SETTINGS.INI and start.txt.
std::string userConfigFolder();
// Where an editor's private folder is made, in the order tried:
// $XDG_RUNTIME_DIR/, $TMPDIR/ (each when set to an absolute path), /tmp/.
std::vector<std::string> privateFolderBases();

// Makes a folder with its missing parents (mode 0700); true when it exists.
bool makeFolders(const std::string& folder);

// The notice that a folder takes no files and another is used instead: said
// once per run for each such folder and the folder used instead, to the sink installed (the main
// window's status bar). Installing a sink starts a new run's record.
using FolderNoticeSink = std::function<void(const std::string& text)>;
class ScopedFolderNotices {
 public:
  explicit ScopedFolderNotices(FolderNoticeSink sink);
  ~ScopedFolderNotices();
  ScopedFolderNotices(const ScopedFolderNotices&) = delete;
  ScopedFolderNotices& operator=(const ScopedFolderNotices&) = delete;
};
void noteFolderReplaced(const std::string& folder, const std::string& replacement);

// The file `name` that belongs in `folder`: there when the folder takes
// files, else in `fallback` (made when missing), else in `lastResort` when
// one is given (an editor's private folder); a replacement is noted once.
std::string writableFileIn(const std::string& folder, const std::string& fallback, const std::string& name,
                           const std::string& lastResort = {});

// A settings file of the program's place `folder`: the per-user copy in
// userConfigFolder() is read first when there is one, and written whenever
// there is one or the program's place takes no files.
std::string settingsFileToRead(const std::string& folder, const std::string& name);
std::string settingsFileToWrite(const std::string& folder, const std::string& name);

}  // namespace vemu::platform
