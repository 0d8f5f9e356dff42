// The main window's start-up order, keys, resize, closing and destruction.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QToolBar>
#include <QTimer>
#include <QToolButton>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "build2/second_profile.h"
#include "catalogue/windows/settings_window.h"
#include "platform/folder_claim.h"
#include "platform/process_runner.h"
#include "platform/program_folder.h"
#include "platform/qt/termination_signals.h"
#include "platform/scripted_dialogs.h"
#include "support/graph_members.h"
#include "support/scratch_folder.h"
#include "ui/paint_box.h"
#include "ui/tform1.h"
#include "ui/toolbar_icons.h"
#include "ui/window_set.h"

using vemu::test::ScratchFolder;
using namespace std::string_literals;

namespace {

struct Program {
  explicit Program(const ProgramProfile& profile = FullProgramProfile()) : scope(dialogs), set(profile, {"vemu3"}) {}
  vemu::platform::ScriptedDialogs dialogs;
  vemu::platform::ScopedDialogs scope;
  WindowSet set;
  TForm1& form() { return *set.windows().Form1; }
};

namespace fs = std::filesystem;

// Circuits of 2 and 3 nodes in the two editors' snapshots, more on screen.
void EditBoth(Program& first, Program& second) {
  for (Program* p : {&first, &second}) {
    TForm1& form = p->form();
    for (const char* name : {"1", "2", "3"}) {
      vemu::testing::AddMember(*form.Graph, form.Graph->MainNode, 2, name);
      if (form.Graph->NodeCount() == (p == &second ? 3 : 2)) form.PushUndoSnapshot();
    }
  }
}

std::string Said(const std::string& folder, const std::string& to) {
  return "Cannot write in " + folder + ": using " + to;
}

}  // namespace

TEST(MainWindowLifecycle, CreationPresetsTheDialogsAfterTheSettings) {
  ScratchFolder folder;
  {
    Program program;
    EXPECT_EQ(program.form().SaveDialogFileName, "noname.dag");
    EXPECT_EQ(program.form().DialogInitialFolder, folder.path() + "FILES");
  }
  // A last file read from the settings stays the save dialog's preset.
  folder.write("FILES/a.dag", "x");
  folder.write("SETTINGS.INI", "[Form1]\r\nLastFile=" + folder.file("FILES/a.dag") + "\r\n");
  Program program;
  EXPECT_EQ(program.form().SaveDialogFileName, folder.file("FILES/a.dag"));
  EXPECT_EQ(program.form().LastOpen1->text(), "a.dag");
}

TEST(MainWindowLifecycle, KeysByProgram) {
  ScratchFolder folder;
  struct Case {
    bool second;
    char key;
    const char* panel0;
  } cases[] = {
      {false, 'a', "Key=a 97"}, {false, 13, "Key=\r 13"}, {false, 27, "Key=\x1B 27"}, {false, '+', "Key=+ 43"},
      {false, '-', "Key=- 45"}, {true, 'a', "Key=a"},      {true, 13, "Key=\r"},        {true, '+', "Key=+"},
  };
  for (const auto& c : cases) {
    Program program(c.second ? SecondProgramProfile() : FullProgramProfile());
    TForm1& form = program.form();
    if (c.second) {
      EXPECT_EQ(form.StatusText(1), "Vemu");
    }
    form.MouseState = 3;
    form.ArrangeMode = 1;
    form.FormKeyPress(c.key);
    EXPECT_EQ(form.StatusText(0), c.panel0);
    EXPECT_EQ(form.MouseState, c.key == 27 ? 0 : 3);
    EXPECT_EQ(form.ArrangeMode, c.key == 27 ? 0 : 1);
    // "+" and "-" zoom by one step.
    EXPECT_DOUBLE_EQ(form.View->Scale, c.key == '+' ? 1.1 : c.key == '-' ? 1 / 1.1 : 1.0) << c.key;
  }
}

