// The automatic arrangement mode: while it is on, every redraw of the main
// window moves the shown level's members a little, a simple force-directed
// layout. Wired members pull together, neighbours draw a member toward their
// mean, members closer than 75 units push apart, and the whole level drifts
// toward the middle of the paint box. Positions change in the graph at once;
// nothing else does (no undo snapshot, no modified mark).
#pragma once

#include <cstdint>

#include "model/graph.h"
#include "model/point.h"
#include "view/draw_context.h"

namespace vemu::view {

// The sum and count of the positions of a member's wired neighbours.
struct ArrangeSums {
  std::int64_t x = 0;
  std::int64_t y = 0;
  std::int32_t count = 0;
};

// One wire from member n to t of the same level: t's position (taken before
// any move) is added to the sums; n moves by `centring` when `centre` is
// set; then n and t pull toward each other by a tenth of their distance
// when it is more than 5.
void ArrangePull(model::TheNode& n, model::TheNode& t, model::TPoint centring, bool centre, ArrangeSums& sums);

// With more than one neighbour: a red line from n's position p toward the
// neighbours' mean, n moves a quarter of the way there and every node n
// links to (links of kind other than 1) moves back by as much.
void ArrangeNeighbours(DrawContext& ctx, model::TheNode& n, model::TPoint p, const ArrangeSums& sums);

// n (at p) and each later member of the shown level (after the link
// `holder`) closer than 75 units push apart; a blue dash-dot line marks each
// such pair. Two members at the same place: n steps by (10, 10).
void ArrangePushApart(DrawContext& ctx, model::TheNode& n, model::TPoint p, const model::TheLine* holder);

}  // namespace vemu::view
