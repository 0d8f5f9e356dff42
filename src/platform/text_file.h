// Text files read and written line by line, as single-byte text. Lines
// end in CR LF when written; a read accepts CR LF, LF or a lone CR.
#pragma once

#include <fcntl.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vemu::platform {

// The most a reader takes of a file, by what the file holds: a larger file
// is refused whole, before anything of it is read into memory.
inline constexpr std::size_t kCircuitReadLimit = std::size_t{1} << 30;  // circuits, netlists, sub-circuits, results
inline constexpr std::size_t kSettingsReadLimit = std::size_t{16} << 20;  // settings, start.txt, language, captions

// The whole content of a file, or nothing when it cannot be read; then
// `reason`, when given, says why (the system's error text, or for a file
// of more than `limit` bytes "too large: N bytes, more than L").
std::optional<std::string> readFileBytes(const std::string& path, std::size_t limit, std::string* reason = nullptr);
// That reason for a file of `size` bytes: "too large: N bytes, more than L"
// (L in MiB or GiB when it is a whole number of them).
std::string tooLargeReason(std::uint64_t size, std::size_t limit);
// Whether a reason of a failed read is the refusal of a file too large.
bool isTooLarge(std::string_view reason);
// `message`, followed by ": " and the reason when that says the file is too
// large (other reasons leave the message as it is).
std::string withSizeReason(std::string message, std::string_view reason);

// Walks the lines of a text one at a time, as views into it, so that a
// text of many short lines costs no object per line. A line ends in CR LF,
// LF or a lone CR; a last line without an end counts, while an end at the
// very end of the text opens no further line (as splitLines).
class LineCursor {
 public:
  explicit LineCursor(std::string_view text) : text_(text) {}
  // The next line, without its end; false when there is none.
  bool next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    const char* const begin = text_.data() + pos_;
    const char* const end = text_.data() + text_.size();
    const char* p = begin;
    while (p != end && *p != '\n' && *p != '\r') ++p;
    line = std::string_view(begin, static_cast<std::size_t>(p - begin));
    if (p != end && *p == '\r' && p + 1 != end && p[1] == '\n') ++p;
    pos_ = static_cast<std::size_t>(p - text_.data()) + (p != end ? 1 : 0);
    return true;
  }
  // Where the next line starts (the text's size when there is none).
  std::size_t offset() const { return pos_; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};
// How many lines the cursor finds in a text.
std::size_t countLines(std::string_view text);

// The lines of a text, without their line ends.
std::vector<std::string> splitLines(std::string_view text);
// Whether a text holds a line end (CR or LF): such a text is no single line
// of a line-based file.
bool hasLineBreak(std::string_view text);
// The text as one line: each CR, LF or CR LF becomes one blank.
std::string oneLine(std::string_view text);

// The most text a window shows of a file or of a list of lines: bytes, and
// lines (each line a block of the window's own, however short).
inline constexpr std::size_t kShownTextBytes = 5 * 1024 * 1024;
inline constexpr std::size_t kShownTextLines = 100000;
// How many of the first lines fit in `limit` bytes (a line end counted as one).
std::size_t linesWithin(const std::vector<std::string>& lines, std::size_t limit);

// The first part of a file: at most `limit` bytes, ended at the last line
// end in them when the file holds more (`cut`).
struct FileHead {
  std::string bytes;
  bool cut = false;
};
// Opens `path` for reading when it is a regular file (never blocking on a
// pipe or device); the descriptor, or -1.
int openRegularFile(const std::string& path);
std::optional<FileHead> readFileHead(const std::string& path, std::size_t limit);
// Where a text of more than `limit` bytes is cut for showing: after the
// last line end within the limit, or at the limit when there is none.
std::size_t headLength(std::string_view text, std::size_t limit);

// The lines of a file, or nothing when it cannot be read (`limit` and
// `reason` as above).
std::optional<std::vector<std::string>> readLines(const std::string& path, std::size_t limit,
                                                  std::string* reason = nullptr);

