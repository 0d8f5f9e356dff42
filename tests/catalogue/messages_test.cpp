#include <gtest/gtest.h>

#include "catalogue/messages.h"
#include "support/scratch_folder.h"

using namespace vemu::catalogue;
using vemu::test::ScratchFolder;

namespace {

// Registers a list for the length of a test.
class ScopedMessages {
 public:
  explicit ScopedMessages(const MessageList& list) : list_(list) { SetMessageSource(&list_); }
  ~ScopedMessages() { ReleaseMessageSource(&list_); }

 private:
  const MessageList& list_;
};

std::string SeventyLines() {
  std::string text;
  for (int i = 0; i < 70; ++i) text += "message " + std::to_string(i) + "\r\n";
  return text;
}

}  // namespace

TEST(Messages, LookupInsideAndOutsideTheList) {
  ScratchFolder folder;
  folder.write("IMAGES/language1.txt", SeventyLines());
  auto loaded = LoadMessageFile(folder.file("IMAGES/language1.txt"));
  ASSERT_TRUE(loaded);
  ASSERT_EQ(loaded->size(), 70u);
  ScopedMessages scope(*loaded);
  EXPECT_EQ(GetMsg(0), "message 0");
  EXPECT_EQ(GetMsg(69), "message 69");
  EXPECT_EQ(GetMsg(70), "MSG70");
  EXPECT_EQ(GetMsg(-1), "MSG-1");
  EXPECT_EQ(GetMsg(1000000), "MSG1000000");
}

TEST(Messages, WithoutAListEveryMessageIsItsNumber) {
  EXPECT_EQ(GetMsg(62), "MSG62");
  EXPECT_EQ(GetMsg(0), "MSG0");
  ScratchFolder folder;
  EXPECT_FALSE(LoadMessageFile(folder.file("IMAGES/language1.txt")));
}

TEST(Messages, ReleasingAnotherListKeepsTheRegisteredOne) {
  const MessageList first{"first"};
  const MessageList second{"second"};
  SetMessageSource(&first);
  ReleaseMessageSource(&second);
  EXPECT_EQ(GetMsg(0), "first");
  ReleaseMessageSource(&first);
  EXPECT_EQ(GetMsg(0), "MSG0");
}

TEST(Messages, EmptyLinesCountAndLineEndsVary) {
  ScratchFolder folder;
  folder.write("m.txt", "zero\r\n\r\ntwo\nthree\rfour");
  auto loaded = LoadMessageFile(folder.file("m.txt"));
  ASSERT_TRUE(loaded);
  EXPECT_EQ(*loaded, (MessageList{"zero", "", "two", "three", "four"}));
}

TEST(Messages, CodePage1251TextArrivesAsUtf8) {
  ScratchFolder folder;
  // "Ошибка" in code page 1251, then a plain line.
  folder.write("m.txt", "\xCE\xF8\xE8\xE1\xEA\xE0\r\nplain\r\n");
  auto loaded = LoadMessageFile(folder.file("m.txt"));
  ASSERT_TRUE(loaded);
  ASSERT_EQ(loaded->size(), 2u);
  EXPECT_EQ((*loaded)[0], "\xD0\x9E\xD1\x88\xD0\xB8\xD0\xB1\xD0\xBA\xD0\xB0");
  EXPECT_EQ((*loaded)[1], "plain");
}

TEST(Messages, ByteOrderMarkedFilesAreReadWithoutTheMark) {
  ScratchFolder folder;
  // UTF-8 with a mark: "Ж" and "ok".
  folder.write("utf8.txt", "\xEF\xBB\xBF\xD0\x96\r\nok\r\n");
  auto utf8 = LoadMessageFile(folder.file("utf8.txt"));
  ASSERT_TRUE(utf8);
  EXPECT_EQ(*utf8, (MessageList{"\xD0\x96", "ok"}));

  // UTF-16 little-endian: "Ж", CR LF, "A".
  folder.write("le.txt", std::string("\xFF\xFE\x16\x04\r\0\n\0A\0", 10));
  auto le = LoadMessageFile(folder.file("le.txt"));
  ASSERT_TRUE(le);
  EXPECT_EQ(*le, (MessageList{"\xD0\x96", "A"}));

  // UTF-16 big-endian: "A", LF, "Ж".
  folder.write("be.txt", std::string("\xFE\xFF\0A\0\n\x04\x16", 8));
  auto be = LoadMessageFile(folder.file("be.txt"));
  ASSERT_TRUE(be);
  EXPECT_EQ(*be, (MessageList{"A", "\xD0\x96"}));
}
