#include "platform/first_lines.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "platform/text_file.h"

namespace vemu::platform {

std::optional<std::vector<std::string>> readFirstLines(const std::string& path, std::size_t count,
                                                       std::size_t lineLimit, std::size_t sizeLimit,
                                                       std::string* reason) {
  const int fd = openRegularFile(path);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  const bool known = ::fstat(fd, &st) == 0;
  if (!known || static_cast<std::uint64_t>(st.st_size) > sizeLimit) {
    if (reason) *reason = known ? tooLargeReason(static_cast<std::uint64_t>(st.st_size), sizeLimit) : std::strerror(errno);
    ::close(fd);
    return std::nullopt;
  }
  std::vector<std::string> lines;
  std::string line;
  bool afterCr = false;  // a CR ended the last line: a LF right after it belongs to it
  bool open = false;     // bytes of an unfinished line were seen
  char block[65536];
  std::uint64_t taken = 0;
  while (lines.size() < count) {
    // A file that grew after its size was taken is read no further than one
    // byte past the limit, and that byte refuses it as too large.
    const std::uint64_t room = sizeLimit + std::uint64_t{1} - taken;
    const ssize_t n = ::read(fd, block, static_cast<std::size_t>(std::min<std::uint64_t>(sizeof block, room)));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    taken += static_cast<std::uint64_t>(n);
    if (taken > sizeLimit) {
      if (reason) *reason = tooLargeReason(taken, sizeLimit);
      ::close(fd);
      return std::nullopt;
    }
    for (ssize_t i = 0; i < n && lines.size() < count; ++i) {
      const char c = block[i];
      if (c == '\n' && afterCr) {
        afterCr = false;
        continue;
      }
      afterCr = c == '\r';
      if (c == '\r' || c == '\n') {
        lines.push_back(std::move(line));
        line.clear();
        open = false;
      } else {
        open = true;
        if (line.size() < lineLimit) line.push_back(c);
      }
    }
  }
  ::close(fd);
  if (open && lines.size() < count) lines.push_back(std::move(line));
  return lines;
}

}  // namespace vemu::platform
