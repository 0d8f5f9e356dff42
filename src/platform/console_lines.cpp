#include "platform/console_lines.h"

#include <algorithm>

#include "platform/text_codec.h"

namespace vemu::platform {
namespace {

bool IsValidUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    std::size_t extra = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
      extra = 1;
    } else if (c >= 0xE0 && c <= 0xEF) {
      extra = 2;
      if (c == 0xE0) low = 0xA0;   // no overlong form
      if (c == 0xED) high = 0x9F;  // no surrogate
    } else if (c >= 0xF0 && c <= 0xF4) {
      extra = 3;
      if (c == 0xF0) low = 0x90;
      if (c == 0xF4) high = 0x8F;  // nothing past U+10FFFF
    } else {
      return false;
    }
    if (i + extra >= s.size()) return false;
    const auto second = static_cast<unsigned char>(s[i + 1]);
    if (second < low || second > high) return false;
    for (std::size_t k = 2; k <= extra; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += extra + 1;
  }
  return true;
}

// Where a line that has reached the byte limit is cut: before a UTF-8
// sequence that it has begun but not finished, so both parts stay whole
// characters; at its end otherwise.
std::size_t CutOfFullLine(std::string_view line) {
  const std::size_t n = line.size();
  for (std::size_t back = 1; back <= 3 && back <= n; ++back) {
    const auto c = static_cast<unsigned char>(line[n - back]);
    if ((c & 0xC0) == 0x80) continue;  // a continuation byte: look further back
    const std::size_t length = c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
    return length > back ? n - back : n;
  }
  return n;
}

}  // namespace

std::string ConsoleTextToUtf8(std::string_view bytes) {
  return IsValidUtf8(bytes) ? std::string(bytes) : cp1251ToUtf8(bytes);
}

void ConsoleLines::EndLine(std::size_t length) {
  ++completed_;
  // A dropped line's storage takes the new one, so a flood of lines
  // allocates nothing per line.
  std::string line = std::move(spare_);
  const std::string_view text(pending_.data(), length);
  if (IsValidUtf8(text)) line.assign(text);
  else line = cp1251ToUtf8(text);
  keptBytes_ += line.size();
  lines_.push_back(std::move(line));
  pending_.erase(0, length);
  while (lines_.size() > 1 && (lines_.size() > kConsoleLineLimit || keptBytes_ > kConsoleKeptBytes)) {
    keptBytes_ -= lines_.front().size();
    spare_ = std::move(lines_.front());
    lines_.pop_front();
  }
}

void ConsoleLines::BreakLine() {
  // A line cut at the byte limit has been shown already: the break that
  // ends it right there starts no empty line.
  if (!(cutAtLimit_ && pending_.empty())) EndLine(pending_.size());
  cutAtLimit_ = false;
}

std::size_t ConsoleLines::Add(std::string_view bytes) {
  const std::size_t before = completed_;
  std::size_t i = 0;
  while (i < bytes.size()) {
    if (afterCR_) {
      // CR LF and CR CR LF end the line; a CR followed by text returns to
      // the start of the line, so the text replaces it.
      if (bytes[i] == '\r') {
        ++i;
        continue;
      }
      afterCR_ = false;
      if (bytes[i] == '\n') {
        BreakLine();
        ++i;
        continue;
      }
      pending_.clear();
    }
    // The run up to the next CR or LF joins the line at once.
    std::size_t end = i;
    while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r') ++end;
    while (i < end) {
      const std::size_t take = std::min(kConsoleLineBytes - pending_.size(), end - i);
      pending_.append(bytes.data() + i, take);
      i += take;
      cutAtLimit_ = false;
      if (pending_.size() >= kConsoleLineBytes) {
        EndLine(CutOfFullLine(pending_));
        cutAtLimit_ = true;
      }
    }
    if (i == bytes.size()) break;
    if (bytes[i] == '\r') afterCR_ = true;
    else BreakLine();
    ++i;
  }
  return completed_ - before;
}

std::size_t ConsoleLines::Finish() {
  afterCR_ = false;
  cutAtLimit_ = false;
  if (pending_.empty()) return 0;
  EndLine(pending_.size());
  return 1;
}

}  // namespace vemu::platform
