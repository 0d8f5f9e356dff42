// A fresh program folder for one test: made in the temporary folder, set as
// the program folder, removed with everything in it at the end, when the
// program folder in force before it is set again. The per-user folders
// (XDG_STATE_HOME, XDG_CONFIG_HOME, XDG_RUNTIME_DIR) point beside it for as
// long as it lives, so no test writes into a real home.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vemu::test {

class ScratchFolder {
 public:
  // withImages: create IMAGES/ and IMAGES/BACKUP/ in it.
  explicit ScratchFolder(bool withImages = true);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return path_; }  // ends in '/'
  // The per-user folders of this test: user("state/vemu/") and the like.
  std::string user(const std::string& name) const { return user_ + name; }
  std::string file(const std::string& name) const { return path_ + name; }
  void write(const std::string& name, const std::string& bytes) const;
  std::string read(const std::string& name) const;
  void makeDir(const std::string& name) const;
  void removeDir(const std::string& name) const;
  // Copies the shipped data/ folder into this folder.
  void copyShippedData() const;

 private:
  std::string root_;
  std::string path_;
  std::string previous_;
  std::string user_;
  std::vector<std::pair<const char*, std::optional<std::string>>> savedEnv_;
};

}  // namespace vemu::test
