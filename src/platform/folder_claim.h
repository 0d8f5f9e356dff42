// A folder that belongs to one running program: claimed by a lock file held
// (flock) for as long as the claim lives. The lock of a process that has
// ended is released by the system, so its file is simply taken over.
#pragma once

#include <memory>
#include <string>
#include <utility>

namespace vemu::platform {

class FolderClaim {
 public:
  static constexpr const char* kLockName = "vemu.lock";

  // Claims `folder` (made when missing); nothing when another running
  // program holds it (`held` then says so) or no lock can be made there.
  static std::unique_ptr<FolderClaim> Claim(const std::string& folder, bool* held = nullptr);
  // A new folder private to the user (mkdtemp, mode 0700) under `base`,
  // claimed the same way; nothing when it cannot be made.
  static std::unique_ptr<FolderClaim> MakePrivate(const std::string& base);

  // Releases the lock and removes the lock file; a private folder is
  // removed too when nothing else is left in it.
  ~FolderClaim();
  FolderClaim(const FolderClaim&) = delete;
  FolderClaim& operator=(const FolderClaim&) = delete;

  const std::string& folder() const { return folder_; }  // ends in '/'
  bool isPrivate() const { return private_; }

 private:
  FolderClaim(std::string folder, int fd, bool isPrivate)
      : folder_(std::move(folder)), fd_(fd), private_(isPrivate) {}

  std::string folder_;
  int fd_ = -1;
  bool private_ = false;
};

}  // namespace vemu::platform
