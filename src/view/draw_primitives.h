// Point arithmetic and the drawing functions every painter shares: a
// straight line, an arrow, an arrow with its head part-way along, and a
// curved arrow through three points. They take screen points, draw with the
// canvas's pen as it stands and move only its pen position. The size of the
// arrow heads is the view's ArrowSize.
#pragma once

#include "model/point.h"
#include "platform/canvas.h"

namespace vemu::view {

using model::TPoint;
using platform::Canvas;

bool PointsEqual(TPoint a, TPoint b);
void PointAdd(TPoint& a, TPoint b);
void PointSub(TPoint& a, TPoint b);
TPoint PointDiff(TPoint a, TPoint b);
// (round(a.x * k), round(a.y * k)), halves to even.
TPoint PointMul(TPoint a, double k);

void DrawLine(TPoint a, TPoint b, Canvas& canvas);
void DrawArrow(TPoint a, TPoint b, Canvas& canvas);
// The line a -> b with an arrow head at the fraction t of the way.
void DrawArrowAt(TPoint a, TPoint b, Canvas& canvas, double t);
// A curve from a through b to c, with an arrow head toward c.
void DrawCurvedArrow(TPoint a, TPoint b, TPoint c, Canvas& canvas);

}  // namespace vemu::view
