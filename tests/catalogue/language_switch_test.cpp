#include <gtest/gtest.h>

#include "catalogue/language_switch.h"
#include "platform/scripted_dialogs.h"
#include "support/scratch_folder.h"

using namespace vemu::catalogue;
using vemu::platform::MsgButtons;
using vemu::platform::MsgIcon;
using vemu::platform::ScopedDialogs;
using vemu::platform::ScriptedDialogs;
using vemu::test::ScratchFolder;

namespace {

const std::string kMarker = "Output \"s\" (1) or \"p\" (0)";

std::string SetupSym(const std::string& value) {
  return "Title \"analysis\"\r\n" + kMarker + "\r\n" + value + "\r\nLast line\r\n";
}

// A program folder with the current language files, packs for English and
// Russian, setup.sym, and the current messages registered.
class LanguageSwitch : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.write("IMAGES/language1.txt", "Cannot find file:\r\nold one\r\n");
    folder.write("IMAGES/language2.txt", "old captions\r\n");
    folder.write("IMAGES/L1e.txt", "Cannot find the file:\r\nEnglish one\r\nEnglish two\r\n");
    folder.write("IMAGES/L2e.txt", "English captions\r\nsecond\r\n");
    // Russian messages in code page 1251: "Нет файла:" and "один".
    folder.write("IMAGES/L1r.txt", "\xCD\xE5\xF2 \xF4\xE0\xE9\xEB\xE0:\r\n\xEE\xE4\xE8\xED\r\n");
    folder.write("IMAGES/L2r.txt", "Russian captions\r\n");
    folder.write("setup.sym", SetupSym("0"));
    messages = {"Cannot find file:", "old one"};
    SetMessageSource(&messages);
  }
  void TearDown() override { ReleaseMessageSource(&messages); }

  ScratchFolder folder;
  ScriptedDialogs dialogs;
  ScopedDialogs scope{dialogs};
  MessageList messages;
};

}  // namespace

TEST(LanguagePacks, TagChoosesThePack) {
  EXPECT_EQ(LanguagePackOfTag(1).messageFile, "L1r.txt");
  EXPECT_EQ(LanguagePackOfTag(1).captionsFile, "L2r.txt");
  EXPECT_TRUE(LanguagePackOfTag(1).russian);
  EXPECT_EQ(LanguagePackOfTag(2).messageFile, "L1e.txt");
  EXPECT_EQ(LanguagePackOfTag(2).captionsFile, "L2e.txt");
  EXPECT_FALSE(LanguagePackOfTag(2).russian);
  EXPECT_EQ(LanguagePackOfTag(3).messageFile, "L1p.txt");
  EXPECT_EQ(LanguagePackOfTag(3).captionsFile, "L2p.txt");
  for (int tag : {4, 0, -1, 99}) {
    EXPECT_EQ(LanguagePackOfTag(tag).messageFile, "L1g.txt") << tag;
    EXPECT_EQ(LanguagePackOfTag(tag).captionsFile, "L2g.txt") << tag;
    EXPECT_FALSE(LanguagePackOfTag(tag).russian);
  }
}

TEST_F(LanguageSwitch, MissingPackFileChangesNothingButSetupSym) {
  folder.write("IMAGES/L1g.txt", "German\r\n");  // L2g.txt is missing
  EXPECT_EQ(SwitchLanguage(4, messages), SwitchResult::PackMissing);
  EXPECT_EQ(folder.read("setup.sym"), SetupSym("1")) << "patched before the pack is looked at";
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  const std::string images = folder.path() + "IMAGES/";
  EXPECT_EQ(dialogs.boxes[0].text,
            "Cannot find file: " + images + "L1g.txt or " + images + "L2g.txt");
  EXPECT_EQ(folder.read("IMAGES/language1.txt"), "Cannot find file:\r\nold one\r\n");
  EXPECT_EQ(folder.read("IMAGES/language2.txt"), "old captions\r\n");
  EXPECT_EQ(messages, (MessageList{"Cannot find file:", "old one"}));
}

TEST_F(LanguageSwitch, MissingPackWithoutCurrentFilesCreatesNone) {
  folder.write("IMAGES/L2p.txt", "Polish captions\r\n");  // L1p.txt is missing
  std::remove(folder.file("IMAGES/language1.txt").c_str());
  std::remove(folder.file("IMAGES/language2.txt").c_str());
  EXPECT_EQ(SwitchLanguage(3, messages), SwitchResult::PackMissing);
  EXPECT_TRUE(folder.read("IMAGES/language1.txt").empty());
  EXPECT_TRUE(folder.read("IMAGES/language2.txt").empty());
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_NE(dialogs.boxes[0].text.find("L1p.txt or "), std::string::npos);
}

TEST_F(LanguageSwitch, SwitchingCopiesThePackAndReloadsMessages) {
  EXPECT_EQ(SwitchLanguage(2, messages), SwitchResult::Switched);
  EXPECT_TRUE(dialogs.boxes.empty());
  EXPECT_EQ(folder.read("IMAGES/language1.txt"), folder.read("IMAGES/L1e.txt"));
  EXPECT_EQ(folder.read("IMAGES/language2.txt"), folder.read("IMAGES/L2e.txt"));
  EXPECT_EQ(messages, (MessageList{"Cannot find the file:", "English one", "English two"}));
  EXPECT_EQ(GetMsg(2), "English two");
  EXPECT_EQ(GetMsg(3), "MSG3");
  EXPECT_EQ(folder.read("setup.sym"), SetupSym("1"));
  // The packs themselves stay.
  EXPECT_EQ(folder.read("IMAGES/L1e.txt"), "Cannot find the file:\r\nEnglish one\r\nEnglish two\r\n");

  // Choosing the same language again changes nothing.
  EXPECT_EQ(SwitchLanguage(2, messages), SwitchResult::Switched);
  EXPECT_EQ(folder.read("IMAGES/language1.txt"), folder.read("IMAGES/L1e.txt"));
  EXPECT_EQ(messages.size(), 3u);
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(LanguageSwitch, RussianPackSetsOutputLanguageZeroAndDecodesMessages) {
  folder.write("setup.sym", SetupSym("1"));
  EXPECT_EQ(SwitchLanguage(1, messages), SwitchResult::Switched);
  EXPECT_EQ(folder.read("setup.sym"), SetupSym("0"));
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[1], "\xD0\xBE\xD0\xB4\xD0\xB8\xD0\xBD");  // "один" in UTF-8
  EXPECT_EQ(folder.read("IMAGES/language1.txt"), folder.read("IMAGES/L1r.txt")) << "copied byte for byte";
}

