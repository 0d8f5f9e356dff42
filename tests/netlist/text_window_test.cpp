// The text window: its staged tool buttons, the programs they run, the
// memo's lines, saving, the window list, and the main window's commands
// that show it.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextCursor>
#include <QToolBar>

#include "files/file_commands.h"
#include "netlist/analysis_run.h"
#include "netlist/analysis_test_support.h"
#include "platform/text_codec.h"

namespace {

class TextWindow : public vemu::test::AnalysisFixture {
 protected:
  TextWindow() {
    // Each fake program records how it was called and writes its result.
    program("kostrel.exe", "echo \"kostrel $#$1\" > called\ncat cir > seen\necho out-of-kostrel > out\n", true);
    program("ozmarek.exe", "echo \"ozmarek $#$1\" > called\necho out-of-ozmarek > out\n", true);
    program("vandimo.exe", "echo \"vandimo $#$1\" > called\necho out-of-vandimo > out\n", true);
    program("brelunt.exe", "echo \"brelunt $#$1\" > called\ncat out > seen\necho clc-of-brelunt > clc\n", true);
    element(19, "R1", "10");
  }
  QToolButton* button(int tag) {
    for (QToolButton* b : {text().ToolButton1, text().ToolButton2, text().ToolButton3, text().ToolButton4,
                           text().ToolButton5, text().ToolButton6, text().ToolButton7})
      if (b->property("Tag").toInt() == tag) return b;
    return nullptr;
  }
  void press(int tag) { text().ToolButton1Click(button(tag)); }
  std::string enables() {
    std::string s;
    for (int tag = 1; tag <= 7; ++tag) s += button(tag)->isEnabled() ? '1' : '0';
    return s;
  }
};

TEST_F(TextWindow, ToolBarInDesignOrderWithPictures) {
  std::vector<std::string> order;
  for (QToolButton* b : text().ToolBar1->findChildren<QToolButton*>())
    if (b->property("Tag").isValid()) order.push_back(b->toolTip().toStdString());
  EXPECT_EQ(order, (std::vector<std::string>{"Compute CIR", "Load CIR-file", "Comput OUT from CIR", "Load OUT-file",
                                             "Compute CLC from OUT", "Load CLC-file", "Load values to circuit"}));
  EXPECT_EQ(enables(), "1111001");  // Tags 1 to 7
  for (int tag = 1; tag <= 7; ++tag) EXPECT_FALSE(button(tag)->icon().pixmap(32, 32).isNull());
  EXPECT_EQ(text().windowTitle().toStdString(), "Cir file");
  EXPECT_EQ(text().pos(), form().pos() + QPoint(0, 40));
}

TEST_F(TextWindow, EachButtonEnablesTheNextStageOnly) {
  settings().BoxBat = 0;
  const std::pair<int, const char*> cases[] = {{1, "1111101"}, {4, "1111101"}, {2, "1111011"},
                                               {5, "1111011"}, {3, "1111001"}, {6, "1111001"},
                                               {7, "1111001"}};
  for (const auto& [tag, expected] : cases) {
    SCOPED_TRACE(tag);
    press(tag);
    EXPECT_EQ(enables(), expected);
    EXPECT_EQ(text().windowTitle(), button(tag)->toolTip());  // also after Tag 4's build set a path
    EXPECT_TRUE(text().isVisible());
  }
  press(4);
  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
  QApplication::sendEvent(text().Memo1, &esc);
  EXPECT_FALSE(text().isVisible());
  EXPECT_EQ(enables(), "1111101");  // Esc keeps the states
  for (QToolButton* b : {text().ToolButton1, text().ToolButton2}) b->setEnabled(false);
  QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                  Qt::NoModifier);
  QApplication::sendEvent(text().Memo1->viewport(), &dbl);
  EXPECT_EQ(enables(), "1111001");
}

