// One input of the start.txt reader's fuzz target, shared with the test that
// replays the kept inputs: the bytes are the file. Any file must read
// without a crash; the settings read must write a file that reads back to
// the same settings (the file's fixed point after one round).
#pragma once

#include <unistd.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "catalogue/settings_file.h"

namespace vemu::fuzz {

namespace start_file_detail {
// A file of this process under the temporary folder, holding `bytes`.
inline std::string FileWith(std::string_view bytes, const char* which) {
  const std::string path = std::string("/tmp/vemu-start-fuzz-") + std::to_string(::getpid()) + "-" + which;
  if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  return path;
}

inline std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}
}  // namespace start_file_detail

// Empty when the reader behaved, else what went wrong.
inline std::string CheckStartFileInput(std::string_view bytes) {
  using start_file_detail::FileWith;
  using start_file_detail::Joined;
  catalogue::Settings first;
  const std::string path = FileWith(bytes, "in");
  const catalogue::StartFileResult read = catalogue::ReadStartFile(first, path);
  ::unlink(path.c_str());
  if (!read.read) return "an existing file was not read";
  if (read.ComputationType && (*read.ComputationType < 0 || *read.ComputationType > 3))
    return "a computation type out of its range";

  const std::vector<std::string> written = catalogue::StartFileLines(first);
  catalogue::Settings second;
  const std::string again = FileWith(Joined(written), "again");
  const catalogue::StartFileResult reread = catalogue::ReadStartFile(second, again);
  ::unlink(again.c_str());
  if (!reread.read) return "the written file was not read";
  if (catalogue::StartFileLines(second) != written) return "the written file reads back to other settings";
  return std::string();
}

}  // namespace vemu::fuzz
