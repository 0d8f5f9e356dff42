// The captions file IMAGES/language2.txt: every line reaches its own
// targets in every window, descriptions feed the type table and the palette
// hints, the computation-type list keeps its selection, and a missing file
// is reported and changes nothing.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <map>
#include <stdexcept>

#include "build2/second_profile.h"
#include "catalogue/windows/settings_window.h"
#include "platform/scripted_dialogs.h"
#include "platform/text_file.h"
#include "support/scratch_folder.h"
#include "ui/about_window.h"
#include "ui/tform1.h"
#include "ui/value_window.h"
#include "ui/window_set.h"
#include "view/windows/preview_window.h"

using vemu::platform::ScopedDialogs;
using vemu::platform::ScriptedDialogs;
using vemu::test::ScratchFolder;

namespace {

enum class Where { Main, Settings, About, Preview, Value };
enum class What { Caption, Hint, Text };

struct Expected {
  int line;
  Where where;
  const char* name;  // nullptr: the window itself
  What what;
};

// The targets of the captions file, line by line, as the file format has them.
const Expected kTargets[] = {
    {1, Where::Main, "File1", What::Caption},
    {2, Where::Main, "Newcircuit1", What::Caption},
    {2, Where::Main, "ActNewCircuit", What::Hint},
    {3, Where::Main, "LoadFile1", What::Caption},
    {3, Where::Main, "LoadFile1", What::Hint},
    {3, Where::Main, "ActLoad", What::Hint},
    {4, Where::Main, "Save1", What::Caption},
    {5, Where::Main, "Exit1", What::Caption},
    {6, Where::Main, "Edit1", What::Caption},
    {7, Where::Main, "NewUnit1", What::Caption},
    {8, Where::Main, "NewNode1", What::Caption},
    {9, Where::Main, "Deleteobject1", What::Caption},
    {11, Where::Main, "CreateText1", What::Caption},
    {11, Where::Main, "ActTextWin", What::Hint},
    {12, Where::Main, "Position1", What::Caption},
    {13, Where::Main, "SelectAll1", What::Caption},
    {14, Where::Main, "HideCross1", What::Caption},
    {15, Where::Main, "UnselectAll1", What::Caption},
    {16, Where::Main, "About1", What::Caption},
    {17, Where::Main, "Settings1", What::Caption},
    {17, Where::Main, "ActSettings", What::Hint},
    {18, Where::Main, "PrintScreen1", What::Caption},
    {19, Where::Main, "Info1", What::Caption},
    {20, Where::Main, "Button2", What::Caption},
    {22, Where::Settings, nullptr, What::Caption},
    {23, Where::Settings, "GroupBox1", What::Caption},
    {24, Where::Settings, "GroupBox2", What::Caption},
    {25, Where::Settings, "GroupBox3", What::Caption},
    {26, Where::Settings, "GroupBox4", What::Caption},
    {27, Where::Settings, "CheckShadow", What::Caption},
    {28, Where::Settings, "CheckShadowMoving", What::Caption},
    {29, Where::Settings, "CheckCross", What::Caption},
    {30, Where::Settings, "CheckNodeMove", What::Caption},
    {31, Where::Settings, "CheckNamesSee", What::Caption},
    {32, Where::Settings, "Label1", What::Caption},
    {33, Where::Settings, "Label2", What::Caption},
    {34, Where::Settings, "CheckLineMove", What::Caption},
    {35, Where::About, nullptr, What::Caption},
    {38, Where::Main, "SBUpHieracy", What::Hint},
    {39, Where::Main, "SBDownHieracy", What::Hint},
    {40, Where::Main, "FromCtoMButton", What::Hint},
    {41, Where::Main, "RunButton", What::Hint},
    {42, Where::Main, "SpeedButton1", What::Hint},
    {43, Where::Main, "Button2", What::Hint},
    {44, Where::Main, "Edit2", What::Hint},
    {45, Where::Main, "Edit3", What::Hint},
    {46, Where::Settings, "Label3", What::Caption},
    {47, Where::Settings, "Label4", What::Caption},
    {48, Where::Settings, "CheckTransparency", What::Caption},
    {49, Where::Settings, "CheckPlusMines", What::Caption},
    {50, Where::Settings, "Label5", What::Caption},
    {51, Where::Settings, "Label6", What::Caption},
    {52, Where::Settings, "Label7", What::Caption},
    {53, Where::Main, "Centerscreen1", What::Caption},
    {54, Where::Settings, "CheckValues", What::Caption},
    {55, Where::Settings, "Checknodes", What::Caption},
    {56, Where::Settings, "CheckDrawAndCreate", What::Caption},
    {58, Where::Settings, "EditInfoColor", What::Text},
    {59, Where::Settings, "CheckImages", What::Caption},
    {60, Where::Main, "CopyToClipboard", What::Caption},
    {61, Where::Settings, "CheckPMonCurrent", What::Caption},
    {62, Where::Main, "CenteronSelect1", What::Caption},
    {63, Where::Settings, "Label8", What::Caption},
    {64, Where::Settings, "CheckUseGrid", What::Caption},
    {65, Where::Settings, "CheckSeeGrid", What::Caption},
    {66, Where::Settings, "CheckAdditionalString", What::Caption},
    {67, Where::Settings, "CheckAutoLoadOutFile", What::Caption},
    {68, Where::Settings, "CheckFitToGridOnMoving", What::Caption},
    {69, Where::Settings, "CheckLoadDigitAnywere", What::Caption},
    {70, Where::Main, "Option1", What::Caption},
    {71, Where::Main, "Default1", What::Caption},
    {72, Where::Main, "SpeedButton33", What::Hint},
    {73, Where::Main, "SpeedZoomin", What::Hint},
    {74, Where::Main, "SpeedZumout", What::Hint},
    {75, Where::Main, "ClearAllInputValues1", What::Caption},
    {76, Where::Main, "DeleteAllLines1", What::Caption},
    {77, Where::Settings, "CheckNodeToCenterIfError", What::Caption},
    {78, Where::Settings, "CheckAutoLoadClcFile", What::Caption},
    {79, Where::Main, "GroundNode1", What::Caption},
    {80, Where::Settings, "EditTBrush", What::Text},
    {81, Where::Settings, "EditTColor", What::Text},
    {82, Where::Settings, "LabelText", What::Caption},
    {83, Where::Main, "Rename", What::Caption},
    {84, Where::Main, "SubCircuitWindow", What::Caption},
    {84, Where::Main, "ActSubWin", What::Hint},
    {85, Where::Main, "UpLevelWindow1", What::Caption},
    {85, Where::Main, "ActMainWin", What::Hint},
    {86, Where::Main, "ConvertSelectedtoSubcircuit1", What::Caption},
    {87, Where::Main, "ReturntoUPlevel1", What::Caption},
    {88, Where::Settings, "CheckWindowDelete", What::Caption},
    {89, Where::Preview, "ZoomIn1", What::Caption},
    {90, Where::Preview, "ZoomOut1", What::Caption},
    {91, Where::Preview, "DefaultScale1", What::Caption},
    {92, Where::Main, "SpeedButtonDelete", What::Hint},
    {93, Where::Main, "SpeedButtonUndo", What::Hint},
    {94, Where::Main, "SpeedButtonRedo", What::Hint},
    {95, Where::Main, "SaveSubcircuit1", What::Caption},
    {95, Where::Main, "SaveSubcircuit1", What::Hint},
    {96, Where::Main, "SaveSub1", What::Caption},
    {97, Where::Main, "LoadSubcircuit1", What::Caption},
    {97, Where::Main, "LoadSubcircuit1", What::Hint},
    {98, Where::Main, "LoadSub1", What::Caption},
    {99, Where::Main, "SaveAs1", What::Caption},
    {99, Where::Main, "SaveAs1", What::Hint},
    {99, Where::Main, "ActSaveAs", What::Hint},
    {100, Where::Main, "Russian1", What::Caption},
    {101, Where::Main, "English1", What::Caption},
    {102, Where::Main, "BrowseURL1", What::Caption},
    {102, Where::Main, "Help1", What::Caption},  // the item shows its action's caption
    {103, Where::Main, "Polland1", What::Caption},
    {104, Where::Main, "German1", What::Caption},
    {105, Where::Settings, "LabelBatBox", What::Caption},
    {110, Where::Main, "UpLevel1", What::Caption},
    {111, Where::Main, "DownLevel1", What::Caption},
    {112, Where::Main, "MenuPanels", What::Caption},
    {113, Where::Main, "FileSubMenu1", What::Caption},
    {114, Where::Main, "EditSubMenu1", What::Caption},
    {115, Where::Main, "OptSubMenu", What::Caption},
    {116, Where::Main, "ScaelSubMenu1", What::Caption},
    {117, Where::Settings, "CheckTreeActionByOnePress", What::Caption},
    {118, Where::Settings, "CheckEye", What::Caption},
    {119, Where::Main, "GoBaby1", What::Caption},
    {120, Where::Main, "CreateFromCir1", What::Caption},
    {120, Where::Main, "CreateFromCir1", What::Hint},
    {121, Where::Main, "Registerextention1", What::Caption},
    {122, Where::Settings, "CheckDoubleIn", What::Caption},
    {123, Where::Settings, "CheckBox1", What::Caption},
    {124, Where::Settings, "CheckBox2", What::Caption},
    // Line 125 (hint of SpeedButton42) is overwritten by the descriptions of
    // the amplifier types that share the button; the second build keeps it.
    {162, Where::Main, "GraphX1", What::Caption},
    {163, Where::Value, "Value", What::Caption},
    {164, Where::Value, "Label1", What::Caption},
    {165, Where::Value, "Label2", What::Caption},
    {166, Where::Value, "Label4", What::Caption},
    {167, Where::Main, "N13", What::Caption},
    {168, Where::Main, "N14", What::Caption},
    {169, Where::Main, "CIR1", What::Caption},
    {170, Where::Main, "N15", What::Caption},
};

// The line of the description of type t.
int DescriptionLine(int t) { return t <= 35 ? 126 + t : 171 + (t - 36); }

std::string Line(int n) { return "L" + std::to_string(n); }

// A captions file whose line n reads "L" followed by n; `replace` swaps
// single lines for other texts.
std::string NumberedFile(int lines, const std::map<int, std::string>& replace = {}) {
  std::string text;
  for (int n = 1; n <= lines; ++n) {
    auto it = replace.find(n);
    text += (it != replace.end() ? it->second : Line(n)) + "\r\n";
  }
  return text;
}

QWidget* WindowOf(AppWindows& w, Where where) {
  switch (where) {
    case Where::Main: return w.Form1;
    case Where::Settings: return w.Form3;
    case Where::About: return w.Form4;
    case Where::Preview: return w.FormSubCircuit;
    case Where::Value: return w.FormInputValue;
  }
  return nullptr;
}

QString CaptionOf(QObject* o) {
  if (auto* a = qobject_cast<QAction*>(o)) return a->text();
  if (auto* m = qobject_cast<QMenu*>(o)) return m->title();
  if (auto* g = qobject_cast<QGroupBox*>(o)) return g->title();
  if (auto* b = qobject_cast<QAbstractButton*>(o)) return b->text();
  if (auto* l = qobject_cast<QLabel*>(o)) return l->text();
  if (auto* w = qobject_cast<QWidget*>(o)) return w->windowTitle();
  return "<no caption>";
}

QString ValueOf(QObject* o, What what) {
  switch (what) {
    case What::Caption: return CaptionOf(o);
    case What::Hint:
      if (auto* a = qobject_cast<QAction*>(o)) return a->toolTip();
      return qobject_cast<QWidget*>(o)->toolTip();
    case What::Text: return qobject_cast<QLineEdit*>(o)->text();
  }
  return {};
}

struct Program {
  explicit Program(const ProgramProfile& profile = FullProgramProfile()) : scope(dialogs), set(profile, {"vemu3"}) {}
  ScriptedDialogs dialogs;
  ScopedDialogs scope;
  WindowSet set;
  AppWindows& w() { return set.windows(); }
  TForm1& form() { return *set.windows().Form1; }
  TForm3& settings() { return *set.windows().Form3; }
};

bool ReportedMissingCaptions(Program& program) {
  for (const std::string& text : program.dialogs.texts())
    if (text.rfind("Error:Cannot", 0) == 0) return true;
  return false;
}

// Checks every target of the full program; returns the number of targets
// that were checked.
int CheckAllTargets(Program& program) {
  int checked = 0;
  for (const Expected& e : kTargets) {
    SCOPED_TRACE("line " + std::to_string(e.line) + " " + (e.name ? e.name : "<window>"));
    QWidget* window = WindowOf(program.w(), e.where);
    EXPECT_NE(window, nullptr);
    if (!window) continue;
    QObject* target = e.name ? window->findChild<QObject*>(e.name) : window;
    EXPECT_NE(target, nullptr);
    if (!target) continue;
    EXPECT_EQ(ValueOf(target, e.what).toStdString(), Line(e.line));
    ++checked;
  }
  return checked;
}

QToolButton* Palette(TForm1& form, const char* name) {
  auto* button = form.Panel1->findChild<QToolButton*>(name);
  if (!button) throw std::runtime_error(std::string("no palette button ") + name);
  return button;
}

}  // namespace

