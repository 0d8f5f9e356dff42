#include "platform/console_lines.h"

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

}  // namespace

std::string ConsoleTextToUtf8(std::string_view bytes) {
  return IsValidUtf8(bytes) ? std::string(bytes) : cp1251ToUtf8(bytes);
}

void ConsoleLines::EndLine(std::vector<std::string>& done) {
  done.push_back(ConsoleTextToUtf8(pending_));
  pending_.clear();
  lines_.push_back(done.back());
  if (lines_.size() > kConsoleLineLimit) lines_.pop_front();
}

std::vector<std::string> ConsoleLines::Add(std::string_view bytes) {
  std::vector<std::string> done;
  for (const char c : bytes) {
    if (afterCR_) {
      afterCR_ = false;
      if (c == '\n') {
        EndLine(done);
        continue;
      }
      pending_.clear();  // back to the start of the line
    }
    if (c == '\r') {
      afterCR_ = true;
    } else if (c == '\n') {
      EndLine(done);
    } else {
      pending_.push_back(c);
      if (pending_.size() >= kConsoleLineBytes) EndLine(done);
    }
  }
  return done;
}

std::vector<std::string> ConsoleLines::Finish() {
  std::vector<std::string> done;
  afterCR_ = false;
  if (!pending_.empty()) EndLine(done);
  return done;
}

}  // namespace vemu::platform