TEST_F(LanguageSwitch, MissingSetupSymIsReportedAndTheSwitchGoesOn) {
  std::remove(folder.file("setup.sym").c_str());
  EXPECT_EQ(SwitchLanguage(2, messages), SwitchResult::Switched);
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text, "Cannot find " + folder.path() + "setup.sym");
  EXPECT_EQ(dialogs.boxes[0].buttons, MsgButtons::Ok);
  EXPECT_EQ(dialogs.boxes[0].icon, MsgIcon::Information);
  EXPECT_EQ(messages[1], "English one");
  EXPECT_TRUE(folder.read("setup.sym").empty()) << "not created";
}

TEST_F(LanguageSwitch, CopyFailureEndsTheCommandNamingTheFile) {
  // language2.txt cannot be replaced: a folder stands in its place.
  std::remove(folder.file("IMAGES/language2.txt").c_str());
  folder.makeDir("IMAGES/language2.txt");
  EXPECT_EQ(SwitchLanguage(2, messages), SwitchResult::Failed);
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].icon, MsgIcon::Error);
  EXPECT_NE(dialogs.boxes[0].text.find(folder.path() + "IMAGES/language2.txt"), std::string::npos)
      << dialogs.boxes[0].text;
  // The message file was written before the failure and stays written; the
  // messages are not reloaded.
  EXPECT_EQ(folder.read("IMAGES/language1.txt"), folder.read("IMAGES/L1e.txt"));
  EXPECT_EQ(messages, (MessageList{"Cannot find file:", "old one"}));
}

TEST(SetupSymLines, LineAfterTheExactMarkerIsReplaced) {
  const std::vector<std::string> lines{"a", kMarker, "0", "b"};
  EXPECT_EQ(PatchSetupSymLines(lines, false), (std::vector<std::string>{"a", kMarker, "1", "b"}));
  EXPECT_EQ(PatchSetupSymLines(lines, true), (std::vector<std::string>{"a", kMarker, "0", "b"}));
  // Whatever stood there is replaced.
  EXPECT_EQ(PatchSetupSymLines({kMarker, "something else", ""}, true),
            (std::vector<std::string>{kMarker, "0", ""}));
}

TEST(SetupSymLines, MarkerMustMatchExactly) {
  for (const std::string& near : {kMarker + " ", " " + kMarker, std::string("output \"s\" (1) or \"p\" (0)"),
                                   std::string("Output \"s\" (1) or \"p\"  (0)")}) {
    const std::vector<std::string> lines{near, "0", "x"};
    EXPECT_EQ(PatchSetupSymLines(lines, false), lines) << near;
  }
  EXPECT_EQ(PatchSetupSymLines({}, false), std::vector<std::string>{});
}

TEST(SetupSymLines, OnlyTheFirstMarkerCounts) {
  const std::vector<std::string> lines{kMarker, "0", "mid", kMarker, "0", "end"};
  EXPECT_EQ(PatchSetupSymLines(lines, false),
            (std::vector<std::string>{kMarker, "1", "mid", kMarker, "0", "end"}));
  // A marker right after the marker is the replaced line itself.
  EXPECT_EQ(PatchSetupSymLines({kMarker, kMarker, "z"}, false),
            (std::vector<std::string>{kMarker, "1", "z"}));
}

TEST(SetupSymLines, MarkerAsLastLineGetsTheValueAppended) {
  EXPECT_EQ(PatchSetupSymLines({"a", kMarker}, true), (std::vector<std::string>{"a", kMarker, "0"}));
  EXPECT_EQ(PatchSetupSymLines({kMarker}, false), (std::vector<std::string>{kMarker, "1"}));
}

TEST(SetupSymFile, RewrittenWithCrLfOrReportedMissing) {
  ScratchFolder folder;
  ScriptedDialogs dialogs;
  ScopedDialogs scope(dialogs);
  folder.write("setup.sym", "first\n" + kMarker + "\n0\nlast");
  EXPECT_EQ(PatchSetupSym(false), PatchResult::Patched);
  EXPECT_EQ(folder.read("setup.sym"), "first\r\n" + kMarker + "\r\n1\r\nlast\r\n");
  EXPECT_TRUE(dialogs.boxes.empty());

  folder.write("setup.sym", "no marker here\r\n");
  EXPECT_EQ(PatchSetupSym(true), PatchResult::Patched);
  EXPECT_EQ(folder.read("setup.sym"), "no marker here\r\n");

  std::remove(folder.file("setup.sym").c_str());
  EXPECT_EQ(PatchSetupSym(true), PatchResult::NoFile);
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text, "Cannot find " + folder.path() + "setup.sym");
  EXPECT_EQ(dialogs.boxes[0].icon, MsgIcon::Information);
}
