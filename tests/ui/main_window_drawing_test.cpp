// The main window's drawing: the back buffer and its life, the tick that
// redraws, the paint box that shows the picture and the redraw's failure
// path in the window.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTimer>

#include "build2/second_profile.h"
#include "platform/scripted_dialogs.h"
#include "support/scratch_folder.h"
#include "ui/paint_box.h"
#include "ui/tform1.h"
#include "ui/window_set.h"

using vemu::model::TheNode;

namespace {

struct Program {
  explicit Program(const ProgramProfile& profile = FullProgramProfile())
      : scope(dialogs), set(profile, {"vemu3"}) {}
  vemu::platform::ScriptedDialogs dialogs;
  vemu::platform::ScopedDialogs scope;
  WindowSet set;
  TForm1& form() { return *set.windows().Form1; }
};

}  // namespace

TEST(MainWindowDrawing, BackBufferFollowsThePaintBoxAndTheTickRedraws) {
  vemu::test::ScratchFolder folder;
  Program program;
  TForm1& form = program.form();
  form.Timer1->stop();
  program.set.windows().Settings->CheckCross = false;  // no whirl behind the picture
  form.PaintBox1->resize(320, 240);
  // The tick that finds a new size only remakes the buffer (black) and the view's window.
  const std::int32_t angle = form.AnimAngle;
  form.Timer1Timer();
  EXPECT_EQ(form.AnimAngle, angle);
  ASSERT_EQ(form.BackBuffer.size(), QSize(320, 240));
  EXPECT_EQ(form.BackBuffer.format(), QImage::Format_RGB32);
  EXPECT_EQ(form.BackBufferWidth, 320);
  EXPECT_EQ(form.BackBufferHeight, 240);
  EXPECT_EQ(form.BackBuffer.pixel(300, 200) & 0xFFFFFF, 0u);
  EXPECT_EQ(form.View->WinRect.Right - form.View->WinRect.Left, 320);
  EXPECT_EQ(form.View->WinRect.Bottom - form.View->WinRect.Top, 240);

  // The next tick animates and paints: white with the title in the corner.
  form.RedrawRequest = 1;
  form.Timer1Timer();
  EXPECT_EQ(form.AnimAngle, angle + 3);
  EXPECT_EQ(form.BackBuffer.pixel(300, 200) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(form.RedrawRequest, 0);
  bool titleInk = false;
  for (int x = 5; x < 40; ++x)
    for (int y = 5; y < 18; ++y) titleInk = titleInk || (form.BackBuffer.pixel(x, y) & 0xFF) < 0x80;
  EXPECT_TRUE(titleInk);

  EXPECT_EQ(form.PaintBox1->Picture(), &form.BackBuffer);
}

TEST(MainWindowDrawing, PaintBoxShowsItsPictureAndWhiteBeyondIt) {
  QImage picture(30, 20, QImage::Format_RGB32);
  picture.fill(0x123456);
  PaintBox box;
  box.resize(50, 40);
  box.SetPicture(&picture);
  QImage shown(50, 40, QImage::Format_RGB32);
  shown.fill(0);
  box.render(&shown);
  EXPECT_EQ(shown.pixel(29, 19) & 0xFFFFFF, 0x123456u);
  EXPECT_EQ(shown.pixel(30, 5) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(shown.pixel(5, 39) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(MainWindowDrawing, NoPictureIsDrawnIntoABufferThatCouldNotBeMade) {
  vemu::test::ScratchFolder folder;
  Program program;
  TForm1& form = program.form();
  form.Timer1->stop();
  form.CreateBackBuffer(0, 0);
  EXPECT_TRUE(form.BackBuffer.isNull());
  form.DrawAll(form.BackBuffer, form.PaintBox1, true);
  EXPECT_TRUE(form.BackBuffer.isNull());
  EXPECT_TRUE(form.Memo1->isHidden());
}

TEST(MainWindowDrawing, FailedRedrawStopsTheTimerAndShowsTheMemo) {
  for (const bool second : {false, true}) {
    vemu::test::ScratchFolder folder;
    Program program(second ? SecondProgramProfile() : FullProgramProfile());
    TForm1& form = program.form();
    ASSERT_TRUE(form.Timer1->isActive());
    vemu::model::TheBaseOfGraf other;
    TheNode* shown = form.Graph->MainNode;
    form.Graph->MainNode = other.AddNode(nullptr, vemu::model::ntRoot);  // not of this circuit
    form.Timer1Timer();
    form.Graph->MainNode = shown;
    EXPECT_FALSE(form.Timer1->isActive());
    EXPECT_FALSE(form.Memo1->isHidden());
    // The second build leaves the splitter as it was.
    EXPECT_EQ(form.Splitter1->isHidden(), second);
    // The failure text stays on the picture.
    bool ink = false;
    for (int x = 10; x < 60; ++x)
      for (int y = 10; y < 22; ++y) ink = ink || (form.BackBuffer.pixel(x, y) & 0xFF) < 0x80;
    EXPECT_TRUE(ink);
  }
}

TEST(MainWindowDrawing, SecondBuildTickDoesNotWatchThePaintBoxSize) {
  vemu::test::ScratchFolder folder;
  Program program(SecondProgramProfile());
  TForm1& form = program.form();
  form.Timer1->stop();
  form.PaintBox1->resize(form.BackBuffer.width() + 40, form.BackBuffer.height() + 30);
  const std::int32_t angle = form.AnimAngle;
  form.Timer1Timer();
  EXPECT_EQ(form.AnimAngle, angle + 3);  // animated and redrawn, the buffer as it was
  // The resize handler remakes it.
  form.FormResize();
  EXPECT_EQ(form.BackBuffer.size(), form.PaintBox1->size());
}
