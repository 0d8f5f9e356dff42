// The settings window: start.txt at creation, the controls and the
// Settings they edit, OK, SAVE, Esc, the colour edits and setup.sym.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <map>
#include <memory>

#include "catalogue/settings.h"
#include "catalogue/settings_file.h"
#include "catalogue/windows/settings_updown.h"
#include "catalogue/windows/settings_window.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_text.h"
#include "platform/scripted_dialogs.h"
#include "platform/text_file.h"
#include "support/scratch_folder.h"
#include "ui/tform1.h"
#include "ui/window_set.h"
#include "view/view_globals.h"

using vemu::catalogue::Settings;
using vemu::catalogue::SystemColor;
namespace platform = vemu::platform;

namespace {

class SettingsWindowTest : public ::testing::Test {
 protected:
  void TearDown() override {
    vemu::view::ArrowSize = savedArrowSize_;
    vemu::view::LineSpeed = savedLineSpeed_;
  }

  std::unique_ptr<WindowSet> Start() {
    return std::make_unique<WindowSet>(FullProgramProfile(), std::vector<std::string>{"vemu3"});
  }
  static TForm3& Form3(WindowSet& ws) { return *ws.windows().Form3; }
  static TForm1& Form1(WindowSet& ws) { return *ws.windows().Form1; }
  static Settings& Values(WindowSet& ws) { return *ws.windows().Settings; }

  void WriteStart(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) bytes += line + "\r\n";
    folder_.write("IMAGES/start.txt", bytes);
  }

  static QColor Shown(QLineEdit* edit) { return edit->palette().color(QPalette::Base); }

  vemu::test::ScratchFolder folder_;
  platform::ScriptedDialogs dialogs_;
  platform::ScopedDialogs scoped_{dialogs_};

 private:
  int savedArrowSize_ = vemu::view::ArrowSize;
  int savedLineSpeed_ = vemu::view::LineSpeed;
};

}  // namespace

TEST_F(SettingsWindowTest, ControlsCarryTheirNamesAndDesignTexts) {
  auto ws = Start();
  TForm3& f = Form3(*ws);
  const std::map<std::string, std::string> groups = {
      {"GroupBox1", "Shadow settings"}, {"GroupBox2", "Other"}, {"GroupBox3", "Nodes"}, {"GroupBox4", "Lines"}};
  for (const auto& [name, title] : groups) {
    auto* box = f.findChild<QGroupBox*>(QString::fromStdString(name));
    ASSERT_NE(box, nullptr) << name;
    EXPECT_EQ(box->title().toStdString(), title);
  }
  EXPECT_EQ(f.findChildren<QCheckBox*>().size(), 28);
  // Every check box sits in one of the four boxes.
  for (QCheckBox* check : f.findChildren<QCheckBox*>())
    EXPECT_NE(qobject_cast<QGroupBox*>(check->parentWidget()), nullptr) << check->objectName().toStdString();
  const std::map<std::string, std::string> labels = {
      {"Label1", "Speed of timer num/sec"}, {"Label2", "Speed of lines"},
      {"Label3", "After point"}, {"Label4", "Arrow size"},
      {"Label5", "Color and width of line 0"}, {"Label6", "Color and width of line 1"},
      {"Label7", "Color and width of line 2"}, {"Label8", "Size of Grid"},
      {"LabelText", "Text Line clolor"}, {"LabelBatBox", "Computation Type"}};
  for (const auto& [name, text] : labels) {
    auto* label = f.findChild<QLabel*>(QString::fromStdString(name));
    ASSERT_NE(label, nullptr) << name;
    EXPECT_EQ(label->text().toStdString(), text);
  }
  EXPECT_EQ(f.findChild<QCheckBox*>("CheckPlusMines")->text().toStdString(), "(+,-) On ALL");
  EXPECT_EQ(f.findChild<QCheckBox*>("CheckBox2")->text().toStdString(), "Need Ground Node");
  EXPECT_EQ(f.findChild<QLineEdit*>("EditInfoColor")->text().toStdString(), "Dependently line");
  EXPECT_EQ(f.findChild<QLineEdit*>("EditTBrush")->text().toStdString(), "TextBrush");
  EXPECT_EQ(f.findChild<QLineEdit*>("EditTColor")->text().toStdString(), "TextColor");
  EXPECT_EQ(f.findChild<QPushButton*>("ButtonOK")->text().toStdString(), "OK");
  EXPECT_EQ(f.findChild<QPushButton*>("ButtonSAVE")->text().toStdString(), "SAVE");
  EXPECT_EQ(f.findChild<QPushButton*>("Button1")->text().toStdString(), "setup.sym");
  // Only the grid size, the pointer size and the extra line are typed in.
  for (QLineEdit* edit : f.findChildren<QLineEdit*>()) {
    const std::string name = edit->objectName().toStdString();
    const bool typed = name == "EditGrid" || name == "EditTLine" || name == "EditAdditionalStr";
    EXPECT_EQ(edit->isReadOnly(), !typed) << name;
  }
  const std::map<std::string, std::pair<int, int>> limits = {
      {"UpDownTimer", {1, 40}}, {"UpDownSpeedLines", {1, 10}}, {"UpDown1", {1, 10}},
      {"UpDownArrowSize", {0, 30}}, {"UpDownLine1", {1, 10}}, {"UpDownLine2", {1, 10}},
      {"UpDownLine3", {1, 10}}, {"UpDownGrid", {0, 100}}, {"UpDownTLine", {0, 100}}};
  for (const auto& [name, range] : limits) {
    auto* arrows = f.findChild<UpDownArrows*>(QString::fromStdString(name));
    ASSERT_NE(arrows, nullptr) << name;
    EXPECT_EQ(arrows->minimum(), range.first) << name;
    EXPECT_EQ(arrows->maximum(), range.second) << name;
  }
}

