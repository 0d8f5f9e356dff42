// Code page 1251 and UTF-8: conversions both ways and the encodings that a
// text file announces by its first bytes; the lines of a console.
#include <gtest/gtest.h>
#include <iconv.h>

#include <QString>

#include "platform/console_lines.h"
#include "platform/text_codec.h"

namespace {

using namespace vemu::platform;

TEST(TextCodec, Cp1251CyrillicToUtf8AndBack) {
  const std::string cp = "\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0! \xA8\xB8 \xB9 \x96";  // "Привет, мир! Ёё № –"
  const std::string utf8 = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82, \xD0\xBC\xD0\xB8\xD1\x80! "
                           "\xD0\x81\xD1\x91 \xE2\x84\x96 \xE2\x80\x93";
  EXPECT_EQ(cp1251ToUtf8(cp), utf8);
  EXPECT_EQ(utf8ToCp1251(utf8), cp);
  EXPECT_EQ(cp1251ToUtf8("plain ASCII"), "plain ASCII");
}

TEST(TextCodec, EveryByteButOneHasAMeaning) {
  for (int b = 0x80; b <= 0xFF; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const std::string utf8 = cp1251ToUtf8(byte);
    if (b == 0x98) {
      EXPECT_EQ(utf8, "\xEF\xBF\xBD");
      continue;
    }
    EXPECT_EQ(utf8ToCp1251(utf8), byte) << "byte " << b;
  }
}

TEST(TextCodec, EveryCharacterConvertsAsTheSystemConverterDoesIt) {
  const auto viaIconv = [](const char* from, const char* to, std::string in, const char* failed) {
    iconv_t cd = iconv_open(to, from);
    char out[16], *inPtr = in.data(), *outPtr = out;
    std::size_t inLeft = in.size(), outLeft = sizeof out;
    const bool ok = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(cd);
    return ok ? std::string(out, outPtr) : std::string(failed);
  };
  for (int b = 1; b <= 0xFF; ++b)
    EXPECT_EQ(cp1251ToUtf8(std::string(1, static_cast<char>(b))),
              viaIconv("CP1251", "UTF-8", std::string(1, static_cast<char>(b)), "\xEF\xBF\xBD")) << b;
  for (char16_t c = 1; c < 0xFFFF; ++c) {
    const std::string utf8 = QString(QChar(c)).toStdString();  // a surrogate alone: "?" both ways
    ASSERT_EQ(utf8ToCp1251(utf8), viaIconv("UTF-8", "CP1251", utf8, "?")) << static_cast<int>(c);
  }
}

TEST(TextCodec, CharactersTheCodePageLacksBecomeQuestionMarks) {
  EXPECT_EQ(utf8ToCp1251("a\xE4\xB8\xAD" "b"), "a?b");            // a Chinese character
  EXPECT_EQ(utf8ToCp1251("\xF0\x9F\x98\x80!"), "?!");             // an emoji
  EXPECT_EQ(utf8ToCp1251("x\xFFy"), "x?y");                         // not UTF-8 at all
  EXPECT_EQ(utf8ToCp1251("z\xD0"), "z?");                           // cut sequence at the end
  EXPECT_EQ(utf8ToCp1251("\xE2\x82" "A\xC0\x80\xED\xA0\x80\x80"), "?A??" "?");  // cut, overlong, surrogate, stray
  EXPECT_EQ(utf8ToCp1251(std::string(3000, '\x98') + "\xEF\xBF\xBD\xD0\xAF"), std::string(3000, '?') + "?\xDF");
}

TEST(TextCodec, FileTextFollowsItsByteOrderMark) {
  EXPECT_EQ(decodeFileText("\xEF\xBB\xBF\xD0\xAF"), "\xD0\xAF");
  EXPECT_EQ(decodeFileText(std::string("\xFF\xFE\x2F\x04" "a\0", 6)), "\xD0\xAF" "a");
  EXPECT_EQ(decodeFileText(std::string("\xFE\xFF\x04\x2F\0a", 6)), "\xD0\xAF" "a");
  EXPECT_EQ(decodeFileText("\xDF"), "\xD0\xAF");  // no mark: code page 1251
  EXPECT_EQ(decodeFileText(""), "");
  // A lone low surrogate in UTF-16 is replaced, and the text after it stays aligned.
  EXPECT_EQ(decodeFileText(std::string("\xFF\xFE" "a\0" "\x00\xDC" "b\0", 8)), "a\xEF\xBF\xBD" "b");
}

TEST(TextCodec, LengthAndLeftCountCharactersNotBytes) {
  const std::string text = "\xD0\xAF" "b\xE2\x84\x96" "d";
  EXPECT_EQ(utf8Length(text), 4u);
  EXPECT_EQ(utf8Left(text, 0), "");
  EXPECT_EQ(utf8Left(text, 1), "\xD0\xAF");
  EXPECT_EQ(utf8Left(text, 3), "\xD0\xAF" "b\xE2\x84\x96");
  EXPECT_EQ(utf8Left(text, 9), text);
}

}  // namespace