TEST(MainWindowLifecycle, ResizeRemakesTheBufferOnlyOnceItExists) {
  ScratchFolder folder;
  Program program;
  TForm1& form = program.form();
  form.PaintBox1->resize(321, 223);
  form.FormResize();
  EXPECT_EQ(form.BackBuffer.size(), QSize(321, 223));
  EXPECT_EQ(form.View->WinRect.Right - form.View->WinRect.Left, 321);
  EXPECT_EQ(form.View->WinRect.Bottom - form.View->WinRect.Top, 223);
  form.BackBuffer = QImage();
  form.PaintBox1->resize(200, 100);
  form.FormResize();
  EXPECT_TRUE(form.BackBuffer.isNull());
}

TEST(MainWindowLifecycle, DestructionRemovesEverySnapshotFile) {
  ScratchFolder folder;
  {
    Program program;
    for (int k = 0; k < 30; ++k) folder.write("IMAGES/BACKUP/back" + std::to_string(k) + ".dag", "x");
    folder.write("IMAGES/BACKUP/other.dag", "x");
    program.form().PushUndoSnapshot();
  }
  for (int k = 0; k < 30; ++k)
    EXPECT_FALSE(std::filesystem::exists(folder.file("IMAGES/BACKUP/back" + std::to_string(k) + ".dag"))) << k;
  EXPECT_TRUE(std::filesystem::exists(folder.file("IMAGES/BACKUP/other.dag")));
  EXPECT_TRUE(std::filesystem::exists(folder.file("SETTINGS.INI")));

  // Two editors on one folder, the first with a lock left by a process that
  // has ended: each undoes its own circuit, and the one that exits first
  // leaves the other's snapshots.
  folder.write("IMAGES/BACKUP/vemu.lock", "999999\n");
  // At start, private folders of editors that ended and temporary files of
  // saves that never finished go; others (no lock file, another name) stay.
  const std::string run = "../user/run/";
  for (const std::string& left :
       {run + "vemu-dead01/vemu.lock", run + "vemu-dead01/back1.dag", run + "vemu-dead01/.copy.txt.vemu-new",
        run + "vemu-nolock/back1.dag", run + "vemu-dead/vemu.lock", "FILES/.a.dag.vemu-new.77.0000beef"s,
        "FILES/.a.dag.vemu-newer"s})
    folder.write(left, "x");
  auto first = std::make_unique<Program>();
  for (const std::string& gone : {run + "vemu-dead01", "FILES/.a.dag.vemu-new.77.0000beef"s})
    EXPECT_FALSE(fs::exists(folder.file(gone))) << gone;
  for (const std::string& kept :
       {run + "vemu-nolock/back1.dag", run + "vemu-dead/vemu.lock", "FILES/.a.dag.vemu-newer"s})
    EXPECT_TRUE(fs::exists(folder.file(kept))) << kept;
  auto editor2 = std::make_unique<Program>();
  Program& second = *editor2;
  EXPECT_EQ(first->form().Backup.Folder(), folder.file("IMAGES/BACKUP/"));
  const std::string own = second.form().Backup.Folder();
  EXPECT_EQ(own.rfind(folder.user("run/vemu-"), 0), 0u) << own;
  EXPECT_EQ(std::filesystem::status(own).permissions(), std::filesystem::perms::owner_all);
  EXPECT_EQ(second.form().StatusText(2), "Another editor uses " + folder.file("IMAGES/BACKUP/") +
                                             ": the snapshots of this one are kept in " + own);
  EditBoth(*first, second);
  first->form().Undo1Click();
  EXPECT_EQ(first->form().Graph->NodeCount(), 2);
  // A live editor's private folder is no leftover.
  std::make_unique<Program>().reset();
  EXPECT_TRUE(std::filesystem::exists(own + "vemu.lock"));
  first.reset();
  EXPECT_FALSE(std::filesystem::exists(folder.file("IMAGES/BACKUP/vemu.lock")));
  second.form().Undo1Click();
  EXPECT_EQ(second.form().Graph->NodeCount(), 3);
  editor2.reset();
  EXPECT_FALSE(std::filesystem::exists(own));
}