TEST(CaptionsFile, EveryLineReachesItsOwnTargets) {
  ScratchFolder folder;
  folder.write("IMAGES/language2.txt", NumberedFile(173));
  Program program;  // the settings window applies the file at its creation
  TForm1& form = program.form();
  EXPECT_EQ(CheckAllTargets(program), static_cast<int>(std::size(kTargets)));
  EXPECT_FALSE(ReportedMissingCaptions(program));

  // Descriptions: the type table and the hint of the type's own button.
  ASSERT_EQ(form.NodeTypes.size(), 39u);
  for (int t = 0; t < 39; ++t) {
    SCOPED_TRACE(t);
    EXPECT_EQ(form.NodeTypes[static_cast<std::size_t>(t)].Uinfo, Line(DescriptionLine(t)));
    if (t > 2 && (t < 25 || t > 28)) {
      EXPECT_EQ(form.ButtonOfType[static_cast<std::size_t>(t)]->toolTip().toStdString(), Line(DescriptionLine(t)));
    }
  }
  // Shared buttons show the last type that shares them.
  EXPECT_EQ(form.SpeedButton41->toolTip().toStdString(), Line(DescriptionLine(2)));
  EXPECT_EQ(form.SpeedButton42->toolTip().toStdString(), Line(DescriptionLine(28)));
  // Line 21 is not used: the main window shows the fixed title.
  EXPECT_EQ(form.windowTitle(), "Vemu3 - circuit editor (1 September 2005)");
  // The lines that are read and dropped appear nowhere.
  for (int dropped : {10, 21, 36, 37, 57}) {
    const QString text = QString::fromStdString(Line(dropped));
    for (QWidget* window : QApplication::topLevelWidgets()) {
      for (QObject* o : window->findChildren<QObject*>()) {
        if (auto* a = qobject_cast<QAction*>(o)) { EXPECT_NE(a->text(), text) << o->objectName().toStdString(); }
        if (auto* wd = qobject_cast<QWidget*>(o)) { EXPECT_NE(wd->toolTip(), text) << o->objectName().toStdString(); }
      }
      EXPECT_NE(window->windowTitle(), text);
    }
  }
  // The amplifier items keep their design captions.
  EXPECT_EQ(form.B1->text(), "8");
}

