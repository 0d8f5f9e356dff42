#include "files/ini_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/text_file.h"

namespace vemu::files {

namespace {

constexpr std::size_t npos = std::string::npos;

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

// The name of a section header line ("[name]"), or nothing.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (line.size() < 2 || line.front() != '[') return std::nullopt;
  const std::size_t close = line.find(']');
  if (close == npos) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

bool IsComment(std::string_view line) {
  line = Trim(line);
  return line.empty() || line.front() == ';' || line.front() == '#';
}

}  // namespace

IniFile::IniFile(std::string_view text) : lines_(platform::splitLines(text)) {}

IniFile IniFile::Load(const std::string& path, std::string* error) {
  std::string reason;
  auto bytes = platform::readFileBytes(path, platform::kSettingsReadLimit, &reason);
  if (!bytes && error && platform::isTooLarge(reason)) *error = "Cannot read file " + path + ": " + reason;
  return bytes ? IniFile(*bytes) : IniFile();
}

std::size_t IniFile::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    auto name = SectionName(lines_[i]);
    if (name && SameName(*name, Trim(section))) return i;
  }
  return npos;
}

std::size_t IniFile::FindKey(std::size_t header, std::string_view key) const {
  for (std::size_t i = header + 1; i < lines_.size(); ++i) {
    if (SectionName(lines_[i])) break;
    if (IsComment(lines_[i])) continue;
    const std::size_t eq = lines_[i].find('=');
    if (eq != npos && SameName(Trim(std::string_view(lines_[i]).substr(0, eq)), Trim(key))) return i;
  }
  return npos;
}

std::optional<std::string> IniFile::ReadString(std::string_view section, std::string_view key) const {
  const std::size_t header = FindSection(section);
  if (header == npos) return std::nullopt;
  const std::size_t at = FindKey(header, key);
  if (at == npos) return std::nullopt;
  std::string_view value = Trim(std::string_view(lines_[at]).substr(lines_[at].find('=') + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return std::string(value);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                const std::string& fallback) const {
  auto value = ReadString(section, key);
  return value ? *value : fallback;
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
  auto value = ReadString(section, key);
  if (!value || value->empty()) return fallback;
  std::string text = *value;
  bool negative = false;
  std::size_t at = 0;
  if (text[at] == '+' || text[at] == '-') negative = text[at++] == '-';
  int base = 10;
  if (text.compare(at, 2, "0x") == 0 || text.compare(at, 2, "0X") == 0) {
    base = 16;
    at += 2;
  } else if (text.compare(at, 1, "$") == 0) {
    base = 16;
    at += 1;
  }
  if (at >= text.size() || text[at] == '+' || text[at] == '-' || text[at] == ' ') return fallback;
  errno = 0;
  char* end = nullptr;
  const long long magnitude = std::strtoll(text.c_str() + at, &end, base);
  if (errno != 0 || *end != '\0') return fallback;
  const long long number = negative ? -magnitude : magnitude;
  if (number < INT_MIN || number > INT_MAX) return fallback;
  return static_cast<int>(number);
}

bool IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  if (platform::hasLineBreak(section) || platform::hasLineBreak(key) || platform::hasLineBreak(value)) return false;
  std::string line = std::string(Trim(key)) + "=" + std::string(value);
  std::size_t header = FindSection(section);
  if (header == npos) {
    if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
    lines_.push_back("[" + std::string(Trim(section)) + "]");
    lines_.push_back(std::move(line));
    return true;
  }
  const std::size_t at = FindKey(header, key);
  if (at != npos) {
    lines_[at] = std::move(line);
    return true;
  }
  // After the section's last line that is not blank.
  std::size_t insert = header + 1;
  for (std::size_t i = header + 1; i < lines_.size() && !SectionName(lines_[i]); ++i)
    if (!Trim(lines_[i]).empty()) insert = i + 1;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert), std::move(line));
  return true;
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

bool IniFile::Save(const std::string& path, std::string* error) const {
  return platform::writeLines(path, lines_, error);
}

}  // namespace vemu::files
