#include "support/scratch_folder.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/program_folder.h"

namespace fs = std::filesystem;

namespace vemu::test {

ScratchFolder::ScratchFolder(bool withImages) {
  std::string pattern = (fs::temp_directory_path() / "vemu-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern + "/";
  if (withImages) fs::create_directories(path_ + "IMAGES/BACKUP");
  previous_ = platform::programFolder();
  platform::setProgramFolder(path_);
}

ScratchFolder::~ScratchFolder() {
  platform::setProgramFolder(previous_);
  std::error_code ec;
  fs::current_path(fs::temp_directory_path(), ec);
  fs::remove_all(path_, ec);
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