TEST_F(SettingsWindowTest, MissingStartFileGivesDesignValues) {
  auto ws = Start();
  TForm3& f = Form3(*ws);
  TForm1& main = Form1(*ws);
  EXPECT_TRUE(f.CheckShadow->isChecked());
  EXPECT_FALSE(f.CheckTransparency->isChecked());
  EXPECT_TRUE(f.CheckTreeActionByOnePress->isChecked());
  EXPECT_EQ(f.EditTimer->text(), "20");
  EXPECT_EQ(f.EditAdditionalStr->text(), ".AC LOG 5 10100");
  EXPECT_EQ(f.EditGrid->text(), "15");
  EXPECT_EQ(Shown(f.EditLine3Color), QColor(255, 0, 0));
  EXPECT_EQ(Shown(f.EditGrid), QColor(0, 255, 255));
  EXPECT_EQ(Shown(f.EditTBrush), platform::colorFromRef(SystemColor(24)));
  ASSERT_EQ(f.BoxBat->count(), 4);
  EXPECT_EQ(f.BoxBat->itemText(0), "1");
  EXPECT_EQ(f.BoxBat->itemText(3), "4");
  EXPECT_EQ(f.BoxBat->currentIndex(), 1);
  EXPECT_EQ(Values(*ws).BoxBat, 1);
  // The line widths wait for start.txt or OK.
  EXPECT_EQ(main.LineWidth0, 0);
  EXPECT_EQ(main.LineWidth1, 0);
  EXPECT_EQ(main.LineWidth2, 0);
  EXPECT_EQ(main.GridStep, 15);
  EXPECT_EQ(vemu::view::LineSpeed, 2);
  EXPECT_EQ(vemu::view::ArrowSize, 3);
  EXPECT_EQ(f.UpDownSpeedLines->position(), 2);
  EXPECT_EQ(main.Timer1->interval(), 50);
  EXPECT_TRUE(main.Timer1->isActive());
  EXPECT_FALSE(platform::fileExists(folder_.file("IMAGES/start.txt")));
}

