// The bitmap files of a picture folder, as the picture chooser lists them.
#pragma once

#include <string>
#include <vector>

namespace vemu::catalogue {

// The names (without folder) of the regular files of `folder` whose name
// ends in ".bmp" in any case, in the order the file system gives them; a
// name with a line break is left out. Empty when the folder cannot be read.
std::vector<std::string> ListBitmapFiles(const std::string& folder);

// A picture name from the file system (UTF-8) as the type table keeps it:
// code page 1251, cut to 30 characters.
std::string PictureNameOf(const std::string& fileName);
// The path of a type's picture (a code page 1251 name) in `folder`.
std::string PicturePath(const std::string& folder, const std::string& pictureName);

}  // namespace vemu::catalogue
