// The view commands without a window: items box, scroll bars and scrolling,
// zoom steps and their status text, default scale and centring.
#include <gtest/gtest.h>

#include <cmath>

#include "model/graph.h"
#include "view/redraw.h"
#include "view/view_commands.h"

namespace view = vemu::view;
using vemu::model::TPoint;
using view::ScrollBarState;
using view::TRect;

namespace {

// A window of 800 x 600 with a shown level of junctions.
class FakeHost final : public view::ViewHost {
 public:
  FakeHost() { level = graph.AddNode(nullptr, 1); }
  vemu::model::TheNode* Add(std::int32_t x, std::int32_t y, std::uint8_t kind = vemu::model::alHaveItem) {
    vemu::model::TheNode* n = graph.AddNode(level, 2);
    n->X = x;
    n->Y = y;
    graph.AddLine(-1, level, n, kind);
    return n;
  }
  view::TMyScale& View() override { return scale; }
  TRect PaintBoxRect() const override { return box; }
  const vemu::model::TheNode* ShownLevel() const override { return level; }
  view::ScrollRule Rule() const override { return rule; }
  void SetStatusText(int panel, const std::string& text) override { status[panel] = text; }
  void ShowScrollBars(const ScrollBarState& h, const ScrollBarState& v) override {
    shownH = h;
    shownV = v;
  }
  void Redraw() override { ++redraws; }

  vemu::model::TheBaseOfGraf graph;
  vemu::model::TheNode* level = nullptr;
  view::TMyScale scale;
  TRect box{0, 0, 800, 600};
  view::ScrollRule rule = view::ScrollRule::Full;
  std::string status[3];
  ScrollBarState shownH, shownV;
  int redraws = 0;
};

}  // namespace

TEST(ViewCommands, ItemsRectIsTheMembersBoxWidenedOrABoxAroundTheCentre) {
  FakeHost host;
  EXPECT_EQ(view::ItemsRectOf(nullptr, 801, 601), (TRect{300, 200, 500, 400}));
  EXPECT_EQ(view::ItemsRectOf(host.level, 800, 600), (TRect{300, 200, 500, 400}));
  host.Add(10, 20);
  host.Add(-30, 400);
  host.Add(9999, 9999, 6);  // a wire, not a member
  host.Add(250, -5);
  EXPECT_EQ(view::ItemsRectOf(host.level, 800, 600), (TRect{-130, -105, 350, 500}));
  // Members at the edge of the range keep the box on their side.
  FakeHost edge;
  edge.Add(INT32_MAX, INT32_MIN);
  EXPECT_EQ(view::ItemsRectOf(edge.level, 0, 0), (TRect{INT32_MAX - 100, INT32_MIN, INT32_MAX, INT32_MIN + 100}));
}

TEST(ViewCommands, ScrollBarsFollowTheViewByEachBuildsRule) {
  struct Case {
    TRect items;
    double scale;
    std::int32_t originX;
    TRect clip;
    view::ScrollRule rule;
    ScrollBarState h, v;
  };
  using R = view::ScrollRule;
  const Case cases[] = {
      // The whole circuit inside the window: page 100 at position 1 (0 in the second build).
      {{300, 200, 500, 400}, 1.0, 0, {0, 0, 800, 600}, R::Full, {1, 100, 51}, {1, 100, 51}},
      {{300, 200, 500, 400}, 1.0, 0, {0, 0, 800, 600}, R::SecondBuild, {0, 100, 51}, {0, 100, 51}},
      // A wider extent: page 800 / 1800, the view 100 / 1800 into it.
      {{-100, -100, 1700, 700}, 1.0, 0, {0, 0, 800, 600}, R::Full, {6, 44, 23}, {13, 75, 38}},
      {{-100, -100, 1700, 700}, 1.0, 0, {0, 0, 800, 600}, R::SecondBuild, {5, 44, 23}, {12, 75, 38}},
      {{-100, -100, 1700, 700}, 2.0, -500, {0, 0, 800, 600}, R::Full, {20, 22, 12}, {13, 38, 20}},
      // No window yet: page 100 at position 0, the step as it was.
      {{0, 0, 10, 10}, 1.0, 0, {0, 0, 0, 0}, R::Full, {0, 100, 1}, {0, 100, 1}},
  };
  for (const Case& c : cases) {
    view::TMyScale v;
    v.ItemsRect = c.items;
    v.Scale = c.scale;
    v.OriginX = c.originX;
    ScrollBarState h, vert;
    view::UpdateScrollBarsOf(v, c.clip, h, vert, c.rule);
    EXPECT_EQ(v.WinRect, c.clip);
    EXPECT_EQ(h, c.h) << c.items.Right << " " << c.scale;
    EXPECT_EQ(vert, c.v) << c.items.Right << " " << c.scale;
  }
}