TEST_F(SettingsWindowTest, OddStartFileLines) {
  std::vector<std::string> lines = vemu::catalogue::StartFileLines(Settings{});
  lines[0] = "1 ";      // CheckShadow
  lines[6] = "true";    // CheckNamesSee
  lines[10] = "1";      // CheckTransparency
  lines[12] = "abc";    // colour of line 0
  lines[13] = "7";      // width of line 0
  lines[15] = "thin";   // width of line 1
  lines[27] = "30";     // grid size
  lines[41] = "2";      // computation type
  WriteStart(lines);
  auto ws = Start();
  TForm3& f = Form3(*ws);
  EXPECT_FALSE(f.CheckShadow->isChecked());
  EXPECT_FALSE(f.CheckNamesSee->isChecked());
  EXPECT_FALSE(Values(*ws).CheckNamesSee);
  EXPECT_TRUE(f.CheckTransparency->isChecked());
  EXPECT_EQ(Values(*ws).Line1Color, 32768u);
  EXPECT_EQ(Shown(f.EditLine1Color), QColor(0, 128, 0));
  EXPECT_EQ(f.EditLine1Color->text(), "7");
  EXPECT_EQ(f.EditLine2Color->text(), "thin");
  EXPECT_EQ(Form1(*ws).LineWidth0, 7);
  EXPECT_EQ(Form1(*ws).LineWidth1, 1);
  EXPECT_EQ(Form1(*ws).LineWidth2, 1);
  EXPECT_EQ(Form1(*ws).GridStep, 30);
  EXPECT_EQ(f.UpDownGrid->position(), 30);
  EXPECT_EQ(f.BoxBat->currentIndex(), 2);
}

TEST_F(SettingsWindowTest, ShortStartFile) {
  WriteStart({"1", "1", "10"});
  auto ws = Start();
  TForm3& f = Form3(*ws);
  EXPECT_TRUE(f.CheckShadowMoving->isChecked());
  EXPECT_FALSE(f.CheckCross->isChecked());
  EXPECT_FALSE(f.CheckBox2->isChecked());
  EXPECT_EQ(f.EditSpeedLines->text(), "");
  EXPECT_EQ(f.EditAdditionalStr->text(), "");
  EXPECT_EQ(f.EditGrid->text(), "15");
  EXPECT_EQ(Form1(*ws).LineWidth0, 2);
  EXPECT_EQ(Form1(*ws).LineWidth1, 1);
  EXPECT_EQ(Form1(*ws).LineWidth2, 1);
  EXPECT_EQ(f.BoxBat->currentIndex(), 1);
  EXPECT_EQ(Form1(*ws).Timer1->interval(), 100);
  // No integer in the speed edit: the speed stays at its start value.
  EXPECT_EQ(vemu::view::LineSpeed, 1);
}

TEST_F(SettingsWindowTest, BadTickRateKeepsTheTimerRunning) {
  for (const char* rate : {"0", "", "fast", "41"}) {
    std::vector<std::string> lines = vemu::catalogue::StartFileLines(Settings{});
    lines[2] = rate;
    WriteStart(lines);
    auto ws = Start();
    EXPECT_EQ(Form1(*ws).Timer1->interval(), 50) << rate;
    EXPECT_TRUE(Form1(*ws).Timer1->isActive()) << rate;
    EXPECT_EQ(Form3(*ws).EditTimer->text().toStdString(), rate);
  }
}

TEST_F(SettingsWindowTest, OkSetsTimerIntervalFromRate) {
  auto ws = Start();
  TForm3& f = Form3(*ws);
  QTimer& timer = *Form1(*ws).Timer1;
  const std::vector<std::pair<std::string, int>> cases = {
      {"40", 25}, {"1", 1000}, {"3", 333}, {"0", 333}, {"", 333}, {"word", 333}, {"-2", 333}, {"20", 50}};
  for (const auto& [rate, interval] : cases) {
    f.EditTimer->setText(QString::fromStdString(rate));
    f.ButtonOKClick();
    EXPECT_EQ(timer.interval(), interval) << rate;
    EXPECT_TRUE(timer.isActive()) << rate;
  }
}

TEST_F(SettingsWindowTest, OkCopiesOnlyIntegers) {
  auto ws = Start();
  TForm3& f = Form3(*ws);
  TForm1& main = Form1(*ws);
  f.UpDownSpeedLines->upButton()->click();
  f.UpDownArrowSize->downButton()->click();
  f.UpDownLine2->upButton()->click();
  f.EditGrid->setText("grid");
  f.ButtonOK->click();
  EXPECT_EQ(vemu::view::LineSpeed, 3);
  EXPECT_EQ(vemu::view::ArrowSize, 2);
  EXPECT_EQ(main.LineWidth0, 2);
  EXPECT_EQ(main.LineWidth1, 2);
  EXPECT_EQ(main.LineWidth2, 1);
  EXPECT_EQ(main.GridStep, 15);
  f.EditGrid->setText("45");
  f.ButtonOK->click();
  EXPECT_EQ(main.GridStep, 45);
  // OK writes nothing.
  EXPECT_FALSE(platform::fileExists(folder_.file("IMAGES/start.txt")));
}

