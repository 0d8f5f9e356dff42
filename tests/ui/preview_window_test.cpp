// The preview window: its own view, the borrowed redraw that always gives
// the main window's view and shown level back, zoom, pan, the level swap,
// Esc and painting only while shown.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QTimer>
#include <QKeyEvent>
#include <stdexcept>

#include "editing_program.h"
#include "view/preview_view.h"
#include "view/windows/preview_window.h"

namespace vemu::test {
namespace {

using model::TheNode;
using view::TMyScale;

TEST(PreviewView, ZoomStepsTestTheLimitBeforeTheStep) {
  struct Case {
    double scale;
    bool in;
    std::optional<double> next;
  };
  for (const Case& c : {Case{9.8, true, 9.8 * 1.4}, Case{10.0, true, std::nullopt}, Case{0.5, true, 0.7},
                        Case{0.11, false, 0.11 / 1.4}, Case{0.1, false, std::nullopt}}) {
    const auto next = c.in ? view::PreviewZoomedIn(c.scale) : view::PreviewZoomedOut(c.scale);
    ASSERT_EQ(next.has_value(), c.next.has_value()) << c.scale;
    if (next) {
      EXPECT_DOUBLE_EQ(*next, *c.next) << c.scale;
    }
  }
  EXPECT_NEAR(*view::PreviewZoomedIn(9.8), 13.72, 1e-12);
}

TEST(PreviewView, TheBorrowedLevelGoesBackAlsoWhenThePaintThrows) {
  model::TheBaseOfGraf graph;
  TheNode* root = graph.AddNode(nullptr, 1);
  TheNode* x1 = graph.AddNode(root, 29);
  graph.MainNode = root;
  TMyScale main;
  main.Scale = 1.7;
  main.OriginX = 11;
  main.WinRect = {0, 0, 800, 600};
  main.ItemsRect = {1, 2, 3, 4};
  TMyScale own;
  view::ResetPreviewView(own, {0, 0, 227, 200});
  TMyScale saved;
  const TMyScale before = main;
  EXPECT_THROW(
      {
        view::BorrowedLevel lent(main, graph, own, x1, saved);
        EXPECT_EQ(graph.MainNode, x1);
        EXPECT_EQ(main.Scale, 0.5);
        EXPECT_EQ(main.WinRect, (view::TRect{0, 0, 227, 200}));
        main.OriginX = 999;  // what the paint changes is dropped
        throw std::runtime_error("paint failed");
      },
      std::runtime_error);
  EXPECT_EQ(graph.MainNode, root);
  EXPECT_EQ(main.Scale, before.Scale);
  EXPECT_EQ(main.OriginX, before.OriginX);
  EXPECT_EQ(main.WinRect, before.WinRect);
  EXPECT_EQ(main.ItemsRect, before.ItemsRect);
}

// A program with a sub-circuit X1 (a resistor and a junction inside) in the
// root level, and the preview window on X1, shown.
struct PreviewFixture : ::testing::Test {
  EditingProgram program;
  TForm1& form = program.form();
  TFormSubCircuit& preview = *program.set.windows().FormSubCircuit;
  TheNode* root = program.root();
  TheNode* x1 = nullptr;
  TheNode* r1 = nullptr;

