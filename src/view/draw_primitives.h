// Point arithmetic and the drawing functions every painter shares: a
// straight line, an arrow, an arrow with its head part-way along, and a
// curved arrow through three points. They take screen points, draw with the
// canvas's pen as it stands and move only its pen position. The size of the
// arrow heads is the view's ArrowSize.
#pragma once

#include "model/point.h"
#include "platform/canvas.h"
#include "view/my_scale.h"

namespace vemu::view {

using model::TPoint;
using platform::Canvas;

// Sums and differences wrap around in 32 bits, as integer point arithmetic does.
inline bool PointsEqual(TPoint a, TPoint b) { return a.x == b.x && a.y == b.y; }
inline void PointAdd(TPoint& a, TPoint b) {
  a.x = Wrap(std::int64_t{a.x} + b.x);
  a.y = Wrap(std::int64_t{a.y} + b.y);
}
inline void PointSub(TPoint& a, TPoint b) {
  a.x = Wrap(std::int64_t{a.x} - b.x);
  a.y = Wrap(std::int64_t{a.y} - b.y);
}
inline TPoint PointDiff(TPoint a, TPoint b) {
  PointSub(a, b);
  return a;
}
// (round(a.x * k), round(a.y * k)), halves to even.
inline TPoint PointMul(TPoint a, double k) { return {RoundEven(a.x * k), RoundEven(a.y * k)}; }

inline void DrawLine(TPoint a, TPoint b, Canvas& canvas) {
  canvas.MoveTo(a);
  canvas.LineTo(b);
}
void DrawArrow(TPoint a, TPoint b, Canvas& canvas);
// The line a -> b with an arrow head at the fraction t of the way.
void DrawArrowAt(TPoint a, TPoint b, Canvas& canvas, double t);
// A curve from a through b to c, with an arrow head toward c.
void DrawCurvedArrow(TPoint a, TPoint b, TPoint c, Canvas& canvas);

}  // namespace vemu::view
