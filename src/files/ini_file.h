// A settings file of sections and "key=value" lines, read and changed one key
// at a time. The file's bytes are kept as they are (code page 1251 text):
// changing a key rewrites only that key's line, so sections, keys, comments
// and blank lines that this program does not know survive a save. Section and
// key names compare without regard to ASCII case, as the platform's ini
// access does.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vemu::files {

class IniFile {
 public:
  IniFile() = default;
  // The lines of an existing text (any line ends).
  explicit IniFile(std::string_view text);

  // Reads the file; a missing or unreadable file gives an empty one. One
  // too large to read gives an empty one too, and `error` then says so.
  static IniFile Load(const std::string& path, std::string* error = nullptr);

  // The value of the first line of the key in the section, trimmed of blanks
  // (and of one pair of enclosing quotes); nothing when absent.
  std::optional<std::string> ReadString(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key,
                         const std::string& fallback) const;
  // A decimal integer (or "0x"/"$" hexadecimal); the fallback when the key is
  // absent or does not hold a number in the 32-bit range.
  int ReadInteger(std::string_view section, std::string_view key, int fallback) const;

  // Sets the key: its line is replaced in place; a new key goes after the
  // section's last key line; a new section goes at the end of the file. A
  // section, key or value with a line break (CR or LF) would write lines of
  // its own: it is refused (false) and the file stays as it was.
  bool WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);

  const std::vector<std::string>& Lines() const { return lines_; }
  // Writes every line (CR LF ends) through the temporary-file writer; on
  // failure the previous file stays and `error` says why.
  bool Save(const std::string& path, std::string* error = nullptr) const;

 private:
  // Index of the section's header line, or npos.
  std::size_t FindSection(std::string_view section) const;
  // Index of the key's line inside the section starting after `header`, or npos.
  std::size_t FindKey(std::size_t header, std::string_view key) const;

  std::vector<std::string> lines_;
};

}  // namespace vemu::files
