// SETTINGS.INI through the main window: what a start reads, what the end of
// the run writes, for both programs, with keys of the other program kept.
#include <gtest/gtest.h>

#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QTabBar>
#include <QToolBar>

#include <climits>

#include "build2/second_profile.h"
#include "files/ini_file.h"
#include "platform/scripted_dialogs.h"
#include "platform/text_codec.h"
#include "support/scratch_folder.h"
#include "ui/tform1.h"
#include "ui/window_placement.h"
#include "ui/window_set.h"

using vemu::files::IniFile;
using vemu::test::ScratchFolder;
using namespace vemu::ui;

namespace {

struct Program {
  explicit Program(const ProgramProfile& profile = FullProgramProfile()) : scope(dialogs), set(profile, {"vemu3"}) {}
  vemu::platform::ScriptedDialogs dialogs;
  vemu::platform::ScopedDialogs scope;
  WindowSet set;
  TForm1& form() { return *set.windows().Form1; }
};

// The keys of section Form1, in file order.
std::vector<std::string> KeysOf(const ScratchFolder& folder) {
  std::vector<std::string> keys;
  bool inForm1 = false;
  const IniFile ini(folder.read("SETTINGS.INI"));
  for (const auto& line : ini.Lines()) {
    if (!line.empty() && line[0] == '[') inForm1 = line == "[Form1]";
    else if (inForm1 && line.find('=') != std::string::npos) keys.push_back(line.substr(0, line.find('=')));
  }
  return keys;
}

QRect Screen() { return QGuiApplication::primaryScreen()->availableGeometry(); }

bool Shown(TForm1& form, QWidget* w) { return w->isVisibleTo(&form); }

}  // namespace

TEST(WindowPlacement, WindowRectangleFromTheStoredKeys) {
  const PlacementRect current{0, 0, 900, 650}, screen{0, 0, 1400, 1000}, right{1400, 0, 1280, 1024};
  struct Case {
    StoredWindowRect stored;
    bool second;
    PlacementRect expected;
    bool maximised;
    std::vector<PlacementRect> screens = {};  // the one screen when empty
  } cases[] = {
      {{}, false, {250, 175, 900, 650}, false},                    // no file: centred, designed size
      {{-1, 5, 100, 100}, false, {250, 175, 900, 650}, false},     // -1 wins over the other keys
      {{}, false, {0, 0, 900, 650}, false, {{0, 0, 800, 600}}},     // a smaller screen: the title bar on it
      {{40, 30, 700, 500}, false, {40, 30, 700, 500}, false},
      {{40, {}, {}, {}}, false, {40, 0, 900, 650}, false},          // missing keys: current values
      {{40, 30, 0, -5}, false, {40, 30, 900, 650}, false},          // no size: current size
      {{5000, 4000, 700, 500}, false, {350, 250, 700, 500}, false}, // off every screen: centred
      {{-4, -4, 1408, 1008}, true, {350, 250, 700, 500}, true},     // a maximised window's remnant
      // Held inside the screen, the title bar's allowance above the window included.
      {{-4, -4, 1408, 1008}, false, {0, 0, 1400, 1000 - kTitleBarAllowance}, false},
      {{-50, 75, 900, 650}, false, {0, 75, 900, 650}, false},
      {{40, 30, 32767, 32767}, false, {0, 0, 1400, 1000 - kTitleBarAllowance}, false},
      {{1500, 100, 800, 600}, false, {1500, 100, 800, 600}, false, {screen, right}},  // on the second screen
      {{2000, 900, 32767, 32767}, false, {1400, 0, 1280, 1024 - kTitleBarAllowance}, false, {screen, right}},
      {{32767, 32767, 32767, 32767}, false, {0, 0, 1400, 1000 - kTitleBarAllowance}, false, {screen, right}},
      {{INT_MAX, INT_MAX, INT_MAX, INT_MAX}, false, {0, 0, 1400, 1000 - kTitleBarAllowance}, false, {screen, right}},  // ends of int
      {{INT_MIN, INT_MIN, INT_MIN, INT_MIN}, false, {250, 175, 900, 650}, false}, {{-1000, 10, INT_MAX, 500}, false, {0, 10, 1400, 500}, false},
      {{INT_MAX, INT_MIN, INT_MIN, INT_MAX}, true, {250, 175, 900, 650}, false}, {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, true, {350, 250, 700, 500}, true},
  };
  for (const auto& c : cases) {
    const auto screens = c.screens.empty() ? std::vector<PlacementRect>{screen} : c.screens;
    const WindowPlacement p = PlaceWindow(c.stored, current, screens, c.second);
    EXPECT_EQ(p.rect, c.expected) << p.rect.left << "," << p.rect.top << " " << p.rect.width << "x" << p.rect.height;
    EXPECT_EQ(p.maximised, c.maximised);
  }
}

