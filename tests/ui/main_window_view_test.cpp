// The main window's view commands through its controls: zoom by action and
// button, the scroll bars both ways, centring, the JPEG export's dialog
// paths and the clipboard copy.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <filesystem>

#include "build2/second_profile.h"
#include "catalogue/settings.h"
#include "catalogue/windows/settings_window.h"
#include "platform/qt/qt_text.h"
#include "platform/scripted_dialogs.h"
#include "platform/text_file.h"
#include "support/scratch_folder.h"
#include "ui/paint_box.h"
#include "ui/tform1.h"
#include "ui/window_set.h"

using vemu::model::TheNode;
using vemu::view::ScrollBarState;

namespace {

// The program on a scratch folder with the shipped messages, its paint box
// 400 x 300 and its timer left to the test.
struct Program {
  explicit Program(const ProgramProfile& profile = FullProgramProfile()) : scope(dialogs), set(profile, {"vemu3"}) {
    form().Timer1->stop();
    set.windows().Settings->CheckCross = false;
    form().PaintBox1->setMinimumSize(1, 1);
    form().PaintBox1->resize(400, 300);
    form().FormResize();
  }
  vemu::platform::ScriptedDialogs dialogs;
  vemu::platform::ScopedDialogs scope;
  WindowSet set;
  TForm1& form() { return *set.windows().Form1; }
  // A junction of the shown level at (x, y).
  TheNode* Junction(std::int32_t x, std::int32_t y, TheNode* level = nullptr) {
    TForm1& f = form();
    if (!level) level = f.Graph->MainNode;
    TheNode* n = f.Graph->AddNode(level, 2);
    n->X = x;
    n->Y = y;
    f.Graph->AddLine(-1, level, n, vemu::model::alHaveItem);
    return n;
  }
};

struct Folder : vemu::test::ScratchFolder {
  Folder() { copyShippedData(); }
};

ScrollBarState Shown(const QScrollBar* bar) { return {bar->value(), bar->pageStep(), 0}; }

}  // namespace

TEST(MainWindowView, ZoomAndDefaultScaleFromTheirControls) {
  Folder folder;
  Program program;
  TForm1& form = program.form();
  form.ActScaleBig->trigger();
  EXPECT_DOUBLE_EQ(form.View->Scale, 1.1);
  EXPECT_EQ(form.StatusText(2), "Scale 110.0%");
  form.SpeedZumout->click();
  form.SpeedZumout->click();
  EXPECT_NEAR(form.View->Scale, 1 / 1.1, 1e-12);
  form.View->Scale = 10.0;
  form.SpeedZoominClick();  // at the limit: nothing, not even the text
  EXPECT_EQ(form.View->Scale, 10.0);
  EXPECT_EQ(form.StatusText(2), "Scale 90.9%");

  form.View->MoveBy(-250, 40);
  form.SpeedButton33->click();
  EXPECT_EQ(form.View->Scale, 1.0);
  EXPECT_EQ(form.View->LogicalToScreen({0, 0}), (vemu::model::TPoint{0, 0}));
  EXPECT_EQ(form.View->ItemsRect, (vemu::view::TRect{100, 50, 300, 250}));  // empty level: around the centre
  EXPECT_EQ(Shown(form.ScrollBar1), (ScrollBarState{0, 100, 0}));  // page 100; position 1 beyond the slider's reach
  EXPECT_EQ(form.ViewCmds.ScrollBar1, (ScrollBarState{1, 100, 51}));
  form.View->MoveBy(5, 5);
  form.Default1->trigger();
  EXPECT_EQ(form.View->OriginX, 0);
  EXPECT_EQ(form.SnapToGrid(21), 7);
}

TEST(MainWindowView, ScrollBarsShowTheViewAndMoveIt) {
  Folder folder;
  for (const bool second : {false, true}) {
    Program program(second ? SecondProgramProfile() : FullProgramProfile());
    TForm1& form = program.form();
    program.Junction(-100, -100);
    program.Junction(1500, 900);
    form.ComputeItemsRect();
    form.UpdateScrollBars();
    // Extent 1800 x 1200 for a window of 400 x 300: the view starts 200 and 200 into it
    // (the full program shows one more than the truncated percentage).
    const int one = second ? 0 : 1;
    EXPECT_EQ(form.ViewCmds.ScrollBar1, (ScrollBarState{11 + one, 22, 12}));
    EXPECT_EQ(form.ViewCmds.ScrollBar2, (ScrollBarState{16 + one, 25, 13}));
    EXPECT_EQ(Shown(form.ScrollBar1), (ScrollBarState{11 + one, 22, 0}));
    EXPECT_EQ(form.ScrollBar1->maximum(), 78);

    // The user drags the thumb: (50 + 11)% of the extent comes to the centre.
    form.ScrollBar1->setValue(50);
    EXPECT_EQ(form.View->OriginX, 200 - (1098 - 200));
    // The other bar's middle: (17 + 12)% of 1200 - 200 = 148 (full), (16 + 12)% = 136 (second).
    EXPECT_EQ(form.View->OriginY, second ? 14 : 2);
    // A click beside the thumb steps by LargeChange (13), not by the page (25).
    const int before = form.ViewCmds.ScrollBar2.Position;
    form.ScrollBar2->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_NEAR(form.ViewCmds.ScrollBar2.Position, before + 13 + one, 1);
  }
}

