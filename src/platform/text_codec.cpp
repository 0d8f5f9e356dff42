#include "platform/text_codec.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace vemu::platform {
namespace {

// Converts with iconv; an unconvertible input sequence becomes `replacement`
// and one input unit (a byte, a UTF-16 code unit, or one UTF-8 sequence) is skipped.
std::string convert(std::string_view input, const char* from, const char* to,
                    std::string_view replacement, bool utf8Input, std::size_t unitSize = 1) {
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
      // EILSEQ or EINVAL: replace and skip the offending sequence.
      out.append(replacement);
      std::size_t skip = unitSize < inLeft ? unitSize : inLeft;
      if (utf8Input) {
        // The whole sequence, as far as its continuation bytes are there:
        // a stray or cut sequence never swallows the character after it.
        const auto lead = static_cast<unsigned char>(*in);
        std::size_t length = 1;
        if (lead >= 0xF0 && lead < 0xF8) length = 4;
        else if (lead >= 0xE0 && lead < 0xF0) length = 3;
        else if (lead >= 0xC0 && lead < 0xE0) length = 2;
        while (skip < length && skip < inLeft && (static_cast<unsigned char>(in[skip]) & 0xC0) == 0x80) ++skip;
      }
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

std::string cp1251ToUtf8(std::string_view bytes) {
  if (isAscii(bytes)) return std::string(bytes);
  return convert(bytes, "CP1251", "UTF-8", "\xEF\xBF\xBD", false);
}

std::string utf8ToCp1251(std::string_view utf8) {
  if (isAscii(utf8)) return std::string(utf8);
  return convert(utf8, "UTF-8", "CP1251", "?", true);
}

std::string decodeFileText(std::string_view bytes) {
  // A file marked as UTF-8 may still hold bytes that are none: they become
  // U+FFFD, so every text handed on is well-formed.
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    const std::string_view text = bytes.substr(3);
    return isAscii(text) ? std::string(text) : wellFormedUtf8(text);
  }
  if (bytes.size() >= 2 && bytes.substr(0, 2) == "\xFF\xFE")
    return convert(bytes.substr(2), "UTF-16LE", "UTF-8", "\xEF\xBF\xBD", false, 2);
  if (bytes.size() >= 2 && bytes.substr(0, 2) == "\xFE\xFF")
    return convert(bytes.substr(2), "UTF-16BE", "UTF-8", "\xEF\xBF\xBD", false, 2);
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
