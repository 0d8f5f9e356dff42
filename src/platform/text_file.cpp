#include "platform/text_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <utility>

#include "platform/save_target.h"

namespace vemu::platform {

namespace {

constexpr std::string_view kTooLarge = "too large: ";

}  // namespace

std::string tooLargeReason(std::uint64_t size, std::size_t limit) {
  std::string most = std::to_string(limit) + " bytes";
  if (limit >= (std::size_t{1} << 30) && limit % (std::size_t{1} << 30) == 0)
    most = std::to_string(limit >> 30) + " GiB";
  else if (limit >= (std::size_t{1} << 20) && limit % (std::size_t{1} << 20) == 0)
    most = std::to_string(limit >> 20) + " MiB";
  return std::string(kTooLarge) + std::to_string(size) + " bytes, more than " + most;
}

bool isTooLarge(std::string_view reason) { return reason.starts_with(kTooLarge); }

std::string withSizeReason(std::string message, std::string_view reason) {
  if (isTooLarge(reason)) {
    message += ": ";
    message += reason;
  }
  return message;
}

std::optional<std::string> readFileBytes(const std::string& path, std::size_t limit, std::string* reason) {
  const auto fail = [reason](std::string why) -> std::optional<std::string> {
    if (reason) *reason = std::move(why);
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
  // Refused by its size before any memory is taken for it.
  if (static_cast<std::uint64_t>(st.st_size) > limit) {
    ::close(fd);
    return fail(tooLargeReason(static_cast<std::uint64_t>(st.st_size), limit));
  }
  std::string content;
  content.resize(static_cast<std::size_t>(st.st_size));
  std::size_t done = 0;
  char more[4096];
  for (;;) {
    // Up to the size the file had when opened, then on in small steps in
    // case it grew meanwhile, up to the limit.
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
    if (!inPlace) {
      if (done + static_cast<std::size_t>(n) > limit) {
        ::close(fd);
        return fail(tooLargeReason(done + static_cast<std::size_t>(n), limit));
      }
      content.append(more, static_cast<std::size_t>(n));
    }
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
  content.resize(done);
  return content;
}

std::size_t countLines(std::string_view text) {
  LineCursor cursor(text);
  std::size_t count = 0;
  for (std::string_view line; cursor.next(line);) ++count;
  return count;
}

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  LineCursor cursor(text);
  for (std::string_view line; cursor.next(line);) lines.emplace_back(line);
  return lines;
}

bool hasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

std::string oneLine(std::string_view text) {
  std::string line;
  line.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      line += c;
      continue;
    }
    line += ' ';
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
  }
  return line;
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

std::optional<std::vector<std::string>> readLines(const std::string& path, std::size_t limit, std::string* reason) {
  auto bytes = readFileBytes(path, limit, reason);
  if (!bytes) return std::nullopt;
  return splitLines(*bytes);
}

std::optional<LineReader> LineReader::open(const std::string& path, std::size_t limit) {
  auto lines = readLines(path, limit);
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

// The marks of a temporary file's name: ".NAME" + kTemporaryMark + "." +
// process number + "." + kRandomDigits hexadecimal digits.
constexpr std::string_view kTemporaryMark = ".vemu-new";
constexpr std::size_t kRandomDigits = 8;
// What that adds to the target's name at most (a process number has at most
// ten digits).
constexpr std::size_t kTemporaryExtras = 1 + kTemporaryMark.size() + 1 + 10 + 1 + kRandomDigits;

// Flushes a folder's entries (a rename in it) to the disk.
void syncFolder(int folder) {
  const int fd = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

bool allOf(std::string_view text, const char* letters) {
  return !text.empty() && text.find_first_not_of(letters) == std::string_view::npos;
}

// A name the writer gives its temporary files: ".NAME.vemu-new.PID.RANDOM",
// or ".NAME.vemu-new" as earlier versions of the program named them.
bool isTemporaryName(std::string_view name) {
  if (name.size() < 2 + kTemporaryMark.size() || name.front() != '.') return false;
  if (name.ends_with(kTemporaryMark)) return true;
  const auto mark = name.rfind(kTemporaryMark);
  if (mark == std::string_view::npos || mark == 0) return false;
  const std::string_view tail = name.substr(mark + kTemporaryMark.size());
  const auto dot = tail.rfind('.');
  if (tail.front() != '.' || dot == 0) return false;
  return allOf(tail.substr(1, dot - 1), "0123456789") && tail.size() - dot - 1 == kRandomDigits &&
         allOf(tail.substr(dot + 1), "0123456789abcdef");
}

// Removes one temporary file when no writer holds its lock: a writer holds
// its own from before it writes until its rename, so a file that can be
// locked was left by a writer that ended. It is removed while locked, so a
// writer that locks it after that finds it gone.
bool removeIfLeftover(int folder, const std::string& name) {
  struct stat st {};
  if (::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode) ||
      st.st_uid != ::geteuid())
    return false;
  int fd = ::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) fd = ::openat(folder, name.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  const bool removed =
      ::flock(fd, LOCK_EX | LOCK_NB) == 0 && stillNamed(fd, name, folder) && ::unlinkat(folder, name.c_str(), 0) == 0;
  ::close(fd);
  return removed;
}

// Removes the leftover temporary files in the folder open as `folder` whose
// names begin with `start`.
int removeLeftovers(int folder, std::string_view start) {
  const int listing = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  DIR* dir = listing < 0 ? nullptr : ::fdopendir(listing);
  if (!dir) {
    if (listing >= 0) ::close(listing);
    return 0;
  }
  std::vector<std::string> found;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name.starts_with(start) && isTemporaryName(name)) found.emplace_back(name);
  }
  ::closedir(dir);
  int removed = 0;
  for (const auto& name : found) removed += removeIfLeftover(folder, name) ? 1 : 0;
  return removed;
}

