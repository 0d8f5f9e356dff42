#include "platform/folder_claim.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/user_folders.h"

namespace vemu::platform {
namespace {

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
    struct stat held {}, named {};
    if (::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 && held.st_ino == named.st_ino &&
        held.st_dev == named.st_dev) {
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

}  // namespace

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
  std::string pattern = base;
  if (pattern.empty() || pattern.back() != '/') pattern += '/';
  pattern += "vemu-XXXXXX";
  if (!::mkdtemp(pattern.data())) return nullptr;  // mode 0700
  const std::string folder = pattern + "/";
  const int fd = LockFolder(folder, nullptr);
  if (fd < 0) {
    ::rmdir(pattern.c_str());
    return nullptr;
  }
  return std::unique_ptr<FolderClaim>(new FolderClaim(folder, fd, true));
}

FolderClaim::~FolderClaim() {
  // Removed while still locked: a program that opens it now finds the name
  // gone after its lock and opens the new file.
  ::unlink((folder_ + kLockName).c_str());
  ::close(fd_);
  if (private_) ::rmdir(folder_.c_str());
}

}  // namespace vemu::platform