  TheNode* add(TheNode* level, int type, const char* name, int x, int y) {
    TheNode* n = form.Graph->AddNode(level, static_cast<std::uint8_t>(type));
    n->Name = name;
    n->X = x;
    n->Y = y;
    form.Graph->AddLine(-1, level, n, model::alHaveItem);
    return n;
  }
  void SetUp() override {
    x1 = add(root, 29, "X1", 100, 100);
    r1 = add(x1, 19, "R1", 50, 40);
    TheNode* j = add(x1, 2, "1", 50, 90);
    form.Graph->AddLine(-1, r1, j, model::alOutPin);
    preview.SetNode(x1);
    preview.show();
  }
  void rightClick() {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(20, 20), QPointF(20, 20), Qt::RightButton, Qt::RightButton,
                      Qt::NoModifier);
    QApplication::sendEvent(preview.PaintBox1, &press);
  }
};

TEST_F(PreviewFixture, APaintLeavesTheMainViewAndLevelAsTheyWere) {
  form.View->Scale = 1.3;
  form.View->OriginX = -40;
  form.View->OriginY = 25;
  const TMyScale before = *form.View;
  form.ArrangeMode = 1;  // the arrangement never runs in the preview's paint
  TheNode* seenLevel = nullptr;
  double seenScale = 0;
  auto realPaint = preview.PaintLevel;
  preview.PaintLevel = [&](QImage& bitmap, QWidget* destination) {
    seenLevel = form.Graph->MainNode;
    seenScale = form.View->Scale;
    realPaint(bitmap, destination);
  };
  preview.DrawSubCircuit();
  EXPECT_EQ(seenLevel, x1);
  EXPECT_EQ(seenScale, 0.5);
  EXPECT_EQ(form.Graph->MainNode, root);
  EXPECT_EQ(form.View->Scale, before.Scale);
  EXPECT_EQ(form.View->OriginX, before.OriginX);
  EXPECT_EQ(form.View->OriginY, before.OriginY);
  EXPECT_EQ(form.View->WinRect, before.WinRect);
  EXPECT_EQ((model::TPoint{r1->X, r1->Y}), (model::TPoint{50, 40}));
  EXPECT_EQ(preview.BackBuffer.pixel(1, 1) & 0xFFFFFF, 0xFFFFFFu);  // the redraw painted it
  EXPECT_EQ(preview.windowTitle(), "\rSubCircuit = X1");

  // A paint that throws gives both back as well.
  preview.PaintLevel = [](QImage&, QWidget*) { throw std::runtime_error("paint failed"); };
  EXPECT_THROW(preview.DrawSubCircuit(), std::runtime_error);
  EXPECT_EQ(form.Graph->MainNode, root);
  EXPECT_EQ(form.View->Scale, before.Scale);
  EXPECT_EQ(form.View->OriginX, before.OriginX);
}

TEST_F(PreviewFixture, PaintsOnlyWhileShownAndHidesWithoutAContainer) {
  int paints = 0;
  preview.PaintLevel = [&](QImage&, QWidget*) { ++paints; };
  preview.Timer1Timer();
  EXPECT_EQ(paints, 1);
  preview.hide();
  preview.Timer1Timer();
  EXPECT_EQ(paints, 1);
  EXPECT_EQ(preview.Timer1->interval(), 1000);
  EXPECT_TRUE(preview.Timer1->isActive());

  // A node that is no container: the window says so and hides itself.
  preview.ShownNode = r1;
  preview.show();
  EXPECT_FALSE(preview.isVisible());
  EXPECT_EQ(paints, 1);
  // With no node a right click opens no menu, yet repaints (and so hides).
  preview.ShownNode = nullptr;
  preview.show();
  rightClick();
  EXPECT_FALSE(preview.PopupMenu1->isVisible());
  EXPECT_FALSE(preview.isVisible());
}

TEST_F(PreviewFixture, ZoomPanAndAShownNodeKeepOrResetTheOwnView) {
  preview.OwnScale.Scale = 9.8;
  preview.ZoomIn1->trigger();
  EXPECT_NEAR(preview.OwnScale.Scale, 13.72, 1e-9);
  preview.OwnScale.Scale = 10.0;
  preview.ZoomIn1->trigger();
  EXPECT_EQ(preview.OwnScale.Scale, 10.0);
  preview.ZoomOut1->trigger();
  EXPECT_NEAR(preview.OwnScale.Scale, 10.0 / 1.4, 1e-9);

  preview.DefaultScale1->trigger();
  EXPECT_EQ(preview.OwnScale.Scale, 0.5);
  EXPECT_EQ(preview.OwnScale.OriginX, 0);
  preview.FormMouseDown(Qt::LeftButton, 10, 10);
  preview.FormMouseUp(30, 50);
  EXPECT_EQ(preview.OwnScale.OriginX, 20);
  EXPECT_EQ(preview.OwnScale.OriginY, 40);
  preview.FormMouseUp(90, 90);  // no drag in progress
  EXPECT_EQ(preview.OwnScale.OriginX, 20);

  // A new size gives a new back buffer and the view's window.
  EXPECT_TRUE(preview.windowFlags() & Qt::WindowStaysOnTopHint);
  preview.resize(300, 260);
  EXPECT_EQ(preview.BackBuffer.size(), QSize(300, 260));
  EXPECT_EQ(preview.OwnScale.WinRect, (view::TRect{0, 0, 300, 260}));

  preview.OwnScale.Scale = 2.0;
  preview.SetNode(x1);  // the same node: zoom and pan stay
  EXPECT_EQ(preview.OwnScale.Scale, 2.0);
  preview.SetNode(root);
  EXPECT_EQ(preview.OwnScale.Scale, 0.5);
  EXPECT_EQ(preview.OwnScale.OriginX, 0);
  EXPECT_EQ(preview.OwnScale.OriginY, 0);
}

TEST_F(PreviewFixture, DoubleClickSwapsTheLevelsAndEscHides) {
  preview.FormDblClick();
  EXPECT_EQ(form.Graph->MainNode, x1);
  EXPECT_EQ(preview.ShownNode, root);
  EXPECT_TRUE(form.ActUpSub->isEnabled());
  EXPECT_TRUE(form.ActDownSub->isEnabled());
  preview.FormDblClick();
  EXPECT_EQ(form.Graph->MainNode, root);
  EXPECT_EQ(preview.ShownNode, x1);
  EXPECT_FALSE(form.ActUpSub->isEnabled());
  // A node of no circuit of this window never becomes the shown level.
  model::TheBaseOfGraf other;
  preview.ShownNode = other.AddNode(nullptr, 29);
  preview.FormDblClick();
  EXPECT_EQ(form.Graph->MainNode, root);
  preview.ShownNode = x1;

  // A name of 30 characters loses its last one in the caption (43 in all).
  x1->Name = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123";
  preview.DrawSubCircuit();
  EXPECT_EQ(preview.windowTitle(), "\rSubCircuit = ABCDEFGHIJKLMNOPQRSTUVWXYZ012");

  program.key(&preview, Qt::Key_Escape);
  EXPECT_FALSE(preview.isVisible());
  EXPECT_EQ(preview.ShownNode, x1);  // node and view survive hiding
}

TEST_F(PreviewFixture, UndoAndRedoRepaintTheSubCircuitAsItNowIs) {
  std::vector<int> drawn;  // the lines of the level each paint draws
  const auto realPaint = preview.PaintLevel;
  preview.PaintLevel = [&](QImage& bitmap, QWidget* destination) {
    drawn.push_back(form.Graph->LineCount(form.Graph->MainNode));
    realPaint(bitmap, destination);
  };
  form.PushUndoSnapshot();
  add(x1, 19, "R2", 90, 40);
  form.Undo1Click();
  ASSERT_EQ(drawn.size(), 1u);  // at once, not on the next tick
  form.Redo1Click();
  ASSERT_EQ(drawn.size(), 2u);
  EXPECT_EQ(drawn[1], drawn[0] + 1);  // R2 is back
  // A snapshot of a time the preview showed nothing leaves it on its sub-circuit.
  preview.ShownNode = nullptr;
  form.PushUndoSnapshot();
  preview.SetNode(model::FindNodeByName(*form.Graph, "X1"));
  form.Undo1Click();
  EXPECT_EQ(preview.ShownNode, model::FindNodeByName(*form.Graph, "X1"));
  EXPECT_TRUE(preview.isVisible());
}

}  // namespace
}  // namespace vemu::test