TEST(WindowPlacement, BarsGoInRowsByTopAndInOrderByLeft) {
  const std::vector<BarPlace> places{{300, 2}, {0, 2}, {10, 40}, {150, 3}, {0, 200}, {-5, 40}};
  EXPECT_EQ(ArrangeBarRows(places, 30), (std::vector<std::vector<int>>{{1, 3, 0}, {5, 2}, {4}}));
  EXPECT_EQ(ArrangeBarRows({}, 30).size(), 0u);
  EXPECT_EQ(ArrangeBarRows({{INT_MAX, INT_MAX}, {INT_MIN, INT_MIN}, {0, INT_MAX - 1}, {5, 2}}, 30), (std::vector<std::vector<int>>{{1, 3}, {2, 0}}));
}

TEST(SettingsIni, FirstStartUsesTheDefaultsAndTheEndWritesEveryKey) {
  ScratchFolder folder;
  {
    Program program;
    TForm1& form = program.form();
    EXPECT_EQ(form.x(), std::max(Screen().x(), Screen().x() + (Screen().width() - form.width()) / 2));
    EXPECT_EQ(form.size(), QSize(900, 650));
    for (QAction* item : {form.OptSubMenu, form.EditSubMenu1, form.FileSubMenu1, form.ScaelSubMenu1})
      EXPECT_TRUE(item->isChecked()) << item->objectName().toStdString();
    for (QToolBar* bar : {form.ToolBarOtpMenu, form.ToolBarUndo, form.ToolBarNewSaveLoad, form.ToolBar2, form.ToolBar1})
      EXPECT_TRUE(Shown(form, bar)) << bar->objectName().toStdString();
    EXPECT_FALSE(Shown(form, form.ToolBar_BARS));
    EXPECT_FALSE(Shown(form, form.ToolBarNode));
    EXPECT_TRUE(Shown(form, form.TabSet1));
    EXPECT_TRUE(form.LastFile.empty());
  }
  EXPECT_EQ(KeysOf(folder),
            (std::vector<std::string>{"Left", "Top", "Width", "Height", "OSM", "ESM", "FSM", "SSM", "Option_x",
                                      "Option_y", "Undo_x", "Undo_y", "SaveLoad_x", "SaveLoad_y", "Bars_x", "Bars_y",
                                      "Scale_x", "Scale_y", "Run_x", "Run_y", "Node_x", "Node_y", "LastFile",
                                      "BARS11", "BARS21"}));
  const IniFile written = IniFile::Load(folder.file("SETTINGS.INI"));
  EXPECT_EQ(written.ReadInteger("Form1", "OSM", -1), 1);
  EXPECT_EQ(written.ReadInteger("Form1", "BARS11", -1), 0);
  EXPECT_EQ(written.ReadInteger("Form1", "BARS21", -1), 1);
}

TEST(SettingsIni, StoredStateComesBackAndForeignKeysSurvive) {
  ScratchFolder folder;
  folder.makeDir("FILES");
  folder.write("FILES/last \xD0\xAF.dag", "x");
  const std::string last = folder.file("FILES/last \xD0\xAF.dag");
  const std::string text =
      "[Vemu]\r\nKeep=1\r\n[Form1]\r\nLeft=40\r\nTop=30\r\nWidth=700\r\nHeight=500\r\nOSM=0\r\nESM=1\r\nFSM=0\r\n"
      "Option_x=300\r\nOption_y=40\r\nNode_x=77\r\nNode_y=60\r\nForeign=7\r\nLastFile=" +
      vemu::platform::utf8ToCp1251(last) + "\r\nBARS11=1\r\nBARS21=0\r\n";
  folder.write("SETTINGS.INI", text);
  {
    Program program;
    TForm1& form = program.form();
    EXPECT_EQ(form.geometry().topLeft(), QPoint(40, 30));
    EXPECT_EQ(form.size(), QSize(700, 500));
    EXPECT_FALSE(form.OptSubMenu->isChecked());
    EXPECT_FALSE(Shown(form, form.ToolBarOtpMenu));
    EXPECT_FALSE(Shown(form, form.ToolBarNewSaveLoad));
    EXPECT_TRUE(Shown(form, form.ToolBarUndo));
    EXPECT_TRUE(Shown(form, form.ToolBar_BARS));
    EXPECT_FALSE(Shown(form, form.TabSet1));
    EXPECT_EQ(form.ToolBarPlace(form.ToolBarOtpMenu), std::make_pair(300, 40));
    EXPECT_EQ(form.LastFile, last);
    EXPECT_EQ(form.SaveDialogFileName, last);
    EXPECT_EQ(form.OpenDialogFileName, last);
    EXPECT_EQ(form.LastOpen1->text().toStdString(), "last \xD0\xAF.dag");
  }
  const IniFile written = IniFile::Load(folder.file("SETTINGS.INI"));
  EXPECT_EQ(written.ReadInteger("Vemu", "Keep", 0), 1);
  EXPECT_EQ(written.ReadInteger("Form1", "Foreign", 0), 7);
  struct Key {
    const char* name;
    int value;
  } keys[] = {{"Left", 40}, {"Top", 30},     {"Width", 700},  {"Height", 500}, {"OSM", 0},    {"FSM", 0},
              {"ESM", 1},   {"Option_x", 300}, {"Option_y", 40}, {"Node_x", 77}, {"Node_y", 60}, {"BARS11", 1},
              {"BARS21", 0}};
  for (const auto& k : keys) EXPECT_EQ(written.ReadInteger("Form1", k.name, -99), k.value) << k.name;
  EXPECT_EQ(vemu::platform::cp1251ToUtf8(written.ReadString("Form1", "LastFile", "?")), last);
}