TEST_F(TextWindow, ComputeOutRunsTheAnalysisProgramOfTheComputationType) {
  struct Case {
    int index;
    const char* called;  // name, number of arguments, first argument
    const char* out;
  } cases[] = {{0, "kostrel 1cir", "out-of-kostrel"}, {1, "ozmarek 1cir", "out-of-ozmarek"},
               {2, "vandimo 0", "out-of-vandimo"}, {3, "kostrel 1cir", "out-of-kostrel"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    settings().BoxBat = c.index;
    text().SetMemoLines({"edited", ".END"});
    press(5);
    EXPECT_EQ(folder.read("called"), std::string(c.called) + "\n");
    EXPECT_EQ(folder.read("cir"), "edited\r\n.END\r\n");
    EXPECT_EQ(memo(), (std::vector<std::string>{vemu::platform::utf8ToCp1251("Вычисляется OUT файл, подождите."), c.out}));
  }
}

TEST_F(TextWindow, ComputeClcOnlyForTheFirstComputationType) {
  settings().BoxBat = 1;
  text().SetMemoLines({"as edited"});
  press(6);
  EXPECT_EQ(dialogs.texts(), std::vector<std::string>{"MSG63"});
  EXPECT_FALSE(exists("out"));
  EXPECT_EQ(memo(), std::vector<std::string>{"as edited"});
  settings().BoxBat = 0;
  press(6);
  EXPECT_EQ(folder.read("seen"), "as edited\r\n");
  EXPECT_EQ(folder.read("called"), "brelunt 1out\n");
  EXPECT_EQ(memo(), std::vector<std::string>{"clc-of-brelunt"});
}

TEST_F(TextWindow, LoadButtonsShowTheFileOrSayItIsMissing) {
  folder.write("out", "o1\r\n\r\no3");
  press(2);
  EXPECT_EQ(memo(), (std::vector<std::string>{"o1", "", "o3"}));
  press(3);
  EXPECT_EQ(memo(), std::vector<std::string>{"MSG0 " + path("clc")});
  press(4);  // the netlist of the small circuit, saved as "cir"
  EXPECT_TRUE(form().RunButton->isEnabled());
  const std::vector<std::string> netlist{"noname.dag", ".AC LOG 5 10100", "R1  1  0    10", ".END"};
  EXPECT_EQ(folder.read("cir"), "noname.dag\r\n.AC LOG 5 10100\r\nR1  1  0    10\r\n.END\r\n");
  press(1);
  EXPECT_EQ(memo(), netlist);
  // A long file shows its first 5 MB and says so; saving the memo back
  // (the calculator stage) leaves the whole file.
  const std::string longOut = std::string(6 << 20, 'o') + "\r\nlast\r\n";
  folder.write("out", std::string(100, 'a') + "\r\n" + longOut);
  press(2);
  EXPECT_EQ(memo(), (std::vector<std::string>{std::string(100, 'a'), vemu::netlist::ShortenedFileLine(path("out"))}));
  settings().BoxBat = 0;
  press(6);
  EXPECT_EQ(folder.read("seen"), std::string(100, 'a') + "\r\n" + longOut);
  std::string lines;  // at most 100,000 lines are shown, however short
  for (int k = 0; k < 100000; ++k) lines += "l\r\n";
  const auto shown = [&](const std::string& clc) { folder.write("clc", clc); press(3); return memo(); };
  EXPECT_EQ(shown(lines), std::vector<std::string>(100000, "l"));
  const std::vector<std::string> more = shown(lines + "\r");
  EXPECT_EQ(std::vector(more.begin() + 100000, more.end()), std::vector{vemu::netlist::ShortenedFileLine(path("clc"), 100000)});
}

TEST_F(TextWindow, CancelledProgramLeavesNoOutput) {
  settings().BoxBat = 0;
  program("kostrel.exe", "echo stale > out\nsleep 30\n", true);
  wait.cancels = {true};
  press(5);
  EXPECT_EQ(memo(), std::vector<std::string>{"Run cancelled: " + path("kostrel.exe")});
}

TEST_F(TextWindow, MemoLinesKeepEveryLineAndEveryByte) {
  text().ClearLog();
  text().AddText("");
  EXPECT_EQ(memo(), std::vector<std::string>{""});
  text().AddFileLines({"", "second"});
  EXPECT_EQ(memo(), (std::vector<std::string>{"", "", "second"}));
  std::string bytes;
  for (int c = 1; c < 256; ++c)
    if (c != '\r' && c != '\n' && c != 0x98) bytes += static_cast<char>(c);  // 0x98 is no letter
  folder.write("cir", bytes + '\0' + std::string(1 << 20, 'x'));  // no line end, a 1 MB line
  press(1);
  ASSERT_EQ(memo().size(), 1u);
  EXPECT_EQ(memo()[0], bytes + '\0' + std::string(1 << 20, 'x'));
}

TEST_F(TextWindow, SaveThisCirFileRefusesACircuitName) {
  text().SetMemoLines({"net", ".END"});
  dialogs.fileAnswers = {path("saved.cir"), path("circuit.dag")};
  text().SaveThisCIRfile1Click();
  EXPECT_EQ(folder.read("saved.cir"), "net\r\n.END\r\n");
  EXPECT_EQ(dialogs.fileRequests.at(0).filterIndex, 2);
  EXPECT_EQ(dialogs.fileRequests.at(0).filters, vemu::files::CircuitDialogFilters());
  text().SaveThisCIRfile1Click();
  EXPECT_FALSE(exists("circuit.dag"));
  EXPECT_EQ(dialogs.texts(), std::vector<std::string>{"MSG30\r" + path("circuit.dag")});
  folder.makeDir("blocked.cir/x");
  EXPECT_FALSE(text().SaveMemoToFile(path("blocked.cir")));
  EXPECT_EQ(dialogs.texts().back().rfind("Cannot write " + path("blocked.cir"), 0), 0u);
}

TEST_F(TextWindow, CopyAndTheWindowList) {
  text().SetMemoLines({"abc", "def"});
  text().Memo1->selectAll();
  text().CopytoClipboard1Click();
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "abc\ndef");
  text().setWindowTitle("Listed");
  text().ShowLog();
  text().Button1Click();
  const auto lines = memo();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Listed"), lines.end());
  EXPECT_EQ(std::find(lines.begin(), lines.end(), ""), lines.end());
}