// A console's text: the bytes as they come in pieces, the lines they give.
TEST(ConsoleLines, CutsLinesAsTheyComeAndKeepsTheLastOnes) {
  // The pieces as they come, the lines after Finish.
  const std::string x3(kConsoleLineBytes - 3, 'x');
  const std::pair<std::vector<std::string>, std::vector<std::string>> cases[] = {
      {{"a\nb", "c\r", "\nd"}, {"a", "bc", "d"}},                         // LF, CR LF across pieces
      {{"50%\r60%\rdone\n"}, {"done"}},                                  // a lone CR returns
      {{"\xCF\xF0\xE8\n", "\xD0\xAF\n"}, {"\xD0\x9F\xD1\x80\xD0\xB8", "\xD0\xAF"}},  // cp1251, UTF-8
      {{"\xED\xA0\x80\n"}, {"\xD0\xBD\xC2\xA0\xD0\x82"}},                // a surrogate is no UTF-8
      {{"end\r"}, {"end"}},
      {{std::string(kConsoleLineBytes - 1, 'x'), "yz\r\n"}, {std::string(kConsoleLineBytes - 1, 'x') + "y", "z"}},
      {{"one\r\r\ntwo\r", "\r\nthree\r\r4\n"}, {"one", "two", "4"}},  // CR CR LF ends the line too
      // A line of exactly the limit, ended by LF or CR LF: no empty line after it.
      {{std::string(kConsoleLineBytes, 'x'), "\n", std::string(kConsoleLineBytes, 'y') + "\r\nz\n"},
       {std::string(kConsoleLineBytes, 'x'), std::string(kConsoleLineBytes, 'y'), "z"}},
      {{std::string(kConsoleLineBytes, 'x') + "\r", "w\n"}, {std::string(kConsoleLineBytes, 'x'), "w"}},
      // The cut keeps a UTF-8 character whole: "Я" (2 bytes) and "€" (3 bytes) across it.
      {{std::string(kConsoleLineBytes - 1, 'x') + "\xD0\xAF\n"}, {std::string(kConsoleLineBytes - 1, 'x'), "\xD0\xAF"}},
      {{std::string(kConsoleLineBytes - 2, 'x'), "\xE2\x82\xAC" "b\n"},
       {std::string(kConsoleLineBytes - 2, 'x'), "\xE2\x82\xAC" "b"}},
      {{x3 + "\xF0\x9F\x98", "\x80" "b\n"}, {x3, "\xF0\x9F\x98\x80" "b"}},  // a 4-byte character ("😀") in two pieces across the cut
      {{x3 + "\xE2\x82\xAC", "\nb\n"}, {x3 + "\xE2\x82\xAC", "b"}},  // a whole character that ends at the limit stays on its line
  };
  for (const auto& [pieces, lines] : cases) {
    ConsoleLines text;
    for (const std::string& piece : pieces) text.Add(piece);
    text.Finish();
    EXPECT_EQ(std::vector<std::string>(text.Lines().begin(), text.Lines().end()), lines) << pieces[0];
  }
  ConsoleLines many;
  for (std::size_t i = 0; i < kConsoleLineLimit + 5; ++i) many.Add(std::to_string(i) + "\n");
  EXPECT_EQ(many.Lines().size(), kConsoleLineLimit);
  EXPECT_EQ(many.Lines().front(), "5");
  EXPECT_EQ(many.Add(std::string(kConsoleLineBytes + 1, 'x')), 1u);
  ConsoleLines flood;  // a line without end is kept as its newest pieces, up to the byte bound
  for (int i = 0; i < 2100; ++i) flood.Add(std::string(kConsoleLineBytes / 2, static_cast<char>('a' + i % 26)));
  EXPECT_EQ(flood.Completed(), 1050u);
  EXPECT_EQ(flood.Lines().size(), kConsoleKeptBytes / kConsoleLineBytes);
  EXPECT_EQ(flood.Lines().back(), std::string(kConsoleLineBytes / 2, 's') + std::string(kConsoleLineBytes / 2, 't'));
}