TEST(ViewCommands, ScrollHoldsTheBarsAndBringsTheThumbsMiddleToTheCentre) {
  FakeHost host;
  host.scale.WinRect = {0, 0, 800, 600};
  host.scale.MaxRect = {-100, -100, 1700, 700};
  view::ViewCommands commands(host);
  commands.ScrollBar1 = {50, 44, 23};
  commands.ScrollBar2 = {1, 75, 38};
  commands.Scroll();
  // (50 + 22)% of 1800 - 100 = 1196 comes to x 400; (1 + 37)% of 800 - 100 = 204 to y 300.
  EXPECT_EQ(host.scale.OriginX, 400 - 1196);
  EXPECT_EQ(host.scale.OriginY, 300 - 204);
  EXPECT_EQ(host.redraws, 1);
  EXPECT_EQ(host.shownH, commands.ScrollBar1);

  // Out-of-range numbers are held first: page 1 to 100, position 0 to 100 - page.
  struct Hold {
    ScrollBarState before;
    std::int32_t position, page;
  };
  for (const Hold& c : {Hold{{90, 44, 1}, 56, 44}, Hold{{-5, 140, 1}, 0, 100}, Hold{{3, 0, 1}, 3, 1},
                        Hold{{1, 100, 51}, 0, 100}}) {
    view::TMyScale v;
    v.WinRect = {0, 0, 800, 600};
    ScrollBarState h = c.before, vert = c.before;
    view::ScrollViewToBars(v, h, vert);
    EXPECT_EQ(h.Position, c.position);
    EXPECT_EQ(h.PageSize, c.page);
  }
}

TEST(ViewCommands, ZoomStepsTestTheLimitBeforeTheStep) {
  struct Case {
    double from;
    bool in;
    int steps;
    double to;
    const char* status;
  };
  const Case cases[] = {
      {1.0, true, 25, 10.8347, "Scale 1083.5%"},  {1.0, true, 26, 10.8347, "Scale 1083.5%"},
      {1.0, false, 25, 0.0923, "Scale  9.2%"},    {1.0, false, 30, 0.0923, "Scale  9.2%"},
      {9.99, true, 1, 10.989, "Scale 1098.9%"},   {10.0, true, 1, 10.0, ""},
      {0.1, false, 1, 0.1, ""},                   {1.0, true, 0, 1.0, ""},
  };
  for (const Case& c : cases) {
    FakeHost host;
    host.scale.Scale = c.from;
    view::ViewCommands commands(host);
    for (int i = 0; i < c.steps; ++i) c.in ? commands.ZoomIn() : commands.ZoomOut();
    EXPECT_NEAR(host.scale.Scale, c.to, 1e-4) << c.from << (c.in ? " in " : " out ") << c.steps;
    EXPECT_EQ(host.status[2], c.status);
    EXPECT_EQ(host.redraws, 0);  // the next tick shows the new scale
  }
  EXPECT_EQ(view::ScaleStatusText(1.0), "Scale 100.0%");
  EXPECT_EQ(view::ScaleStatusText(0.001), "Scale  0.1%");
  EXPECT_FALSE(view::ZoomedIn(10.0));
  EXPECT_FALSE(view::ZoomedOut(0.1));
}

TEST(ViewCommands, DefaultScaleAndCentringMoveTheView) {
  FakeHost host;
  host.Add(100, 100);
  view::ViewCommands commands(host);
  commands.SetZoom(2.5);
  host.scale.MoveBy(-333, 77);
  commands.DefaultScale();
  EXPECT_EQ(host.scale.Scale, 1.0);
  EXPECT_EQ(host.scale.LogicalToScreen({0, 0}), (TPoint{0, 0}));
  EXPECT_EQ(host.scale.ItemsRect, (TRect{0, 0, 200, 200}));
  EXPECT_EQ(host.status[2], "Scale 100.0%");
  EXPECT_EQ(host.shownH, (ScrollBarState{1, 100, 51}));
  EXPECT_EQ(host.redraws, 1);

  commands.CenterScreen({100, 500});
  EXPECT_EQ(host.status[2], "dx=300 dy=-200");
  EXPECT_EQ(host.scale.LogicalToScreen({100, 500}), (TPoint{400, 300}));

  host.scale.Scale = 1.5;
  commands.CenterOn({40, -60});
  EXPECT_EQ(host.scale.LogicalToScreen({40, -60}), (TPoint{400, 150}));
  EXPECT_EQ(host.redraws, 3);
}

TEST(ViewCommands, SnapToGridKeepsToTheLattice) {
  const std::pair<std::int32_t, std::int32_t> cases[] = {{0, 7}, {7, 7}, {21, 7}, {22, 22}, {-1, 7}, {-9, -8}};
  for (const auto& [v, snapped] : cases) EXPECT_EQ(view::SnapToGrid(v, 15), snapped) << v;
}
