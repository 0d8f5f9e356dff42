#include "view/draw_primitives.h"

#include <cmath>
#include <numbers>

#include "view/my_scale.h"
#include "view/view_globals.h"

namespace vemu::view {

void DrawArrow(TPoint a, TPoint b, Canvas& canvas) { DrawArrowAt(a, b, canvas, 1.0); }

void DrawArrowAt(TPoint a, TPoint b, Canvas& canvas, double t) {
  // Screen points are clamped first, so the sums below stay far inside 64 bits.
  a = platform::ClampPoint(a);
  b = platform::ClampPoint(b);
  const std::int64_t dx = std::int64_t{b.x} - a.x;
  const std::int64_t dy = std::int64_t{b.y} - a.y;
  std::int64_t len = RoundEven(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
  if (len == 0) len = 1;
  // The head size is held to the widest range any setting gives it.
  const int size = ClampTextArrowSize(ArrowSize);
  const std::int64_t hx = RoundEven(static_cast<double>(dx) / static_cast<double>(len) * size);
  const std::int64_t hy = RoundEven(static_cast<double>(dy) / static_cast<double>(len) * size);
  DrawLine(a, b, canvas);
  const std::int64_t px = std::int64_t{RoundEven(static_cast<double>(dx) * t)} + a.x;
  const std::int64_t py = std::int64_t{RoundEven(static_cast<double>(dy) * t)} + a.y;
  const TPoint p{platform::ClampCoord(px), platform::ClampCoord(py)};
  canvas.MoveTo(p);
  canvas.LineTo(platform::ClampCoord(px + hy - hx), platform::ClampCoord(py - hx - hy));
  canvas.MoveTo(platform::ClampCoord(px - hy - hx), platform::ClampCoord(py + hx - hy));
  canvas.LineTo(p);
}

namespace {

// The weights of the eleven curve points, t = i / 10: w1 = cos(pi t)(1 - t),
// w2 = sin(pi t), w3 = -t cos(pi t). Worked out once; the same expressions
// give the same values on every call.
struct CurveWeights {
  double w1[11], w2[11], w3[11];
};

const CurveWeights& Weights() {
  static const CurveWeights weights = [] {
    CurveWeights w{};
    for (int i = 0; i <= 10; ++i) {
      const double t = i / 10.0;
      w.w1[i] = std::cos(std::numbers::pi * t) * (1 - t);
      w.w2[i] = std::sin(std::numbers::pi * t);
      w.w3[i] = -t * std::cos(std::numbers::pi * t);
    }
    return w;
  }();
  return weights;
}

}  // namespace

void DrawCurvedArrow(TPoint a, TPoint b, TPoint c, Canvas& canvas) {
  a = platform::ClampPoint(a);
  b = platform::ClampPoint(b);
  c = platform::ClampPoint(c);
  const double third = 1.0 / 3.0;
  const TPoint m{RoundEven((std::int64_t{a.x} + b.x + c.x) * third),
                 RoundEven((std::int64_t{a.y} + b.y + c.y) * third)};
  const TPoint da = PointDiff(a, m);
  const TPoint db = PointDiff(b, m);
  const TPoint dc = PointDiff(c, m);
  const CurveWeights& w = Weights();
  // The points are clamped, so every product lies far inside 32 bits and
  // rounds as RoundEven does without its range checks.
  constexpr double kShift = 6755399441055744.0;  // 1.5 * 2^52: adding it rounds to an integer, halves to even
  const auto round = [](double v) { return static_cast<std::int32_t>((v + kShift) - kShift); };
  TPoint prev = a;
  for (int i = 0; i <= 10; ++i) {
    const TPoint q{Wrap(std::int64_t{m.x} + round(da.x * w.w1[i]) + round(db.x * w.w2[i]) + round(dc.x * w.w3[i])),
                   Wrap(std::int64_t{m.y} + round(da.y * w.w1[i]) + round(db.y * w.w2[i]) + round(dc.y * w.w3[i]))};
    if (i == 7)
      DrawArrow(prev, q, canvas);
    else
      DrawLine(prev, q, canvas);
    prev = q;
  }
}

}  // namespace vemu::view
