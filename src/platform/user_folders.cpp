#include "platform/user_folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

namespace vemu::platform {
namespace {

WritableProbe& probe() {
  static WritableProbe installed;
  return installed;
}

struct Notices {
  // Every scope's sink, the newest last; the newest one is told. A scope
  // that ends takes only its own away, in whatever order the scopes end.
  std::vector<std::pair<const ScopedFolderNotices*, FolderNoticeSink>> sinks;
  std::set<std::string> said;
};

Notices& notices() {
  static Notices state;
  return state;
}

std::string withSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

// An XDG variable counts only when it holds an absolute path.
std::string xdgFolder(const char* variable, const char* underHome) {
  const char* value = std::getenv(variable);
  if (value && value[0] == '/') return withSlash(value);
  const char* home = std::getenv("HOME");
  const std::string base = home && home[0] == '/' ? withSlash(home) : std::string("/tmp/");
  return base + underHome;
}

bool isFolder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

void setWritableProbe(WritableProbe p) { probe() = std::move(p); }

bool folderWritable(const std::string& folder) {
  if (probe()) return probe()(withSlash(folder));
  return isFolder(folder) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

std::string userStateFolder() { return xdgFolder("XDG_STATE_HOME", ".local/state/") + "vemu/"; }
std::string userConfigFolder() { return xdgFolder("XDG_CONFIG_HOME", ".config/") + "vemu/"; }

std::vector<std::string> privateFolderBases() {
  std::vector<std::string> bases;
  for (const char* variable : {"XDG_RUNTIME_DIR", "TMPDIR"}) {
    const char* value = std::getenv(variable);
    if (value && value[0] == '/') bases.push_back(withSlash(value));
  }
  bases.emplace_back("/tmp/");
  std::vector<std::string> distinct;
  for (const std::string& base : bases)
    if (std::find(distinct.begin(), distinct.end(), base) == distinct.end()) distinct.push_back(base);
  return distinct;
}

bool makeFolders(const std::string& folder) {
  std::string path = withSlash(folder);
  for (std::size_t at = path.find('/', 1); at != std::string::npos; at = path.find('/', at + 1)) {
    const std::string part = path.substr(0, at);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  return isFolder(path);
}

ScopedFolderNotices::ScopedFolderNotices(FolderNoticeSink sink) {
  notices().sinks.emplace_back(this, std::move(sink));
  notices().said.clear();
}

ScopedFolderNotices::~ScopedFolderNotices() {
  auto& sinks = notices().sinks;
  std::erase_if(sinks, [this](const auto& entry) { return entry.first == this; });
}

void noteFolderReplaced(const std::string& folder, const std::string& replacement) {
  if (!notices().said.insert(withSlash(folder) + '\n' + replacement).second) return;
  const auto& sinks = notices().sinks;
  if (!sinks.empty() && sinks.back().second)
    sinks.back().second("Cannot write in " + folder + ": using " + replacement);
}

std::string writableFileIn(const std::string& folder, const std::string& fallback, const std::string& name,
                           const std::string& lastResort) {
  if (folderWritable(folder)) return withSlash(folder) + name;
  const bool made = makeFolders(fallback);
  const std::string used = !lastResort.empty() && !(made && folderWritable(fallback)) ? lastResort : fallback;
  noteFolderReplaced(folder, used);
  return withSlash(used) + name;
}

std::string settingsFileToRead(const std::string& folder, const std::string& name) {
  const std::string own = userConfigFolder() + name;
  return isFile(own) ? own : withSlash(folder) + name;
}

std::string settingsFileToWrite(const std::string& folder, const std::string& name) {
  const std::string own = userConfigFolder() + name;
  if (isFile(own)) return own;
  return writableFileIn(folder, userConfigFolder(), name);
}

}  // namespace vemu::platform
