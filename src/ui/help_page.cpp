#include "ui/help_page.h"

#include "platform/text_file.h"

namespace vemu::ui {

std::optional<std::string> FindHelpPage(const std::string& currentFolder, const std::string& programFolder) {
  for (const std::string& folder : {currentFolder, programFolder}) {
    const std::string path = folder + kHelpPage;
    if (platform::fileExists(path)) return path;
  }
  return std::nullopt;
}

}  // namespace vemu::ui
