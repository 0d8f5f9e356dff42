// The value window: what ShowNode puts into each control for the kinds of
// node, and what OK stores (names, net number swaps, ground marks, signs,
// values of elements and text notes), with its refusals and keys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>

#include "catalogue/messages.h"
#include "platform/scripted_dialogs.h"
#include "support/scratch_folder.h"
#include "ui/tform1.h"
#include "ui/value_window.h"
#include "ui/window_set.h"
#include "support/graph_members.h"

using vemu::catalogue::GetMsg;
using vemu::model::TheNode;
namespace model = vemu::model;

namespace {

class ValueWindowTest : public ::testing::Test {
 protected:
  ValueWindowTest() : scope(dialogs) {
    folder.copyShippedData();
    set = std::make_unique<WindowSet>(FullProgramProfile(), std::vector<std::string>{"vemu3"});
    form = set->windows().Form1;
    window = set->windows().FormInputValue;
    root = form->Graph->MainNode;
    j1 = member(root, model::ntJunction, "1");
    j2 = member(root, model::ntJunction, "2");
    r1 = member(root, 19, "R1", "1k");
    form->Graph->AddLine(-2, r1, j1, model::alOutPin);
    form->Graph->AddLine(-2, r1, j2, model::alInPin);
    amp = member(root, 27, "K1", "5");
    amp->Polarity = 1;
    x1 = member(root, model::ntSubCircuit, "X1", "junk");
    inner = member(x1, model::ntJunction, "1");
    note = member(root, model::ntText, "text", "first/second line");
    single = member(root, model::ntText, "text", "one line");
  }

  TheNode* member(TheNode* owner, std::uint8_t type, const char* name, const char* value = "") {
    return vemu::testing::AddMember(*form->Graph, owner, type, name, 0, 0, value);
  }
  QString memoText() const { return window->Memo1->toPlainText(); }
  // OK on `n` after the given edits; true when the window closed.
  bool ok(TheNode* n, const QString& name, const QString& value) {
    window->ShowNode(n);
    window->Edit1->setText(name);
    window->Memo1->setPlainText(value);
    window->setResult(-1);
    window->ButtonOKClick();
    return window->result() == QDialog::Accepted;
  }
  void key(QWidget* target, int code) {
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
  }

