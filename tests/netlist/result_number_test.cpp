// Result numbers read from the result files, and the key index against the
// plain search it stands for.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "netlist/result_index.h"
#include "netlist/result_number.h"

using vemu::netlist::FormatResultNumber;
using vemu::netlist::ParseResultNumber;
using vemu::netlist::RemoveBlanks;
using vemu::netlist::ResultIndex;

TEST(ResultNumber, LongestNumberAtTheStartAndFormat) {
  struct Case {
    const char* text;
    const char* digits;
    const char* separator;
    long double value;
    const char* shown;  // nullptr: no number
  } cases[] = {
      {"1.5e+03", "3", ".", 1500.0L, "1500.000"},
      {"1.5e+03", "3", ",", 1500.0L, "1500,000"},
      {"-2.5e-02", "3", ".", -0.025L, "-0.025"},
      {"12345", "3", ".", 12345.0L, "12345.000"},
      {"1.5e+003", "3", ".", 1500.0L, "1500.000"},
      {"1.5e+3", "3", ".", 1500.0L, "1500.000"},
      {"12.5e+00", "3", ".", 12.5L, "12.500"},
      {"+.5", "2", ".", 0.5L, "0.50"},
      {"5.", "1", ".", 5.0L, "5.0"},
      {"3.3e+00V", "1", ".", 3.3L, "3.3"},            // what follows the number is ignored
      {"1.2.3", "1", ".", 1.2L, "1.2"},                // a second point ends the number
      {"2.0\xE5+01", "1", ".", 20.0L, "20.0"},        // Cyrillic e
      {"4.0\xC5-01", "1", ".", 0.4L, "0.4"},          // Cyrillic E
      {"2.0E-01", "0", ".", 0.2L, "0"},
      {"7.5x+02", "bad", ".", 7.5L, "7.500"},          // no exponent letter; digits not a number: 3
      {"1.0e+zz", "1", ".", 1.0L, "1.0"},              // a letter without digits is no exponent
      {"-1.0e+00", "10", ".", -1.0L, "-1.0000000000"},
      {"1e-99999", "1", ".", 0.0L, "0.0"},             // below the range: 0
      {"0e+9999999999999999999999", "1", ".", 0.0L, "0.0"},
      {"1.0e+00 2.0e+00", "3", ".", 1.0L, "1.000"},   // the number ends at a blank
      {" \t- 1.5e+00 V", "1", ".", -1.5L, "-1.5"},      // blanks before and behind the sign
      {"1,5", "3", ".", 1.5L, "1.500"},                  // a decimal comma
      {"-2,5e-01", "2", ".", -0.25L, "-0.25"},
      {"1.5,2", "1", ".", 1.5L, "1.5"},                  // a comma after the point ends the number
      {"1,e+01", "1", ".", 1.0L, "1.0"},                 // no digit after the comma: no point
      {",5", "3", ".", 0, nullptr},
      {"1.#INF00e+000", "3", ".", 0, nullptr},           // special values of runtime libraries
      {"-1.#IND", "3", ".", 0, nullptr},
      {"1.5e+00#", "3", ".", 0, nullptr},
      {"abcdefgh", "3", ".", 0, nullptr},
      {"=1.000e+00", "3", ".", 0, nullptr},
      {"", "3", ".", 0, nullptr},
      {"-.e+01", "3", ".", 0, nullptr},
      {"1.0e+5000", "3", ".", 0, nullptr},             // too large for the value
      {"1,#INF00e+000", "3", ".", 0, nullptr}, {"-1,#IND", "3", ".", 0, nullptr}, {"1,#QNAN", "3", ".", 0, nullptr},  // after a comma
      {"999999999999999999.9", "1", ".", 999999999999999999.875L, "999999999999999999.9"},  // 18 whole digits
      {"1e18", "0", ".", 1e18L, "1E+18"}, {"-1.5e20", "3", ".", -1.5e20L, "-1.500E+20"},     // 19: exponent form
      {"9.9995e20", "3", ",", 9.9995e20L, "1,000E+21"}, {"1e999", "3", ".", 1e999L, "1.000E+999"},  // the rounding carries
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const auto value = ParseResultNumber(c.text);
    ASSERT_EQ(value.has_value(), c.shown != nullptr);
    if (!value) continue;
    EXPECT_LE(std::fabs(*value - c.value), 1e-15L * std::max(1.0L, std::fabs(c.value)));
    EXPECT_EQ(FormatResultNumber(*value, c.digits, c.separator), c.shown);
  }
}

