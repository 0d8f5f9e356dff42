// The main window's element-type table, message list and language menu.
#include <gtest/gtest.h>

#include <QImage>
#include <QToolButton>
#include <QVariant>

#include "build2/second_profile.h"
#include "catalogue/messages.h"
#include "platform/scripted_dialogs.h"
#include "support/scratch_folder.h"
#include "ui/tform1.h"
#include "ui/window_set.h"

using vemu::catalogue::GetMsg;
using vemu::platform::ScopedDialogs;
using vemu::platform::ScriptedDialogs;
using vemu::test::ScratchFolder;

namespace {

std::string NumberedLines(const std::string& prefix, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += prefix + std::to_string(i) + "\r\n";
  return text;
}

struct Program {
  explicit Program(const ProgramProfile& profile = FullProgramProfile()) : scope(dialogs), set(profile, {"vemu3"}) {}
  ScriptedDialogs dialogs;
  ScopedDialogs scope;
  WindowSet set;
  TForm1& form() { return *set.windows().Form1; }
};

// A tool button of the main window, made here when the palette has none.
QToolButton& Button(TForm1& form, const char* name) {
  if (auto* b = form.findChild<QToolButton*>(QString::fromLatin1(name))) return *b;
  auto* b = new QToolButton(&form);
  b->setObjectName(QString::fromLatin1(name));
  return *b;
}

}  // namespace

TEST(MainWindowLanguage, MessagesLiveAsLongAsTheMainWindow) {
  ScratchFolder folder;
  folder.write("IMAGES/language1.txt", NumberedLines("message ", 70));
  {
    Program program;
    EXPECT_EQ(program.form().Messages.size(), 70u);
    EXPECT_EQ(GetMsg(69), "message 69");
    EXPECT_EQ(GetMsg(70), "MSG70");
    EXPECT_EQ(program.form().NodeTypes.size(), 39u);
  }
  EXPECT_EQ(GetMsg(5), "MSG5") << "the destroyed window's list is no longer read";
}

TEST(MainWindowLanguage, SecondBuildTableHasThirtySixTypes) {
  ScratchFolder folder;
  Program program(SecondProgramProfile());
  const auto& types = program.form().NodeTypes;
  ASSERT_EQ(types.size(), 36u);
  EXPECT_EQ(types[33].L_in, 0);
  EXPECT_FALSE(types[35].V);
  EXPECT_TRUE(types[31].V);
}

TEST(MainWindowLanguage, GlyphsAreTakenFromThePaletteButtons) {
  ScratchFolder folder;
  Program program;
  TForm1& form = program.form();
  QImage glyph(3, 3, QImage::Format_RGB32);
  glyph.fill(qRgb(255, 0, 255));
  glyph.setPixel(1, 1, qRgb(0, 0, 0));
  QToolButton& resistor = Button(form, "SpeedButton5");
  resistor.setProperty("glyph", glyph);
  QToolButton& bare = Button(form, "SpeedButton6");
  bare.setProperty("glyph", QVariant());
  form.ButtonOfType.assign(39, nullptr);
  form.ButtonOfType[19] = &resistor;
  form.ButtonOfType[20] = &bare;
  form.InitNodeTypeTable();
  ASSERT_EQ(form.NodeTypes.size(), 39u);
  EXPECT_EQ(form.NodeTypes[19].B0.pixel(1, 1), qRgb(0, 0, 0));
  EXPECT_EQ(form.NodeTypes[19].BS.pixel(1, 1), qRgb(192, 192, 192));
  EXPECT_EQ(form.NodeTypes[19].BS.pixel(0, 0), qRgb(255, 255, 0));
  EXPECT_TRUE(form.NodeTypes[20].B0.isNull()) << "a button without a glyph";
  EXPECT_TRUE(form.NodeTypes[3].B0.isNull()) << "a type without a button";
  EXPECT_TRUE(form.NodeTypes[19].V);
}

TEST(MainWindowLanguage, LanguageMenuReloadsMessagesAndHints) {
  ScratchFolder folder;
  folder.write("IMAGES/language1.txt", NumberedLines("old ", 70));
  folder.write("IMAGES/L1e.txt", NumberedLines("new ", 70));
  folder.write("IMAGES/L2e.txt", "captions\r\n");
  folder.write("setup.sym", "Output \"s\" (1) or \"p\" (0)\r\n0\r\n");
  Program program;
  TForm1& form = program.form();
  QToolButton& text = Button(form, "SpeedButton31");
  QToolButton& ground = Button(form, "SpeedButton32");
  QToolButton& junction = Button(form, "SpeedButton41");
  form.InitNodeTypeTable();
  EXPECT_EQ(text.toolTip().toStdString(), "old 62");
  EXPECT_EQ(ground.toolTip().toStdString(), "old 61");
  EXPECT_EQ(junction.toolTip().toStdString(), "old 33");
  program.dialogs.boxes.clear();

  form.Russian1Click(2);
  EXPECT_EQ(GetMsg(7), "new 7");
  EXPECT_EQ(form.Messages.size(), 70u);
  EXPECT_EQ(text.toolTip().toStdString(), "new 62");
  EXPECT_EQ(ground.toolTip().toStdString(), "new 61");
  EXPECT_EQ(junction.toolTip().toStdString(), "new 33");
  EXPECT_EQ(folder.read("setup.sym"), "Output \"s\" (1) or \"p\" (0)\r\n1\r\n");

  // German is missing: the hints and messages stay, setup.sym is patched anyway.
  form.Russian1Click(4);
  EXPECT_EQ(GetMsg(7), "new 7");
  EXPECT_EQ(junction.toolTip().toStdString(), "new 33");
  ASSERT_FALSE(program.dialogs.boxes.empty());
  EXPECT_EQ(program.dialogs.boxes.back().text.rfind("new 0 ", 0), 0u) << program.dialogs.boxes.back().text;

  form.PatchSetupSym(true);
  EXPECT_EQ(folder.read("setup.sym"), "Output \"s\" (1) or \"p\" (0)\r\n0\r\n");
}
