// A fresh program folder for one test: made in the temporary folder, set as
// the program folder, removed with everything in it at the end, when the
// program folder in force before it is set again.
#pragma once

#include <string>
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
  std::string file(const std::string& name) const { return path_ + name; }
  void write(const std::string& name, const std::string& bytes) const;
  std::string read(const std::string& name) const;
  void makeDir(const std::string& name) const;
  void removeDir(const std::string& name) const;
  // Copies the shipped data/ folder into this folder.
  void copyShippedData() const;

 private:
  std::string path_;
  std::string previous_;
};

}  // namespace vemu::test
