// Start-up and the main window as owner of the open circuit.
#include <gtest/gtest.h>

#include <QTimer>

#include "platform/scripted_dialogs.h"
#include "support/scratch_folder.h"
#include "ui/tform1.h"
#include "ui/window_set.h"
#include "build2/second_profile.h"
#include "view/windows/preview_window.h"

using vemu::platform::ScopedDialogs;
using vemu::platform::ScriptedDialogs;
using vemu::test::ScratchFolder;

namespace {

struct StartedProgram {
  explicit StartedProgram(const ProgramProfile& profile = FullProgramProfile(),
                          std::vector<std::string> args = {"vemu3"})
      : scope(dialogs), set(profile, args) {}
  ScriptedDialogs dialogs;
  ScopedDialogs scope;
  WindowSet set;
  TForm1& form() { return *set.windows().Form1; }
};

}  // namespace

TEST(Startup, WindowsAreCreatedInProgramOrder) {
  ScratchFolder folder;
  {
    StartedProgram full;
    EXPECT_EQ(full.set.creationOrder(),
              (std::vector<std::string>{"Form1", "AskInsertMove", "Frm_Properties", "FormInputValue",
                                        "FormAddNewNodeType", "FormLoadImage", "FormSubCircuit", "Form3",
                                        "Form4", "Form6"}));
    EXPECT_EQ(full.form().windowTitle().toStdString().rfind("Vemu", 0), 0u);
    // The settings window's creation starts the main timer.
    EXPECT_TRUE(full.form().Timer1->isActive());
  }
  {
    StartedProgram second(SecondProgramProfile());
    EXPECT_EQ(second.set.creationOrder(),
              (std::vector<std::string>{"Form1", "AskInsertMove", "Frm_Properties", "FormSubCircuit",
                                        "Form3", "Form4", "Form6"}));
  }
}

TEST(Startup, MainWindowStartsWithAnEmptyTopLevel) {
  ScratchFolder folder;
  StartedProgram program;
  TForm1& form = program.form();
  ASSERT_NE(form.Graph->MainNode, nullptr);
  EXPECT_EQ(form.Graph->MainNode->Name.str(), "Upper Level");
  EXPECT_EQ(form.Graph->MainNode->NodeType, 1);
  EXPECT_EQ(form.Graph->NodeCount(), 1);
  EXPECT_EQ(form.Graph->CurrentNode, nullptr);
  EXPECT_EQ(form.CurrentType, 2);
  EXPECT_EQ(form.GridStep, 15);
  EXPECT_EQ(form.Modified, 0);
  EXPECT_FALSE(form.Undo1->isEnabled());
  EXPECT_FALSE(form.Redo1->isEnabled());
  EXPECT_TRUE(form.CmdLineFile.empty());
}

TEST(Startup, MissingOpenBoxPictureIsReportedAndStartGoesOn) {
  ScratchFolder folder;
  StartedProgram program;
  bool reported = false;
  for (const auto& text : program.dialogs.texts())
    if (text.find("OpenBox3.bmp") != std::string::npos) reported = true;
  EXPECT_TRUE(reported);
}

TEST(Startup, CommandLineFileOpensAtFirstActivationOnly) {
  ScratchFolder folder;
  folder.write("c.dag",
               "noname\r\nVemu.exe (WxWy) $Cur $SS $Scale\r\n-\r\n      2 - How many nodes\r\n"
               "      1 - Main node\r\n      0 - Current node\r\nheader\r\n"
               "  1   0   0  1   0 1 -15 -15 Upper Level \r\n       1   2\r\n"
               "  2  10  20 19   1 0 -15 -15 R1 100\r\n      0 SubCircuit \r\n      0 0 1.000\r\n");
  StartedProgram program(FullProgramProfile(), {"vemu3", folder.file("c.dag")});
  TForm1& form = program.form();
  EXPECT_EQ(form.Graph->NodeCount(), 1);
  form.FormActivate();
  EXPECT_EQ(form.Graph->NodeCount(), 2);
  EXPECT_TRUE(form.CmdLineFile.empty());
  form.Graph->AddNode(form.Graph->MainNode, 2);
  form.FormActivate();  // nothing queued any more
  EXPECT_EQ(form.Graph->NodeCount(), 3);
}