TEST(CaptionsFile, ComputationTypeListIsReplacedButKeepsItsSelection) {
  ScratchFolder folder;
  folder.write("IMAGES/language2.txt", NumberedFile(173));
  Program program;
  auto* box = program.settings().findChild<QComboBox*>("BoxBat");
  ASSERT_NE(box, nullptr);
  box->setCurrentIndex(2);
  folder.write("IMAGES/language2.txt", NumberedFile(173, {{106, "AC"}, {107, "DC"}, {108, "TR"}, {109, "NO"}}));
  program.settings().LoadLanguageFile();
  ASSERT_EQ(box->count(), 4);
  EXPECT_EQ(box->itemText(0), "AC");
  EXPECT_EQ(box->itemText(1), "DC");
  EXPECT_EQ(box->itemText(2), "TR");
  EXPECT_EQ(box->itemText(3), "NO");
  EXPECT_EQ(box->currentIndex(), 2);
  EXPECT_EQ(program.w().Settings->BoxBat, 2);
}

TEST(CaptionsFile, LongDescriptionIsCutForTheTypeButNotForTheHint) {
  ScratchFolder folder;
  // 150 characters; the Cyrillic letters take two bytes each in UTF-8.
  std::string longLine = "\"R\"-resistance ";
  while (longLine.size() < 150) longLine += '\xD0';  // code page 1251 capital Er
  const std::string longUtf8Prefix = [] {
    std::string s = "\"R\"-resistance ";
    while (s.size() < 15 + 85 * 2) s += "\xD0\xA0";
    return s;
  }();
  folder.write("IMAGES/language2.txt", NumberedFile(173, {{DescriptionLine(19), longLine}}));
  Program program;
  TForm1& form = program.form();
  EXPECT_EQ(form.NodeTypes[19].Uinfo, longUtf8Prefix);  // 15 + 85 = 100 characters
  const QString hint = Palette(form, "SpeedButton5")->toolTip();
  EXPECT_EQ(hint.size(), 150);
  EXPECT_TRUE(hint.startsWith("\"R\"-resistance "));
  EXPECT_EQ(hint.at(149), QChar(0x0420));
}

