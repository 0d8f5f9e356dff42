// The text of a program's console: the bytes it writes, cut into lines as
// they come, the last kConsoleLineLimit of them kept. A line break is LF or
// CR LF; a lone CR returns to the start of the line, so what follows
// replaces it (a progress count stays one line). Each line is shown as
// UTF-8 when it is valid UTF-8, else read as code page 1251.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace vemu::platform {

inline constexpr std::size_t kConsoleLineLimit = 10000;
// A line that grows past this many bytes without a break is broken there.
inline constexpr std::size_t kConsoleLineBytes = 16384;

class ConsoleLines {
 public:
  // Takes the next bytes; returns the lines they completed (UTF-8).
  std::vector<std::string> Add(std::string_view bytes);
  // The program's output has ended: the unfinished line, when there is one.
  std::vector<std::string> Finish();

  // The lines kept (at most kConsoleLineLimit, oldest first).
  const std::deque<std::string>& Lines() const { return lines_; }

 private:
  void EndLine(std::vector<std::string>& done);

  std::deque<std::string> lines_;
  std::string pending_;
  bool afterCR_ = false;
};

// UTF-8 as it is when valid, else code page 1251 bytes to UTF-8.
std::string ConsoleTextToUtf8(std::string_view bytes);

}  // namespace vemu::platform
