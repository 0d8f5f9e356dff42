// The drawing primitives' edge cases: arrows of zero length and with the
// head at either end, head sizes outside their range, curves through
// collinear and far-off points, rounding of the point helpers, and views
// far off the plane.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "platform/recording_canvas.h"
#include "view/draw_primitives.h"
#include "view/my_scale.h"
#include "view/view_globals.h"

using namespace vemu;
using model::TPoint;

namespace {

struct Segment {
  int x1, y1, x2, y2;
  friend bool operator==(const Segment&, const Segment&) = default;
};

std::vector<Segment> Segments(const platform::RecordingCanvas& canvas) {
  std::vector<Segment> out;
  for (const std::string& call : canvas.calls) {
    Segment s{};
    if (std::sscanf(call.c_str(), "line %d %d %d %d", &s.x1, &s.y1, &s.x2, &s.y2) == 4) out.push_back(s);
  }
  return out;
}

struct ArrowSizeScope {
  int saved = view::ArrowSize;
  explicit ArrowSizeScope(int size) { view::ArrowSize = size; }
  ~ArrowSizeScope() { view::ArrowSize = saved; }
};

struct ArrowCase {
  const char* name;
  TPoint a, b;
  double t;
  int arrowSize;
  std::vector<Segment> expected;  // shaft, first barb, second barb
};

TEST(DrawArrowAt, HeadAtTheFractionWithBarbsAtFortyFiveDegrees) {
  const ArrowCase cases[] = {
      {"head at the end", {0, 0}, {100, 0}, 1.0, 6, {{0, 0, 100, 0}, {100, 0, 94, -6}, {94, 6, 100, 0}}},
      {"head half way", {0, 0}, {100, 0}, 0.5, 6, {{0, 0, 100, 0}, {50, 0, 44, -6}, {44, 6, 50, 0}}},
      {"head on A points back past A", {0, 0}, {100, 0}, 0.0, 6, {{0, 0, 100, 0}, {0, 0, -6, -6}, {-6, 6, 0, 0}}},
      {"upward", {0, 0}, {0, -40}, 1.0, 8, {{0, 0, 0, -40}, {0, -40, -8, -32}, {8, -32, 0, -40}}},
      // d = (30, 40), len 50: h = (3.6, 4.8) rounds to (4, 5).
      {"slanted", {10, 10}, {40, 50}, 0.9, 6, {{10, 10, 40, 50}, {37, 46, 38, 37}, {28, 45, 37, 46}}},
      {"A = B draws only a point", {20, 20}, {20, 20}, 1.0, 6, {{20, 20, 20, 20}, {20, 20, 20, 20}, {20, 20, 20, 20}}},
      {"size 0", {0, 0}, {100, 0}, 1.0, 0, {{0, 0, 100, 0}, {100, 0, 100, 0}, {100, 0, 100, 0}}},
      {"a damaged size is held to 100", {0, 0}, {100, 0}, 1.0, 1000000, {{0, 0, 100, 0}, {100, 0, 0, -100}, {0, 100, 100, 0}}},
      {"a negative size is held to 0", {0, 0}, {100, 0}, 1.0, -8, {{0, 0, 100, 0}, {100, 0, 100, 0}, {100, 0, 100, 0}}},
  };
  for (const ArrowCase& c : cases) {
    ArrowSizeScope size(c.arrowSize);
    platform::RecordingCanvas canvas;
    canvas.pen = {0x123456, 2, platform::PenStyle::Dot};
    view::DrawArrowAt(c.a, c.b, canvas, c.t);
    EXPECT_EQ(Segments(canvas), c.expected) << c.name;
    // The pen is the caller's; only the pen position moves.
    EXPECT_EQ(canvas.pen, (platform::Pen{0x123456, 2, platform::PenStyle::Dot})) << c.name;
  }
  // DrawArrow is DrawArrowAt at 1.
  ArrowSizeScope size(6);
  platform::RecordingCanvas arrow, at;
  view::DrawArrow({3, 4}, {50, -20}, arrow);
  view::DrawArrowAt({3, 4}, {50, -20}, at, 1.0);
  EXPECT_EQ(arrow.calls, at.calls);
}

TEST(DrawCurvedArrow, PassesThroughItsThreePointsWithTheHeadOnTheEighthSegment) {
  ArrowSizeScope size(6);
  const TPoint triples[][3] = {
      {{0, 0}, {50, -25}, {100, 0}},
      {{0, 0}, {50, 0}, {100, 0}},      // collinear
      {{0, 0}, {200, 0}, {100, 0}},     // collinear, overshooting past C
      {{5, 5}, {5, 5}, {5, 5}},         // one point
      {{-7, 3}, {120, 301}, {-55, 18}},
  };
  for (const auto& p : triples) {
    platform::RecordingCanvas canvas;
    view::DrawCurvedArrow(p[0], p[1], p[2], canvas);
    const std::vector<Segment> s = Segments(canvas);
    ASSERT_EQ(s.size(), 13u);                               // eleven segments and two barbs
    EXPECT_EQ(s[0], (Segment{p[0].x, p[0].y, p[0].x, p[0].y}));  // the first has zero length
    EXPECT_EQ((TPoint{s[5].x2, s[5].y2}), p[1]);            // through B at t = 0.5
    EXPECT_EQ((TPoint{s[12].x2, s[12].y2}), p[2]);          // ends on C
    EXPECT_EQ((TPoint{s[8].x1, s[8].y1}), (TPoint{s[7].x2, s[7].y2}));  // the head ends the t = 0.7 segment
    EXPECT_EQ(canvas.PenPos(), p[2]);
  }
}

TEST(DrawCurvedArrow, FarOffPointsAreClampedBeforeTheyReachThePainter) {
  ArrowSizeScope size(30);
  platform::RecordingCanvas canvas;
  view::DrawCurvedArrow({-2000000000, 0}, {0, 2000000000}, {2000000000, -2000000000}, canvas);
  for (const Segment& s : Segments(canvas))
    for (int v : {s.x1, s.y1, s.x2, s.y2}) ASSERT_LE(std::abs(v), platform::kCoordLimit);
}

TEST(PointHelpers, ArithmeticAndRoundingHalvesToEven) {
  struct MulCase {
    TPoint a;
    double k;
    TPoint r;
  } cases[] = {
      {{3, 5}, 0.5, {2, 2}},   {{-3, 7}, 0.5, {-2, 4}}, {{1, -1}, 0.5, {0, 0}},
      {{10, -10}, 1.0 / 3, {3, -3}}, {{7, 9}, 0.0, {0, 0}}, {{1000000, 3}, 3000.0, {INT32_MAX, 9000}},
  };
  for (const MulCase& c : cases) EXPECT_EQ(view::PointMul(c.a, c.k), c.r) << c.a.x << "," << c.a.y << " x " << c.k;

  TPoint a{1, 2};
  view::PointAdd(a, {10, 20});
  EXPECT_EQ(a, (TPoint{11, 22}));
  view::PointSub(a, {1, 30});
  EXPECT_EQ(a, (TPoint{10, -8}));
  EXPECT_EQ(view::PointDiff({1, 2}, {10, 20}), (TPoint{-9, -18}));
  EXPECT_TRUE(view::PointsEqual({4, 5}, {4, 5}));
  EXPECT_FALSE(view::PointsEqual({4, 5}, {5, 4}));
}

TEST(RoundEven, NearestWithHalvesToEvenHeldToThe32BitRange) {
  const struct {
    double in;
    std::int32_t out;
  } cases[] = {
      {0.5, 0},         {1.5, 2},          {2.5, 2},         {-0.5, 0},         {-1.5, -2},
      {-2.5, -2},       {0.49999999999999994, 0}, {2.5000000000000004, 3}, {-7.2, -7}, {1e6 + 0.5, 1000000},
      {2147483647.4, INT32_MAX}, {2147483647.5, INT32_MAX}, {1e300, INT32_MAX},
      {-2147483648.4, INT32_MIN}, {-2147483648.6, INT32_MIN}, {-1e300, INT32_MIN},
      {std::numeric_limits<double>::infinity(), INT32_MAX}, {std::numeric_limits<double>::quiet_NaN(), INT32_MIN},
  };
  for (const auto& c : cases) EXPECT_EQ(view::RoundEven(c.in), c.out) << c.in;
}

TEST(ViewTransform, ScreenPointsFarOffThePlaneSaturate) {
  view::TMyScale v;
  v.Scale = 10.0;
  v.OriginX = 2147483000;
  v.OriginY = -2147483000;
  // Beyond the 32-bit range a point stays on its side instead of wrapping round.
  EXPECT_EQ(v.XToScreen(1000), INT32_MAX);
  EXPECT_EQ(v.YToScreen(-1000), INT32_MIN);
  EXPECT_EQ(v.XToScreen(-1000), 2147473000);
  // The difference is formed in 64 bits before the division.
  v.Scale = 1.0;
  v.OriginX = INT32_MIN;
  EXPECT_EQ(v.XToLogical(INT32_MAX), INT32_MAX);
}

}  // namespace
