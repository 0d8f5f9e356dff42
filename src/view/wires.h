// The painters of the links: one drawn link between its two ends (with the
// re-arm of its swing and the terminal marks), the connection curve of a
// probe or meter node, and the whirl decoration behind the circuit. They
// draw with the canvas's pen as the caller set it, unless they say
// otherwise, and read the view, the settings and the animation counters
// from the redraw's context.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "model/graph.h"
#include "model/point.h"
#include "platform/canvas.h"
#include "view/draw_context.h"
#include "view/my_line.h"
#include "view/shadow.h"

namespace vemu::view {

using platform::Canvas;

// Link L from its owner at P to its target at Q (logical units). Re-arms
// L's swing when the midpoint of P and Q is not its rest point (countdown
// 100, or 10 while dc.RedrawRequest is set, 100 always in the second
// build). Kinds 6 and 7: a curved arrow
// owner -> middle -> target; 4: the same with a red minus on the middle;
// 5: a curved arrow target -> middle -> owner with a red plus; other kinds
// draw nothing. Shadow: every point is shadow-offset and no marks are drawn.
// Current: L's owner is the current node (enables "(+,-) On selected").
void DrawWire(const DrawContext& dc, TMyLine& L, TPoint P, TPoint Q, Canvas& canvas, bool Shadow,
              bool Current);

// The connection curve of a node of a probe type (31, 35 to 38): from the
// node at its input side through N to the node at its output side, or two
// arcs forming a loop when both of its links go to one node. Sets the pen's
// width (3 while drawing, 1 after) and, by N's type or for the shadow, its
// colour (the second build: blue for every type). Links without a target
// are left out; a null N draws nothing.
void DrawProbeLink(const DrawContext& dc, const model::TheNode* N, bool Shadow, Canvas& canvas);

// The three screen points a painter hands to DrawCurvedArrow.
struct CurveCall {
  TPoint A, B, C;
  friend bool operator==(const CurveCall&, const CurveCall&) = default;
};

// The curve DrawWire draws for L (none for a kind it does not draw), without
// re-arming L.
std::optional<CurveCall> WireCurve(const DrawContext& dc, const TMyLine& L, TPoint P, TPoint Q, bool Shadow);
// Whether DrawWire puts the red terminal marks on L.
bool WireShowsMarks(const DrawContext& dc, const TMyLine& L, bool Shadow, bool Current);

// The curves DrawProbeLink draws for N: none, one, or the two arcs of a loop.
struct ProbeCurves {
  int count = 0;
  std::array<CurveCall, 2> calls{};
};
ProbeCurves ProbeLinkCurves(const DrawContext& dc, const model::TheNode* N, bool Shadow);

// Six pale spiral arms from the centre of the canvas, turned by Counter
// (degrees). Sets the pen's colour and width.
void DrawWhirl(std::int32_t Counter, Canvas& canvas);

}  // namespace vemu::view
