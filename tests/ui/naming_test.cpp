// Name and value editing in the main window: "New" with the node fields,
// the quick stores of Edit2 and Edit3 through their keys and clicks, the
// ground mark through menu and button, Rename, and the second build's
// input box and properties window.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "build2/second_profile.h"
#include "catalogue/messages.h"
#include "editing_program.h"
#include "ui/properties_window.h"

using vemu::catalogue::GetMsg;
using vemu::model::TheNode;
using vemu::test::EditingProgram;
using vemu::test::ModalWindows;

namespace {

TheNode* addMember(TForm1& form, int type, const std::string& name, const std::string& value = "") {
  TheNode* n = form.Graph->AddNode(form.Graph->MainNode, static_cast<std::uint8_t>(type));
  n->Name = name;
  n->Value = value;
  form.Graph->AddLine(-1, form.Graph->MainNode, n, vemu::model::alHaveItem);
  return n;
}

void setFields(TForm1& form, TheNode* current, const QString& name, const QString& value) {
  form.SetCurrentNode(current);
  form.Edit2->setText(name);
  form.Edit3->setText(value);
}

TEST(NamingFields, NewStoresWithOneSnapshotAndRefusesBlanks) {
  EditingProgram program;
  TForm1& form = program.form();
  TheNode* r = addMember(form, 19, "R1", "1");
  r->Selected = 1;
  setFields(form, r, "R5", "2k");
  form.Button2->click();
  EXPECT_EQ(r->Name.str(), "R5");
  EXPECT_EQ(r->Value, "2k");
  EXPECT_EQ(r->Selected, 0);
  EXPECT_EQ(form.Backup.BackupCount, 1);
  setFields(form, r, "R 6", "3");
  form.Button2->click();
  EXPECT_EQ(r->Name.str(), "R5");
  ASSERT_EQ(program.dialogs.boxes.size(), 1u);
  EXPECT_EQ(program.dialogs.boxes[0].icon, vemu::platform::MsgIcon::Warning);
  EXPECT_EQ(form.Backup.BackupCount, 1);
}

TEST(NamingFields, JunctionNumbersSwapThroughNew) {
  EditingProgram program;
  TForm1& form = program.form();
  TheNode* j3 = addMember(form, 2, "3");
  TheNode* j5 = addMember(form, 2, "5");
  setFields(form, j3, "5", "");
  form.Button2->click();
  EXPECT_EQ(j3->Name.str(), "5");
  EXPECT_EQ(j5->Name.str(), "3");
  EXPECT_EQ(form.StatusText(2), GetMsg(48) + " from 3 to 5");
  setFields(form, j3, "9", "");
  form.Button2->click();
  EXPECT_EQ(program.dialogs.texts(), std::vector<std::string>{GetMsg(47) + "=[9]"});
}

TEST(NamingFields, QuickStoresThroughKeysAndClick) {
  EditingProgram program;
  TForm1& form = program.form();
  TheNode* r = addMember(form, 19, "R1", "1");
  setFields(form, r, "R2", "1e3");
  program.key(form.Edit3, Qt::Key_Space, " ");
  EXPECT_EQ(r->Name.str(), "R2");
  EXPECT_EQ(r->Value, "1e3");
  EXPECT_EQ(form.Edit3->text(), "1e3");  // the space was swallowed
  EXPECT_EQ(form.StatusText(2), GetMsg(35));
  form.Edit3->setText("R1");
  program.key(form.Edit3, Qt::Key_Return);
  EXPECT_EQ(r->Value, "1e3");
  EXPECT_EQ(form.StatusText(2), GetMsg(36));
  form.Edit3->setText("47");
  QMouseEvent click(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::NoButton,
                    Qt::NoModifier);
  QApplication::sendEvent(form.Edit3, &click);
  EXPECT_EQ(r->Value, "47");
  form.Edit2->setText("R9");
  program.key(form.Edit2, Qt::Key_Return);
  EXPECT_EQ(r->Name.str(), "R9");
  EXPECT_EQ(form.Backup.BackupCount, 0);
}

TEST(NamingGround, MenuAndButtonCycleTheMark) {
  EditingProgram program;
  TForm1& form = program.form();
  TheNode* j = addMember(form, 2, "1");
  form.SetCurrentNode(j);
  form.GroundNode1->trigger();
  EXPECT_EQ(j->Ground, 1);
  EXPECT_EQ(j->Name.str(), "0");  // a ground junction is net 0
  for (int i = 0; i < 4; ++i) form.SpeedButton32->click();
  EXPECT_EQ(j->Ground, 0);
  EXPECT_EQ(form.Backup.BackupCount, 5);
  TheNode* r = addMember(form, 19, "R1");
  TheNode* c = addMember(form, 23, "C1");
  r->Selected = c->Selected = 1;
  form.GroundNode1->trigger();
  EXPECT_EQ(program.dialogs.texts(), std::vector<std::string>{GetMsg(10)});
  EXPECT_EQ(j->Ground, 0);
}

TEST(NamingRename, OpensTheValueEntryOfTheCurrentNode) {
  EditingProgram program;
  TForm1& form = program.form();
  form.SetCurrentNode(nullptr);
  form.Rename->trigger();
  EXPECT_EQ(program.dialogs.texts(), std::vector<std::string>{GetMsg(56)});
  EXPECT_EQ(ModalWindows::shown, 0);
  form.SetCurrentNode(addMember(form, 19, "R1"));
  form.Rename->trigger();
  EXPECT_EQ(ModalWindows::shown, 1);
}

TEST(NamingSecondBuild, InputBoxAndPropertiesWindow) {
  EditingProgram program(SecondProgramProfile());
  TForm1& form = program.form();
  form.SetCurrentNode(nullptr);
  form.Rename->trigger();
  EXPECT_TRUE(program.dialogs.boxes.empty());
  EXPECT_TRUE(program.dialogs.prompts.empty());

  TheNode* r = addMember(form, 19, "R1", "10");
  form.SetCurrentNode(nullptr);
  program.dialogs.inputAnswers.push_back(std::string("22"));
  form.EditNodeValue(r);
  EXPECT_EQ(program.dialogs.prompts, std::vector<std::string>{"R1"});
  EXPECT_EQ(r->Value, "22");
  EXPECT_EQ(form.Graph->CurrentNode, r);
  EXPECT_EQ(form.Backup.BackupCount, 1);

  TheNode* note = addMember(form, 32, "text", "two/lines");
  note->X = 70;
  form.EditNodeValue(note);  // cancelled: nothing stored, the next press is still ignored
  EXPECT_EQ(note->Value, "two/lines");
  EXPECT_EQ(form.IgnoreMouseDown, 1);
  program.dialogs.inputAnswers.push_back(std::string("one"));
  form.EditNodeValue(note);
  EXPECT_EQ(note->Value, "one");
  EXPECT_EQ(note->Wx, 70);  // a note that lost its second line takes its own place as offset
  EXPECT_EQ(form.Backup.BackupCount, 3);

  TheNode* amp = addMember(form, 27, "B1", "5");
  amp->Polarity = 1;
  ModalWindows::onShow = [](QWidget& window) {
    auto* box = window.findChild<QCheckBox*>("Check1Info");
    EXPECT_FALSE(box->isChecked());
    box->setChecked(true);
    window.findChild<QLineEdit*>("EditName")->setText("B12345678901234567890123456789XYZ");
    return 1;
  };
  form.MouseState = 3;
  form.EditNodeValue(amp);
  EXPECT_EQ(amp->Polarity, 0);
  EXPECT_EQ(amp->Name.str(), "B12345678901234567890123456789");
  EXPECT_EQ(amp->Value, "5");
  EXPECT_EQ(form.MouseState, 0);
  EXPECT_EQ(form.Backup.BackupCount, 4);  // Ok took its own snapshot
}

}  // namespace