  vemu::test::ScratchFolder folder;
  vemu::platform::ScriptedDialogs dialogs;
  vemu::platform::ScopedDialogs scope;
  std::unique_ptr<WindowSet> set;
  TForm1* form = nullptr;
  TFormInputValue* window = nullptr;
  TheNode *root, *j1, *j2, *r1, *amp, *x1, *inner, *note, *single;
};

TEST_F(ValueWindowTest, ShowNodeFillsTheControlsByKind) {
  struct Expect {
    TheNode* node;
    bool subButton, ground, inversion, inversionChecked;
    QString memo;
    int hint;
    QRgb base;
  };
  amp->Polarity = 0;
  j1->Ground = 3;
  const Expect cases[] = {
      {j1, false, true, false, false, "", 69, qRgb(255, 255, 0)},
      {r1, false, false, false, false, "1k", 68, qRgb(255, 255, 255)},
      {amp, false, false, true, true, "5", 68, qRgb(255, 255, 255)},
      {x1, true, false, false, false, "junk", 69, qRgb(255, 255, 0)},
      {note, false, false, false, false, "first\nsecond line", 0, qRgb(255, 255, 255)},
      {single, false, false, false, false, "one line", 0, qRgb(255, 255, 255)},
  };
  for (const Expect& c : cases) {
    window->ShowNode(c.node);
    const std::string name = c.node->Name.str();
    EXPECT_EQ(window->Node, c.node);
    EXPECT_EQ(!window->SpeedButton1->isHidden(), c.subButton) << name;
    EXPECT_EQ(!window->ComboBox1->isHidden(), c.ground) << name;
    EXPECT_EQ(!window->CheckBox1->isHidden(), c.inversion) << name;
    if (c.inversion) {
      EXPECT_EQ(window->CheckBox1->isChecked(), c.inversionChecked);
    }
    EXPECT_EQ(memoText(), c.memo) << name;
    EXPECT_EQ(window->Memo1->toolTip().toStdString(), c.hint ? GetMsg(c.hint) : "") << name;
    EXPECT_EQ(window->Memo1->palette().color(QPalette::Base).rgb(), c.base) << name;
    EXPECT_EQ(window->Memo1->isReadOnly(), c.node == j1 || c.node == x1) << name;
    EXPECT_EQ(window->Edit1->text().toStdString(), name);
    EXPECT_EQ(window->Edit2->text().toInt(), c.node->NodeType);
    EXPECT_EQ(window->Edit3->text().toStdString(), "#" + std::to_string(c.node->Number));
    EXPECT_EQ(window->windowTitle().toStdString(), GetMsg(51));
    ASSERT_FALSE(window->Image1->pixmap().isNull());
    EXPECT_EQ(window->Image1->pixmap().size(), QSize(32, 32));
  }
  window->ShowNode(j1);
  EXPECT_EQ(window->ComboBox1->currentIndex(), 3);
  EXPECT_EQ(window->ComboBox1->itemText(4), "Ground RIGHT");

  window->ShowNode(nullptr);
  EXPECT_EQ(window->Node, nullptr);
  EXPECT_TRUE(window->SpeedButton1->isHidden());
  EXPECT_TRUE(memoText().isEmpty());
}

TEST_F(ValueWindowTest, InformationListsOwnerAndLinks) {
  window->ShowNode(r1);
  const QStringList lines = window->Memo2->toPlainText().split('\n');
  ASSERT_EQ(lines.size(), 6);
  EXPECT_EQ(lines[0].toStdString(), form->NodeTypes[19].Uinfo);
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], "Inside: nil:Upper Level [#1] ");
  EXPECT_EQ(lines[3], "Lines : 2");
  EXPECT_EQ(lines[4], " --(beg)--> 1 [#2] ");
  EXPECT_EQ(lines[5], " --(end)--> 2 [#3] ");
  window->ShowNode(root);  // no owner: no "Inside: " line
  EXPECT_FALSE(window->Memo2->toPlainText().contains("Inside: "));
  EXPECT_TRUE(window->Memo2->toPlainText().contains(" --(HAVE)--> 1 [#2] "));
}

