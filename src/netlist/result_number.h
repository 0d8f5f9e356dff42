// The numbers of the result files: "-1.25e-03" and its relatives, read the
// way the analysis programs' files have always been read, and formatted
// for an element's value.
#pragma once

#include <string>
#include <string_view>

namespace vemu::netlist {

// Removes every character whose code is 32 or less (bytes 128 to 255 stay).
void RemoveBlanks(std::string& text);

// Reads a number text: an optional "-", digits with a point anywhere among
// them, and an exponent in the last four characters ('e', 'E' or the
// Cyrillic e of code page 1251, a sign, two digits). The first digit counts
// as units and every later one a tenth of the one before; a text of five
// or fewer characters is 0. Never fails: text that is no number gives
// whatever the scan produced. Computed in extended precision.
long double ParseResultNumber(std::string_view text);

// The value text of a result: the number with `digits` decimals (a text,
// as the settings hold it; "3" when it is no number from 0 to 18), the
// locale's decimal separator (code page 1251 bytes) and no blanks.
std::string FormatResultNumber(long double value, std::string_view digits, std::string_view decimalSeparator);

}  // namespace vemu::netlist
