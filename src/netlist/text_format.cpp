#include "netlist/text_format.h"

namespace vemu::netlist {

std::string FormatText(std::string_view pattern, const std::vector<FormatArg>& args) {
  std::string out;
  out.reserve(pattern.size() + 16);
  std::size_t next = 0;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c != '%' || i + 1 >= pattern.size()) {
      out += c;
      continue;
    }
    const char place = pattern[i + 1];
    if (place == '%') {
      out += '%';
      ++i;
    } else if ((place == 's' || place == 'd') && next < args.size()) {
      const FormatArg& arg = args[next++];
      if (const auto* text = std::get_if<std::string>(&arg)) out += *text;
      else out += std::to_string(std::get<long long>(arg));
      ++i;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace vemu::netlist