TEST(Startup, MissingCommandLineFileStaysQueuedInTheFullProgramAndIsReportedOnceInTheSecond) {
  ScratchFolder folder;
  for (const bool second : {false, true}) {
    StartedProgram program(second ? SecondProgramProfile() : FullProgramProfile(), {"vemu", folder.file("gone.dag")});
    program.dialogs.boxes.clear();
    for (int activation = 0; activation < 2; ++activation) program.form().FormActivate();
    EXPECT_EQ(program.form().CmdLineFile.empty(), second);
    EXPECT_EQ(program.dialogs.texts(),
              second ? std::vector<std::string>{"Cannot open file " + folder.file("gone.dag")} : std::vector<std::string>{});
    EXPECT_EQ(program.form().Graph->NodeCount(), 1);
  }
}

TEST(MainWindowFiles, FailedReadKeepsTheOpenCircuitAndRestartsTheTimer) {
  ScratchFolder folder;
  StartedProgram program;
  TForm1& form = program.form();
  vemu::model::TheNode* r = form.Graph->AddNode(form.Graph->MainNode, 19);
  r->Name = "R7";
  folder.write("bad.dag",
               "noname\r\nVemu.exe (WxWy) $Cur $SS $Scale\r\n-\r\n      2 - How many nodes\r\n"
               "      1 - Main node\r\n      0 - Current node\r\nheader\r\n"
               "  1   0   0  1   0 0 -15 -15 Upper Level \r\n  2  1x  20 19   1 0 -15 -15 R1 100\r\n");
  form.Timer1->stop();
  EXPECT_FALSE(form.ReadCircuitFile(folder.file("bad.dag")));
  EXPECT_EQ(form.Graph->NodeCount(), 2);
  EXPECT_NE(vemu::model::FindNodeByName(*form.Graph, "R7"), nullptr);
  EXPECT_TRUE(form.Timer1->isActive());
  ASSERT_FALSE(program.dialogs.boxes.empty());
  const std::string& error = program.dialogs.boxes.back().text;
  EXPECT_NE(error.find("bad.dag"), std::string::npos);
  EXPECT_NE(error.find("(9)"), std::string::npos) << error;
}

TEST(MainWindowFiles, WriteThenReadRestoresViewAndPreviewNode) {
  ScratchFolder folder;
  StartedProgram program;
  TForm1& form = program.form();
  vemu::model::TheNode* x = form.Graph->AddNode(form.Graph->MainNode, 29);
  form.Graph->AddLine(-2, form.Graph->MainNode, x, vemu::model::alHaveItem);
  x->Name = "X1";
  program.set.windows().FormSubCircuit->SetNode(x);
  form.View->OriginX = -40;
  form.View->OriginY = 25;
  form.View->Scale = 1.21;
  ASSERT_TRUE(form.WriteCircuitFile(folder.file("v.dag")));
  form.View->OriginX = 0;
  form.View->Scale = 1.0;
  form.Modified = 0;
  ASSERT_TRUE(form.ReadCircuitFile(folder.file("v.dag")));
  EXPECT_EQ(form.View->OriginX, -40);
  EXPECT_EQ(form.View->OriginY, 25);
  EXPECT_DOUBLE_EQ(form.View->Scale, 1.21);
  ASSERT_NE(program.set.windows().FormSubCircuit->ShownNode, nullptr);
  EXPECT_EQ(program.set.windows().FormSubCircuit->ShownNode->Name.str(), "X1");
  EXPECT_EQ(form.Modified, 1);
}
