#include "platform/text_codec.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <stdexcept>

namespace vemu::platform {
namespace {

// Converts with iconv; an unconvertible input unit (`unitSize` bytes, e.g. a
// UTF-16 code unit) becomes `replacement` and is skipped.
std::string convert(std::string_view input, const char* from, const char* to,
                    std::string_view replacement, std::size_t unitSize) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  std::string out;
  out.reserve(input.size() * 2);
  char buffer[4096];
  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  while (inLeft > 0) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    if (rc == static_cast<std::size_t>(-1)) {
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL: replace and skip the offending unit.
      out.append(replacement);
      const std::size_t skip = unitSize < inLeft ? unitSize : inLeft;
      in += skip;
      inLeft -= skip;
    }
  }
  iconv_close(cd);
  return out;
}

bool isAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// The characters of bytes 0x80 to 0xFF of code page 1251; 0x98 is none.
constexpr char32_t kUpperHalf[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 0x88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 0x98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // 0xA0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // 0xA8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // 0xB8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  // 0xC0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,  // 0xC8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,  // 0xD0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,  // 0xD8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  // 0xE0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,  // 0xE8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,  // 0xF0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,  // 0xF8
};

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The byte of a character above 0x7F in code page 1251, 0 when it has none:
// the table's characters sorted, searched by halves.
unsigned char upperHalfByte(char32_t c) {
  struct Entry {
    char32_t character;
    unsigned char byte;
  };
  static const auto sorted = [] {
    std::array<Entry, 127> entries{};
    std::size_t n = 0;
    for (std::size_t b = 0; b < 128; ++b)
      if (b != 0x18) entries[n++] = {kUpperHalf[b], static_cast<unsigned char>(0x80 + b)};
    std::sort(entries.begin(), entries.end(), [](Entry a, Entry b) { return a.character < b.character; });
    return entries;
  }();
  const auto it = std::lower_bound(sorted.begin(), sorted.end(), c,
                                   [](Entry e, char32_t wanted) { return e.character < wanted; });
  return it != sorted.end() && it->character == c ? it->byte : 0;
}

// The length of the well-formed UTF-8 sequence at the start of `text`
// (no overlong form, no surrogate, nothing past U+10FFFF), 0 when there is none.
std::size_t sequenceLength(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  }
  if (length == 0 || text.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i)
    if ((byte(i) & 0xC0) != 0x80) return 0;
  return length;
}

// The text with every byte that starts no well-formed sequence replaced by U+FFFD.
std::string wellFormedUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = sequenceLength(text.substr(i));
    if (length == 0) {
      out += "\xEF\xBF\xBD";
      ++i;
    } else {
      out.append(text.substr(i, length));
      i += length;
    }
  }
  return out;
}

}  // namespace

// Both directions by table, one step per character: an unmappable
// character costs no more than any other.
std::string cp1251ToUtf8(std::string_view bytes) {
  if (isAscii(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    appendUtf8(out, byte < 0x80 ? byte : kUpperHalf[byte - 0x80]);
  }
  return out;
}

std::string utf8ToCp1251(std::string_view utf8) {
  if (isAscii(utf8)) return std::string(utf8);
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = sequenceLength(utf8.substr(i, 4));
    if (length == 0) {
      // Not UTF-8: one '?' for the lead byte and the continuation bytes
      // that follow it as far as its sequence would reach, so a stray or
      // cut sequence never swallows the character after it.
      const std::size_t reach = lead >= 0xF8 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
      std::size_t skip = 1;
      while (skip < reach && i + skip < utf8.size() && (static_cast<unsigned char>(utf8[i + skip]) & 0xC0) == 0x80)
        ++skip;
      out += '?';
      i += skip;
      continue;
    }
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    const unsigned char byte = c < 0x80 ? static_cast<unsigned char>(c) : upperHalfByte(c);
    out += byte || c == 0 ? static_cast<char>(byte) : '?';
    i += length;
  }
  return out;
}

std::string decodeFileText(std::string_view bytes) {
  // A file marked as UTF-8 may still hold bytes that are none: they become
  // U+FFFD, so every text handed on is well-formed.
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    const std::string_view text = bytes.substr(3);
    return isAscii(text) ? std::string(text) : wellFormedUtf8(text);
  }
  if (bytes.size() >= 2 && bytes.substr(0, 2) == "\xFF\xFE")
    return convert(bytes.substr(2), "UTF-16LE", "UTF-8", "\xEF\xBF\xBD", 2);
  if (bytes.size() >= 2 && bytes.substr(0, 2) == "\xFE\xFF")
    return convert(bytes.substr(2), "UTF-16BE", "UTF-8", "\xEF\xBF\xBD", 2);
  return cp1251ToUtf8(bytes);
}

std::size_t utf8Length(std::string_view utf8) {
  std::size_t count = 0;
  for (char c : utf8)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  return count;
}

std::string utf8Left(std::string_view utf8, std::size_t n) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) {
      if (count == n) return std::string(utf8.substr(0, i));
      ++count;
    }
  }
  return std::string(utf8);
}

}  // namespace vemu::platform