// Reads lines one at a time; reading past the end yields empty lines.
class LineReader {
 public:
  explicit LineReader(std::vector<std::string> lines) : lines_(std::move(lines)) {}
  static std::optional<LineReader> open(const std::string& path, std::size_t limit);

  std::string next();
  bool atEnd() const { return pos_ >= lines_.size(); }
  std::size_t lineNumber() const { return pos_; }  // lines taken so far

 private:
  std::vector<std::string> lines_;
  std::size_t pos_ = 0;
};

// Writes a file through a temporary file in the same folder that replaces
// the target only when everything was written and flushed to the disk, so a
// failed write or a crash never destroys the file that was there. A target
// that is a symbolic link has the file it points to replaced. The path is
// walked a name at a time and every link on it, in its folders as at its
// end, is followed only where the system would follow it: a link in a
// sticky folder that others may write, of a user who owns neither it nor
// the folder, is refused (nothing is written). The folder so reached is
// held open and the writer works through it, never by its name again. Only
// a regular file is replaced (or a new one made): a FIFO, a device, a socket
// or a folder at the end of the path, named or reached through links, is
// refused and stays, and is never opened. A target whose permissions forbid
// writing is refused and kept. The file that replaces another keeps its
// mode, and its owner and group as far as the system lets this user give
// them; it is a new file (inode), so other hard links keep the old content.
// Each writer's temporary file is its own and locked while it is written,
// so writers of one file in several processes never disturb each other:
// the last rename wins, and each says truly whether its bytes were put in
// place.
class SafeFileWriter {
 public:
  explicit SafeFileWriter(std::string path);
  ~SafeFileWriter();  // discards the temporary file unless commit() succeeded
  SafeFileWriter(const SafeFileWriter&) = delete;
  SafeFileWriter& operator=(const SafeFileWriter&) = delete;

  void write(std::string_view bytes) { buffer_.append(bytes); }
  void write(const char* bytes) { buffer_.append(bytes); }
  void write(std::string&& bytes) {
    if (buffer_.empty()) buffer_ = std::move(bytes);
    else buffer_.append(bytes);
  }
  void writeLine(std::string_view line) {
    buffer_.append(line);
    buffer_.append("\r\n");
  }
  // Writes and renames; on failure the target is as it was and the error
  // text says why.
  bool commit();
  const std::string& error() const { return error_; }

  // How the temporary files of a target begin: ".NAME.vemu-new." beside it;
  // each writer adds its process number and a random part.
  static std::string TemporaryPrefixFor(const std::string& target);

 private:
  std::string path_;
  std::string buffer_;
  std::string error_;
};

// Removes the temporary files that writers which ended without finishing
// left in `folder` (those no live writer holds locked); the number removed.
// Only plain files of this user are touched, never a link.
int removeLeftoverTemporaryFiles(const std::string& folder);

// Makes a write past the file size limit (ulimit -f) fail with EFBIG, which
// the writer reports, instead of ending the process with SIGXFSZ. Programs
// this process starts get the signal's default back.
void ignoreFileSizeSignal();

// Writes the lines with CR LF ends through SafeFileWriter.
bool writeLines(const std::string& path, const std::vector<std::string>& lines,
                std::string* error = nullptr);

// Whether `path` names a regular file (links followed): one to read.
bool fileExists(const std::string& path);
// Whether anything at all has the name `path`: a file of any kind, a folder
// or a link, also one that leads nowhere. A save asks before replacing it.
bool nameExists(const std::string& path);
// Both paths name one existing file (links followed).
bool sameFile(const std::string& a, const std::string& b);
// Whether the file open as `fd` is still the one that `name` names in the
// folder open as `folder` (AT_FDCWD: `name` is a path), the entry itself and
// not where a link there points.
bool stillNamed(int fd, const std::string& name, int folder = AT_FDCWD);
bool directoryExists(const std::string& path);
bool removeFile(const std::string& path);
bool copyFile(const std::string& source, const std::string& dest, std::size_t limit, std::string* error = nullptr);

}  // namespace vemu::platform
