// Conversion between the single-byte text of the files (code page 1251)
// and the UTF-8 the rest of the program and the screen use.
#pragma once

#include <string>
#include <string_view>

namespace vemu::platform {

// Code page 1251 bytes to UTF-8. Every byte has a meaning, except 0x98,
// which becomes U+FFFD.
std::string cp1251ToUtf8(std::string_view bytes);
// UTF-8 to code page 1251; characters the code page lacks become '?', and
// so does each byte sequence that is no UTF-8 (its lead byte with the
// continuation bytes its sequence would reach). Both directions take time
// in proportion to the text, whatever characters it holds.
std::string utf8ToCp1251(std::string_view utf8);

// Text of a file whose encoding is told by its first bytes: a UTF-8 or
// UTF-16 byte-order mark, or none (code page 1251). The result is UTF-8
// without the mark.
std::string decodeFileText(std::string_view bytes);

// Number of characters (code points) of a UTF-8 text, and its first n of them.
std::size_t utf8Length(std::string_view utf8);
std::string utf8Left(std::string_view utf8, std::size_t n);

}  // namespace vemu::platform
