#include "platform/program_folder.h"

#include <unistd.h>

#include <climits>

namespace vemu::platform {
namespace {

std::string& overrideFolder() {
  static std::string folder;
  return folder;
}

std::string withSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace

std::string runningProgramPath() {
  char buffer[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  return n <= 0 ? std::string() : std::string(buffer, static_cast<std::size_t>(n));
}

std::string programFolder() {
  if (!overrideFolder().empty()) return overrideFolder();
  const std::string exe = runningProgramPath();
  if (exe.empty()) return "./";
  auto slash = exe.rfind('/');
  return slash == std::string::npos ? std::string("./") : exe.substr(0, slash + 1);
}

void setProgramFolder(const std::string& folder) {
  overrideFolder() = folder.empty() ? std::string() : withSlash(folder);
}

std::string imagesFolder() { return programFolder() + "IMAGES/"; }

std::string fileNamePart(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace vemu::platform
