// IMAGES/start.txt: the settings window's values, one per line, 51 lines
// (the reader needs only the first 47). Check boxes are "1" or "0", texts
// stand as they are (code page 1251 bytes), colours are signed decimal
// 32-bit numbers (a system colour is negative), the computation type is the
// item index in decimal. The last four lines are fixed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/settings.h"

namespace vemu::catalogue {

// The number lines and edits hold: optional leading blanks, an optional sign
// and decimal digits, nothing after them, within 32 bits. Nothing otherwise.
std::optional<std::int32_t> SettingsInteger(std::string_view text);

// The main window's values that reading start.txt sets, beside the Settings
// fields themselves. Unset means "keep what you have".
struct StartFileResult {
  bool read = false;  // the file was there and was read
  std::string error;  // why a file that is there was refused (too large); empty otherwise
  // 2, 1, 1 as soon as the file is read, then the integers of lines 14, 16, 18.
  std::optional<std::int32_t> LineWidth0, LineWidth1, LineWidth2;
  std::optional<std::int32_t> GridStep;         // line 28, when an integer
  std::optional<int> ComputationType;           // line 42, when an integer from 0 to 3
};

// Applies the lines to the settings; missing lines read as empty, lines
// after 47 are not looked at.
StartFileResult ReadStartLines(Settings& settings, const std::vector<std::string>& lines);
// The same from a file; a file that is not there or cannot be read leaves
// the settings as they are (read stays false), as does one too large to
// read (`error` then says so).
StartFileResult ReadStartFile(Settings& settings, const std::string& path);

// One of the 47 settings of the file, in file order: the settings window's
// control that shows it, what it is, and its line as the file holds it.
struct StartSetting {
  enum class Kind { Check, Text, Colour, Index };
  std::string_view control;
  Kind kind;
  std::string line;
};
std::vector<StartSetting> StartSettings(const Settings& settings);

// The 51 lines of the file, in order.
std::vector<std::string> StartFileLines(const Settings& settings);
// Writes them with CR LF ends, replacing the file only when everything was
// written; on failure error says why.
bool WriteStartFile(const Settings& settings, const std::string& path, std::string* error = nullptr);

// The start.txt to read: the per-user copy (userConfigFolder()) when there
// is one, else programFolder() + "IMAGES/start.txt". It is written to the
// per-user copy when there is one or IMAGES takes no files.
std::string StartFilePath();
std::string StartFileToWrite();

// The values the window copies out on creation, OK and SAVE: each is set
// only when its edit holds an integer.
struct CopiedValues {
  std::optional<std::int32_t> LineSpeed;    // EditSpeedLines
  std::optional<std::int32_t> ArrowSize;    // EditArrowSize
  std::optional<std::int32_t> LineWidth0;   // EditLine1Color
  std::optional<std::int32_t> LineWidth1;   // EditLine2Color
  std::optional<std::int32_t> LineWidth2;   // EditLine3Color
  std::optional<std::int32_t> GridStep;     // EditGrid
};
CopiedValues CopiedSettingValues(const Settings& settings);

// The main timer's interval in milliseconds for a ticks-per-second text:
// 1000 div the rate for a whole rate from 1 to 40; nothing for anything else
// (0, empty, a word, out of range), so the timer keeps its last interval.
std::optional<int> TimerIntervalFor(std::string_view ticksPerSecond);

}  // namespace vemu::catalogue
