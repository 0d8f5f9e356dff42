// The first lines of a text file, read a block at a time and no further than
// they reach, so a huge file costs no more than the lines wanted.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace vemu::platform {

// At most `count` lines, without their line ends (CR LF, LF or a lone CR);
// a longer line keeps its first `lineLimit` bytes. Nothing when the file is
// not a regular file that can be read, or holds more than `sizeLimit` bytes,
// also when it grows past them while it is read (then `reason`, when given,
// says so as readFileBytes does).
std::optional<std::vector<std::string>> readFirstLines(const std::string& path, std::size_t count,
                                                       std::size_t lineLimit, std::size_t sizeLimit,
                                                       std::string* reason = nullptr);

}  // namespace vemu::platform