TEST_F(ValueWindowTest, OkStoresNamesAndValuesByKind) {
  EXPECT_TRUE(ok(r1, "R7", "2k"));
  EXPECT_EQ(r1->Name.str(), "R7");
  EXPECT_EQ(r1->Value, "2k");
  EXPECT_EQ(form->Graph->CurrentNode, r1);
  EXPECT_EQ(form->Backup.BackupCount, 1);  // OK is an editing command

  EXPECT_TRUE(ok(single, "text", "only\nthis"));
  EXPECT_EQ(single->Value, "only");  // a one-line note keeps the first line
  EXPECT_TRUE(ok(note, "text", "a b\nc\nd"));
  EXPECT_EQ(note->Value, "a b/c/d");
  EXPECT_TRUE(ok(x1, "X2", "value"));
  EXPECT_EQ(x1->Name.str(), "X2");
  EXPECT_EQ(x1->Value, "");  // a container keeps no value
  EXPECT_TRUE(ok(r1, "R7", ""));
  EXPECT_EQ(r1->Value, "");

  window->ShowNode(amp);
  window->CheckBox1->setChecked(true);
  window->ButtonOKClick();
  EXPECT_EQ(amp->Polarity, 0);
  window->ShowNode(amp);
  EXPECT_TRUE(window->CheckBox1->isChecked());
  window->CheckBox1->setChecked(false);
  window->ButtonOKClick();
  EXPECT_EQ(amp->Polarity, 1);
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(ValueWindowTest, RefusalsKeepTheWindowOpenAndStoreNothing) {
  struct Case {
    TheNode* node;
    const char* name;
    const char* value;
    std::string box;
  };
  const Case cases[] = {
      {j1, "ab", "", "\"ab\" - " + GetMsg(46)},
      {r1, "R 1", "1k", "A name cannot contain blanks: [R 1]"},
      {r1, "R1", "1 k", "A value cannot contain blanks: [1 k]"},
      {root, "Top", "", "The upper level keeps its name"},
  };
  for (const Case& c : cases) {
    TheNode* n = c.node;
    const std::string name = n->Name.str(), value = n->Value;
    dialogs.boxes.clear();
    EXPECT_FALSE(ok(n, c.name, c.value)) << c.name;
    ASSERT_EQ(dialogs.boxes.size(), 1u) << c.name;
    EXPECT_EQ(dialogs.boxes[0].text, c.box);
    EXPECT_EQ(n->Name.str(), name);
    EXPECT_EQ(n->Value, value);
  }
  EXPECT_EQ(form->Backup.BackupCount, 0);
}

TEST_F(ValueWindowTest, JunctionNamesSwapNetNumbersAndGroundRenumbers) {
  EXPECT_TRUE(ok(j1, "2", "ignored"));
  EXPECT_EQ(j1->Name.str(), "2");
  EXPECT_EQ(j2->Name.str(), "1");
  EXPECT_EQ(inner->Name.str(), "2");  // every junction of net 1
  EXPECT_EQ(j1->Value, "");          // a junction takes no value

  dialogs.boxes.clear();
  window->ShowNode(j1);
  window->Edit1->setText("9");
  window->ComboBox1->setCurrentIndex(1);
  window->ButtonOKClick();
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text, GetMsg(47) + "=[9]");
  EXPECT_EQ(j1->Ground, 1);  // the other edits are stored
  EXPECT_EQ(j1->Name.str(), "0");  // the ground mark renumbered the nets at once

  j2->Ground = 7;  // no such item: the mark stays as it is
  EXPECT_TRUE(ok(j2, QString::fromStdString(j2->Name.str()), ""));
  EXPECT_EQ(j2->Ground, 7);
}

TEST_F(ValueWindowTest, KeysAndButtons) {
  window->ShowNode(r1);
  window->Edit1->setText("R9");
  window->setResult(-1);
  key(window->Edit1, Qt::Key_Return);
  EXPECT_EQ(r1->Name.str(), "R9");
  EXPECT_EQ(window->result(), QDialog::Accepted);

  window->ShowNode(r1);
  window->Memo1->setPlainText("7");
  key(window->Memo1, Qt::Key_Enter);
  EXPECT_EQ(r1->Value, "7");

  window->ShowNode(note);  // Enter in a multi-line note is a line break
  window->setResult(-1);
  key(window->Memo1, Qt::Key_Return);
  EXPECT_EQ(window->result(), -1);
  EXPECT_EQ(note->Value, "first/second line");

  window->ShowNode(r1);
  window->Edit1->setText("R5");
  key(window->Edit1, Qt::Key_Escape);
  EXPECT_EQ(window->result(), QDialog::Rejected);
  EXPECT_EQ(r1->Name.str(), "R9");

  // A node the circuit no longer holds is not written to.
  window->ShowNode(amp);
  form->Graph->DeleteNode(amp);
  window->setResult(-1);
  window->ButtonOKClick();
  EXPECT_EQ(window->result(), QDialog::Accepted);
  EXPECT_EQ(form->Graph->CurrentNode, nullptr);

  form->Memo1->hide();
  window->Button1Click();
  EXPECT_FALSE(form->Memo1->isHidden());
  EXPECT_FALSE(window->Edit3->isHidden());
  window->Button1Click();
  EXPECT_TRUE(form->Memo1->isHidden());
  EXPECT_TRUE(window->Label4->isHidden());
}

}  // namespace