TEST(CaptionsFile, ShortFileEmptiesTheRest) {
  ScratchFolder folder;
  folder.write("IMAGES/language2.txt", "File\r\nNew\r\nLoad\r\nSave\r\n");
  Program program;
  TForm1& form = program.form();
  EXPECT_EQ(form.File1->title(), "File");
  EXPECT_EQ(form.Save1->text(), "Save");
  EXPECT_EQ(form.Exit1->text(), "");
  EXPECT_EQ(form.NodeTypes[19].Uinfo, "");
  EXPECT_EQ(Palette(form, "SpeedButton5")->toolTip(), "");
  EXPECT_FALSE(ReportedMissingCaptions(program));
}

TEST(CaptionsFile, MissingFileIsReportedAndChangesNothing) {
  ScratchFolder folder;
  folder.write("IMAGES/language2.txt", NumberedFile(173));
  Program program;
  auto* box = program.settings().findChild<QComboBox*>("BoxBat");
  ASSERT_NE(box, nullptr);
  box->setCurrentIndex(3);
  vemu::platform::removeFile(folder.file("IMAGES/language2.txt"));
  program.dialogs.boxes.clear();
  program.settings().LoadLanguageFile();
  ASSERT_EQ(program.dialogs.boxes.size(), 1u);
  EXPECT_EQ(program.dialogs.boxes[0].buttons, vemu::platform::MsgButtons::Ok);
  EXPECT_EQ(program.dialogs.boxes[0].text, "Error:Cannot find\n\r" + folder.path() + "IMAGES/language2.txt");
  EXPECT_EQ(CheckAllTargets(program), static_cast<int>(std::size(kTargets)));
  EXPECT_EQ(program.form().NodeTypes[3].Uinfo, Line(DescriptionLine(3)));
  EXPECT_EQ(box->count(), 4);
  EXPECT_EQ(box->currentIndex(), 3);
}

