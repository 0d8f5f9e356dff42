#include "netlist/result_number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

namespace vemu::netlist {
namespace {

bool IsExponentLetter(unsigned char c) { return c == 'e' || c == 'E' || c == 0xE5 || c == 0xC5; }

int DigitsOf(std::string_view text) {
  int digits = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), digits);
  if (ec != std::errc() || end != text.data() + text.size() || digits < 0 || digits > 18) return 3;
  return digits;
}

}  // namespace

void RemoveBlanks(std::string& text) {
  text.erase(std::remove_if(text.begin(), text.end(),
                            [](char c) { return static_cast<unsigned char>(c) <= 32; }),
             text.end());
}

long double ParseResultNumber(std::string_view s) {
  // Positions below are those of the text counted from 1.
  const std::size_t length = s.size();
  long double x = 0.0L;
  if (length <= 5) return x;
  const auto at = [&s](std::size_t position) { return static_cast<unsigned char>(s[position - 1]); };
  const bool negative = at(1) == '-';
  long double weight = 1.0L;
  std::size_t i = negative ? 2 : 1;
  for (; i <= length - 4; ++i) {
    const unsigned char c = at(i);
    if (c == '.') continue;
    if (c < '0' || c > '9') break;
    x += static_cast<long double>(c - '0') * weight;
    weight /= 10.0L;
  }
  // Here i is where the scan ended: length - 3 when it ran to the end.
  if (negative) x = -x;
  if (IsExponentLetter(at(i))) {
    const long double factor = at(i + 1) == '-' ? 0.1L : 10.0L;
    const int exponent = (at(i + 2) - '0') * 10 + (at(i + 3) - '0');
    for (int k = 0; k < exponent; ++k) x *= factor;
  }
  return x;
}

std::string FormatResultNumber(long double value, std::string_view digits,
                               std::string_view decimalSeparator) {
  std::string text;
  if (!std::isfinite(value)) {
    text = std::isnan(value) ? "NAN" : (value < 0 ? "-INF" : "INF");
    return text;
  }
  // Up to 4933 digits before the point, 18 after it.
  char buffer[5000];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                                       DigitsOf(digits));
  if (ec != std::errc()) return text;
  text.assign(buffer, end);
  const std::size_t point = text.find('.');
  if (point != std::string::npos) text.replace(point, 1, decimalSeparator);
  RemoveBlanks(text);
  return text;
}

}  // namespace vemu::netlist
