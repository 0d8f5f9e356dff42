// The view transform (logical units to screen pixels and back, zooming
// about the window centre) and the swing of a drawn link.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>

#include "model/graph.h"
#include "view/my_line.h"
#include "view/my_scale.h"
#include "view/view_globals.h"

using vemu::model::TheNode;
using vemu::model::TPoint;
using vemu::view::TMyLine;
using vemu::view::TMyScale;
using vemu::view::TRect;

namespace {

TEST(ViewTransform, NewViewIsTheIdentity) {
  TMyScale v;
  EXPECT_EQ(v.Scale, 1.0);
  EXPECT_EQ(v.OriginX, 0);
  EXPECT_EQ(v.OriginY, 0);
  EXPECT_EQ(v.MaxRect, TRect{});
  EXPECT_EQ(v.ItemsRect, TRect{});
  EXPECT_EQ(v.WinRect, TRect{});
  for (int x = -1000; x <= 1000; x += 37) {
    EXPECT_EQ(v.LogicalToScreen({x, -x}), (TPoint{x, -x}));
    EXPECT_EQ(v.ScreenToLogical({x, 2 * x}), (TPoint{x, 2 * x}));
  }
}

TEST(ViewTransform, OriginShiftsTheScreen) {
  TMyScale v;
  v.MoveBy(30, -20);
  v.MoveBy(5, 5);
  EXPECT_EQ(v.OriginX, 35);
  EXPECT_EQ(v.OriginY, -15);
  EXPECT_EQ(v.LogicalToScreen({10, 10}), (TPoint{45, -5}));
  EXPECT_EQ(v.ScreenToLogical({45, -5}), (TPoint{10, 10}));
  v.Scale = 2.0;
  EXPECT_EQ(v.LogicalToScreen({10, 10}), (TPoint{55, 5}));
  EXPECT_EQ(v.ScreenToLogical({55, 5}), (TPoint{10, 10}));
}

TEST(ViewTransform, ScreenAndBackIsExactFromScaleOneUp) {
  for (double scale : {1.0, 1.1, 1.21, 1.4, 1.96, 2.0, 1.1 * 1.1 * 1.1 * 1.1 * 1.1 * 1.1 * 1.1, 7.529536, 10.0}) {
    for (TPoint origin : {TPoint{0, 0}, TPoint{-37, 113}, TPoint{501, -999}}) {
      TMyScale v;
      v.Scale = scale;
      v.OriginX = origin.x;
      v.OriginY = origin.y;
      for (int x = -2000; x <= 2000; x += 7) {
        const TPoint p{x, 13 - x};
        ASSERT_EQ(v.ScreenToLogical(v.LogicalToScreen(p)), p) << "scale " << scale << " x " << x;
      }
    }
  }
}

TEST(ViewTransform, HalvesRoundToEven) {
  TMyScale v;
  v.Scale = 0.5;
  EXPECT_EQ(v.XToScreen(1), 0);
  EXPECT_EQ(v.XToScreen(3), 2);
  EXPECT_EQ(v.XToScreen(5), 2);
  EXPECT_EQ(v.XToScreen(7), 4);
  EXPECT_EQ(v.XToScreen(-1), 0);
  EXPECT_EQ(v.XToScreen(-3), -2);
  EXPECT_EQ(v.YToScreen(5), 2);
  EXPECT_EQ(v.YToScreen(-5), -2);
  // Below scale 1 several logical points share a pixel.
  EXPECT_EQ(v.XToScreen(4), 2);
  EXPECT_EQ(v.XToLogical(2), 4);
  v.OriginX = 10;
  EXPECT_EQ(v.XToScreen(3), 12);

  TMyScale w;
  w.Scale = 2.0;
  EXPECT_EQ(w.XToLogical(1), 0);
  EXPECT_EQ(w.XToLogical(3), 2);
  EXPECT_EQ(w.XToLogical(5), 2);
  EXPECT_EQ(w.XToLogical(-1), 0);
  EXPECT_EQ(w.YToLogical(-3), -2);
  w.OriginY = 1;  // the difference is taken before the division
  EXPECT_EQ(w.YToLogical(6), 2);
}

TEST(ViewTransform, SetScaleWithoutAWindowKeepsTheScreenCorner) {
  TMyScale v;
  v.MoveBy(7, -3);
  const TPoint corner = v.ScreenToLogical({0, 0});
  EXPECT_EQ(corner, (TPoint{-7, 3}));
  v.SetScale(2.0);
  EXPECT_EQ(v.Scale, 2.0);
  EXPECT_EQ(v.OriginX, 14);
  EXPECT_EQ(v.OriginY, -6);
  EXPECT_EQ(v.LogicalToScreen(corner), (TPoint{0, 0}));
  EXPECT_EQ(v.ScreenToLogical({0, 0}), corner);
  v.SetScale(0.5);
  EXPECT_EQ(v.LogicalToScreen(corner), (TPoint{0, 0}));
}

TEST(ViewTransform, SetScaleKeepsTheWindowCentre) {
  TMyScale v;
  v.WinRect = {0, 0, 800, 600};
  v.SetScale(2.0);
  EXPECT_EQ(v.OriginX, -400);
  EXPECT_EQ(v.OriginY, -300);
  EXPECT_EQ(v.ScreenToLogical({400, 300}), (TPoint{400, 300}));

  // Any walk of zoom steps and scrolls: the logical point under the centre
  // before a zoom is drawn on the centre pixel after it.
  const TPoint centre{400, 300};
  const double factors[] = {1.1, 1.4, 1 / 1.1, 1 / 1.4, 1 / 1.4, 1 / 1.4, 1.1, 1 / 1.1};
  int step = 0;
  for (int round = 0; round < 12; ++round) {
    for (double f : factors) {
      v.MoveBy((step * 37) % 101 - 50, (step * 53) % 89 - 44);
      ++step;
      const TPoint held = v.ScreenToLogical(centre);
      v.SetScale(v.Scale * f);
      ASSERT_EQ(v.LogicalToScreen(held), centre) << "step " << step << " scale " << v.Scale;
    }
  }
  // The rectangles are not touched.
  EXPECT_EQ(v.WinRect, (TRect{0, 0, 800, 600}));
  EXPECT_EQ(v.MaxRect, TRect{});
}

TEST(ViewTransform, SetScaleTakesTheCentreFromRightAndBottom) {
  TMyScale v;
  v.WinRect = {100, 50, 301, 151};  // centre (150, 75), not the rectangle's middle
  v.SetScale(2.0);
  EXPECT_EQ(v.OriginX, -150);
  EXPECT_EQ(v.OriginY, -75);

  // Halving truncates toward zero.
  TMyScale w;
  w.WinRect = {0, 0, -5, -7};
  w.SetScale(2.0);
  EXPECT_EQ(w.OriginX, 2);
  EXPECT_EQ(w.OriginY, 3);
}

TEST(ViewTransform, ZoomingAwayAndBackMayDriftByRounding) {
  TMyScale v;
  v.WinRect = {0, 0, 100, 100};
  v.Scale = 1.1;
  v.SetScale(0.5);
  EXPECT_EQ(v.OriginX, 28);
  v.SetScale(1.1);
  // The centre now holds logical 44 instead of 45: the origin moved by 2.
  EXPECT_EQ(v.OriginX, 2);
  EXPECT_EQ(v.XToLogical(50), 44);
}

TEST(ViewTransform, FarOffOriginsWrapAndConversionsNeverOverflow) {
  TMyScale v;
  v.OriginX = std::numeric_limits<std::int32_t>::max();
  v.MoveBy(1, 0);
  EXPECT_EQ(v.OriginX, std::numeric_limits<std::int32_t>::min());
  v.OriginX = 0;
  EXPECT_EQ(v.XToScreen(2000000000), 2000000000);
  EXPECT_EQ(v.XToLogical(-2000000000), -2000000000);
  v.Scale = 10.0;
  v.WinRect = {0, 0, std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::max()};
  v.SetScale(0.1);
  v.SetScale(10.0);
  EXPECT_EQ(v.Scale, 10.0);
}

// A node at a place, for link creation.
struct Placed : TheNode {
  Placed(int x, int y) {
    X = x;
    Y = y;
  }
};

TEST(LinkSwing, CreationKicksTheMiddleSideways) {
  Placed o{0, 0}, right{100, 0}, down{0, 100};
  TMyLine h(&o, &right);
  EXPECT_EQ(h.Countdown, 100);
  EXPECT_EQ(h.SwingPoint, (TPoint{50, -25}));
  EXPECT_EQ(h.RestPoint, (TPoint{50, 0}));
  EXPECT_EQ(h.CurPoint, (TPoint{50, -25}));
  EXPECT_EQ(h.Next, nullptr);
  EXPECT_EQ(h.Node, nullptr);  // the caller links it
  EXPECT_EQ(h.Kind, 0);

  TMyLine v(&o, &down);
  EXPECT_EQ(v.SwingPoint, (TPoint{50, 50}));
  EXPECT_EQ(v.RestPoint, (TPoint{0, 50}));
  EXPECT_EQ(v.CurPoint, (TPoint{50, 50}));

  TMyLine back(&right, &o);  // the other direction kicks to the other side
  EXPECT_EQ(back.SwingPoint, (TPoint{50, 25}));
  EXPECT_EQ(back.RestPoint, (TPoint{50, 0}));

  Placed diag{100, 40};
  TMyLine d(&o, &diag);
  EXPECT_EQ(d.SwingPoint, (TPoint{70, -5}));
  EXPECT_EQ(d.RestPoint, (TPoint{50, 20}));
}

TEST(LinkSwing, CreationHalvesTowardZero) {
  Placed p{-3, -5}, o{0, 0};
  TMyLine l(&p, &o);
  EXPECT_EQ(l.RestPoint, (TPoint{-1, -2}));
  EXPECT_EQ(l.SwingPoint, (TPoint{1, -2}));
}

TEST(LinkSwing, CreationWithoutBothEnds) {
  Placed o{10, 10};
  for (TMyLine* l : {new TMyLine(nullptr, &o), new TMyLine(&o, nullptr), new TMyLine(nullptr, nullptr)}) {
    std::unique_ptr<TMyLine> owned(l);
    EXPECT_EQ(l->SwingPoint, (TPoint{200, 100}));
    EXPECT_EQ(l->RestPoint, (TPoint{200, 100}));
    EXPECT_EQ(l->CurPoint, (TPoint{200, 100}));
    EXPECT_EQ(l->Countdown, 100);
    int speed = 2;
    l->Step(true, speed);
    EXPECT_EQ(l->CurPoint, (TPoint{200, 100}));
  }
}

TEST(LinkSwing, SpeedOutsideOneToTenBecomesOne) {
  Placed o{0, 0}, right{100, 0};
  for (int bad : {0, 11, -3, 1000}) {
    TMyLine l(&o, &right);
    int speed = bad;
    l.Step(true, speed);
    EXPECT_EQ(speed, 1) << bad;
    EXPECT_EQ(l.Countdown, 99) << bad;
    l.Step(true, speed);
    EXPECT_EQ(speed, 1);
    EXPECT_EQ(l.Countdown, 98);
  }
  TMyLine l(&o, &right);
  int speed = 10;
  l.Step(true, speed);
  EXPECT_EQ(speed, 10);
  EXPECT_EQ(l.Countdown, 90);

  // The shared setting is put right by the step too.
  const int saved = vemu::view::LineSpeed;
  vemu::view::LineSpeed = 0;
  l.Step(true, vemu::view::LineSpeed);
  EXPECT_EQ(vemu::view::LineSpeed, 1);
  EXPECT_EQ(l.Countdown, 89);
  vemu::view::LineSpeed = saved;
}

TEST(LinkSwing, WithoutLineMovesTheLinkRestsAtOnce) {
  Placed o{0, 0}, right{100, 0};
  TMyLine l(&o, &right);
  int speed = 2;
  l.Step(false, speed);
  EXPECT_EQ(l.Countdown, 0);
  EXPECT_EQ(l.CurPoint, (TPoint{50, 0}));
  l.Step(true, speed);  // switching it back on does not restart the swing
  EXPECT_EQ(l.Countdown, 0);
  EXPECT_EQ(l.CurPoint, (TPoint{50, 0}));
}

TEST(LinkSwing, VerticalSwingDampsOut) {
  Placed o{0, 0}, right{100, 0};
  TMyLine l(&o, &right);
  int speed = 2;
  l.Step(true, speed);
  EXPECT_EQ(l.Countdown, 98);
  EXPECT_EQ(l.CurPoint, (TPoint{50, -23}));  // 0.951 * -24.5
  for (int i = 1; i < 20; ++i) l.Step(true, speed);
  EXPECT_EQ(l.Countdown, 60);
  EXPECT_EQ(l.CurPoint, (TPoint{50, -15}));  // a full y period: amplitude 25 * 0.6
  for (int i = 0; i < 5; ++i) l.Step(true, speed);
  EXPECT_EQ(l.Countdown, 50);
  EXPECT_EQ(l.CurPoint, (TPoint{50, 0}));  // passing through the middle
  for (int i = 0; i < 24; ++i) l.Step(true, speed);
  EXPECT_EQ(l.Countdown, 2);
  l.Step(true, speed);
  EXPECT_EQ(l.Countdown, 0);
  EXPECT_EQ(l.CurPoint, (TPoint{50, 0}));
  l.Step(true, speed);
  EXPECT_EQ(l.Countdown, 0);
  EXPECT_EQ(l.CurPoint, (TPoint{50, 0}));
}

TEST(LinkSwing, HorizontalSwingRunsAtHalfTheFrequency) {
  Placed o{0, 0}, down{0, 100};
  TMyLine l(&o, &down);
  int speed = 2;
  for (int i = 0; i < 10; ++i) l.Step(true, speed);
  EXPECT_EQ(l.Countdown, 80);
  EXPECT_EQ(l.CurPoint, (TPoint{0, 50}));  // a quarter period: through the middle
  for (int i = 0; i < 10; ++i) l.Step(true, speed);
  EXPECT_EQ(l.Countdown, 60);
  EXPECT_EQ(l.CurPoint, (TPoint{-30, 50}));  // half a period: the other side
  for (int i = 0; i < 20; ++i) l.Step(true, speed);
  EXPECT_EQ(l.Countdown, 20);
  EXPECT_EQ(l.CurPoint, (TPoint{10, 50}));  // a full period
}

TEST(LinkSwing, CountdownRunsDownPastZeroAndStops) {
  Placed o{0, 0}, down{0, 100};
  TMyLine l(&o, &down);
  int speed = 3;
  for (int i = 0; i < 33; ++i) l.Step(true, speed);
  EXPECT_EQ(l.Countdown, 1);  // still swinging
  l.Step(true, speed);
  EXPECT_EQ(l.Countdown, -2);
  EXPECT_EQ(l.CurPoint, l.RestPoint);
  l.Step(true, speed);
  EXPECT_EQ(l.Countdown, -2);
  EXPECT_EQ(l.CurPoint, l.RestPoint);
}

TEST(LinkSwing, ArmAndRest) {
  Placed o{0, 0}, right{100, 0}, down{0, 100};
  TMyLine l(&o, &right);
  int speed = 2;
  for (int i = 0; i < 60; ++i) l.Step(true, speed);
  l.Arm(&o, &down);
  EXPECT_EQ(l.Countdown, 100);
  EXPECT_EQ(l.CurPoint, (TPoint{50, 50}));
  EXPECT_EQ(l.RestPoint, (TPoint{0, 50}));
  l.SetAtRest();
  EXPECT_EQ(l.CurPoint, (TPoint{0, 50}));
  EXPECT_EQ(l.SwingPoint, (TPoint{0, 50}));
  for (int i = 0; i < 5; ++i) {
    l.Step(true, speed);
    EXPECT_EQ(l.CurPoint, (TPoint{0, 50}));  // a link at rest stays put while its countdown runs
  }
}

TEST(LinkSwing, DrawnLinksLiveInTheGraph) {
  vemu::model::TheBaseOfGraf g;
  TheNode* a = g.AddNode(nullptr, 2);
  TheNode* b = g.AddNode(nullptr, 2);
  b->X = 100;
  auto link = std::make_unique<TMyLine>(a, b);
  vemu::model::TheLine* l = g.AddLine(-2, a, b, vemu::model::alWire, std::move(link));
  TMyLine* drawn = vemu::view::AsMyLine(l);
  ASSERT_NE(drawn, nullptr);
  EXPECT_EQ(drawn->Node, b);
  EXPECT_EQ(drawn->RestPoint, (TPoint{50, 0}));
  g.DeleteNode(b);  // the drawn link goes with its target
  EXPECT_EQ(a->FirstLine, nullptr);
}

}  // namespace
