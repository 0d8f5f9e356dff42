// Reads numbers and lines from file text the way the circuit formats
// expect: numbers in free form (blanks, tabs and line ends before a number
// are skipped), the rest of a line as text, and line ends of CR LF, LF or CR.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vemu::files {

// A read that cannot go on: the message names the line.
class FormatError : public std::runtime_error {
 public:
  FormatError(std::size_t line, const std::string& what)
      : std::runtime_error(what), line_(line) {}
  std::size_t line() const { return line_; }

 private:
  std::size_t line_;
};

class TextCursor {
 public:
  explicit TextCursor(std::string_view text);

  // The next integer. A token that is not a 32-bit integer, or the end of
  // the text where a number should stand (a file cut short), raises
  // FormatError.
  std::int32_t readInt();
  // The rest of the current line, without moving.
  std::string_view restOfLine() const;
  // Moves past the end of the current line.
  void readLn();
  // The current line, then moves past its end.
  std::string_view readLine();

  bool atEnd() const { return pos_ >= text_.size(); }
  // Nothing but blanks and line ends from here to the end of the text.
  bool onlyBlanksLeft() const;
  std::size_t lineNumber() const { return line_; }  // counted from 1
  // Lines that start at or after the current position.
  std::size_t linesLeft() const;

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t line_ = 1;
  std::size_t totalLines_ = 0;
};

// The most characters a name or a value of a record may hold: a longer
// one is no circuit text (and would only slow every drawing of it).
inline constexpr std::size_t kMaxRecordText = 64 * 1024;
// Raises FormatError on `line` when `text` (the record's `what`: "name" or
// "value") is longer than that.
void CheckRecordText(std::string_view text, const char* what, std::size_t line);

// A floating-point number with blanks around it; '.' or ',' as separator.
bool ParseLooseDouble(std::string_view text, double& value);

}  // namespace vemu::files
