#include "platform/save_target.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>
#include <vector>

namespace vemu::platform {

namespace {

// Whether the link open as `link` in the folder open as `folder` is one the
// system protects: see SaveTarget.
bool isPlantedLink(int folder, int link) {
  struct stat dir {}, st {};
  if (::fstat(folder, &dir) != 0 || ::fstat(link, &st) != 0) return true;
  const bool shared = (dir.st_mode & S_ISVTX) != 0 && (dir.st_mode & S_IWOTH) != 0;
  return shared && st.st_uid != ::geteuid() && st.st_uid != dir.st_uid;
}

// Puts the names of `path` on `names` so that the first comes off last.
void pushNames(std::vector<std::string>& names, std::string_view path) {
  std::size_t end = path.size();
  while (end > 0) {
    const auto slash = path.rfind('/', end - 1);
    const std::size_t begin = slash == std::string_view::npos ? 0 : slash + 1;
    if (end > begin) names.emplace_back(path.substr(begin, end - begin));
    if (slash == std::string_view::npos) break;
    end = slash;
  }
}

}  // namespace

SaveTarget findSaveTarget(const std::string& path) {
  SaveTarget found;
  const auto fail = [&found](int error) -> SaveTarget {
    found.error = error;
    return std::move(found);
  };
  found.folder.reset(::open(path.starts_with('/') ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC));
  if (found.folder.get() < 0) return fail(errno);
  std::string shown = path.starts_with('/') ? "/" : "";  // the folder as reached, for messages
  std::vector<std::string> names;
  pushNames(names, path);
  if (names.empty() || path.ends_with('/')) return fail(path.empty() ? ENOENT : EISDIR);
  int links = 0;
  while (!names.empty()) {
    std::string name = std::move(names.back());
    names.pop_back();
    const bool last = names.empty();
    if (name == "." || name == "..") {
      if (last) return fail(EISDIR);
      if (name == "..") found.folder.reset(::openat(found.folder.get(), "..", O_PATH | O_DIRECTORY | O_CLOEXEC));
      if (found.folder.get() < 0) return fail(errno);
      if (name == "..") shown += "../";
      continue;
    }
    Descriptor entry(::openat(found.folder.get(), name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    struct stat st {};
    if (entry.get() < 0 || ::fstat(entry.get(), &st) != 0) {
      if (last && errno == ENOENT) {
        found.name = std::move(name);  // a new file
        return found;
      }
      return fail(errno);
    }
    if (S_ISLNK(st.st_mode)) {
      if (isPlantedLink(found.folder.get(), entry.get())) {
        found.planted = shown + name;
        return found;
      }
      if (++links > 40) return fail(ELOOP);
      std::string target(PATH_MAX, '\0');
      const ssize_t n = ::readlinkat(entry.get(), "", target.data(), target.size());
      if (n < 0) return fail(errno);
      if (n == 0 || static_cast<std::size_t>(n) >= target.size()) return fail(n == 0 ? ENOENT : ENAMETOOLONG);
      target.resize(static_cast<std::size_t>(n));
      pushNames(names, target);
      if (target.front() == '/') {
        found.folder.reset(::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (found.folder.get() < 0) return fail(errno);
        shown = "/";
      }
      if (last && (names.empty() || target.back() == '/')) return fail(EISDIR);
      continue;
    }
    if (last) {
      found.name = std::move(name);
      return found;
    }
    if (!S_ISDIR(st.st_mode)) return fail(ENOTDIR);
    found.folder = std::move(entry);
    shown += name + "/";
  }
  return fail(ENOENT);
}

}  // namespace vemu::platform
