#include "support/scratch_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/program_folder.h"
#include "platform/user_folders.h"

namespace fs = std::filesystem;

namespace vemu::test {

ScratchFolder::ScratchFolder(bool withImages) {
  std::string pattern = (fs::temp_directory_path() / "vemu-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  root_ = pattern;
  path_ = root_ + "/program/";
  user_ = root_ + "/user/";
  fs::create_directories(path_);
  if (withImages) fs::create_directories(path_ + "IMAGES/BACKUP");
  previous_ = platform::programFolder();
  fs::create_directories(user_ + "run");
  for (const auto& [name, folder] : {std::pair{"XDG_STATE_HOME", "state"}, std::pair{"XDG_CONFIG_HOME", "config"},
                                     std::pair{"XDG_RUNTIME_DIR", "run"}}) {
    const char* old = std::getenv(name);
    savedEnv_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    setenv(name, (user_ + folder).c_str(), 1);
  }
  platform::setProgramFolder(path_);
}

ScratchFolder::~ScratchFolder() {
  platform::setProgramFolder(previous_);
  platform::setWritableProbe({});
  for (const auto& [name, old] : savedEnv_) {
    if (old) setenv(name, old->c_str(), 1);
    else unsetenv(name);
  }
  std::error_code ec;
  fs::current_path(fs::temp_directory_path(), ec);
  fs::remove_all(root_, ec);
}

void ScratchFolder::write(const std::string& name, const std::string& bytes) const {
  fs::create_directories(fs::path(path_ + name).parent_path());
  std::ofstream out(path_ + name, std::ios::binary);
  out << bytes;
}

std::string ScratchFolder::read(const std::string& name) const {
  std::ifstream in(path_ + name, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void ScratchFolder::makeDir(const std::string& name) const { fs::create_directories(path_ + name); }

void ScratchFolder::removeDir(const std::string& name) const { fs::remove_all(path_ + name); }

void ScratchFolder::copyShippedData() const {
  fs::copy(VEMU_SOURCE_DIR "/data", path_, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  fs::create_directories(path_ + "IMAGES/BACKUP");
}

}  // namespace vemu::test
