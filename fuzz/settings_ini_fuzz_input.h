// One input of the SETTINGS.INI reader's fuzz target, shared with the test
// that replays the kept inputs: the bytes are the file. Every key the
// program reads is read; then keys are written (an existing one, a new one
// in an existing section, one in a new section) and the file made of the
// lines must read back with the written values and every other key as it
// was.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/ini_file.h"

namespace vemu::fuzz {

inline std::string CheckSettingsIniInput(std::string_view bytes) {
  static const char* const kKeys[] = {"Left",     "Top",        "Width",      "Height",  "OSM",     "ESM",
                                      "FSM",      "SSM",        "BARS11",     "BARS21",  "Option_x", "Option_y",
                                      "Undo_x",   "Undo_y",     "Bars_x",     "Bars_y",  "SaveLoad_x",
                                      "SaveLoad_y", "Scale_x",  "Scale_y",    "Run_x",   "Run_y",   "Node_x",
                                      "Node_y",   "LastFile"};
  files::IniFile ini(bytes);
  std::vector<std::optional<std::string>> before;
  for (const char* key : kKeys) {
    before.push_back(ini.ReadString("Form1", key));
    ini.ReadInteger("Form1", key, -1);
  }

  // A key name and value from the input itself, kept to what a line holds.
  std::string name = "Fuzz";
  std::string value = "x";
  for (char c : bytes.substr(0, 16))
    if (c > ' ' && c != '=' && c != '[' && c != ']' && c != ';' && static_cast<unsigned char>(c) < 0x80) name += c;
  for (char c : bytes.substr(bytes.size() > 24 ? bytes.size() - 24 : 0))
    if (c >= ' ' && c != '"' && c != '\x7f') value += c;
  while (!value.empty() && value.back() == ' ') value.pop_back();

  ini.WriteInteger("Form1", "Left", -50);
  ini.WriteString("Form1", name, value);
  ini.WriteString("Fuzz section", "LastFile", value);

  std::string text;
  for (const std::string& line : ini.Lines()) text += line + "\r\n";
  const files::IniFile again(text);
  if (again.ReadInteger("Form1", "Left", 0) != -50) return "a written number does not read back";
  if (again.ReadString("Form1", name) != value) return "a written key does not read back: " + name;
  if (again.ReadString("Fuzz section", "LastFile") != value) return "a key of a new section does not read back";
  // The written name starts with "Fuzz", so it is none of the program's keys.
  for (std::size_t k = 1; k < std::size(kKeys); ++k)
    if (again.ReadString("Form1", kKeys[k]) != before[k]) return std::string("writing changed the key ") + kKeys[k];
  return std::string();
}

}  // namespace vemu::fuzz
