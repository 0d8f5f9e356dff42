// Where a save puts its bytes: the target's path walked a name at a time,
// every symbolic link on the way judged as it is found.
#pragma once

#include <unistd.h>

#include <string>
#include <utility>

namespace vemu::platform {

// A descriptor closed when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Descriptor& operator=(Descriptor&& other) noexcept {
    if (this != &other) reset(std::exchange(other.fd_, -1));
    return *this;
  }
  ~Descriptor() { reset(); }
  void reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

// Where a save onto a path puts its bytes: the folder held open and the name
// in it of the file at the end of the path's links. The path is walked a
// name at a time, so every symbolic link on the way, in its folders as well
// as at its end, is looked at as it is found, through a descriptor of the
// link itself, and followed only where the system would follow it: in a
// sticky folder that others may write, a link that belongs neither to this
// user nor to the folder's owner may have been planted there by someone
// else, so it is not followed (`planted` names it), whatever the system
// itself is set to do. The writer then works only through the folder's
// descriptor, so no name is looked up twice.
struct SaveTarget {
  Descriptor folder;
  std::string name;
  std::string planted;
  int error = 0;  // errno when the place cannot be reached
};

SaveTarget findSaveTarget(const std::string& path);

}  // namespace vemu::platform
