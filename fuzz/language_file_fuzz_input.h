// One input of the language files' fuzz target, shared with the test that
// replays the kept inputs: the bytes are a message file (language1.txt) or
// a captions file (language2.txt). Decoding by byte-order mark, splitting
// into lines, every message with its places filled, and a type description
// cut from each line must work for any bytes; a file without a mark must
// decode to text that encodes back to the same bytes.
#pragma once

#include <string>
#include <string_view>

#include "catalogue/messages.h"
#include "catalogue/node_type_table.h"
#include "netlist/text_format.h"
#include "platform/text_codec.h"
#include "platform/text_file.h"

namespace vemu::fuzz {

inline bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += length;
  }
  return true;
}

inline std::string CheckLanguageFileInput(std::string_view bytes) {
  const std::string text = platform::decodeFileText(bytes);
  if (!IsValidUtf8(text)) return "the decoded text is no UTF-8";
  const bool marked = bytes.substr(0, 3) == "\xEF\xBB\xBF" || bytes.substr(0, 2) == "\xFF\xFE" ||
                      bytes.substr(0, 2) == "\xFE\xFF";
  if (!marked && bytes.find('\x98') == std::string_view::npos && platform::utf8ToCp1251(text) != bytes)
    return "a code page 1251 file does not encode back to its bytes";

  const catalogue::MessageList messages = platform::splitLines(text);
  catalogue::SetMessageSource(&messages);
  std::string problem;
  for (std::size_t k = 0; k < messages.size() && k < 200 && problem.empty(); ++k) {
    const std::string filled = netlist::FormatText(catalogue::GetMsg(static_cast<int>(k)),
                                                   {std::string("R1"), 42LL, std::string("%s%d")});
    if (!IsValidUtf8(filled)) problem = "a filled message is no UTF-8";
    catalogue::TNodeTypeInfo info;
    catalogue::SetDescription(info, messages[k]);
    if (platform::utf8Length(info.Uinfo) > catalogue::kMaxDescriptionLength || !IsValidUtf8(info.Uinfo))
      problem = "a description is longer than its limit or no UTF-8";
    catalogue::TypeLetter(info);
  }
  if (catalogue::GetMsg(static_cast<int>(messages.size())) != "MSG" + std::to_string(messages.size()))
    problem = "a message past the end is not named by its number";
  catalogue::ReleaseMessageSource(&messages);
  return problem;
}

}  // namespace vemu::fuzz
