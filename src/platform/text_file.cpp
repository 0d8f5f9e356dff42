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

std::vector<std::string_view> splitLineViews(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

std::size_t linesWithin(const std::vector<std::string>& lines, std::size_t limit) {
  std::size_t used = 0;
  for (std::size_t k = 0; k < lines.size(); ++k) {
    used += lines[k].size() + 1;
    if (used > limit) return k;
  }
  return lines.size();
}

std::size_t headLength(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return text.size();
  const std::size_t lastEnd = text.substr(0, limit).find_last_of("\r\n");
  return lastEnd == std::string_view::npos ? limit : lastEnd + 1;
}

int openRegularFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return -1;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

std::optional<FileHead> readFileHead(const std::string& path, std::size_t limit) {
  const int fd = openRegularFile(path);
  if (fd < 0) return std::nullopt;
  // One byte past the limit tells whether there is more.
  FileHead head;
  head.bytes.resize(limit + 1);
  std::size_t done = 0;
  while (done < head.bytes.size()) {
    const ssize_t n = ::read(fd, head.bytes.data() + done, head.bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
  head.bytes.resize(done);
  head.cut = done > limit;
  head.bytes.resize(headLength(head.bytes, limit));
  return head;
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

namespace {

std::string folderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The file a path names once symbolic links are followed, so that a save
// onto a link replaces the file it points to, not the link. A path that is
// no link (or a loop of links) stays as it is.
std::string followLinks(const std::string& path) {
  std::string at = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return at;
    std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
    const ssize_t n = ::readlink(at.c_str(), target.data(), target.size());
    if (n < 0 || static_cast<std::size_t>(n) >= target.size()) return path;
    target.resize(static_cast<std::size_t>(n));
    at = target.front() == '/' ? target : folderOf(at) + target;
  }
  return path;
}

// What the temporary name adds to the target's: "." and ".vemu-new".
constexpr std::size_t kTemporaryExtras = 10;

// Flushes a folder's entries (a rename in it) to the disk.
void syncFolder(const std::string& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::string SafeFileWriter::TemporaryPathFor(const std::string& target) {
  const std::string folder = folderOf(target);
  std::string name = target.substr(folder.size());
  constexpr std::size_t kLongestName = 255, kKept = 200;
  if (name.size() + kTemporaryExtras > kLongestName) {
    // A name too long to take the extras keeps its start and a checksum
    // of the whole (FNV-1a), so it still names one target.
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : name) hash = (hash ^ c) * 1099511628211ull;
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
    name = name.substr(0, kKept) + "~" + digits;
  }
  return folder + "." + name + ".vemu-new";
}

bool SafeFileWriter::commit() {
  const std::string target = followLinks(path_);
  // The temporary file sits in the target's folder (so the rename cannot
  // cross file systems) under a hidden name made from the target's: a save
  // cut short leaves at most this one file, which the next save of the
  // target removes. Only a plain file of this user is taken as ours; a
  // link or anything else standing there makes the save fail, and the
  // exclusive open never follows a link planted after the check.
  const std::string temp = TemporaryPathFor(target);
  struct stat old {};
  if (::lstat(temp.c_str(), &old) == 0 && S_ISREG(old.st_mode) && old.st_uid == ::geteuid())
    ::unlink(temp.c_str());
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) {
    error_ = "Cannot create file " + path_ + ": " + std::strerror(errno);
    if (errno == EEXIST) error_ += " (" + temp + " is in the way)";
    return false;
  }
  const auto fail = [&](const char* what) {
    error_ = what + path_ + ": " + std::strerror(errno);
    ::close(fd);
    ::unlink(temp.c_str());
    return false;
  };
  const char* data = buffer_.data();
  std::size_t left = buffer_.size();
  while (left > 0) {
    ssize_t n = ::write(fd, data, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail("Cannot write file ");
    }
    data += n;
    left -= static_cast<std::size_t>(n);
  }
  // Keep the permissions of the file being replaced, or the usual ones.
  struct stat st {};
  mode_t mode = 0644;
  if (::stat(target.c_str(), &st) == 0) mode = st.st_mode & 07777;
  ::fchmod(fd, mode);
  // On the disk before it takes the target's place, so that a crash never
  // leaves the target empty.
  if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) return fail("Cannot write file ");
  if (::close(fd) != 0) {
    error_ = "Cannot write file " + path_ + ": " + std::strerror(errno);
    ::unlink(temp.c_str());
    return false;
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    error_ = "Cannot replace file " + path_ + ": " + std::strerror(errno);
    ::unlink(temp.c_str());
    return false;
  }
  syncFolder(folderOf(target));
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

bool sameFile(const std::string& a, const std::string& b) {
  struct stat sa {}, sb {};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
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