TEST_F(TextWindow, MainWindowCommandsShowIt) {
  EXPECT_FALSE(form().RunButton->isEnabled());
  form().CreateText1->trigger();  // the menu item and the tool button run the action
  EXPECT_TRUE(text().isVisible());
  text().hide();
  form().ToolButtonTextWin->click();
  EXPECT_TRUE(text().isVisible());
  form().SpeedButton1->click();
  EXPECT_EQ(memo().front(), "MSG0 " + path("out"));
  form().RunButton->setEnabled(false);
  form().MeMoEditClick();
  EXPECT_TRUE(text().isVisible());
  EXPECT_TRUE(form().RunButton->isEnabled() && form().SpeedButton1->isEnabled() &&
              form().FromCtoMButton->isEnabled());
  form().CirEditBottonClick();
  EXPECT_EQ(memo(), std::vector<std::string>{"MSG0" + path("cir")});
  folder.write("cir", "t\r\n.END\r\n");
  form().CirEditBottonClick();
  EXPECT_EQ(memo(), (std::vector<std::string>{"t", ".END"}));
  EXPECT_EQ(text().windowTitle().toStdString(), path("cir"));
  settings().CheckTreeActionByOnePress = false;
  form().FromCtoMButton->click();
  EXPECT_EQ(memo().back(), ".END");
  EXPECT_TRUE(form().RunButton->isEnabled());
}

}  // namespace
