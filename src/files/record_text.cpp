#include "files/record_text.h"

#include <charconv>

#include "model/node_types.h"

namespace vemu::files {

void AppendInt(std::string& out, std::int64_t value, std::size_t width) {
  char buffer[24];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  const auto length = static_cast<std::size_t>(end - buffer);
  if (length < width) out.append(width - length, ' ');
  out.append(buffer, length);
}

void AppendOneLine(std::string& out, std::string_view text, char lineBreak) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      out += lineBreak;
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += c;
    }
  }
}

void AppendRecordNumbers(std::string& out, std::int32_t number, std::int32_t x, std::int32_t y, int type,
                         std::int32_t up, std::int64_t lines, std::int32_t wx, std::int32_t wy) {
  AppendInt(out, number, 3);
  out += ' ';
  AppendInt(out, x, 3);
  out += ' ';
  AppendInt(out, y, 3);
  out += ' ';
  AppendInt(out, type, 2);
  out += ' ';
  AppendInt(out, up, 3);
  out += ' ';
  AppendInt(out, lines, 1);
  out += ' ';
  AppendInt(out, wx, 3);
  out += ' ';
  AppendInt(out, wy, 3);
  out += ' ';
}

void AppendNameValueGround(std::string& out, const model::TheNode& n) {
  if (model::IsSignedAmplifierType(n.NodeType)) out += n.Polarity != 0 ? '+' : '-';
  AppendOneLine(out, n.Name.str(), ' ');
  out += ' ';
  AppendOneLine(out, n.Value, n.IsText() ? '/' : ' ');
  if (n.Ground >= 1 && n.Ground <= 4) {
    out += " G";
    out += static_cast<char>('0' + n.Ground);
  }
  out += "\r\n";
}

void AppendLink(std::string& out, int kind, std::int32_t target) {
  AppendInt(out, kind, 8);
  out += ' ';
  AppendInt(out, target, 3);
  out += "\r\n";
}

}  // namespace vemu::files
