// The number and line reader under the circuit formats.
#include <gtest/gtest.h>

#include "files/text_cursor.h"

namespace {

using vemu::files::FormatError;
using vemu::files::ParseLooseDouble;
using vemu::files::TextCursor;

TEST(TextCursorTest, NumbersSkipBlanksTabsAndLineEnds) {
  TextCursor in(" 12\t-3\r\n\r\n  +4 rest of line\nnext");
  EXPECT_EQ(in.readInt(), 12);
  EXPECT_EQ(in.readInt(), -3);
  EXPECT_EQ(in.lineNumber(), 1u);
  EXPECT_EQ(in.readInt(), 4);
  EXPECT_EQ(in.lineNumber(), 3u);
  EXPECT_EQ(in.restOfLine(), " rest of line");
  EXPECT_EQ(in.readLine(), " rest of line");
  EXPECT_EQ(in.readLine(), "next");
  EXPECT_TRUE(in.atEnd());
  EXPECT_THROW(in.readInt(), FormatError);  // past the end: the text was cut
  EXPECT_EQ(in.readLine(), "");
}

TEST(TextCursorTest, LinesAreCountedForEveryKindOfLineEnd) {
  TextCursor in("a\rb\nc\r\nd");
  EXPECT_EQ(in.linesLeft(), 4u);
  in.readLn();
  EXPECT_EQ(in.lineNumber(), 2u);
  EXPECT_EQ(in.linesLeft(), 3u);
  in.readLn();
  in.readLn();
  EXPECT_EQ(in.readLine(), "d");
  EXPECT_EQ(in.linesLeft(), 0u);
  EXPECT_EQ(TextCursor("").linesLeft(), 0u);
  EXPECT_EQ(TextCursor("x\n").linesLeft(), 1u);
  EXPECT_EQ(TextCursor("\n\n").linesLeft(), 2u);
}

TEST(TextCursorTest, BadTokenNamesItsLine) {
  TextCursor in("1\n2\n 3z 4");
  in.readInt();
  in.readInt();
  try {
    in.readInt();
    FAIL() << "no error";
  } catch (const FormatError& e) {
    EXPECT_EQ(e.line(), 3u);
    EXPECT_NE(std::string(e.what()).find("3z"), std::string::npos);
  }
  // A long token is shown shortened.
  const std::string longText(5000, 'x');
  TextCursor longToken(longText);
  try {
    longToken.readInt();
    FAIL() << "no error";
  } catch (const FormatError& e) {
    EXPECT_LT(std::string(e.what()).size(), 100u);
  }
}

TEST(TextCursorTest, LooseDoubleTakesPointOrComma) {
  double v = 0;
  EXPECT_TRUE(ParseLooseDouble(" 1.250 ", v));
  EXPECT_EQ(v, 1.25);
  EXPECT_TRUE(ParseLooseDouble("0,5", v));
  EXPECT_EQ(v, 0.5);
  EXPECT_TRUE(ParseLooseDouble("+3", v));
  EXPECT_EQ(v, 3.0);
  v = 7;
  for (const char* bad : {"", "  ", "1.2.3", "1,2,3", "x", "1.5x", "inf", "nan", "1e999", "+-1", "++1"}) {
    EXPECT_FALSE(ParseLooseDouble(bad, v)) << bad;
    EXPECT_EQ(v, 7);
  }
}

}  // namespace
