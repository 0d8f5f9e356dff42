// The local help page: HELP/Help2/index.html in the current folder, else in
// the program folder.
#pragma once

#include <optional>
#include <string>

namespace vemu::ui {

inline constexpr const char* kHelpPage = "HELP/Help2/index.html";

// The page's path in the first folder that has it (each folder ends with "/").
std::optional<std::string> FindHelpPage(const std::string& currentFolder, const std::string& programFolder);

}  // namespace vemu::ui
