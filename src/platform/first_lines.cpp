#include "platform/first_lines.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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
  while (lines.size() < count) {
    const ssize_t n = ::read(fd, block, sizeof block);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
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
