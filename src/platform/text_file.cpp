#include "platform/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace vemu::platform {

std::optional<std::string> readFileBytes(const std::string& path, std::string* reason) {
  const auto fail = [reason](const char* why) -> std::optional<std::string> {
    if (reason) *reason = why;
    return std::nullopt;
  };
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return fail(std::strerror(errno));
  struct stat st {};
  // Only regular files hold text: a folder or a device is not a file to read.
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return fail(S_ISDIR(st.st_mode) ? "Is a directory" : "Not a regular file");
  }
  std::string content;
  content.resize(static_cast<std::size_t>(st.st_size));
  std::size_t done = 0;
  char more[4096];
  for (;;) {
    // Up to the size the file had when opened, then on in small steps in
    // case it grew meanwhile.
    const bool inPlace = done < content.size();
    char* target = inPlace ? content.data() + done : more;
    const std::size_t room = inPlace ? content.size() - done : sizeof more;
    const ssize_t n = ::read(fd, target, room);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      return fail(std::strerror(error));
    }
    if (n == 0) break;
    if (!inPlace) content.append(more, static_cast<std::size_t>(n));
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
  content.resize(done);
  return content;
}

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.emplace_back(text.substr(start, i - start));
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = ++i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::optional<std::vector<std::string>> readLines(const std::string& path, std::string* reason) {
  auto bytes = readFileBytes(path, reason);
  if (!bytes) return std::nullopt;
  return splitLines(*bytes);
}

std::optional<LineReader> LineReader::open(const std::string& path) {
  auto lines = readLines(path);
  if (!lines) return std::nullopt;
  return LineReader(std::move(*lines));
}

std::string LineReader::next() {
  if (pos_ >= lines_.size()) {
    ++pos_;
    return std::string();
  }
  return lines_[pos_++];
}

SafeFileWriter::SafeFileWriter(std::string path) : path_(std::move(path)) {}

SafeFileWriter::~SafeFileWriter() = default;

bool SafeFileWriter::commit() {
  // The temporary file sits in the target's folder (so the rename cannot
  // cross file systems) under a short name of its own.
  const auto slash = path_.rfind('/');
  std::string temp = (slash == std::string::npos ? std::string() : path_.substr(0, slash + 1)) + ".vemu-XXXXXX";
  int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    error_ = "Cannot create file " + path_ + ": " + std::strerror(errno);
    return false;
  }
  const char* data = buffer_.data();
  std::size_t left = buffer_.size();
  while (left > 0) {
    ssize_t n = ::write(fd, data, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      error_ = "Cannot write file " + path_ + ": " + std::strerror(errno);
      ::close(fd);
      ::unlink(temp.c_str());
      return false;
    }
    data += n;
    left -= static_cast<std::size_t>(n);
  }
  // Keep the permissions of the file being replaced, or the usual ones.
  struct stat st {};
  mode_t mode = 0644;
  if (::stat(path_.c_str(), &st) == 0) mode = st.st_mode & 07777;
  ::fchmod(fd, mode);
  if (::close(fd) != 0) {
    error_ = "Cannot write file " + path_ + ": " + std::strerror(errno);
    ::unlink(temp.c_str());
    return false;
  }
  if (::rename(temp.c_str(), path_.c_str()) != 0) {
    error_ = "Cannot replace file " + path_ + ": " + std::strerror(errno);
    ::unlink(temp.c_str());
    return false;
  }
  return true;
}

bool writeLines(const std::string& path, const std::vector<std::string>& lines,
                std::string* error) {
  SafeFileWriter writer(path);
  for (const auto& line : lines) writer.writeLine(line);
  if (writer.commit()) return true;
  if (error) *error = writer.error();
  return false;
}

bool fileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool directoryExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool removeFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool copyFile(const std::string& source, const std::string& dest, std::string* error) {
  auto bytes = readFileBytes(source);
  if (!bytes) {
    if (error) *error = "Cannot read file " + source;
    return false;
  }
  SafeFileWriter writer(dest);
  writer.write(*bytes);
  if (writer.commit()) return true;
  if (error) *error = writer.error();
  return false;
}

}  // namespace vemu::platform