TEST(MainWindowView, CentringOnTheMouseAndOnTheCurrentNode) {
  Folder folder;
  Program program;
  TForm1& form = program.form();
  form.MousePoint = {50, 250};
  form.Centerscreen1->trigger();
  EXPECT_EQ(form.StatusText(2), "dx=150 dy=-100");
  EXPECT_EQ(form.View->LogicalToScreen({50, 250}), (vemu::model::TPoint{200, 150}));

  TheNode* sub = program.Junction(0, 0);
  sub->NodeType = 1;
  TheNode* deep = program.Junction(900, -700, sub);
  form.CenteronSelect1->trigger();  // no current node: nothing
  EXPECT_EQ(form.Graph->MainNode, sub->Upper);
  form.Graph->CurrentNode = deep;
  form.CenteronSelect1->trigger();
  EXPECT_EQ(form.Graph->MainNode, sub);
  EXPECT_EQ(form.View->LogicalToScreen({900, -700}), (vemu::model::TPoint{200, 75}));
  EXPECT_EQ(form.View->ItemsRect, (vemu::view::TRect{800, -800, 1000, -600}));  // the new level's box
}

TEST(MainWindowView, PrintScreenAsksForTheNameAndAlwaysRestartsTheTimer) {
  Folder folder;
  Program program;
  TForm1& form = program.form();
  form.DrawAll(form.BackBuffer, form.PaintBox1, true);
  struct Case {
    std::optional<std::string> answer;
    const char* file;  // the file that must exist afterwards, or null
    bool errorBox;
  };
  const Case cases[] = {
      {std::nullopt, nullptr, false},        // Cancel: nothing saved
      {"plan", "plan.jpg", false},           // OK
      {"nowhere/plan", nullptr, true},       // the folder is not there
  };
  for (const Case& c : cases) {
    program.dialogs.boxes.clear();
    program.dialogs.inputAnswers.push_back(c.answer);
    form.Timer1->stop();
    form.PrintScreen1->trigger();
    EXPECT_TRUE(form.Timer1->isActive());
    EXPECT_EQ(program.dialogs.prompts.back(), "JPEG file name (without extension):");
    EXPECT_EQ(program.dialogs.boxes.size(), c.errorBox ? 1u : 0u);
    if (c.file) {
      EXPECT_TRUE(vemu::platform::fileExists(folder.file(c.file)));
      EXPECT_EQ(form.StatusText(2), "Picture saved <" + folder.file(c.file) + ">");
    }
  }
  EXPECT_EQ(form.PictureName, "nowhere/plan");  // the last answer is offered next time
  EXPECT_FALSE(std::filesystem::exists(folder.file("nowhere")));
  EXPECT_EQ(form.StatusText(2), "Picture saved <" + folder.file("plan.jpg") + ">");  // not claimed for the failure
  // A whole JPEG file (what it holds is the encoder's test).
  const std::string saved = folder.read("plan.jpg");
  ASSERT_GT(saved.size(), 4u);
  EXPECT_EQ(saved.substr(0, 2), "\xFF\xD8");
  EXPECT_EQ(saved.substr(saved.size() - 2), "\xFF\xD9");
}

TEST(MainWindowView, ClipboardCopyLeavesOutTheGridAndKeepsTheSettings) {
  Folder folder;
  Program program;
  TForm1& form = program.form();
  TForm3& form3 = *program.set.windows().Form3;
  form3.CheckSeeGrid->setChecked(true);
  form3.CheckUseGrid->setChecked(true);
  ASSERT_TRUE(program.set.windows().Settings->CheckSeeGrid);
  form.MousePoint = {100, 100};
  auto countNonWhiteBelowTitle = [](const QImage& picture) {
    int n = 0;
    for (int y = 40; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x) n += (picture.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
    return n;
  };
  form.CopyToClipboard->trigger();
  const QImage copied = QGuiApplication::clipboard()->image();
  ASSERT_EQ(copied.size(), QSize(400, 300));
  EXPECT_EQ(countNonWhiteBelowTitle(copied), 0);  // no grid, no mouse mark
  EXPECT_TRUE(form3.CheckSeeGrid->isChecked());
  EXPECT_TRUE(form3.CheckUseGrid->isChecked());
  EXPECT_EQ(form.StatusText(2), vemu::platform::toUtf8(form.CopyToClipboard->text()));
  EXPECT_GT(countNonWhiteBelowTitle(form.BackBuffer), 100);  // the screen has its grid again
}
