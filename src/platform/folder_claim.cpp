#include "platform/folder_claim.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/text_file.h"
#include "platform/user_folders.h"

namespace vemu::platform {
namespace {

PrivateFolderMaker& maker() {
  static PrivateFolderMaker installed;
  return installed;
}

bool makePrivateFolder(std::string& pattern) {
  if (maker()) return maker()(pattern);
  return ::mkdtemp(pattern.data()) != nullptr;  // mode 0700
}

// Opens and locks the lock file of `folder`; -1 when it is held elsewhere or
// cannot be made. A lock file removed by its owner between our open and our
// lock is opened again, so two programs never hold locks on different files.
int LockFolder(const std::string& folder, bool* held) {
  const std::string path = folder + FolderClaim::kLockName;
  for (int attempt = 0; attempt < 8; ++attempt) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      if (held) *held = errno == EWOULDBLOCK;
      ::close(fd);
      return -1;
    }
    if (stillNamed(fd, path)) {
      // Who holds it, for a person looking at the folder.
      const std::string pid = std::to_string(::getpid()) + "\n";
      if (::ftruncate(fd, 0) == 0 && ::write(fd, pid.data(), pid.size()) < 0) {
        // The lock holds without the note.
      }
      return fd;
    }
    ::close(fd);
  }
  return -1;
}

// The names in the folder open as `folderFd`, "." and ".." left out.
std::vector<std::string> NamesIn(int folderFd) {
  std::vector<std::string> names;
  const int listFd = ::fcntl(folderFd, F_DUPFD_CLOEXEC, 0);
  if (listFd < 0) return names;
  DIR* listing = ::fdopendir(listFd);
  if (!listing) {
    ::close(listFd);
    return names;
  }
  while (const dirent* entry = ::readdir(listing)) {
    if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
      names.emplace_back(entry->d_name);
  }
  ::closedir(listing);
  return names;
}

// Removes every file of the folder open as `folderFd` but its lock file.
void RemoveAllButTheLock(int folderFd) {
  for (const std::string& file : NamesIn(folderFd))
    if (file != FolderClaim::kLockName) ::unlinkat(folderFd, file.c_str(), 0);
}

bool IsPrivateFolderName(const std::string& name) {
  const std::string prefix = FolderClaim::kPrivatePrefix;
  return name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0;
}

// Removes the private folder `name` under `baseFd` when its lock file can be
// taken: its program has ended. A folder without a lock file is left alone
// (its program may be about to make one). Everything in it goes while the
// lock is held, the lock file last; a program that opened the lock file
// before it went finds it gone after its own lock and makes a new one, which
// keeps the folder.
bool RemoveIfAbandoned(int baseFd, const std::string& name) {
  const int folderFd = ::openat(baseFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (folderFd < 0) return false;
  bool removed = false;
  struct stat folder {};
  if (::fstat(folderFd, &folder) == 0 && folder.st_uid == ::geteuid()) {
    const int lockFd = ::openat(folderFd, FolderClaim::kLockName, O_RDWR | O_NOFOLLOW | O_CLOEXEC);
    if (lockFd >= 0) {
      if (::flock(lockFd, LOCK_EX | LOCK_NB) == 0 && stillNamed(lockFd, FolderClaim::kLockName, folderFd)) {
        RemoveAllButTheLock(folderFd);
        ::unlinkat(folderFd, FolderClaim::kLockName, 0);
        removed = ::unlinkat(baseFd, name.c_str(), AT_REMOVEDIR) == 0;
      }
      ::close(lockFd);
    }
  }
  ::close(folderFd);
  return removed;
}

}  // namespace

void setPrivateFolderMaker(PrivateFolderMaker m) { maker() = std::move(m); }

std::unique_ptr<FolderClaim> FolderClaim::Claim(const std::string& folder, bool* held) {
  if (held) *held = false;
  std::string own = folder;
  if (own.empty() || own.back() != '/') own += '/';
  if (!makeFolders(own)) return nullptr;
  const int fd = LockFolder(own, held);
  if (fd < 0) return nullptr;
  return std::unique_ptr<FolderClaim>(new FolderClaim(own, fd, false));
}

std::unique_ptr<FolderClaim> FolderClaim::MakePrivate(const std::string& base) {
  std::string own = base;
  if (own.empty() || own.back() != '/') own += '/';
  // A new folder is tried again when another program's sweep took it
  // between its making and its lock.
  for (int attempt = 0; attempt < 4; ++attempt) {
    std::string pattern = own + kPrivatePrefix + "XXXXXX";
    if (!makePrivateFolder(pattern)) return nullptr;
    const std::string folder = pattern + "/";
    const int fd = LockFolder(folder, nullptr);
    if (fd >= 0) return std::unique_ptr<FolderClaim>(new FolderClaim(folder, fd, true));
    ::rmdir(pattern.c_str());
  }
  return nullptr;
}

int FolderClaim::RemoveAbandonedPrivate(const std::string& base) {
  const int baseFd = ::open(base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (baseFd < 0) return 0;
  int removed = 0;
  for (const std::string& name : NamesIn(baseFd))
    if (IsPrivateFolderName(name) && RemoveIfAbandoned(baseFd, name)) ++removed;
  ::close(baseFd);
  return removed;
}

FolderClaim::~FolderClaim() {
  // A private folder is this program's alone: whatever it put there goes.
  if (private_) {
    const int folderFd = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folderFd >= 0) {
      RemoveAllButTheLock(folderFd);
      ::close(folderFd);
    }
  }
  // Removed while still locked: a program that opens it now finds the name
  // gone after its lock and opens the new file.
  ::unlink((folder_ + kLockName).c_str());
  ::close(fd_);
  if (private_) ::rmdir(folder_.c_str());
}

}  // namespace vemu::platform
