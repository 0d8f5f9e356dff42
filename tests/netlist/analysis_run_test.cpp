// The Run button: "cir" saved, old results removed, the batch file of the
// computation type run in the program folder, the results loaded; and what
// happens when the batch file cannot start, the user cancels or "cir"
// cannot be written.
#include <chrono>
#include <filesystem>

#include "build2/second_profile.h"
#include "netlist/analysis_test_support.h"
#include "platform/program_folder.h"
#include "platform/qt/qt_console_window.h"

namespace {

using vemu::model::TheNode;

class AnalysisRun : public vemu::test::AnalysisFixture {
 protected:
  AnalysisRun() {
    settings().CheckUpdateDigitsOnCircuit = true;
    u1 = element(6, "U1", "old");
    text().SetMemoLines({"title", "U1  1  0", ".END"});
  }
  // A batch file that records its name and its folder, and writes results.
  void batch(const std::string& name, const std::string& more = "") {
    program(name, "echo " + name + " > ran\npwd > folder\ncat cir > seen\n"
                  "printf 'U1= 2.5e+00\\r\\n' > clc\n" + more);
  }
  TheNode* u1;
};

TEST_F(AnalysisRun, BatchFileByComputationType) {
  const std::pair<int, const char*> cases[] = {{0, "bat1.bat"}, {1, "bat2.bat"}, {2, "bat3.bat"},
                                               {3, "bat4.bat"}, {-1, "bat1.bat"}, {7, "bat1.bat"}};
  for (const auto& [index, name] : cases) batch(name);
  for (const auto& [index, name] : cases) {
    SCOPED_TRACE(index);
    settings().BoxBat = index;
    text().ClearLog();  // an empty memo still gives a "cir", an empty one
    form().RunButtonClick();
    EXPECT_EQ(folder.read("ran"), std::string(name) + "\n");
    EXPECT_EQ(folder.read("seen"), "");
  }
}

TEST_F(AnalysisRun, SavesCirRemovesOldResultsRunsInTheFolderAndLoads) {
  settings().BoxBat = 0;
  batch("bat1.bat");
  folder.write("out", "U1= 9.0e+00\r\n");
  form().RunButtonClick();
  EXPECT_EQ(folder.read("seen"), "title\r\nU1  1  0\r\n.END\r\n");
  EXPECT_EQ(folder.read("folder"), std::filesystem::canonical(folder.path()).string() + "\n");
  EXPECT_FALSE(exists("out"));  // the old one is gone even though the batch wrote none
  EXPECT_EQ(u1->Value, "2.500");
  EXPECT_EQ(memo().front(), "MSG0 " + path("out"));
  EXPECT_EQ(wait.programs, std::vector<std::string>{path("bat1.bat")});
  EXPECT_FALSE(form().RunButton->isEnabled());
}

TEST_F(AnalysisRun, ExecutableFilesRunThemselvesOthersAreReadByTheShell) {
  settings().BoxBat = 0;
  // When the shell reads the file, the "#!" line is a comment.
  for (bool executable : {false, true}) {
    SCOPED_TRACE(executable);
    program("bat1.bat", "#!/bin/false\necho shell > ran\n", false);
    if (executable) program("bat1.bat", "echo itself > ran\n", true);
    form().RunButtonClick();
    EXPECT_EQ(folder.read("ran"), executable ? "itself\n" : "shell\n");
  }
}

TEST_F(AnalysisRun, LongFolderNamesWithQuotesAndBlanksAreNeverCut) {
  std::string deep;
  for (int i = 0; i < 12; ++i) deep += "a \"quoted\" 'name' $(x) ;" + std::to_string(i) + "/";
  folder.makeDir(deep);
  vemu::platform::setProgramFolder(path(deep));
  ASSERT_GT(path(deep).size(), 255u);
  settings().BoxBat = 1;
  program(deep + "bat2.bat", "cat cir > seen\n");
  form().RunButtonClick();
  EXPECT_EQ(folder.read(deep + "seen"), "title\r\nU1  1  0\r\n.END\r\n");
  EXPECT_TRUE(dialogs.texts() == std::vector<std::string>{"MSG42"});  // no "cannot start"
}

TEST_F(AnalysisRun, ABatchFileThatCannotStartIsReportedAndTheLoaderGoesOn) {
  settings().BoxBat = 3;
  folder.write("clc", "U1= 9.0e+00\r\n");
  form().RunButtonClick();
  ASSERT_EQ(dialogs.boxes.size(), 2u);
  EXPECT_EQ(dialogs.boxes[0].text, "Cannot start " + path("bat4.bat") + ": No such file or directory");
  EXPECT_EQ(dialogs.boxes[1].text, "MSG42");
  EXPECT_FALSE(exists("clc"));
  EXPECT_EQ(u1->Value, "");
}

TEST_F(AnalysisRun, CancelStopsTheProgramAndLoadsNothing) {
  settings().BoxBat = 0;
  struct Case {
    const char* name;
    const char* body;
  } cases[] = {{"ends when asked", "printf 'U1= 1.0e+00\\r\\n' > clc\nsleep 30\n"},
               {"ignores the request: killed", "trap '' TERM\nprintf 'U1= 1.0e+00\\r\\n' > clc\nsleep 30\n"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    program("bat1.bat", c.body);
    wait.cancels = {true};
    text().SetMemoLines({"title", ".END"});
    const auto start = std::chrono::steady_clock::now();
    form().RunButtonClick();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(memo(), (std::vector<std::string>{"MSG25" + path("cir"), "Run " + path("bat1.bat"),
                                                "Run cancelled: " + path("bat1.bat")}));
    EXPECT_EQ(u1->Value, "old");
  }
  // Nothing else to run: Compute all stops after the cancelled run as well.
  wait.cancels = {true};
  form().Computeall1Click();
  EXPECT_EQ(memo().back(), "Run cancelled: " + path("bat1.bat"));
  EXPECT_EQ(u1->Value, "old");
  // An editor asked to end (an ending signal) cancels a run as Cancel does.
  program("bat1.bat", "sleep 30\n");
  vemu::platform::SetEndingRequested(true);
  form().RunButtonClick();
  vemu::platform::SetEndingRequested(false);
  EXPECT_EQ(memo().back(), "Run cancelled: " + path("bat1.bat"));
  EXPECT_EQ(u1->Value, "old");
}

TEST_F(AnalysisRun, CirThatCannotBeWrittenStopsTheRunBeforeAnythingStarts) {
  settings().BoxBat = 0;
  batch("bat1.bat");
  folder.write("cir/in the way", "");  // a folder where "cir" should go
  folder.write("out", "U1= 9.0e+00\r\n");
  form().RunButtonClick();
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text.rfind("Cannot write " + path("cir"), 0), 0u);
  EXPECT_TRUE(wait.programs.empty());
  EXPECT_TRUE(exists("out"));
  EXPECT_EQ(memo(), (std::vector<std::string>{"title", "U1  1  0", ".END"}));
  EXPECT_EQ(u1->Value, "old");
}

// A build the user stopped (Abort at a question, OK at the equal names)
// leaves Run disabled and starts nothing, in both programs, with one-step
// build and run or without; the build that then runs to its end runs.
class StoppedBuild : public vemu::test::AnalysisFixture, public ::testing::WithParamInterface<bool> {
 protected:
  StoppedBuild() : AnalysisFixture(GetParam() ? SecondProgramProfile() : FullProgramProfile()) {}
};

TEST_P(StoppedBuild, StartsNoRun) {
  using vemu::platform::MsgResult;
  settings().BoxBat = 0;
  settings().CheckUpdateDigitsOnCircuit = true;
  program("bat1.bat", "printf 'U1= 2.5e+00\\r\\n' > clc\n");
  TheNode* u1 = element(6, "U1", "old");
  TheNode* r1 = member(19, "R1", "10");
  graph().AddLine(-2, r1, net1, vemu::model::alInPin);  // no output link: a question
  for (MsgResult answer : {MsgResult::Abort, MsgResult::Ok}) {
    if (answer == MsgResult::Ok) {  // complete, but a second R1: OK at the equal names stops
      graph().AddLine(-2, r1, ground, vemu::model::alOutPin);
      element(19, "R1", "20");
    }
    for (int press = 0; press < 4; ++press) {  // one-step on, off, Compute all, the text window's build
      SCOPED_TRACE(press);
      settings().CheckTreeActionByOnePress = press == 0;
      form().RunButton->setEnabled(true);
      dialogs.boxAnswers = {answer};
      if (press < 2) form().FromCtoMButtonClick();
      else if (press == 2) form().Computeall1Click();
      else text().ToolButton1Click(text().ToolButton4);
      EXPECT_TRUE(dialogs.boxAnswers.empty());
      EXPECT_FALSE(form().RunButton->isEnabled());
      EXPECT_FALSE(text().ToolButton5->isEnabled());
      EXPECT_EQ(form().StatusText(2), "Netlist stopped: no run");
    }
  }
  EXPECT_TRUE(wait.programs.empty());
  EXPECT_FALSE(exists("cir"));
  EXPECT_EQ(u1->Value, "old");
  r1->Name = "R3";
  settings().CheckTreeActionByOnePress = true;
  form().FromCtoMButtonClick();
  EXPECT_EQ(wait.programs, std::vector<std::string>{path("bat1.bat")});
  EXPECT_EQ(u1->Value, "2.500");
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, StoppedBuild, ::testing::Bool());

// The second build runs each program shown, in a console window of its own.
class SecondBuildRun : public vemu::test::AnalysisFixture {
 protected:
  SecondBuildRun() : AnalysisFixture(SecondProgramProfile()) {}
};

TEST_F(SecondBuildRun, TheBatchFileWritesIntoItsConsole) {
  settings().BoxBat = 0;
  program("bat1.bat", "echo computing\necho warning >&2\n");
  std::vector<std::string> shown;
  vemu::platform::setConsoleClosedHook([&](const std::string& program, const std::deque<std::string>& lines) {
    shown = {program, lines.front(), lines.back()};
  });
  form().RunButtonClick();
  vemu::platform::setConsoleClosedHook({});
  EXPECT_EQ(shown, (std::vector<std::string>{path("bat1.bat"), "computing", "warning"}));
}

}  // namespace
