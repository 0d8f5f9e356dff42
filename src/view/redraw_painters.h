// The painters the redraw calls for single nodes and links, in one place:
// node and shadow (node painter), wires, the whirl and the current-node
// marker.
#pragma once

#include "model/graph.h"
#include "model/point.h"
#include "view/draw_context.h"
#include "view/my_line.h"
#include "view/node_painter.h"
#include "view/wires.h"

namespace vemu::view {

inline void PaintNodeShadow(DrawContext& ctx, const model::TheNode* n) { DrawNodeShadow(ctx, n, *ctx.canvas); }
inline void PaintNode(DrawContext& ctx, model::TheNode* n) { DrawNode(ctx, n, *ctx.canvas); }
inline void PaintMovingArrows(DrawContext& ctx, model::TPoint s) { DrawMovingArrows(ctx, *ctx.canvas, s.x, s.y); }
// Only drawn links carry a swing; any other link object is left out.
inline void PaintWire(DrawContext& ctx, model::TheLine& line, model::TPoint p, model::TPoint q, bool shadow,
                      bool current) {
  if (TMyLine* drawn = AsMyLine(&line)) DrawWire(ctx, *drawn, p, q, *ctx.canvas, shadow, current);
}
inline void PaintWhirl(DrawContext& ctx, std::int32_t counter) { DrawWhirl(counter, *ctx.canvas); }

}  // namespace vemu::view
