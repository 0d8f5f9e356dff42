#include "view/canvas_gesture.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "catalogue/messages.h"
#include "view/gesture_connect.h"
#include "view/gesture_hit_test.h"
#include "view/redraw.h"

namespace vemu::view {

using catalogue::GetMsg;
using model::TheNode;
using model::TPoint;

namespace {

TPoint SnappedScreen(const GestureContext& ctx, TPoint logical) {
  return ctx.view.LogicalToScreen({SnapToGrid(logical.x, ctx.GridStep), SnapToGrid(logical.y, ctx.GridStep)});
}

void Connect(GestureContext& ctx, TheNode* a, TheNode* b) {
  ctx.host.SetStatusText(2, "+" + GetMsg(6) + (b->IsElement() ? "1" : "0"));
  if (a->IsJunction() && b->IsElement()) {
    ConnectNodeToElement(ctx, a, b);
  } else if (a->IsElement() && b->IsJunction()) {
    ConnectElementToNode(ctx, a, b);
  } else if (a->IsElement() && b->IsElement()) {
    ConnectControlLink(ctx, a, b);
  } else if (a->IsJunction() && b->IsJunction()) {
    if (ctx.settings.CheckDrawAndCreate && ctx.CurrentType != 2) InsertElementBetween(ctx, a, b);
    else ToggleWire(ctx, a, b);
  }
}

void Click(GestureContext& ctx, GestureFields& g, const MouseShift& shift, TPoint at, TPoint logical) {
  TheNode* b = g.HoverNode;
  const std::int32_t d = Distance(logical.x, logical.y, b->X, b->Y);
  ctx.host.SetStatusText(2, "Select one object = " + std::to_string(d));
  char text[96];
  std::snprintf(text, sizeof text, "(%d,%d):(%d,%d)=%d", g.DownPoint.x, g.DownPoint.y, at.x, at.y,
                Distance(g.DownPoint.x, g.DownPoint.y, at.x, at.y));
  ctx.host.SetStatusText(1, text);
  if (d >= 15) return;
  if (!shift.shift) ctx.host.SetLevelSelection(0);
  b->Selected = b->Selected ? 0 : 1;
  ctx.host.SetCurrentNode(b);
  ctx.host.SetStatusText(2, GetMsg(10));
  ctx.host.Redraw();
}

void RubberBand(GestureContext& ctx, GestureFields& g, const MouseShift& shift, TPoint at) {
  TheNode* level = ctx.graph.MainNode;
  if (!level) return;
  if (!shift.shift) ctx.host.SetLevelSelection(0);
  const std::int32_t left = ctx.view.XToLogical(std::min(g.DownPoint.x, at.x) - 3);
  const std::int32_t right = ctx.view.XToLogical(std::max(g.DownPoint.x, at.x) - 3);
  const std::int32_t top = ctx.view.YToLogical(std::min(g.DownPoint.y, at.y) + 3);
  const std::int32_t bottom = ctx.view.YToLogical(std::max(g.DownPoint.y, at.y) + 3);
  level->forEachLine([&](model::TheLine* l) {
    if (l->Kind != model::alHaveItem || !l->Node) return;
    TheNode* m = l->Node;
    if (m->X >= left && m->X <= right && m->Y >= top && m->Y <= bottom) m->Selected = m->Selected ? 0 : 1;
  });
  ctx.host.Redraw();
}

void MoveLabel(GestureContext& ctx, GestureFields& g) {
  TheNode* n = ctx.graph.CurrentNode;
  // The redraw makes the pressed node current; only a member of the shown level moves its label.
  if (!n || !IsMemberOf(n, ctx.graph.MainNode) || n->IsMultiLineText()) return;
  ctx.host.PushUndoSnapshot();
  if (n->IsText()) {
    const TPoint p = ctx.view.ScreenToLogical(g.MousePoint);
    n->Wx = Wrap(std::int64_t{p.x} - n->X);
    n->Wy = Wrap(std::int64_t{p.y} - n->Y);
  } else {
    const TPoint s = ctx.view.LogicalToScreen(n->GetPos());
    n->Wx = Wrap(std::int64_t{g.MousePoint.x} - s.x);
    n->Wy = Wrap(std::int64_t{g.MousePoint.y} - s.y);
  }
  ctx.host.SetModified();
  ctx.host.Redraw();
}

}  // namespace

TheNode* NodeAt(const GestureContext& ctx, TPoint p) {
  return NodeAtInLevel(p.x, p.y, ctx.graph.MainNode, ctx.view.Scale);
}

void GestureMouseDown(GestureContext& ctx, GestureFields& g, MouseButton, const MouseShift&, TPoint at) {
  ctx.host.SetCursor(GestureCursor::Hand);
  if (g.IgnoreMouseDown) {
    g.IgnoreMouseDown = 0;
    return;
  }
  g.MouseState = gsPressed;
  const TPoint logical = ctx.view.ScreenToLogical(at);
  g.DownPoint = ctx.settings.CheckUseGrid ? SnappedScreen(ctx, logical) : at;
  g.DownNode = NodeAt(ctx, logical);
  if (g.DownNode) g.DownPoint = ctx.view.LogicalToScreen(g.DownNode->GetPos());
  g.HoverNode = nullptr;
}

void GestureMouseMove(GestureContext& ctx, GestureFields& g, const MouseShift& shift, TPoint at) {
  if (shift.empty()) g.MouseState = gsIdle;
  ctx.host.SetCursor(GestureCursor::Arrow);
  g.MousePoint = at;
  const TPoint p = ctx.view.ScreenToLogical({Saturate(std::int64_t{at.x} + 5), Saturate(std::int64_t{at.y} + 5)});
  if (ctx.settings.CheckUseGrid && g.MouseState != gsLabelMove) g.MousePoint = SnappedScreen(ctx, p);
  g.HoverNode = NodeAt(ctx, p);
  if (g.MouseState != gsIdle) {
    if (shift.alt) {
      g.MouseState = gsLabelMove;
      ctx.host.SetCursor(GestureCursor::Help);
      ctx.host.SetStatusText(2, GetMsg(41));
    } else if (shift.middle || shift.ctrl) {
      g.MouseState = gsPan;
      ctx.host.SetCursor(GestureCursor::SizeAll);
      ctx.host.SetStatusText(2, GetMsg(37));
    } else if (shift.right) {
      g.MouseState = gsMoveSelection;
      ctx.host.SetCursor(GestureCursor::Cross);
      ctx.host.SetStatusText(2, GetMsg(4));
    } else if (g.DownNode) {
      g.MouseState = gsLinkDrag;
      ctx.host.SetCursor(!g.HoverNode ? GestureCursor::Hand
                         : g.HoverNode == g.DownNode ? GestureCursor::NoDrop
                                                     : GestureCursor::SizeHor);
      ctx.host.SetStatusText(2, GetMsg(2));
    } else {
      g.MouseState = gsRubberBand;
      ctx.host.SetCursor(GestureCursor::Drag);
      ctx.host.SetStatusText(2, GetMsg(3));
    }
  }
  if (g.MouseState == gsLinkDrag && g.HoverNode) g.MousePoint = ctx.view.LogicalToScreen(g.HoverNode->GetPos());
}

void GestureMouseUp(GestureContext& ctx, GestureFields& g, MouseButton button, const MouseShift& shift,
                    TPoint at) {
  ctx.host.SetCursor(GestureCursor::Arrow);
  g.MousePoint = at;
  const TPoint logical = ctx.view.ScreenToLogical(at);
  if (ctx.settings.CheckUseGrid) at = SnappedScreen(ctx, logical);
  g.HoverNode = NodeAt(ctx, logical);
  if (ctx.SecondBuild) ctx.host.SetStatusText(2, std::to_string(g.MouseState));
  // A key command during the drag may have deleted or hidden the pressed node.
  TheNode* a = IsMemberOf(g.DownNode, ctx.graph.MainNode) ? g.DownNode : nullptr;
  TheNode* b = g.HoverNode;
  switch (g.MouseState) {
    case gsPressed:
    case gsLinkDrag:
      if (a && b && a != b) Connect(ctx, a, b);
      else if (button == MouseButton::Left && b) Click(ctx, g, shift, at, logical);
      break;
    case gsRubberBand:
      RubberBand(ctx, g, shift, at);
      break;
    case gsMoveSelection:
      if (ctx.graph.MainNode) {
        ctx.host.PushUndoSnapshot();
        const std::int32_t dx = RoundEven((std::int64_t{at.x} - g.DownPoint.x) / ctx.view.Scale);
        const std::int32_t dy = RoundEven((std::int64_t{at.y} - g.DownPoint.y) / ctx.view.Scale);
        MoveSelected(ctx, dx, dy);
        ctx.host.SetModified();
        ctx.host.ItemsChanged();
        ctx.host.Redraw();
      }
      break;
    case gsPan:
      ctx.view.MoveBy(Wrap(std::int64_t{at.x} - g.DownPoint.x), Wrap(std::int64_t{at.y} - g.DownPoint.y));
      ctx.host.ViewMoved();
      ctx.host.Redraw();
      break;
    case gsLabelMove:
      MoveLabel(ctx, g);
      break;
    default:
      break;
  }
  // The cursor position stays on the grid as a move leaves it (a double
  // click right after places there); the label move keeps its raw point.
  if (ctx.settings.CheckUseGrid && g.MouseState != gsLabelMove)
    g.MousePoint = SnappedScreen(ctx, ctx.view.ScreenToLogical({Saturate(std::int64_t{g.MousePoint.x} + 5),
                                                                Saturate(std::int64_t{g.MousePoint.y} + 5)}));
  g.MouseState = gsIdle;
  g.DownNode = nullptr;
  g.HoverNode = nullptr;
}

}  // namespace vemu::view