// A temporary name no other writer uses: the process number keeps live
// processes apart, the random part keeps a name apart from a leftover of an
// ended process that had the same number.
std::string uniqueTemporaryPath(const std::string& prefix) {
  static std::atomic<std::uint32_t> counter{0};
  std::uint32_t random = 0;
  if (::getrandom(&random, sizeof random, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof random)) {
    timespec now {};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    random = static_cast<std::uint32_t>(now.tv_nsec) ^ (counter.fetch_add(1) * 2654435761u);
  }
  char tail[32];
  std::snprintf(tail, sizeof tail, "%ld.%08x", static_cast<long>(::getpid()), static_cast<unsigned>(random));
  return prefix + tail;
}

// A temporary file of our own: written through one descriptor and locked
// through another, which stays open until the rename is done, so that the
// written one is closed (and its errors seen) before the rename.
struct OwnTemporary {
  std::string path;
  int written = -1;
  int lock = -1;
};

// Makes a temporary file of our own, exclusively and never through a link,
// and locks it. A sweep that took it for a leftover in the moment between
// its making and its locking has removed it; then another is made. False
// with errno set when none can be made. `temp.path` is its name in `folder`.
bool makeOwnTemporary(int folder, const std::string& prefix, OwnTemporary& temp) {
  for (int attempt = 0; attempt < 64; ++attempt) {
    temp.path = uniqueTemporaryPath(prefix);
    temp.written = ::openat(folder, temp.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (temp.written < 0) {
      if (errno == EEXIST) continue;  // something else has the name: take another
      return false;
    }
    temp.lock = ::openat(folder, temp.path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (temp.lock < 0 && errno != ENOENT) {
      const int error = errno;
      ::unlinkat(folder, temp.path.c_str(), 0);
      ::close(temp.written);
      errno = error;
      return false;
    }
    if (temp.lock >= 0) {
      // Where the file system has no locks, a sweep cannot lock it either
      // and so leaves it alone.
      while (::flock(temp.lock, LOCK_EX) != 0 && errno == EINTR) {
      }
      if (stillNamed(temp.lock, temp.path, folder) && stillNamed(temp.written, temp.path, folder)) return true;
      ::close(temp.lock);
    }
    ::close(temp.written);
  }
  errno = EEXIST;
  return false;
}

bool inGroup(gid_t group) {
  if (group == ::getegid()) return true;
  const int count = ::getgroups(0, nullptr);
  if (count <= 0) return false;
  std::vector<gid_t> groups(static_cast<std::size_t>(count));
  const int got = ::getgroups(count, groups.data());
  return got > 0 && std::find(groups.begin(), groups.begin() + got, group) != groups.begin() + got;
}

// Whether a file's permission bits let this user write it: the owner's bit
// for the owner, the group's for a member, else the others'. The superuser,
// whom the system lets write anything, is held to the bits too: any write
// bit at all, the owner's when it owns the file.
bool modeAllowsWriting(const struct stat& st) {
  const uid_t user = ::geteuid();
  if (user == st.st_uid) return (st.st_mode & S_IWUSR) != 0;
  if (user == 0) return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
  if (inGroup(st.st_gid)) return (st.st_mode & S_IWGRP) != 0;
  return (st.st_mode & S_IWOTH) != 0;
}

// What kind of node other than a plain file or a folder a mode names.
const char* kindOf(mode_t mode) {
  switch (mode & S_IFMT) {
    case S_IFIFO: return "a FIFO";
    case S_IFCHR: return "a character device";
    case S_IFBLK: return "a block device";
    case S_IFSOCK: return "a socket";
    case S_IFLNK: return "a symbolic link";
    default: return "of an unknown kind";
  }
}

}  // namespace

std::string SafeFileWriter::TemporaryPrefixFor(const std::string& target) {
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
  return folder + "." + name + std::string(kTemporaryMark) + ".";
}

int removeLeftoverTemporaryFiles(const std::string& folder) {
  const Descriptor dir(::open(folder.empty() ? "." : folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  return dir.get() < 0 ? 0 : removeLeftovers(dir.get(), ".");
}

bool SafeFileWriter::commit() {
  const SaveTarget found = findSaveTarget(path_);
  if (!found.planted.empty()) {
    error_ = "Cannot replace file " + found.planted + ": it is a link of another user";
    return false;
  }
  if (found.error != 0) {
    error_ = (found.error == EISDIR ? "Cannot replace file " : "Cannot create file ") + path_ + ": " +
             std::strerror(found.error);
    return false;
  }
  const int folder = found.folder.get();
  const std::string& target = found.name;
  // What the walk ended on, looked at without opening it (opening a FIFO
  // would wait for its other end): only a plain file is replaced.
  struct stat old {};
  const bool replacing = ::fstatat(folder, target.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
  if (replacing && !S_ISREG(old.st_mode)) {
    error_ = "Cannot replace file " + path_ + ": " +
             (S_ISDIR(old.st_mode) ? std::string(std::strerror(EISDIR))
                                   : std::string("it is not a regular file (") + kindOf(old.st_mode) + ")");
    return false;
  }
  if (replacing && !modeAllowsWriting(old)) {
    error_ = "Cannot replace file " + path_ + ": Permission denied (the file is read-only)";
    return false;
  }
  // The temporary file sits in the target's folder (so the rename cannot
  // cross file systems) under a hidden name made from the target's and
  // this writer's own. Leftovers of writers of this target that ended
  // without finishing are removed first; those of live writers stay.
  const std::string prefix = TemporaryPrefixFor(target);
  removeLeftovers(folder, std::string_view(prefix).substr(0, prefix.size() - 1));
  OwnTemporary temp;
  if (!makeOwnTemporary(folder, prefix, temp)) {
    error_ = "Cannot create file " + path_ + ": " + std::strerror(errno);
    return false;
  }
  const int fd = temp.written;
  const auto fail = [&](const char* what) {
    error_ = what + path_ + ": " + std::strerror(errno);
    ::unlinkat(folder, temp.path.c_str(), 0);
    if (temp.written >= 0) ::close(temp.written);
    ::close(temp.lock);
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
  // Keep the owner, group and permissions of the file being replaced, or
  // give the usual permissions. The owner first, since a change of owner
  // clears the set-user and set-group bits. Only the superuser may give a
  // file to another user; any user may give it a group he is in. What the
  // system does not allow is left as it is made.
  if (replacing) {
    const uid_t owner = ::geteuid() == 0 ? old.st_uid : static_cast<uid_t>(-1);
    [[maybe_unused]] const bool kept = ::fchown(fd, owner, old.st_gid) == 0 ||
                                       (owner != static_cast<uid_t>(-1) &&
                                        ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0);
  }
  ::fchmod(fd, replacing ? old.st_mode & 07777 : 0644);
  // On the disk before it takes the target's place, so that a crash never
  // leaves the target empty.
  if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) return fail("Cannot write file ");
  temp.written = -1;
  if (::close(fd) != 0) return fail("Cannot write file ");
  // Once the rename is done the target holds these bytes; a writer that
  // renames later replaces them in turn (the last one wins). The lock is
  // held until then.
  if (::renameat(folder, temp.path.c_str(), folder, target.c_str()) != 0) return fail("Cannot replace file ");
  ::close(temp.lock);
  syncFolder(folder);
  return true;
}

void ignoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

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

bool nameExists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

namespace {

bool sameIdentity(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

}  // namespace

bool sameFile(const std::string& a, const std::string& b) {
  struct stat sa {}, sb {};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sameIdentity(sa, sb);
}

bool stillNamed(int fd, const std::string& name, int folder) {
  struct stat open {}, named {};
  return ::fstat(fd, &open) == 0 && ::fstatat(folder, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
         sameIdentity(open, named);
}

bool directoryExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool removeFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool copyFile(const std::string& source, const std::string& dest, std::size_t limit, std::string* error) {
  std::string reason;
  auto bytes = readFileBytes(source, limit, &reason);
  if (!bytes) {
    if (error) *error = withSizeReason("Cannot read file " + source, reason);
    return false;
  }
  SafeFileWriter writer(dest);
  writer.write(*bytes);
  if (writer.commit()) return true;
  if (error) *error = writer.error();
  return false;
}

}  // namespace vemu::platform
