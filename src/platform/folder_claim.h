// A folder that belongs to one running program: claimed by a lock file held
// (flock) for as long as the claim lives. The lock of a process that has
// ended is released by the system, so its file is simply taken over.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace vemu::platform {

// Makes a new folder from a mkdtemp pattern ("…/vemu-XXXXXX"), filling in the
// name; false when none can be made. mkdtemp by default; tests install their
// own to stand for a place where no folder can be made.
using PrivateFolderMaker = std::function<bool(std::string& pattern)>;
void setPrivateFolderMaker(PrivateFolderMaker maker);  // empty: mkdtemp

class FolderClaim {
 public:
  static constexpr const char* kLockName = "vemu.lock";
  static constexpr const char* kPrivatePrefix = "vemu-";  // and six letters

  // Claims `folder` (made when missing); nothing when another running
  // program holds it (`held` then says so) or no lock can be made there.
  static std::unique_ptr<FolderClaim> Claim(const std::string& folder, bool* held = nullptr);
  // A new folder private to the user (mode 0700) under `base`, claimed the
  // same way; nothing when it cannot be made.
  static std::unique_ptr<FolderClaim> MakePrivate(const std::string& base);
  // Removes, with everything in them, the private folders under `base` whose
  // program has ended (this user's, with a lock file nobody holds); those of
  // running programs are left alone. Returns how many were removed.
  static int RemoveAbandonedPrivate(const std::string& base);

  // Releases the lock and removes the lock file; a private folder is
  // removed with the files in it.
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
