// The main window's diagnostics and window commands: the memo's listings and
// node tree, Debug, F4 and Delete, the memo's toggle on the tool-bar area,
// About, the information command and the help page.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QToolButton>
#include <filesystem>

#include "build2/second_profile.h"
#include "editing_program.h"
#include "support/graph_members.h"
#include "ui/about_window.h"
#include "ui/diagnostics.h"
#include "ui/help_page.h"
#include "ui/value_window.h"
#include "ui/window_keys.h"

namespace vemu::test {
namespace {

using ui::ComponentKind, ui::KeyDownOfWindow, ui::WindowKey, ui::WindowSizing;

QStringList MemoLines(const TForm1& form) { return form.Memo1->toPlainText().split('\n'); }

TEST(DiagnosticListings, FormatEachRecord) {
  catalogue::NodeTypeTable types(2);
  types[1].filename = "r.bmp";
  types[1].Uinfo = "RResistor";
  EXPECT_EQ(ui::TypeListing(types), (std::vector<std::string>{"0: ,", "1: r.bmp,RResistor"}));
  const std::vector<ui::FormRecord> forms{
      {"Form1", "TForm1", "Vemu",
       {{"QToolButton", "Run", ComponentKind::HintedControl, "Run it"}, {"QLabel", "L", ComponentKind::Label, "a"},
        {"QAction", "Exit1", ComponentKind::MenuItem, "Exit"}, {"QTimer", "Timer1", ComponentKind::Other, ""}}},
      {"Form4", "TForm4", "About", {}}};
  EXPECT_EQ(ui::ComponentListing(forms),
            (std::vector<std::string>{"*     Form1:TForm1", "   Caption=Vemu", "(QToolButton):Form1.Run.Hint=Run it",
                                      "(QLabel):Form1.L.Caption=a", "(QAction):Form1.Exit1.Caption= Exit",
                                      "*     Form4:TForm4", "   Caption=About"}));
  EXPECT_EQ(ui::WindowHandleListing({7, "Vemu", 12, "c"}),
            (std::vector<std::string>{"Application.Handle= 7", "Application.Title= Vemu", "Form1.Handle= 12",
                                      "Form1.Text= c"}));
  EXPECT_EQ(ui::StringListCheckCaption(), "L=4660 a=1200 b=34");
}

TEST(WindowKeys, F4AndDeleteByModifiersAndBuild) {
  struct Case {
    WindowKey key;
    ui::KeyModifiers modifiers;
    bool second, textField;
    bool setsStatus;
    const char* status;
    WindowSizing sizing;
    bool deletes;
  } cases[] = {
      {WindowKey::F4, {}, false, false, true, "KeyDown +++2 ", WindowSizing::Maximise, false},
      {WindowKey::F4, {false, true, false}, false, false, true, "KeyDown +++2 ", WindowSizing::Restore, false},
      {WindowKey::F4, {true, true, false}, false, false, true, "KeyDown +++2 ", WindowSizing::Restore, false},
      {WindowKey::F4, {true, false, false}, false, false, true, "KeyDown +++2 ", WindowSizing::Keep, false},
      {WindowKey::F4, {false, false, true}, false, true, true, "KeyDown +++2 ", WindowSizing::Keep, false},
      {WindowKey::F4, {}, true, false, true, "KeyDown +++2 ", WindowSizing::Maximise, false},
      {WindowKey::Delete, {}, false, false, false, "", WindowSizing::Keep, true},
      {WindowKey::Delete, {}, false, true, false, "", WindowSizing::Keep, false},
      {WindowKey::Delete, {}, true, false, true, "KeyDown +++ ", WindowSizing::Keep, false},
      {WindowKey::Other, {true, false, false}, true, false, true, "KeyDown +++ ", WindowSizing::Keep, false},
      {WindowKey::Other, {}, false, false, false, "", WindowSizing::Keep, false},
  };
  for (const Case& c : cases) {
    const auto effect = KeyDownOfWindow(c.key, c.modifiers, c.second, c.textField);
    EXPECT_EQ(effect.setsStatus, c.setsStatus);
    EXPECT_EQ(effect.status1, c.status);
    EXPECT_EQ(effect.sizing, c.sizing);
    EXPECT_EQ(effect.deletesSelection, c.deletes) << static_cast<int>(c.key);
  }
}

TEST(MainWindowDiagnostics, DeleteEditsAFieldAndDeletesOnTheCanvas) {
  EditingProgram program;
  TForm1& form = program.form();
  form.show();
  QApplication::setActiveWindow(&form);
  model::TheNode* r1 = testing::AddMember(*form.Graph, program.root(), 19, "R1", 100, 100);
  form.SetCurrentNode(r1);
  form.Edit2->setFocus();
  form.Edit2->setCursorPosition(0);
  program.key(form.Edit2, Qt::Key_Delete);
  EXPECT_EQ(form.Edit2->text(), "1");  // the field lost its first letter
  EXPECT_EQ(program.members().size(), 1u);
  form.PaintBox1->setFocus();
  program.key(form.PaintBox1, Qt::Key_Delete);
  EXPECT_TRUE(program.members().empty());
  EXPECT_EQ(form.StatusText(0).find("127"), std::string::npos);  // no character typed
}

TEST(MainWindowDiagnostics, MemoCommandsAndTheToolBarToggle) {
  for (bool second : {false, true}) {
    EditingProgram program(second ? SecondProgramProfile() : FullProgramProfile());
    TForm1& form = program.form();
    form.show();
    testing::AddMember(*form.Graph, program.root(), 2, "1");
    form.Memo1DblClick();
    EXPECT_EQ(MemoLines(form).size(), 3) << second;
    form.DEBUGAllunits1Click();
    EXPECT_EQ(MemoLines(form).size(), second ? 36 : 39);
    form.DENUGHWND1Click();
    EXPECT_EQ(MemoLines(form)[1].toStdString(), "Application.Title= " + form.Profile().applicationTitle);
    form.ToolBarTop1->trigger();
    EXPECT_TRUE(MemoLines(form).last().startsWith("ToolBarNewSaveLoad.Top="));
    form.ListAllCOmponents1Click();
    EXPECT_EQ(MemoLines(form)[0], "*     Form1:TForm1");
    EXPECT_TRUE(MemoLines(form).contains("(QAction):Form1.Exit1.Caption= " + form.Exit1->text()));

    // Ctrl with the right button on the tool-bar area; a plain right press does nothing.
    const QPoint at(form.width() - 5, form.centralWidget()->geometry().top() - 2);
    for (auto keys : {Qt::ControlModifier, Qt::NoModifier}) {
      QMouseEvent press(QEvent::MouseButtonPress, at, form.mapToGlobal(at), Qt::RightButton, Qt::RightButton, keys);
      QApplication::sendEvent(&form, &press);
    }
    EXPECT_FALSE(form.Memo1->isHidden());
    EXPECT_EQ(form.Splitter1->isHidden(), second);
    form.ControlBar1MouseDown(Qt::RightButton, Qt::ControlModifier);
    EXPECT_TRUE(form.Memo1->isHidden());
  }
}

TEST(MainWindowDiagnostics, DebugRepairsWithASnapshotAndChecksTheStringList) {
  EditingProgram program;
  TForm1& form = program.form();
  const int before = form.Backup.BackupCount;
  form.Debug1->trigger();
  EXPECT_EQ(form.Backup.BackupCount, before + 1);
  EXPECT_EQ(form.windowTitle(), "L=4660 a=1200 b=34");
}

TEST(MainWindowDiagnostics, WindowCommandsByBuild) {
  static std::vector<std::string> opened;
  for (bool second : {false, true}) {
    EditingProgram program(second ? SecondProgramProfile() : FullProgramProfile());
    TForm1& form = program.form();
    std::vector<QWidget*> shown;
    ModalWindows::onShow = [&](QWidget& w) {
      shown.push_back(&w);
      return 2;
    };
    form.Info1->trigger();
    form.ActionItemInfo->trigger();  // no current node: nothing
    form.SetCurrentNode(testing::AddMember(*form.Graph, program.root(), 19, "R1"));
    form.ActionItemInfo->trigger();
    std::vector<QWidget*> expected{program.set.windows().Form4};
    if (!second) expected.push_back(program.set.windows().FormInputValue);
    EXPECT_EQ(shown, expected);
    if (!second) {
      EXPECT_EQ(program.set.windows().FormInputValue->Node, form.Graph->CurrentNode);
    }
    EXPECT_EQ(form.Information1->isEnabled(), !second);
    EXPECT_EQ(form.SpeedButton43->isEnabled(), !second);
    EXPECT_EQ(form.AddNewNodeType->isEnabled(), !second);

    // The help page of the program folder, then none anywhere.
    opened.clear();
    form.OpenInBrowser = [](const std::string& path) {
      opened.push_back(path);
      return true;
    };
    form.Help1->trigger();
    EXPECT_EQ(opened, std::vector<std::string>{program.folder.file(ui::kHelpPage)});
    std::filesystem::remove(program.folder.file(ui::kHelpPage));
    form.Help1->trigger();
    EXPECT_EQ(opened.size(), 1u);
    ASSERT_EQ(program.dialogs.boxes.size(), 1u);
    EXPECT_NE(program.dialogs.boxes[0].text.find("HELP/Help2/index.html is neither in"), std::string::npos);
  }
}

}  // namespace
}  // namespace vemu::test