TEST(CaptionsFile, ByteOrderMarkedFilesAreRead) {
  ScratchFolder folder;
  std::string utf16 = "\xFF\xFE";
  for (char c : std::string("Fichier\r\n")) {
    utf16 += c;
    utf16 += '\0';
  }
  folder.write("IMAGES/language2.txt", utf16);
  Program program;
  EXPECT_EQ(program.form().File1->title(), "Fichier");
  folder.write("IMAGES/language2.txt", "\xEF\xBB\xBF\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB\r\n");
  program.settings().LoadLanguageFile();
  EXPECT_EQ(program.form().File1->title(), QString::fromUtf8("\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB"));
}

TEST(CaptionsFile, SecondBuildReads161LinesAndCopiesDescriptionsToTheHints) {
  ScratchFolder folder;
  folder.write("IMAGES/language2.txt", NumberedFile(173));
  Program program(SecondProgramProfile());
  TForm1& form = program.form();
  ASSERT_EQ(form.NodeTypes.size(), 36u);
  for (int t = 0; t < 36; ++t) EXPECT_EQ(form.NodeTypes[static_cast<std::size_t>(t)].Uinfo, Line(126 + t)) << t;
  EXPECT_EQ(form.File1->title().toStdString(), Line(1));
  EXPECT_EQ(form.windowTitle(), "Vemu - circuit editor (1 September 2005)");
  // Menu items keep their own hints on the lines that name them.
  EXPECT_EQ(form.SaveSubcircuit1->statusTip(), "");
  EXPECT_EQ(form.CreateFromCir1->statusTip(), "");
  EXPECT_EQ(form.SaveAs1->statusTip().toStdString(), Line(99));  // from its action ActSaveAs
  // The palette hints and the amplifier captions come from the descriptions.
  EXPECT_EQ(form.SpeedButton32->toolTip().toStdString(), Line(126 + 0));
  EXPECT_EQ(form.SpeedButton41->toolTip().toStdString(), Line(126 + 2));
  EXPECT_EQ(Palette(form, "SpeedButton5")->toolTip().toStdString(), Line(126 + 19));
  EXPECT_EQ(form.SpeedButton31->toolTip().toStdString(), Line(126 + 32));
  EXPECT_EQ(form.K1->text().toStdString(), Line(126 + 25));
  EXPECT_EQ(form.B1->text().toStdString(), Line(126 + 27));
  EXPECT_EQ(form.H1->text().toStdString(), Line(126 + 28));
  // The amplifier buttons keep their design hints; SpeedButton42 keeps line 125.
  EXPECT_EQ(form.findChild<QToolButton*>("SpeedButton25")->toolTip().left(1), "\"");
  EXPECT_EQ(form.SpeedButton42->toolTip().toStdString(), Line(125));
  // Lines after 161 are not read.
  for (QObject* o : form.findChildren<QObject*>())
    if (auto* a = qobject_cast<QAction*>(o)) { EXPECT_NE(a->text().toStdString(), Line(167)); }
}

TEST(CaptionsFile, SecondBuildHintsAreCutToTheDescription) {
  ScratchFolder folder;
  const std::string longLine(150, 'R');
  folder.write("IMAGES/language2.txt", NumberedFile(161, {{126 + 19, longLine}}));
  Program program(SecondProgramProfile());
  EXPECT_EQ(Palette(program.form(), "SpeedButton5")->toolTip().toStdString(), std::string(100, 'R'));
}