TEST_F(SettingsWindowTest, ControlsChangeTheSettingsAtOnce) {
  auto ws = Start();
  TForm3& f = Form3(*ws);
  Settings& s = Values(*ws);
  f.CheckPlusMines->click();
  EXPECT_TRUE(s.CheckPlusMines);
  f.CheckEye->click();
  EXPECT_FALSE(s.CheckEye);
  f.BoxBat->setCurrentIndex(3);
  EXPECT_EQ(s.BoxBat, 3);
  f.EditAdditionalStr->setText(QString::fromUtf8("\xD0\x97 .TRAN\r\nR9"));  // Cyrillic Ze; a pasted line break
  EXPECT_EQ(s.EditAdditionalStr, "\xC7 .TRAN R9");
  f.EditTLine->setText("12");
  EXPECT_EQ(s.EditTLine, "12");
  EXPECT_EQ(f.UpDownTLine->position(), 12);
  // And back: settings changed elsewhere show when the window opens.
  s.CheckSeeGrid = true;
  s.GridColor = 0x000000FF;
  f.ShowSettings();
  EXPECT_TRUE(f.CheckSeeGrid->isChecked());
  EXPECT_EQ(Shown(f.EditGrid), QColor(255, 0, 0));
}

TEST_F(SettingsWindowTest, ArrowsStayWithinLimits) {
  auto ws = Start();
  TForm3& f = Form3(*ws);
  Settings& s = Values(*ws);
  for (int i = 0; i < 30; ++i) f.UpDownTimer->upButton()->click();
  EXPECT_EQ(f.EditTimer->text(), "40");
  EXPECT_EQ(s.EditTimer, "40");
  for (int i = 0; i < 5; ++i) f.UpDownArrowSize->downButton()->click();
  EXPECT_EQ(f.EditArrowSize->text(), "0");
  // A typed size beyond the limit: the arrows go on from the limit.
  f.EditGrid->setText("250");
  f.UpDownGrid->downButton()->click();
  EXPECT_EQ(s.EditGrid, "99");
  // The cursor keys in the edit work the arrows too.
  QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
  QApplication::sendEvent(f.Edit1, &up);
  EXPECT_EQ(s.Edit1, "4");
}

