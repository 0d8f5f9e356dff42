// The settings file reader and writer: lookups as the platform's ini access
// does them, and changes that keep every line this program does not own.
#include <gtest/gtest.h>

#include "files/ini_file.h"
#include "support/scratch_folder.h"

using vemu::files::IniFile;

namespace {

const char* const kShared =
    "; shared by both programs\r\n"
    "[Other]\r\n"
    "Left=5\r\n"
    "\r\n"
    "[form1]\r\n"
    "  left = 120 \r\n"
    "Name=\"C:\\FILES\\\xC0\xC1.dag\"\r\n"
    "Hex=0x1F\r\n"
    "Dollar=$10\r\n"
    "Neg=-7\r\n"
    "Junk=12abc\r\n"
    "Huge=99999999999\r\n"
    "Empty=\r\n"
    "Left=999\r\n"
    "\r\n"
    "[Last]\r\n"
    "K=1\r\n";

}  // namespace

TEST(IniFile, ReadsKeysOfTheirOwnSectionWithoutRegardToCase) {
  const IniFile ini(kShared);
  struct Case {
    const char* section;
    const char* key;
    int expected;
  } cases[] = {
      {"Form1", "Left", 120},  // the first line of a key counts; blanks trimmed
      {"FORM1", "LEFT", 120}, {"Other", "Left", 5},  {"Form1", "Hex", 31},    {"Form1", "Dollar", 16},
      {"Form1", "Neg", -7},   {"Form1", "Junk", -1}, {"Form1", "Huge", -1},   {"Form1", "Empty", -1},
      {"Form1", "Absent", -1}, {"Nowhere", "Left", -1}, {"Last", "K", 1},
  };
  for (const auto& c : cases) EXPECT_EQ(ini.ReadInteger(c.section, c.key, -1), c.expected) << c.section << "." << c.key;
  // Strings: quotes taken off, code page 1251 bytes as they are.
  EXPECT_EQ(ini.ReadString("Form1", "Name", ""), "C:\\FILES\\\xC0\xC1.dag");
  EXPECT_EQ(ini.ReadString("Form1", "Empty"), std::optional<std::string>(""));
  EXPECT_FALSE(ini.ReadString("Form1", "Absent"));
}

TEST(IniFile, WritingChangesOnlyItsOwnLines) {
  IniFile ini(kShared);
  ini.WriteInteger("Form1", "Left", 300);   // in place, under its first spelling's line
  ini.WriteString("Form1", "LastFile", "");  // new key after the section's last key
  ini.WriteInteger("Fresh", "A", 1);         // new section at the end
  for (const char* broken : {"1\r\nTop=2", "1\nTop=2", "1\r"}) EXPECT_FALSE(ini.WriteString("Form1", "Left", broken));
  const std::vector<std::string> expected{
      "; shared by both programs", "[Other]", "Left=5", "", "[form1]", "Left=300",
      "Name=\"C:\\FILES\\\xC0\xC1.dag\"", "Hex=0x1F", "Dollar=$10", "Neg=-7", "Junk=12abc",
      "Huge=99999999999", "Empty=", "Left=999", "LastFile=", "", "[Last]", "K=1", "", "[Fresh]", "A=1"};
  EXPECT_EQ(ini.Lines(), expected);
}

TEST(IniFile, SavesThroughTheFileWriterAndReadsNothingFromAMissingFile) {
  vemu::test::ScratchFolder folder(false);
  const IniFile missing = IniFile::Load(folder.file("SETTINGS.INI"));
  EXPECT_TRUE(missing.Lines().empty());
  EXPECT_EQ(missing.ReadInteger("Form1", "Left", -1), -1);

  IniFile ini = missing;
  ini.WriteInteger("Form1", "Left", 10);
  ini.WriteString("Form1", "LastFile", "/a/\xC0.dag");
  ASSERT_TRUE(ini.Save(folder.file("SETTINGS.INI")));
  EXPECT_EQ(folder.read("SETTINGS.INI"), "[Form1]\r\nLeft=10\r\nLastFile=/a/\xC0.dag\r\n");
  EXPECT_EQ(IniFile::Load(folder.file("SETTINGS.INI")).Lines(), ini.Lines());

  // A folder that is not there: the save fails and says why.
  std::string error;
  EXPECT_FALSE(ini.Save(folder.file("no/such/SETTINGS.INI"), &error));
  EXPECT_FALSE(error.empty());
}