TEST(MainWindowLifecycle, ASecondEditorWithoutAPrivateFolderNeverWritesInTheFirstOnes) {
  // The private folder is tried under $XDG_RUNTIME_DIR, $TMPDIR, /tmp in turn;
  // where none can be made the second editor runs without undo.
  const char* oldTemp = std::getenv("TMPDIR");
  const std::string savedTemp = oldTemp ? oldTemp : "";
  for (const bool underTemp : {true, false}) {  // $XDG_RUNTIME_DIR fails, or every folder
    ScratchFolder folder;
    fs::create_directories(folder.user("tmp"));
    setenv("TMPDIR", folder.user("tmp").c_str(), 1);
    vemu::platform::setPrivateFolderMaker([&](std::string& pattern) {
      return !pattern.starts_with(underTemp ? folder.user("run/") : "/") && ::mkdtemp(pattern.data());
    });
    auto first = std::make_unique<Program>();
    Program second;
    TForm1& form2 = second.form();
    const std::string own = form2.Backup.Folder();
    if (underTemp) {
      EXPECT_TRUE(own.starts_with(folder.user("tmp/vemu-"))) << own;
    } else {
      EXPECT_FALSE(form2.Backup.HasFolder());
      EXPECT_EQ(own, "");
      EXPECT_EQ(form2.FolderNotices,
                std::vector<std::string>{"Another editor uses " + folder.file("IMAGES/BACKUP/") +
                                         " and no folder of its own can be made in " + folder.user("run/") + ", " +
                                         folder.user("tmp/") + ", /tmp/: this editor runs without undo"});
    }
    EditBoth(*first, second);
    EXPECT_EQ(form2.Undo1->isEnabled(), underTemp);
    EXPECT_TRUE(form2.UnsavedEdits);
    first->form().Undo1Click();
    EXPECT_EQ(first->form().Graph->NodeCount(), 2);
    form2.Undo1Click();
    EXPECT_EQ(form2.Graph->NodeCount(), underTemp ? 3 : 4);
    form2.PushUndoSnapshot();
    EXPECT_EQ(form2.FolderNotices.size(), 1u);
    first->form().Redo1Click();
    EXPECT_EQ(first->form().Graph->NodeCount(), 4);
    first.reset();
    vemu::platform::setPrivateFolderMaker({});
    if (oldTemp) setenv("TMPDIR", savedTemp.c_str(), 1);
    else unsetenv("TMPDIR");
  }
}

