#include "catalogue/nodes_info_file.h"

#include <string_view>

#include "platform/program_folder.h"
#include "platform/text_codec.h"
#include "platform/text_file.h"

namespace vemu::catalogue {
namespace {

std::string Flag(bool value) { return value ? "1" : "0"; }

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

// The index of the first line "name=..." whose name part matches, or -1.
int IndexOfName(const std::vector<std::string>& lines, std::string_view name) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto equals = lines[i].find('=');
    if (equals != std::string::npos && SameIgnoringAsciiCase(std::string_view(lines[i]).substr(0, equals), name))
      return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

std::string NodesInfoPath() { return platform::imagesFolder() + "nodesinfo.txt"; }

std::vector<std::string> NodesInfoLines(const NodeTypeTable& table) {
  std::vector<std::string> lines{"*** Vemu3.exe file", "*** ",
                                 "*** 0.." + std::to_string(kNodesInfoTypeCount - 1) + " units"};
  lines.reserve(3 + 9 * kNodesInfoTypeCount);
  const TNodeTypeInfo empty;
  for (int i = 0; i < kNodesInfoTypeCount; ++i) {
    const TNodeTypeInfo& t = static_cast<std::size_t>(i) < table.size() ? table[static_cast<std::size_t>(i)] : empty;
    const std::string key = "[" + std::to_string(i) + "].";
    lines.push_back(key + "UseInfoLink=" + Flag(t.UseInfoLink));
    lines.push_back(key + "L_in=" + std::to_string(t.L_in));
    lines.push_back(key + "L_out=" + std::to_string(t.L_out));
    lines.push_back(key + "UseValue=" + Flag(t.V));
    lines.push_back(key + "Name=" + std::string(1, t.L_types));
    lines.push_back(key + "Flag_Arrow=" + Flag(t.Flag_Arrow));
    lines.push_back(key + "TwoChars=" + Flag(t.TwoChars));
    // One line each, whatever the texts hold.
    lines.push_back(key + "FileName=" + platform::oneLine(t.filename.str()));
    lines.push_back(key + "Info=" + platform::oneLine(platform::utf8ToCp1251(t.Uinfo)));
  }
  return lines;
}

bool WriteNodesInfo(const NodeTypeTable& table, const std::string& path, std::string& error) {
  return platform::writeLines(path, NodesInfoLines(table), &error);
}

std::vector<std::string> LoadPictureNames(NodeTypeTable& table, const std::vector<std::string>& lines) {
  std::vector<std::string> report;
  for (int i = 0; i < kNodesInfoTypeCount; ++i) {
    const std::string key = "[" + std::to_string(i) + "].FileName";
    const int k = IndexOfName(lines, key);
    std::string value;
    if (k >= 0) {
      const std::string& line = lines[static_cast<std::size_t>(k)];
      value = line.substr(line.find('=') + 1);
      if (static_cast<std::size_t>(i) < table.size()) table[static_cast<std::size_t>(i)].filename = value;
    }
    report.push_back(key + "," + std::to_string(k) + " {" + value + ")");
  }
  return report;
}

}  // namespace vemu::catalogue
