// The numbers of the result files ("-1.25e-03", "3.3e+00 V", "1500"), read
// from the text that follows an element's key, and formatted for an
// element's value.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vemu::netlist {

// Removes every character whose code is 32 or less (bytes 128 to 255 stay).
void RemoveBlanks(std::string& text);

// Reads the number of the text that follows an element's key. Characters
// of code 32 or less are blanks: those at the start are skipped, and so are
// those right behind a leading sign ("- 1.5e+00" is -1.5); the number text
// then ends at the next blank, and what follows it is ignored. The number
// is the longest start of the number text that is a decimal number: digits
// with at most one point among them (at least one digit; a comma between
// digits before any point reads as the point, "1,5" is 1.5), then an
// optional exponent: 'e', 'E' or the Cyrillic e of code page 1251 (0xE5,
// 0xC5), an optional sign and one or more digits; the rest of the number
// text is ignored ("1.5,2" is 1.5, "3.3e+00V" is 3.3). Nothing when there
// is no such number, when "#" follows it at once ("1.#INF00e+000",
// "-1.#IND", also after a decimal comma: "1,#QNAN") or when it is too large
// for a long double; a number too small
// for one reads as 0. Computed in extended precision: the digits before the
// point as a whole number, each later one a tenth of the one before, then
// ten (or a tenth) once per unit of the exponent.
std::optional<long double> ParseResultNumber(std::string_view text);

// The value text of a result: the number with `digits` decimals (a text,
// as the settings hold it; "3" when it is no number from 0 to 18), the
// locale's decimal separator (code page 1251 bytes) and no blanks. A value
// of 10^18 or more (whole part of 19 digits or more) is written in exponent
// form, one digit before the separator: "1.500E+20", "-1.000E+999".
std::string FormatResultNumber(long double value, std::string_view digits, std::string_view decimalSeparator);

}  // namespace vemu::netlist