TEST(MainWindowLifecycle, FoldersThatTakeNoFilesAreReplacedByThePerUserFolders) {
  namespace fs = std::filesystem;
  using vemu::platform::folderWritable;
  struct Case {
    bool readOnly;     // the program folder and everything in it take no files
    bool userCopies;   // SETTINGS.INI and start.txt are in the per-user folder already
  } cases[] = {{true, false}, {false, true}, {false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.readOnly) + std::to_string(c.userCopies));
    ScratchFolder folder;
    folder.copyShippedData();
    // The system's answer: a folder that is there (a file or a missing one is none).
    EXPECT_FALSE(folderWritable(folder.file("setup.sym")) || !folderWritable(folder.path()));
    // A superuser may write where the permissions say no: the probe is the test's.
    if (c.readOnly)
      vemu::platform::setWritableProbe([&](const std::string& f) { return f.rfind(folder.path(), 0) != 0; });
    const std::string config = folder.user("config/vemu/"), state = folder.user("state/vemu/");
    if (c.userCopies) {
      folder.write("FILES/x.dag", "x");
      folder.write("../user/config/vemu/SETTINGS.INI", "[Form1]\r\nLastFile=" + folder.file("FILES/x.dag") + "\r\n");
      folder.write("../user/config/vemu/start.txt", "1\r\n1\r\n20\r\n1\r\n1\r\n1\r\n0\r\n");
    }
    for (int run = 0; run < 2; ++run) {
      Program program;
      TForm1& form = program.form();
      EXPECT_EQ(program.set.windows().Form3->CheckNamesSee->isChecked(), !c.userCopies);
      EXPECT_EQ(form.LastOpen1->text() == "x.dag", c.userCopies);
      for (int edit = 0; edit < 3; ++edit) form.PushUndoSnapshot();
      vemu::testing::AddMember(*form.Graph, form.Graph->MainNode, 2, "1")->Selected = 1;
      form.SaveSub1->trigger();
      form.LoadSub1->trigger();
      EXPECT_EQ(form.Graph->NodeCount(), 3);
      program.set.windows().Form3->ButtonSAVE->click();
      EXPECT_TRUE(program.dialogs.boxes.empty());
      const std::string snapshots = c.readOnly ? state + "BACKUP/" : folder.file("IMAGES/BACKUP/");
      EXPECT_TRUE(fs::exists(snapshots + "back3.dag"));
      EXPECT_EQ(fs::exists(state + "copy.txt"), c.readOnly);
      EXPECT_TRUE(fs::exists(c.readOnly || c.userCopies ? config + "start.txt" : folder.file("IMAGES/start.txt")));
      // Said once for each folder that takes no files, never a box per edit;
      // per-user copies made in the first run are simply used in the second.
      auto said = [](const std::string& f, const std::string& to) { return "Cannot write in " + f + ": using " + to; };
      std::vector<std::string> notices;
      if (c.readOnly) notices = {said(folder.file("IMAGES/BACKUP/"), snapshots), said(folder.path(), state)};
      if (c.readOnly && run == 0)
        notices = {notices[0], said(folder.path(), config), notices[1], said(folder.file("IMAGES/"), config)};
      EXPECT_EQ(form.FolderNotices, notices);
    }
    EXPECT_EQ(fs::exists(folder.file("copy.txt")), !c.readOnly);
    EXPECT_EQ(fs::exists(folder.file("SETTINGS.INI")), !c.readOnly && !c.userCopies);
    EXPECT_EQ(fs::exists(config + "SETTINGS.INI"), c.readOnly || c.userCopies);
    EXPECT_FALSE(fs::exists(state + "BACKUP/back1.dag"));
  }
}

TEST(MainWindowLifecycle, CopyFollowsTheSnapshotsWhenNoPerUserFolderCanBeMade) {
  ScratchFolder folder;
  folder.copyShippedData();
  // A home where nothing can be made (for a superuser too): under a file.
  setenv("XDG_STATE_HOME", folder.file("setup.sym/state").c_str(), 1);
  vemu::platform::setWritableProbe([&](const std::string& f) { return f.rfind(folder.path(), 0) != 0; });
  auto editor = std::make_unique<Program>();
  Program& program = *editor;
  TForm1& form = program.form();
  const std::string own = form.PrivateFolder();
  ASSERT_EQ(own.rfind(folder.user("run/vemu-"), 0), 0u) << own;
  for (int copy = 0; copy < 3; ++copy) {
    vemu::testing::AddMember(*form.Graph, form.Graph->MainNode, 2, "1")->Selected = 1;
    form.SaveSub1->trigger();
    form.LoadSub1->trigger();
  }
  EXPECT_EQ(form.Graph->NodeCount(), 10);  // 1, 2 and 3 members pasted
  EXPECT_TRUE(program.dialogs.boxes.empty());
  EXPECT_TRUE(fs::exists(own + "copy.txt"));
  const std::string state = folder.file("setup.sym/state/vemu/");
  EXPECT_EQ(form.FolderNotices,
            (std::vector<std::string>{Said(folder.file("IMAGES/BACKUP/"), state + "BACKUP/"),
                                      Said(state + "BACKUP/", own), Said(folder.path(), folder.user("config/vemu/")),
                                      Said(folder.path(), own)}));
  editor.reset();
  EXPECT_FALSE(fs::exists(own));
}