TEST(ResultNumber, TheWholeRangeOfTheValueReadsAndFormats) {
  const auto big = ParseResultNumber("5." + std::string(5000, '0') + "e+4931").value();
  EXPECT_EQ(FormatResultNumber(big, "3", "."), "5.000E+4931");
  for (const char* text : {"1e999", "7.25e+300", "-1.5e20", "5e4931"})  // exponent form, at most 32 characters, reads back
    for (const char* separator : {".", ","}) {
      const std::string shown = FormatResultNumber(ParseResultNumber(text).value(), "3", separator);
      EXPECT_TRUE(shown.size() <= 32u && ParseResultNumber(shown) == ParseResultNumber(text)) << shown;
    }
  EXPECT_EQ(FormatResultNumber(ParseResultNumber("-1e4000").value(), "18", ",").size(), 27u);  // a sign, 18 decimals, 4-digit exponent
  const auto wide = ParseResultNumber(std::string(6000, '9') + "e-5990").value();  // digits past the precision
  EXPECT_NEAR(static_cast<double>(wide), 1e10, 1e-3);
  EXPECT_FALSE(ParseResultNumber(std::string(6000, '9')));
}

TEST(ResultNumber, RemoveBlanksDropsControlCodesAndBlanksOnly) {
  std::string text = "\x01 -1.5\te+\xA0" "03 \r\n";
  RemoveBlanks(text);
  EXPECT_EQ(text, "-1.5e+\xA0" "03");
}

TEST(ResultIndex, FindsTheSameLinesAsAPlainSearchOpeningLinesFirst) {
  std::mt19937 random(7);
  const std::string alphabet = "ab1= ";
  auto randomText = [&](std::size_t most) {
    std::string s(random() % (most + 1), ' ');
    for (char& c : s) c = alphabet[random() % alphabet.size()];
    return s;
  };
  for (int round = 0; round < 200; ++round) {
    std::vector<std::string> lines(random() % 12);
    for (auto& l : lines) l = randomText(24);
    std::vector<std::string> keys(1 + random() % 8);
    for (auto& k : keys) k = randomText(4) + "= ";
    keys.push_back("no end");  // not a key of the files' form: never found
    const ResultIndex index(keys, lines);
    std::string texts[2];  // the same lines as two file texts with line ends of either kind, walked in place
    const std::size_t split = random() % (lines.size() + 1);
    for (std::size_t l = 0; l < lines.size(); ++l) texts[l >= split] += lines[l] + (random() % 2 ? "\r\n" : "\n");
    const ResultIndex walked = ResultIndex::OfTexts(keys, {texts[0], texts[1]});
    for (const auto& key : keys)
      for (const bool anywhere : {false, true}) {
        const auto place = index.ResultLineOf(key, anywhere);
        EXPECT_EQ(walked.ResultLineOf(key, anywhere), place) << "key [" << key << "]";
        EXPECT_EQ(walked.TextAfter(key, anywhere), place ? std::optional(std::string_view(lines[place->line]).substr(place->at + key.size())) : std::nullopt);
      }
    for (const auto& key : keys) {
      std::optional<ResultIndex::Place> expected;
      if (key != "no end") {
        for (std::size_t l = 0; l < lines.size() && !expected; ++l) {
          const std::size_t lead = lines[l].find_first_not_of(' ');
          if (lead != std::string::npos && lines[l].compare(lead, key.size(), key) == 0) expected = {{l, lead}};
        }
      }
      EXPECT_EQ(index.ResultLineOf(key, false), expected) << "key [" << key << "]";
      for (std::size_t l = 0; l < lines.size() && !expected && key != "no end"; ++l)
        if (const std::size_t at = lines[l].find(key); at != std::string::npos) expected = {{l, at}};
      EXPECT_EQ(index.ResultLineOf(key, true), expected) << "key [" << key << "]";
    }
  }
}
