#include "netlist/result_number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace vemu::netlist {
namespace {

// Whole-number digits beyond this only scale the number: x stays finite.
constexpr long double kLargestWholePart = 1e4900L;
// Values from here on have more whole digits than the fixed format writes.
constexpr long double kLargestFixedValue = 1e18L;
// Larger exponents take every nonzero number out of range all the same.
constexpr long long kLargestExponent = 1000000;

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

std::optional<long double> ParseResultNumber(std::string_view text) {
  const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  const auto skipBlanks = [&](std::size_t k) {
    while (k < text.size() && isBlank(text[k])) ++k;
    return k;
  };
  std::size_t begin = skipBlanks(0);
  const bool negative = begin < text.size() && text[begin] == '-';
  if (begin < text.size() && (text[begin] == '+' || text[begin] == '-')) begin = skipBlanks(begin + 1);
  std::size_t end = begin;
  while (end < text.size() && !isBlank(text[end])) ++end;
  // The number text: from the sign's digits to the next blank.
  const std::string_view s = text.substr(begin, end - begin);
  const auto at = [&s](std::size_t k) { return k < s.size() ? static_cast<unsigned char>(s[k]) : '\0'; };
  const auto isDigit = [](unsigned char c) { return c >= '0' && c <= '9'; };
  std::size_t i = 0;
  long double x = 0.0L;
  long long scale = 0;  // powers of ten of the whole-number digits left out
  std::size_t digits = 0;
  for (; isDigit(at(i)); ++i, ++digits) {
    if (x < kLargestWholePart) x = x * 10.0L + static_cast<long double>(at(i) - '0');
    else ++scale;  // beyond the precision of x: only its size counts
  }
  // A decimal comma between digits stands for the point; so does one right
  // before "#" ("1,#INF"), which the check for "#" below then refuses.
  const bool decimalComma = at(i) == ',' && digits > 0 && (isDigit(at(i + 1)) || at(i + 1) == '#');
  if (at(i) == '.' || decimalComma) {
    long double weight = 1.0L;
    for (++i; isDigit(at(i)); ++i, ++digits) {
      weight /= 10.0L;
      x += static_cast<long double>(at(i) - '0') * weight;
    }
  }
  if (digits == 0) return std::nullopt;
  if (negative) x = -x;
  long long exponent = 0;
  if (IsExponentLetter(at(i))) {
    std::size_t k = i + 1;
    const bool down = at(k) == '-';
    if (at(k) == '+' || at(k) == '-') ++k;
    const std::size_t first = k;
    for (; isDigit(at(k)); ++k) exponent = std::min(exponent * 10 + (at(k) - '0'), kLargestExponent);
    if (down) exponent = -exponent;
    if (k > first) i = k;  // a letter without digits is no exponent
  }
  // "1.#INF", "-1.#IND", "1,#QNAN": what some runtime libraries print for
  // values that are no finite number.
  if (at(i) == '#') return std::nullopt;
  exponent += scale;
  // The loop ends at the latest when x has run out of the range either way.
  const long double factor = exponent < 0 ? 0.1L : 10.0L;
  for (long long k = 0; k < std::llabs(exponent) && x != 0.0L && std::isfinite(x); ++k) x *= factor;
  if (!std::isfinite(x)) return std::nullopt;
  return x;
}

std::string FormatResultNumber(long double value, std::string_view digits,
                               std::string_view decimalSeparator) {
  std::string text;
  if (!std::isfinite(value)) {
    text = std::isnan(value) ? "NAN" : (value < 0 ? "-INF" : "INF");
    return text;
  }
  // As the fixed format of the value's precision, which turns to the
  // exponent form when the whole part has more digits (18) than it holds:
  // 1.5e20 is "1.500E+20", never 21 digits and the decimals.
  const bool exponentForm = std::fabs(value) >= kLargestFixedValue;
  // At most 18 digits before the point and 18 after it, or one digit, 18
  // decimals and an exponent of 4 digits.
  char buffer[64];
  const auto [end, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, value,
                    exponentForm ? std::chars_format::scientific : std::chars_format::fixed, DigitsOf(digits));
  if (ec != std::errc()) return text;
  text.assign(buffer, end);
  if (exponentForm) std::replace(text.begin(), text.end(), 'e', 'E');
  const std::size_t point = text.find('.');
  if (point != std::string::npos) text.replace(point, 1, decimalSeparator);
  RemoveBlanks(text);
  return text;
}

}  // namespace vemu::netlist