TEST(MainWindowLifecycle, ExitAndTheCloseBoxAskAboutUnsavedWorkAndThenClose) {
  ScratchFolder folder;
  using vemu::platform::MsgResult;
  struct Case {
    bool byMenu;
    bool unsaved;
    std::vector<MsgResult> answers;
    bool staysOpen;
    std::size_t questions;
    const char* saveAs = "saved.dag";
  } cases[] = {
      {true, false, {}, false, 0},  {false, false, {}, false, 0},
      {true, true, {MsgResult::Cancel}, true, 1}, {false, true, {MsgResult::Cancel}, true, 1},
      {true, true, {MsgResult::No}, false, 1},    {false, true, {MsgResult::No}, false, 1},
      // Yes saves first; a failed save (question and error box) keeps the window open.
      {false, true, {MsgResult::Yes}, false, 1},  {true, true, {MsgResult::Yes}, true, 2, "/no/such/dir/x.dag"},
  };
  for (const auto& c : cases) {
    Program program;
    TForm1& form = program.form();
    form.show();
    form.View->OriginX = 12;
    form.View->OriginY = -3;
    if (c.unsaved) form.NoteUnsavedEdit();
    form.SaveDialogFileName = c.saveAs;
    form.HasOwnFile = true;
    program.dialogs.boxes.clear();
    program.dialogs.boxAnswers.assign(c.answers.begin(), c.answers.end());
    if (c.byMenu)
      form.Exit1->trigger();
    else
      form.close();
    EXPECT_EQ(form.isVisible(), c.staysOpen) << c.byMenu << c.unsaved;
    ASSERT_EQ(program.dialogs.boxes.size(), c.questions);
    if (c.questions) {
      EXPECT_EQ(program.dialogs.boxes[0].buttons, vemu::platform::MsgButtons::YesNoCancel);
    }
    if (c.staysOpen) continue;
    if (c.answers == std::vector<MsgResult>{MsgResult::Yes}) {
      EXPECT_TRUE(std::filesystem::exists(folder.file("saved.dag")));
    }
    EXPECT_EQ(form.StatusText(0), "Sft(12,-3)");
    EXPECT_EQ(form.StatusText(2).rfind("WIN(", 0), 0u);
    EXPECT_NE(form.StatusText(2).find(")Maxx("), std::string::npos);
  }
}

TEST(MainWindowLifecycle, AnEndingSignalEndsAsExitDoesWithoutAQuestion) {
  ScratchFolder folder;
  for (const int signal : vemu::platform::TerminationSignals::kSignals) {
    auto first = std::make_unique<Program>();
    auto editor = std::make_unique<Program>();
    TForm1& form = editor->form();
    form.show();
    form.PushUndoSnapshot();  // unsaved work, a snapshot in its private folder
    const std::string own = form.PrivateFolder();
    ASSERT_TRUE(std::filesystem::exists(own + "back1.dag"));
    editor->dialogs.boxes.clear();
    {
      vemu::platform::TerminationSignals ending([&](int) { form.EndWithoutQuestion(); });
      std::raise(signal);
      for (int turn = 0; turn < 10 && form.isVisible(); ++turn) QCoreApplication::processEvents();
    }
    EXPECT_FALSE(form.isVisible()) << signal;
    EXPECT_TRUE(editor->dialogs.boxes.empty());
    EXPECT_EQ(form.StatusText(0), "Sft(0,0)");  // the toolbar places and view as at Exit
    editor.reset();
    EXPECT_FALSE(std::filesystem::exists(own)) << signal;
    EXPECT_TRUE(std::filesystem::exists(folder.file("IMAGES/BACKUP/vemu.lock")));
  }
  // A hangup ignored by the starter (nohup) stays ignored.
  Program program;
  program.form().show();
  std::signal(SIGHUP, SIG_IGN);
  {
    vemu::platform::TerminationSignals ending([&](int) { program.form().EndWithoutQuestion(); });
    std::raise(SIGHUP);
    QCoreApplication::processEvents();
  }
  std::signal(SIGHUP, SIG_DFL);
  EXPECT_TRUE(program.form().isVisible());
}

