// The numbered messages of the current language.
#pragma once

#include <string>
#include <vector>

namespace vemu::catalogue {

// Lines of the message file (UTF-8); line n is message n.
using MessageList = std::vector<std::string>;

}  // namespace vemu::catalogue
