// Registering the circuit file type with the desktop (freedesktop.org): a
// shared-MIME-info package for "*.dag", a desktop entry that opens such a
// file with the program, an icon, and the program as the type's default
// application in mimeapps.list. Every file is written through the
// temporary-file writer; registering twice writes the same files.
#pragma once

#include <string>
#include <vector>

namespace vemu::platform {
class ProcessWait;
}

namespace vemu::files {

// The MIME type of circuit files and the desktop entry that opens them.
inline constexpr const char* kCircuitMimeType = "application/x-circuit-for-vemu";
inline constexpr const char* kCircuitDesktopId = "vemu-circuit.desktop";

// The per-user folders, each ending in '/': $XDG_DATA_HOME (default
// ~/.local/share) and $XDG_CONFIG_HOME (default ~/.config). A relative
// value counts as unset, as it does for every program on the desktop.
struct DesktopFolders {
  std::string dataHome;
  std::string configHome;
};
DesktopFolders DesktopFoldersFromEnvironment();

// One argument of a desktop entry's Exec key: in double quotes with ", `, $
// and \ escaped, % doubled, then escaped as a string value (\\, \n, \t, \r).
std::string DesktopExecArgument(const std::string& argument);

struct RegistrationFile {
  std::string path;
  std::string content;
};
// The MIME package, the desktop entry and the icon for files "*." + ext
// opened by the program at `programPath`.
std::vector<RegistrationFile> RegistrationFiles(const std::string& ext, const std::string& programPath,
                                                const DesktopFolders& folders);

// mimeapps.list with `desktopId` as the default application of `mimeType`
// in [Default Applications]; every other line stays as it was.
std::string MimeAppsWithDefault(const std::string& existing, const std::string& mimeType,
                                const std::string& desktopId);

// Writes the files and the default association, then refreshes the MIME
// and desktop caches with update-mime-database and update-desktop-database
// where they are installed, each waited for through `wait` as every
// program the editor starts (Cancel and the ending signals stop it; the
// second is not started after a stopped first). False with the reason
// (naming the file) when a file could not be written.
bool RegisterFileExtension(const std::string& ext, const std::string& programPath, const DesktopFolders& folders,
                           std::string& error, platform::ProcessWait& wait);

}  // namespace vemu::files