// The programs' entry in a process of its own (test_main's "--entry"); two SIGTERMs end it as Exit.
TEST(MainWindowLifecycle, TheProgramsEntryGuardsCommandsAndEndsOnTwoSignals) {
  ScratchFolder folder;
  folder.copyShippedData();
  std::string error, out = "\n";
  auto p = vemu::platform::ChildProcess::Start({vemu::platform::runningProgramPath(), {"--entry", folder.path()}},
                                               folder.path(), error, vemu::platform::ChildOutput::Captured);
  ASSERT_TRUE(p) << error;
  while (p->ReadOutput(out) || !p->HasEnded()) ::usleep(10000);  // a hang fails by the test's time limit
  EXPECT_NE(out.find("\nbox Not enough memory for this command: it was stopped.\nSIGXFSZ ignored 1\n"), out.npos) << out;
  EXPECT_TRUE(p->WaitStatus() == 0 && !fs::exists(folder.file("IMAGES/BACKUP/vemu.lock")));
  // A signal taken while a start-up box is open ends the editor once the box is answered.
  std::ofstream(folder.file("SETTINGS.INI")) << std::string((16 << 20) + 1, ';');
  auto early = vemu::platform::ChildProcess::Start(
      {vemu::platform::runningProgramPath(), {"--entry-early", folder.path()}}, folder.path(), error);
  while (!early->HasEnded()) ::usleep(10000);
  EXPECT_TRUE(early->WaitStatus() == 0 && !fs::exists(folder.file("IMAGES/BACKUP/vemu.lock")));
}

TEST(MainWindowLifecycle, ToolButtonsShowPicturesWithTheirHints) {
  ScratchFolder folder;
  Program program;
  TForm1& form = program.form();
  for (QToolButton* button : {form.ToolButtonNew, form.ToolButtonLoad, form.ToolButtonSaveAs, form.SpeedButtonUndo,
                              form.SpeedButtonRedo, form.SpeedButtonDelete, form.SpeedButton43,
                              form.ToolButtonSettings, form.ToolButtonSubWin, form.ToolButtonMainWin,
                              form.ToolButtonTextWin, form.SpeedZoomin, form.SpeedZumout, form.SpeedButton33,
                              form.SBUpHieracy, form.SBDownHieracy, form.FromCtoMButton, form.RunButton,
                              form.SpeedButton1}) {
    const std::string name = button->objectName().toStdString();
    EXPECT_FALSE(button->icon().isNull()) << name;
    EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonIconOnly) << name;
    EXPECT_FALSE(button->toolTip().isEmpty()) << name;
    // Something is drawn, and no two buttons share a picture.
    const QImage picture = ToolButtonPicture(button->objectName());
    int inked = 0;
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x) inked += qAlpha(picture.pixel(x, y)) > 0;
    EXPECT_GT(inked, 40) << name;
    for (QToolButton* other : form.findChildren<QToolButton*>()) {
      if (other != button && other->objectName() != button->objectName()) {
        EXPECT_NE(ToolButtonPicture(other->objectName()), picture) << name << " " << other->objectName().toStdString();
      }
    }
  }
}

TEST(MainWindowLifecycle, ACommandThatRunsOutOfMemoryIsStoppedWithAMessage) {
  Program program;
  TForm1& form = program.form();
  form.show();
  program.dialogs.boxes.clear();
  int runs = 0;
  // Any command, from a menu, a key or a timer, comes through the event loop.
  for (int turn = 0; turn < 2; ++turn) {
    QTimer::singleShot(0, &form, [&runs] {
      if (++runs == 1) throw std::bad_alloc();
    });
    QCoreApplication::processEvents();
  }
  EXPECT_EQ(runs, 2);  // the editor goes on taking commands
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(program.dialogs.texts(), (std::vector<std::string>{"Not enough memory for this command: it was stopped."}));
}