TEST(SettingsIni, VanishedLastFileIsDroppedAndWrittenBackEmpty) {
  ScratchFolder folder;
  folder.write("SETTINGS.INI", "[Form1]\r\nLeft=-1\r\nWidth=10\r\nLastFile=/no/such/file.dag\r\n");
  {
    Program program;
    EXPECT_EQ(program.form().size(), QSize(900, 650));  // "Left" -1: designed size
    EXPECT_TRUE(program.form().LastFile.empty());
    EXPECT_EQ(program.form().SaveDialogFileName, "noname.dag");
  }
  EXPECT_EQ(IniFile::Load(folder.file("SETTINGS.INI")).ReadString("Form1", "LastFile"), std::optional<std::string>(""));
}

TEST(SettingsIni, AFileOverItsLimitIsSaidAtTheStartAndLeftAsItWasWhenTheProgramEnds) {
  ScratchFolder folder;
  const std::string huge = "[Form1]\r\nLeft=40\r\n" + std::string(16 << 20, ';'), why = ": too large: 16777234 bytes, more than 16 MiB";
  folder.write("SETTINGS.INI", huge);
  {
    Program program;
    EXPECT_EQ(program.dialogs.texts().at(0), "Cannot read file " + folder.file("SETTINGS.INI") + why);
    program.form().Exit1->trigger();
  }
  EXPECT_TRUE(folder.read("SETTINGS.INI") == huge);  // byte for byte (not printed: 16 MiB)
}

TEST(SettingsIni, SecondBuildKeepsItsFewerKeysAndLeavesTheOthers) {
  ScratchFolder folder;
  {
    // No file: the designed layout stays, the option bar hidden.
    Program program(SecondProgramProfile());
    EXPECT_TRUE(program.form().OptSubMenu->isChecked());
    EXPECT_FALSE(Shown(program.form(), program.form().ToolBarOtpMenu));
  }
  EXPECT_EQ(KeysOf(folder), (std::vector<std::string>{"Left", "Top", "Width", "Height", "OSM", "ESM", "FSM", "SSM",
                                                      "Option_x", "Undo_x", "SaveLoad_x", "Scale_x", "Run_x",
                                                      "Node_x", "LastFile"}));
  const QRect s = Screen();
  folder.write("SETTINGS.INI", "[Form1]\r\nLeft=-4\r\nTop=-4\r\nWidth=" + std::to_string(s.width() + 8) +
                                   "\r\nHeight=600\r\nOSM=0\r\nOption_y=40\r\nBARS11=1\r\n");
  {
    Program program(SecondProgramProfile());
    EXPECT_TRUE(program.form().windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(program.form().OptSubMenu->isChecked());
  }
  const IniFile written = IniFile::Load(folder.file("SETTINGS.INI"));
  EXPECT_EQ(written.ReadInteger("Form1", "Option_y", 0), 40);  // the full program's keys stay
  EXPECT_EQ(written.ReadInteger("Form1", "BARS11", 0), 1);
  EXPECT_EQ(written.ReadInteger("Form1", "OSM", -1), 0);
}

// All keys INT_MAX, all INT_MIN, the two by pairs, in turn: the window on the screen, the hidden node bar in place.
TEST(SettingsIni, NumbersAtTheEndsOfTheRangeKeepTheWindowOnTheScreen) {
  const char* keys[] = {"Left", "Top", "Width", "Height", "Option_x", "Option_y", "Undo_x", "Undo_y", "SaveLoad_x", "SaveLoad_y",
                        "Bars_x", "Bars_y", "Scale_x", "Scale_y", "Run_x", "Run_y", "Node_x", "Node_y"};
  for (int run = 0; run < 8; ++run) {  // the full program, then the second
    ScratchFolder folder;
    std::string text = "[Form1]\r\n";
    for (int i = 0; i < 18; ++i)
      text += keys[i] + ("=" + std::to_string(run % 4 == 1 || (run % 4 == 2 && i / 2 % 2) || (run % 4 == 3 && i % 2) ? INT_MIN : INT_MAX)) + "\r\n";
    folder.write("SETTINGS.INI", text);
    EXPECT_TRUE(Screen().contains(Program(run < 4 ? FullProgramProfile() : SecondProgramProfile()).form().geometry())) << text;
    EXPECT_EQ(IniFile::Load(folder.file("SETTINGS.INI")).ReadInteger("Form1", "Node_x", 0), run % 4 == 1 ? INT_MIN : INT_MAX) << text;
  }
}
