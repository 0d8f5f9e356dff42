// Result numbers as the analysis programs' files write them, and the key
// index against the plain search it stands for.
#include <gtest/gtest.h>

#include <random>

#include "netlist/result_index.h"
#include "netlist/result_number.h"

using vemu::netlist::FormatResultNumber;
using vemu::netlist::ParseResultNumber;
using vemu::netlist::RemoveBlanks;
using vemu::netlist::ResultIndex;

TEST(ResultNumber, ScanQuirksAndFormat) {
  struct Case {
    const char* text;
    const char* digits;
    const char* separator;
    long double value;
    const char* shown;
  } cases[] = {
      {"1.5e+03", "3", ".", 1500.0L, "1500.000"},
      {"1.5e+03", "3", ",", 1500.0L, "1500,000"},
      {"-2.5e-02", "3", ".", -0.025L, "-0.025"},
      {"12345", "3", ".", 0.0L, "0.000"},            // five characters or fewer
      {"1.5e+003", "3", ".", 1.5L, "1.500"},         // the letter ends the scan, "00" is the exponent
      {"1.5e+3", "3", ".", 1.0L, "1.000"},           // the exponent must take the last four
      {"25.0e+00", "2", ".", 2.5L, "2.50"},          // the first digit counts as units
      {"2.0\xE5+01", "1", ".", 20.0L, "20.0"},       // Cyrillic e
      {"4.0\xC5-01", "1", ".", 0.4L, "0.4"},         // Cyrillic E
      {"2.0E-01", "0", ".", 0.2L, "0"},
      {"abcdefgh", "3", ".", 0.0L, "0.000"},         // no number: whatever the scan gives
      {"7.5x+02", "bad", ".", 7.5L, "7.500"},        // no exponent letter; digits not a number: 3
      {"-1.0e+00", "10", ".", -1.0L, "-1.0000000000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const long double value = ParseResultNumber(c.text);
    EXPECT_NEAR(static_cast<double>(value), static_cast<double>(c.value), 1e-15);
    EXPECT_EQ(FormatResultNumber(value, c.digits, c.separator), c.shown);
  }
}

TEST(ResultNumber, HugeExponentsFromStrayBytesStayFinite) {
  // "zz" reads as the exponent 814: far beyond a double, within extended precision.
  const long double big = ParseResultNumber("1.0e+zz");
  EXPECT_GT(big, 1e800L);
  EXPECT_EQ(FormatResultNumber(big, "3", ".").size(), 815u + 4u);
  EXPECT_GT(ParseResultNumber("1.0e-zz"), 0.0L);
}

TEST(ResultNumber, RemoveBlanksDropsControlCodesAndBlanksOnly) {
  std::string text = "\x01 -1.5\te+\xA0" "03 \r\n";
  RemoveBlanks(text);
  EXPECT_EQ(text, "-1.5e+\xA0" "03");
}

TEST(ResultIndex, FindsTheSameFirstLinesAsAPlainSearch) {
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
    for (const auto& key : keys) {
      std::optional<std::size_t> expected;
      if (key != "no end")
        for (std::size_t l = 0; l < lines.size() && !expected; ++l)
          if (lines[l].find(key) != std::string::npos) expected = l;
      EXPECT_EQ(index.FirstLineWith(key), expected) << "key [" << key << "]";
    }
  }
}
