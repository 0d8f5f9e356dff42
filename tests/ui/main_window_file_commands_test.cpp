// The file commands on the real main window: reached from their menu items,
// actions and tool buttons; New and undo; a failed load keeping the window's
// state; node pointers forgotten when the graph is replaced; copy and paste.
#include <gtest/gtest.h>

#include <unistd.h>

#include <QAction>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>

#include "build2/second_profile.h"
#include "netlist/windows/text_window.h"
#include "platform/scripted_dialogs.h"
#include "platform/text_file.h"
#include "support/scratch_folder.h"
#include "ui/paint_box.h"
#include "ui/tform1.h"
#include "ui/window_set.h"
#include "view/my_line.h"
#include "view/windows/preview_window.h"

namespace {

using vemu::model::TheNode;
using vemu::platform::MsgResult;

struct Program {
  explicit Program(const ProgramProfile& profile = FullProgramProfile()) : scope(dialogs), set(profile, {"vemu3"}) {
    form().Timer1->stop();
  }
  vemu::platform::ScriptedDialogs dialogs;
  vemu::platform::ScopedDialogs scope;
  WindowSet set;
  TForm1& form() { return *set.windows().Form1; }
  int Members() { return form().Graph->LineCount(form().Graph->MainNode); }
  TheNode* MemberNamed(const char* name) {
    TheNode* found = nullptr;
    form().Graph->MainNode->forEachLine([&](vemu::model::TheLine* l) {
      if (!found && l->Node && l->Node->Name.str() == name) found = l->Node;
    });
    return found;
  }
};

struct Folder : vemu::test::ScratchFolder {
  Folder() { copyShippedData(); }
  std::string Example(const char* name) const { return file(std::string("FILES/") + name); }
};

TEST(MainWindowFileCommands, EveryCommandIsReachedFromItsControls) {
  Folder folder;
  Program program;
  TForm1& form = program.form();
  const std::string divider = folder.Example("divider.dag");
  // Load from the tool button (through its action), then from the menu item.
  program.dialogs.fileAnswers = {divider, folder.Example("amplifier.dag")};
  form.ToolButtonLoad->click();
  EXPECT_EQ(form.LastFile, divider);
  form.LoadFile1->trigger();
  EXPECT_EQ(form.LastFile, folder.Example("amplifier.dag"));
  ASSERT_EQ(program.dialogs.fileRequests.size(), 2u);
  EXPECT_EQ(program.dialogs.fileRequests[0].initialDir, folder.file("FILES"));
  EXPECT_EQ(program.dialogs.fileRequests[1].fileName, divider);

  // Last file goes back to the one before... after Save as names it.
  const std::string saved = folder.file("saved.dag");
  program.dialogs.fileAnswers = {saved};
  form.ToolButtonSaveAs->click();
  EXPECT_TRUE(vemu::platform::fileExists(saved));
  EXPECT_EQ(form.LastFile, saved);
  form.LastOpen1->trigger();
  EXPECT_EQ(form.windowTitle().toStdString(), "Circuit: " + saved);
  EXPECT_EQ(form.LastOpen1->text().toStdString(), "saved.dag");

  // Save (F2) asks, then writes to the save dialog's name.
  vemu::platform::removeFile(saved);
  program.dialogs.boxAnswers = {MsgResult::Ok};
  form.Save1->trigger();
  EXPECT_TRUE(vemu::platform::fileExists(saved));

  // New from its button: an empty root level.
  form.ToolButtonNew->click();
  EXPECT_EQ(program.Members(), 0);
  EXPECT_EQ(form.Graph->MainNode->Name.str(), "Upper Level");
}

TEST(MainWindowFileCommands, UndoAfterNewBringsTheCircuitBack) {
  Folder folder;
  // The links swing into place after a load or an undo in the second build only.
  for (const bool second : {true, false}) {
    Program other(second ? SecondProgramProfile() : FullProgramProfile());
    const auto swinging = [&other] {
      bool any = false;
      other.form().Graph->forEachNode([&](TheNode* n) {
        n->forEachLine([&](vemu::model::TheLine* l) {
          any = any || vemu::view::AsMyLine(l)->CurPoint != vemu::view::AsMyLine(l)->RestPoint;
        });
      });
      return any;
    };
    ASSERT_TRUE(other.form().ReadCircuitFile(folder.Example("subcircuit.dag")));
    EXPECT_EQ(swinging(), second);
    other.form().PushUndoSnapshot();
    other.form().Undo1Click();
    EXPECT_EQ(swinging(), second);
    EXPECT_EQ(other.form().RedrawRequest, second ? 0 : 1);  // no shortened swing in the second build
  }
  Program program;
  TForm1& form = program.form();
  ASSERT_TRUE(form.ReadCircuitFile(folder.Example("subcircuit.dag")));
  const int nodes = form.Graph->NodeCount();
  form.Newcircuit1Click();  // nothing edited since the load: no question
  EXPECT_TRUE(program.dialogs.boxes.empty());
  EXPECT_EQ(form.Graph->NodeCount(), 1);
  EXPECT_TRUE(form.Undo1->isEnabled());
  form.Undo1Click();
  EXPECT_EQ(form.Graph->NodeCount(), nodes);
  // The undo counts as work in no file: New now asks, and Cancel keeps it.
  program.dialogs.boxAnswers = {MsgResult::Cancel};
  form.Newcircuit1Click();
  ASSERT_EQ(program.dialogs.boxes.size(), 1u);
  EXPECT_EQ(program.dialogs.boxes[0].buttons, vemu::platform::MsgButtons::YesNoCancel);
  EXPECT_EQ(form.Graph->NodeCount(), nodes);
}

TEST(MainWindowFileCommands, NewForgetsTheFileAndSaveAsksForAName) {
  Folder folder;
  Program program;
  TForm1& form = program.form();
  const std::string loaded = folder.Example("subcircuit.dag"), before = folder.read("FILES/subcircuit.dag");
  program.dialogs.fileAnswers = {loaded, std::nullopt};
  form.LoadFile1->trigger();
  form.ActNewCircuit->trigger();
  EXPECT_EQ(form.LastFile, loaded);
  EXPECT_EQ(form.windowTitle().toStdString(), "Circuit: noname.dag");
  EXPECT_EQ(form.TabSet1->count(), 1);  // the new root alone, no X1
  // Something drawn, then Save (F2): the name is asked for, the loaded file stays.
  form.NewNode1->trigger();
  form.Save1->trigger();
  EXPECT_EQ(program.dialogs.fileRequests.back().fileName, "noname.dag");
  EXPECT_TRUE(program.dialogs.boxes.empty());
  EXPECT_EQ(folder.read("FILES/subcircuit.dag"), before);
}

TEST(MainWindowFileCommands, FailedLoadKeepsTheWindowAsItWas) {
  Folder folder;
  Program program;
  TForm1& form = program.form();
  program.dialogs.fileAnswers = {folder.Example("divider.dag")};
  form.LoadFile1Click();
  form.PushUndoSnapshot();
  form.PushUndoSnapshot();
  const int count = form.Backup.BackupCount;
  const QString caption = form.windowTitle();
  const std::string last = form.LastFile, saveName = form.SaveDialogFileName, openName = form.OpenDialogFileName;
  const int nodes = form.Graph->NodeCount();
  folder.write("broken.dag", "noname\r\nVemu.exe (WxWy)\r\n-\r\n 1\r\n 1\r\n-\r\n 1 0 0 1 0 x\r\n");
  folder.write("huge.dag", "");
  ASSERT_EQ(::truncate(folder.file("huge.dag").c_str(), 30'000'000'000), 0);  // sparse: no disk
  for (const int lastFile : {0, 1, 2}) {
    const std::string name = lastFile == 2 ? "huge.dag" : "broken.dag";
    program.dialogs.boxes.clear();
    program.dialogs.boxAnswers = {MsgResult::No};
    if (lastFile) {
      form.LastFile = folder.file(name);
      form.LastOpen1Click();
      EXPECT_EQ(form.LastFile, folder.file(name));
      form.LastFile = last;
    } else {
      program.dialogs.fileAnswers = {folder.file(name)};
      form.LoadFile1Click();
    }
    EXPECT_EQ(form.Graph->NodeCount(), nodes);
    EXPECT_EQ(form.windowTitle(), caption);
    EXPECT_EQ(form.LastFile, last);
    EXPECT_EQ(form.SaveDialogFileName, saveName);
    EXPECT_EQ(form.OpenDialogFileName, openName);
    EXPECT_EQ(form.Backup.BackupCount, count);
    EXPECT_TRUE(form.UnsavedEdits);
    EXPECT_TRUE(form.Timer1->isActive());
    ASSERT_EQ(program.dialogs.boxes.size(), 2u);  // the question, then the error with file and line
    EXPECT_NE(program.dialogs.boxes[1].text.find(lastFile == 2 ? "huge.dag: too large: 30000000000 bytes" : "broken.dag(7)"),
              std::string::npos)
        << program.dialogs.boxes[1].text;
  }
}

TEST(MainWindowFileCommands, NodePointersAreForgottenWhenTheGraphIsReplaced) {
  Folder folder;
  Program program;
  TForm1& form = program.form();
  ASSERT_TRUE(form.ReadCircuitFile(folder.Example("subcircuit.dag")));
  form.TabSet1->addTab("X1");
  auto arm = [&] {
    TheNode* x1 = program.MemberNamed("X1");
    form.DownNode = form.HoverNode = form.PendingHalf = x1;
    form.App().FormSubCircuit->ShownNode = x1;
    form.TabSet1->setTabData(0, QVariant::fromValue(static_cast<void*>(x1)));
  };
  const std::vector<std::pair<const char*, std::function<void()>>> replacements = {
      {"load", [&] { form.ReadCircuitFile(folder.Example("divider.dag")); }},
      {"new", [&] { form.Newcircuit1Click(); }},
      {"undo", [&] { form.Undo1Click(); }},
      {"redo", [&] { form.Redo1Click(); }},
  };
  for (const auto& [what, replace] : replacements) {
    if (!program.MemberNamed("X1")) form.ReadCircuitFile(folder.Example("subcircuit.dag"));
    arm();
    program.dialogs.boxAnswers = {MsgResult::No};
    replace();
    EXPECT_EQ(form.DownNode, nullptr) << what;
    EXPECT_EQ(form.HoverNode, nullptr) << what;
    EXPECT_EQ(form.PendingHalf, nullptr) << what;
    // An undo or redo may name the preview's node anew, in the new graph.
    const TheNode* shown = form.App().FormSubCircuit->ShownNode;
    EXPECT_TRUE(!shown || form.Graph->Contains(shown)) << what;
    EXPECT_FALSE(form.TabSet1->tabData(0).isValid()) << what;
  }
}

TEST(MainWindowFileCommands, CopyAndPasteThroughTheMenu) {
  Folder folder;
  Program program;
  TForm1& form = program.form();
  ASSERT_TRUE(form.ReadCircuitFile(folder.Example("amplifier.dag")));
  form.Modified = 0;
  TheNode* k1 = program.MemberNamed("K1");
  ASSERT_NE(k1, nullptr);
  ASSERT_EQ(k1->Polarity, 1);
  k1->Selected = 1;
  const int members = program.Members();
  form.SaveSub1->trigger();
  EXPECT_EQ(form.StatusText(2), "COPY");
  EXPECT_TRUE(vemu::platform::fileExists(folder.file("copy.txt")));
  form.LoadSub1->trigger();
  EXPECT_EQ(form.StatusText(2), "PASTE");
  EXPECT_EQ(program.Members(), members + 1);
  // The net numbering sorts the members by name: the copy is the other K1.
  TheNode* pasted = nullptr;
  form.Graph->MainNode->forEachLine([&](vemu::model::TheLine* l) {
    if (l->Node != k1 && l->Node->Name.str() == "K1") pasted = l->Node;
  });
  ASSERT_NE(pasted, nullptr);
  EXPECT_EQ(pasted->Polarity, 1);
  EXPECT_EQ(pasted->GetPos(), (vemu::model::TPoint{k1->X + 10, k1->Y + 10}));
  EXPECT_EQ(pasted->Selected, 1);
  EXPECT_EQ(k1->Selected, 0);
  EXPECT_EQ(form.Modified, 1);
  EXPECT_TRUE(form.UnsavedEdits);

  // One Undo takes back the paste alone: a junction placed before it stays.
  form.MousePoint = {300, 300};
  form.NewNode1->trigger();
  ASSERT_EQ(program.Members(), members + 2);
  form.LoadSub1->trigger();
  EXPECT_EQ(program.Members(), members + 3);
  form.Undo1Click();
  EXPECT_EQ(program.Members(), members + 2);
  form.Redo1Click();
  EXPECT_EQ(program.Members(), members + 3);

  // A damaged copy.txt adds nothing and says what is wrong.
  folder.write("copy.txt", "noname\r\nVemu.exe (WxWy)\r\n-\r\n 2\r\n 2\r\n-\r\n 1 0 0 99 2 0 0 0 Q \r\n");
  const int nodes = form.Graph->NodeCount();
  program.dialogs.boxes.clear();
  form.LoadSub1Click();
  EXPECT_EQ(form.Graph->NodeCount(), nodes);
  ASSERT_EQ(program.dialogs.boxes.size(), 1u);
  EXPECT_NE(program.dialogs.boxes[0].text.find("Unknown node type 99"), std::string::npos);
}

TEST(MainWindowFileCommands, SaveAsNetlistKeepsTheSaveDialogOnTheCircuit) {
  Folder folder;
  Program program;
  TForm1& form = program.form();
  program.dialogs.fileAnswers = {folder.Example("divider.dag")};
  form.LoadFile1Click();
  const std::string circuit = form.SaveDialogFileName;
  program.dialogs.fileAnswers = {folder.file("divider.cir")};
  program.dialogs.filterAnswers = {2};
  form.SaveAs1Click();
  const std::string netlist = folder.read("divider.cir");
  EXPECT_EQ(netlist.rfind("divider.dag\r\n", 0), 0u) << netlist;
  EXPECT_NE(netlist.find(".END"), std::string::npos);
  EXPECT_EQ(form.SaveDialogFileName, circuit);
  EXPECT_EQ(form.SaveDialogFilterIndex, 2);
}

}  // namespace

TEST(MainWindowFileCommands, NetlistImportFromLoadAndFromItsMenuItemUndoes) {
  Folder folder;
  Program program;
  TForm1& form = program.form();
  ASSERT_TRUE(form.ReadCircuitFile(folder.Example("divider.dag")));
  const int nodes = form.Graph->NodeCount();
  folder.write("in.cir", "t\r\nR1 1 0 10\r\nX1 1\r\nC1 1 2 1u\r\n.X\r\n.END\r\n");
  program.dialogs.fileAnswers = {folder.file("in.cir")};
  program.dialogs.filterAnswers = {2};
  program.dialogs.choiceAnswers = {2};
  form.LoadFile1->trigger();
  EXPECT_EQ(form.Graph->NodeCount(), 8);
  ASSERT_EQ(form.TabSet1->count(), 2);  // the new sub-circuit's tab at once
  EXPECT_EQ(form.TabSet1->tabText(1), "X1");
  EXPECT_EQ(form.windowTitle().toStdString(), "Circuit: " + folder.file("in.cir"));
  EXPECT_EQ(form.App().Form6->MemoLines(), (std::vector<std::string>{"t", "R1 1 0 10", "X1 1", "C1 1 2 1u", ".X", ".END"}));
  EXPECT_EQ(form.Modified, 1);
  form.Undo1Click();
  EXPECT_EQ(form.Graph->NodeCount(), nodes);
  // The menu item asks about the undone work first; the log goes into the memo.
  form.CIR1->setChecked(true);
  program.dialogs.boxAnswers = {MsgResult::No};
  program.dialogs.fileAnswers = {folder.file("in.cir")};
  program.dialogs.filterAnswers = {2};
  form.CreateFromCir1->trigger();
  EXPECT_EQ(program.dialogs.boxes.size(), 1u);
  EXPECT_EQ(form.Graph->NodeCount(), 8);
  EXPECT_EQ(form.OpenDialogFilterIndex, 1);
  EXPECT_FALSE(form.Memo1->isHidden());
  EXPECT_TRUE(form.Memo1->toPlainText().contains("NewCIR-1: Upper Level.1  <- X1"));
}