TEST_F(SettingsWindowTest, ColourEdits) {
  auto ws = Start();
  TForm3& f = Form3(*ws);
  Settings& s = Values(*ws);
  dialogs_.colorAnswers = {0x00345678u, std::nullopt, 0x00FF0000u};
  f.EditInfoColorClick(f.EditInfoColor);
  EXPECT_EQ(s.InfoColor, 0x00345678u);
  EXPECT_EQ(Shown(f.EditInfoColor), QColor(0x78, 0x56, 0x34));
  // Cancel keeps the colour.
  f.EditInfoColorClick(f.EditTBrush);
  EXPECT_EQ(s.TBrushColor, SystemColor(24));
  // A click of the mouse on the grid edit opens the dialog too.
  const QPointF centre = QRectF(f.EditGrid->rect()).center();
  QMouseEvent release(QEvent::MouseButtonRelease, centre, f.EditGrid->mapToGlobal(centre), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(f.EditGrid, &release);
  EXPECT_EQ(dialogs_.colorRequests, 3);
  EXPECT_EQ(s.GridColor, 0x00FF0000u);
  EXPECT_EQ(s.EditGrid, "15");
  // A plain edit is no colour edit.
  f.EditInfoColorClick(f.EditAdditionalStr);
  EXPECT_EQ(dialogs_.colorRequests, 3);
}

TEST_F(SettingsWindowTest, SaveThenRestartRestoresEveryControl) {
  std::map<std::string, bool> checked;
  {
    auto ws = Start();
    TForm3& f = Form3(*ws);
    for (QCheckBox* check : f.findChildren<QCheckBox*>()) {
      check->click();
      checked[check->objectName().toStdString()] = check->isChecked();
    }
    ASSERT_EQ(checked.size(), 28u);
    for (int i = 0; i < 5; ++i) f.UpDownTimer->upButton()->click();        // 25
    f.UpDownSpeedLines->upButton()->click();                                // 3
    f.UpDown1->upButton()->click();                                         // 4
    for (int i = 0; i < 4; ++i) f.UpDownArrowSize->upButton()->click();    // 7
    for (int i = 0; i < 3; ++i) f.UpDownLine1->upButton()->click();        // 5
    for (int i = 0; i < 5; ++i) f.UpDownLine2->upButton()->click();        // 6
    for (int i = 0; i < 6; ++i) f.UpDownLine3->upButton()->click();        // 7
    f.EditGrid->setText("35");
    f.EditTLine->setText("8");
    f.EditAdditionalStr->setText(QString::fromUtf8(".NOISE \xD0\x97"));
    dialogs_.colorAnswers = {0x00000011u, 0x00002200u, 0x00330000u, SystemColor(15),
                             0x00445566u, 0x00778899u, SystemColor(5),  0x00ABCDEFu};
    for (QLineEdit* edit : {f.EditLine1Color, f.EditLine2Color, f.EditLine3Color, f.EditInfoColor,
                            f.EditGrid, f.EditTLine, f.EditTBrush, f.EditTColor})
      f.EditInfoColorClick(edit);
    f.BoxBat->setCurrentIndex(3);
    f.ButtonSAVE->click();
    EXPECT_EQ(Form1(*ws).Timer1->interval(), 40);
  }
  const std::string file = folder_.read("IMAGES/start.txt");
  EXPECT_EQ(platform::splitLines(file).size(), 51u);
  EXPECT_NE(file.find("\r\n1\r\n2\r\n3\r\nDo not EDIT this File !!!!!!\r\n"), std::string::npos);

  auto ws = Start();
  TForm3& f = Form3(*ws);
  const Settings& s = Values(*ws);
  for (const auto& [name, on] : checked) {
    auto* check = f.findChild<QCheckBox*>(QString::fromStdString(name));
    ASSERT_NE(check, nullptr) << name;
    EXPECT_EQ(check->isChecked(), on) << name;
  }
  EXPECT_EQ(f.EditTimer->text(), "25");
  EXPECT_EQ(f.EditSpeedLines->text(), "3");
  EXPECT_EQ(f.Edit1->text(), "4");
  EXPECT_EQ(f.EditArrowSize->text(), "7");
  EXPECT_EQ(f.EditLine1Color->text(), "5");
  EXPECT_EQ(f.EditLine2Color->text(), "6");
  EXPECT_EQ(f.EditLine3Color->text(), "7");
  EXPECT_EQ(f.EditGrid->text(), "35");
  EXPECT_EQ(f.EditTLine->text(), "8");
  EXPECT_EQ(f.EditAdditionalStr->text(), QString::fromUtf8(".NOISE \xD0\x97"));
  EXPECT_EQ(s.Line1Color, 0x00000011u);
  EXPECT_EQ(s.Line2Color, 0x00002200u);
  EXPECT_EQ(s.Line3Color, 0x00330000u);
  EXPECT_EQ(s.InfoColor, SystemColor(15));
  EXPECT_EQ(s.GridColor, 0x00445566u);
  EXPECT_EQ(s.TLineColor, 0x00778899u);
  EXPECT_EQ(s.TBrushColor, SystemColor(5));
  EXPECT_EQ(s.TColorColor, 0x00ABCDEFu);
  EXPECT_EQ(Shown(f.EditLine1Color), QColor(0x11, 0, 0));
  EXPECT_EQ(Shown(f.EditTColor), QColor(0xEF, 0xCD, 0xAB));
  EXPECT_EQ(Shown(f.EditInfoColor), platform::colorFromRef(SystemColor(15)));
  EXPECT_EQ(f.BoxBat->currentIndex(), 3);
  EXPECT_EQ(s.BoxBat, 3);
  // The copied values come from the file too.
  EXPECT_EQ(Form1(*ws).LineWidth0, 5);
  EXPECT_EQ(Form1(*ws).LineWidth1, 6);
  EXPECT_EQ(Form1(*ws).LineWidth2, 7);
  EXPECT_EQ(Form1(*ws).GridStep, 35);
  EXPECT_EQ(Form1(*ws).Timer1->interval(), 40);
  EXPECT_EQ(vemu::view::LineSpeed, 3);
  EXPECT_EQ(vemu::view::ArrowSize, 7);
  EXPECT_EQ(f.UpDownArrowSize->position(), 7);
}

TEST_F(SettingsWindowTest, EscClosesWithoutSaving) {
  {
    auto ws = Start();
    TForm3& f = Form3(*ws);
    f.show();
    f.CheckNamesSee->click();
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(f.EditAdditionalStr, &esc);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.result(), QDialog::Rejected);
    EXPECT_FALSE(f.CheckNamesSee->isChecked());
    EXPECT_FALSE(Values(*ws).CheckNamesSee);
    // Shown again, the box is still as left.
    f.show();
    EXPECT_FALSE(f.CheckNamesSee->isChecked());
    f.FormKeyPress(27);
    EXPECT_FALSE(f.isVisible());
  }
  EXPECT_FALSE(platform::fileExists(folder_.file("IMAGES/start.txt")));
  auto ws = Start();
  EXPECT_TRUE(Form3(*ws).CheckNamesSee->isChecked());
  EXPECT_TRUE(Values(*ws).CheckNamesSee);
}

