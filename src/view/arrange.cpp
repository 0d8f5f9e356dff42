#include "view/arrange.h"

#include <cstdlib>

#include "model/node_types.h"
#include "view/draw_primitives.h"
#include "view/my_scale.h"

namespace vemu::view {

using model::TheLine;
using model::TheNode;
using model::TPoint;

namespace {

void MoveNode(TheNode& n, std::int64_t dx, std::int64_t dy) {
  n.X = Wrap(n.X + dx);
  n.Y = Wrap(n.Y + dy);
}

}  // namespace

void ArrangePull(TheNode& n, TheNode& t, TPoint centring, bool centre, ArrangeSums& sums) {
  const TPoint q = t.GetPos();
  sums.x += q.x;
  sums.y += q.y;
  ++sums.count;
  if (centre) MoveNode(n, centring.x, centring.y);
  const std::int64_t dx = std::int64_t{q.x} - n.X;
  const std::int64_t dy = std::int64_t{q.y} - n.Y;
  if (std::llabs(dx) + std::llabs(dy) <= 5) return;
  MoveNode(n, dx / 10, dy / 10);
  MoveNode(t, -(dx / 10), -(dy / 10));
}

void ArrangeNeighbours(DrawContext& ctx, TheNode& n, TPoint p, const ArrangeSums& sums) {
  if (sums.count <= 1) return;
  platform::Canvas& canvas = *ctx.canvas;
  canvas.pen = {0x0000FF, 1, platform::PenStyle::Solid};
  const std::int64_t mx = sums.x / sums.count;
  const std::int64_t my = sums.y / sums.count;
  std::int64_t hx = (mx - p.x) / 2;
  std::int64_t hy = (my - p.y) / 2;
  DrawLine(ctx.view->LogicalToScreen(p), ctx.view->LogicalToScreen({Wrap(mx + hx), Wrap(my + hy)}), canvas);
  hx /= 2;
  hy /= 2;
  MoveNode(n, hx, hy);
  if (hx == 0 && hy == 0) return;
  for (TheLine* l = n.FirstLine.get(); l; l = l->Next.get())
    if (l->Kind != model::alHaveItem && l->Node) MoveNode(*l->Node, -hx, -hy);
}

void ArrangePushApart(DrawContext& ctx, TheNode& n, TPoint p, const TheLine* holder) {
  platform::Canvas& canvas = *ctx.canvas;
  canvas.pen = {0xFF0000, 1, platform::PenStyle::DashDot};
  for (const TheLine* l = holder ? holder->Next.get() : nullptr; l; l = l->Next.get()) {
    TheNode* r = l->Node;
    if (l->Kind != model::alHaveItem || !r || r == &n) continue;
    const std::int64_t dx = std::int64_t{r->X} - p.x;
    const std::int64_t dy = std::int64_t{r->Y} - p.y;
    const std::int64_t d = std::llabs(dx) + std::llabs(dy);
    if (d == 0) {
      MoveNode(n, 10, 10);
    } else if (d < 75) {
      DrawLine(ctx.view->LogicalToScreen(p), ctx.view->LogicalToScreen(r->GetPos()), canvas);
      const double f = static_cast<double>(75 - d) / 75.0;
      const std::int64_t ex = RoundEven(f * static_cast<double>(dx));
      const std::int64_t ey = RoundEven(f * static_cast<double>(dy));
      MoveNode(n, -ex, -ey);
      MoveNode(*r, ex, ey);
    }
  }
  canvas.pen.Style = platform::PenStyle::Solid;
}

}  // namespace vemu::view
