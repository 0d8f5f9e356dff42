// The text of a program's console: the bytes it writes, cut into lines as
// they come, the last kConsoleLineLimit of them kept (fewer when they hold
// more than kConsoleKeptBytes). A line break is LF,
// CR LF or CR CR LF (text-mode output of CR LF); a lone CR followed by more
// text returns to the start of the line, so what follows replaces it (a
// progress count stays one line). Each line is shown as UTF-8 when it is
// valid UTF-8, else read as code page 1251.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace vemu::platform {

inline constexpr std::size_t kConsoleLineLimit = 10000;
// The lines kept hold at most this many bytes together (the newest line
// always stays): a flood of long lines keeps its newest 1,024 lines of
// the full length, not 10,000 of them.
inline constexpr std::size_t kConsoleKeptBytes = std::size_t{16} << 20;
// A line that grows to this many bytes without a break is broken there (a
// few bytes earlier when that would cut a UTF-8 character); a break right
// after it adds no empty line.
inline constexpr std::size_t kConsoleLineBytes = 16384;

class ConsoleLines {
 public:
  // Takes the next bytes; returns how many lines they completed (of which
  // only the last ones are still kept).
  std::size_t Add(std::string_view bytes);
  // The program's output has ended: ends the unfinished line, when there is
  // one; returns how many lines that completed (0 or 1).
  std::size_t Finish();

  // The lines kept (at most kConsoleLineLimit and kConsoleKeptBytes, oldest
  // first, UTF-8).
  const std::deque<std::string>& Lines() const { return lines_; }
  // How many lines were completed since the start, kept or not.
  std::size_t Completed() const { return completed_; }

 private:
  // Ends a line with the first `length` bytes of the pending text.
  void EndLine(std::size_t length);
  // A line break in the text.
  void BreakLine();

  std::deque<std::string> lines_;
  // The bytes of the lines kept.
  std::size_t keptBytes_ = 0;
  // The storage of the line dropped last, for the next line.
  std::string spare_;
  std::string pending_;
  bool afterCR_ = false;
  // The last line was cut at the byte limit, and no text has come since.
  bool cutAtLimit_ = false;
  std::size_t completed_ = 0;
};

// UTF-8 as it is when valid, else code page 1251 bytes to UTF-8.
std::string ConsoleTextToUtf8(std::string_view bytes);

}  // namespace vemu::platform
