// Filling "%s" and "%d" places of a message text, the way the netlist's
// questions word their findings. A text from a language file may hold any
// places: "%%" is a percent sign, a place without an argument and any other
// place stay as they stand, so a damaged language file never breaks a build.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vemu::netlist {

using FormatArg = std::variant<std::string, long long>;

// %s takes a text argument, %d a number (either prints the other kind too).
std::string FormatText(std::string_view pattern, const std::vector<FormatArg>& args);

}  // namespace vemu::netlist