TEST_F(SettingsWindowTest, ExecReturnsOnOk) {
  auto ws = Start();
  TForm3& f = Form3(*ws);
  QTimer::singleShot(0, f.ButtonOK, &QPushButton::click);
  EXPECT_EQ(f.exec(), QDialog::Accepted);
  EXPECT_FALSE(f.isVisible());
}

TEST_F(SettingsWindowTest, ItsDialogsBelongToItNotToTheMainWindow) {
  auto ws = Start();
  platform::QtDialogs qt(&Form1(*ws));
  platform::ScopedDialogs real(qt);
  QWidget* owner = nullptr;
  Form3(*ws).open();
  QTimer::singleShot(0, [&] { owner = QApplication::activeModalWidget()->parentWidget(); });
  QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
  Form3(*ws).Button1Click();  // no setup.sym: a box says so
  EXPECT_EQ(owner, &Form3(*ws));
}

TEST_F(SettingsWindowTest, SetupSymMissing) {
  folder_.write("IMAGES/language1.txt", "Cannot find file\r\nsecond\r\n");
  auto ws = Start();
  dialogs_.boxes.clear();
  Form3(*ws).Button1Click();
  ASSERT_EQ(dialogs_.boxes.size(), 1u);
  EXPECT_EQ(dialogs_.boxes[0].text, "Cannot find file\r" + folder_.file("setup.sym"));
  EXPECT_TRUE(dialogs_.textEditRequests.empty());
}

TEST_F(SettingsWindowTest, SetupSymEditedAndWrittenBack) {
  folder_.write("setup.sym", "Output \"s\" (1) or \"p\" (0)\r\n1\r\n\xC7\r\n");
  auto ws = Start();
  TForm3& f = Form3(*ws);
  dialogs_.boxes.clear();
  // Cancel writes nothing.
  dialogs_.textEditAnswers.push_back(std::nullopt);
  f.Button1Click();
  ASSERT_EQ(dialogs_.textEditRequests.size(), 1u);
  const platform::TextEditRequest& request = dialogs_.textEditRequests[0];
  EXPECT_EQ(request.caption, "Vemu");
  EXPECT_EQ(request.text, "File: \"setup.sym\"\rMSG35");
  EXPECT_EQ(request.width, 310);
  EXPECT_EQ(request.height, 400);
  EXPECT_EQ(request.lines, (std::vector<std::string>{"Output \"s\" (1) or \"p\" (0)", "1", "\xD0\x97"}));
  EXPECT_EQ(folder_.read("setup.sym"), "Output \"s\" (1) or \"p\" (0)\r\n1\r\n\xC7\r\n");
  // OK writes the edited lines back, in the file's code page.
  dialogs_.textEditAnswers.push_back(std::vector<std::string>{"Output \"s\" (1) or \"p\" (0)", "0", "\xD0\x97!"});
  f.Button1Click();
  EXPECT_EQ(folder_.read("setup.sym"), "Output \"s\" (1) or \"p\" (0)\r\n0\r\n\xC7!\r\n");
  EXPECT_TRUE(dialogs_.boxes.empty());
}
