#include "files/text_cursor.h"

#include <charconv>
#include <cmath>

namespace vemu::files {
namespace {
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
bool isSpace(char c) { return static_cast<unsigned char>(c) <= ' '; }
}  // namespace

TextCursor::TextCursor(std::string_view text) : text_(text) {
  for (std::size_t i = 0; i < text_.size(); ++i) {
    const char c = text_[i];
    const bool lineEnd = c == '\n' || (c == '\r' && (i + 1 >= text_.size() || text_[i + 1] != '\n'));
    if (lineEnd || i + 1 == text_.size()) ++totalLines_;
  }
}

std::int32_t TextCursor::readInt() {
  while (pos_ < text_.size() && isSpace(text_[pos_])) {
    const char c = text_[pos_++];
    if (c == '\n' || (c == '\r' && (pos_ >= text_.size() || text_[pos_] != '\n'))) ++line_;
  }
  if (pos_ >= text_.size()) throw FormatError(line_, "The file ends early: a number is missing");
  const std::size_t start = pos_;
  while (pos_ < text_.size() && !isSpace(text_[pos_])) ++pos_;
  std::string_view token = text_.substr(start, pos_ - start);
  std::string_view digits = token;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  std::int32_t value = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() ||
      (digits.front() == '-' && token.front() == '+'))
    throw FormatError(line_, "Invalid numeric input \"" + std::string(token.substr(0, 40)) + "\"");
  return value;
}

std::string_view TextCursor::restOfLine() const {
  std::size_t end = pos_;
  while (end < text_.size() && !isLineEnd(text_[end])) ++end;
  return text_.substr(pos_, end - pos_);
}

void TextCursor::readLn() {
  while (pos_ < text_.size() && !isLineEnd(text_[pos_])) ++pos_;
  if (pos_ >= text_.size()) return;
  if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
  ++pos_;
  ++line_;
}

std::string_view TextCursor::readLine() {
  std::string_view line = restOfLine();
  readLn();
  return line;
}

bool TextCursor::onlyBlanksLeft() const {
  for (std::size_t i = pos_; i < text_.size(); ++i)
    if (!isSpace(text_[i])) return false;
  return true;
}

std::size_t TextCursor::linesLeft() const {
  if (atEnd()) return 0;
  return totalLines_ >= line_ ? totalLines_ - line_ + 1 : 0;
}

void CheckRecordText(std::string_view text, const char* what, std::size_t line) {
  if (text.size() > kMaxRecordText)
    throw FormatError(line, std::string("The ") + what + " holds " + std::to_string(text.size()) +
                                " characters, more than " + std::to_string(kMaxRecordText));
}

bool ParseLooseDouble(std::string_view text, double& value) {
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
  if (text.empty() || text.size() > 64) return false;
  std::string copy(text);
  for (char& c : copy)
    if (c == ',') c = '.';
  std::string_view digits = copy;
  if (digits.front() == '+') {
    digits.remove_prefix(1);
    if (!digits.empty() && digits.front() == '-') return false;
  }
  double parsed = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), parsed);
  if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() || !std::isfinite(parsed))
    return false;
  value = parsed;
  return true;
}

}  // namespace vemu::files
