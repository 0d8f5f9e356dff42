#include "catalogue/picture_files.h"

#include <dirent.h>

#include <memory>

#include "platform/text_codec.h"
#include "platform/text_file.h"

namespace vemu::catalogue {
namespace {

bool EndsInBmp(const std::string& name) {
  if (name.size() < 4) return false;
  std::string end = name.substr(name.size() - 4);
  for (char& c : end) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return end == ".bmp";
}

struct DirCloser {
  void operator()(DIR* d) const { ::closedir(d); }
};

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace

std::vector<std::string> ListBitmapFiles(const std::string& folder) {
  std::vector<std::string> names;
  std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
  if (!dir) return names;
  const std::string prefix = WithSlash(folder);
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string name = entry->d_name;
    // A name with a line break can be neither one line of the list nor one
    // of nodesinfo.txt: such a picture is not offered.
    if (EndsInBmp(name) && !platform::hasLineBreak(name) && platform::fileExists(prefix + name)) names.push_back(name);
  }
  return names;
}

std::string PictureNameOf(const std::string& fileName) {
  return platform::utf8ToCp1251(fileName).substr(0, 30);
}

std::string PicturePath(const std::string& folder, const std::string& pictureName) {
  return WithSlash(folder) + platform::cp1251ToUtf8(pictureName);
}

}  // namespace vemu::catalogue
