#include "view/redraw.h"

#include <cmath>
#include <cstdlib>
#include <exception>

#include "catalogue/messages.h"
#include "model/node_types.h"
#include "platform/text_codec.h"
#include "view/arrange.h"
#include "view/colors.h"
#include "view/draw_primitives.h"
#include "view/redraw_painters.h"
#include "view/view_globals.h"

namespace vemu::view {

using model::TheLine;
using model::TheNode;
using model::TPoint;

namespace {


void Check(bool condition, const char* what) {
  if (!condition) throw RedrawFailure(what);
}

// The members of the shown level, in list order: the links of kind 1 that
// have a target.
template <typename F>
void ForEachMember(TheNode* level, F f) {
  if (!level) return;
  for (TheLine* l = level->FirstLine.get(); l; l = l->Next.get())
    if (l->Kind == model::alHaveItem && l->Node) f(l, l->Node);
}

// What lies wholly outside the picture is not handed to the painters: the
// picture stays the same, only the work is saved. The reach of a node's
// drawing around its screen point (symbol, picture, selection pentagon,
// eyes, ground mark, open box, gesture marks) stays within this many pixels;
// its label within the label's own box.
constexpr std::int64_t kNodeReach = 64;
// The widest a byte of a label can be in the drawing font, and its height.
constexpr std::int64_t kLabelByteWidth = 20;
constexpr std::int64_t kLabelHeight = 24;
// Every shadow lies at most this far right of and below its object.
constexpr std::int64_t kShadowReach = 21;
// The longest arrow head any setting allows.
constexpr std::int64_t kMaxTextArrowReach = kTextArrowSizeMax;

struct ScreenBox {
  std::int64_t left, top, right, bottom;
  bool Meets(platform::TSize size) const { return right >= 0 && bottom >= 0 && left < size.cx && top < size.cy; }
};

ScreenBox Around(TPoint s, std::int64_t rx, std::int64_t ry) {
  return {std::int64_t{s.x} - rx, std::int64_t{s.y} - ry, std::int64_t{s.x} + rx, std::int64_t{s.y} + ry};
}

class Redraw {
 public:
  Redraw(DrawContext& ctx, RedrawState& state, bool feedback)
      : ctx_(ctx), state_(state), feedback_(feedback), canvas_(*ctx.canvas), settings_(*ctx.settings),
        graph_(*state.graph), main_(graph_.MainNode), fullBuild_(!ctx.SecondBuild()) {}

  void Run(int entryArrowSize) {
    const int wireArrowSize = ClampArrowSize(entryArrowSize);
    ArrowSize = wireArrowSize;
    Background();
    RubberBandDust();
    canvas_.pen.Color = kMoneyGreen;
    if (!main_) canvas_.TextOut(5, 5, kNoShownLevelText);
    if (state_.ShowGrid && settings_.CheckSeeGrid && ctx_.view->Scale > 0.1)
      DrawGrid(ctx_, settings_.GridColor, ctx_.GridStep);
    if (feedback_ && settings_.CheckUseGrid) MouseMark();
    if (settings_.CheckCross) PaintWhirl(ctx_, ctx_.WhirlCounter);
    CurrentNodeMarker();
    ShadowPass();
    const TPoint centring{Wrap(std::int64_t{state_.PaintBoxWidth / 2} - mean_.x),
                          Wrap(std::int64_t{state_.PaintBoxHeight / 2} - mean_.y)};
    canvas_.brush = {kWhite, platform::BrushStyle::Solid};
    canvas_.FontColor = kBlack;
    ArrowSize = 6;
    Title();
    canvas_.pen.Color = kSilver;
    if (feedback_) GestureFeedback();
    ArrowSize = wireArrowSize;
    canvas_.pen.Color = kGreen;
    canvas_.pen.Width = 2;
    WirePass(centring, wireArrowSize);
    if (arrange_) canvas_.TextOut(150, 5, kArrangeModeText);
    NodePass();
  }

 private:
  bool IsProbe(const TheNode* n) const { return ctx_.IsProbe(n->NodeType); }

  // Whether any of a node's drawing (or its shadow's) can fall into the
  // picture. Nodes whose drawing changes state are always drawn: text notes
  // (they keep their block size), the gesture nodes (their dust uses the
  // random source) and probes (their links reach other nodes).
  bool NodeMayShow(const TheNode* n, bool shadow) const {
    if (!state_.LeaveOutUnseen || n->IsText() || n == ctx_.DownNode || n == ctx_.HoverNode || IsProbe(n)) return true;
    const TPoint s = ctx_.view->LogicalToScreen(n->GetPos());
    const std::int64_t extra = shadow ? kShadowReach : 0;
    ScreenBox box = Around(s, kNodeReach + extra, kNodeReach + extra);
    const auto labelBytes = static_cast<std::int64_t>(n->Name.size() + n->Value.size() + 2);
    const std::int64_t labelHalf = kLabelByteWidth * labelBytes / 2 + 8;
    const TPoint label{platform::ClampCoord(std::int64_t{s.x} + n->Wx),
                       platform::ClampCoord(std::int64_t{s.y} + n->Wy)};
    if (box.Meets(size_)) return true;
    box = Around(s, labelHalf + extra, kLabelHeight + extra);
    if (box.Meets(size_)) return true;
    return Around(label, labelHalf + extra, kLabelHeight + extra).Meets(size_);
  }

  // A wire: drawn when its curve can reach the picture, or when its ends
  // moved (the painter then starts its swing again).
  void Wire(TheLine& l, TPoint p, TPoint q, bool shadow, bool current) {
    const TMyLine* drawn = AsMyLine(&l);
    if (!drawn) return;
    const TPoint mid{static_cast<std::int32_t>((std::int64_t{p.x} + q.x) / 2),
                     static_cast<std::int32_t>((std::int64_t{p.y} + q.y) / 2)};
    if (state_.LeaveOutUnseen && mid == drawn->RestPoint) {
      // The curve runs through the screen points of the two ends and the
      // middle and stays within their spread around their centre; the head,
      // the terminal marks and a shadow's offset reach a little further.
      const TPoint a = platform::ClampPoint(ctx_.view->LogicalToScreen(p));
      const TPoint b = platform::ClampPoint(ctx_.view->LogicalToScreen(drawn->CurPoint));
      const TPoint c = platform::ClampPoint(ctx_.view->LogicalToScreen(q));
      const std::int64_t mx = (std::int64_t{a.x} + b.x + c.x) / 3, my = (std::int64_t{a.y} + b.y + c.y) / 3;
      // (Each point of a shadow moves on its own by up to kShadowReach: the
      // centre moves by as much, the spread by twice as much at most.)
      const std::int64_t margin = kMaxTextArrowReach + canvas_.pen.Width + 8 + (shadow ? 3 * kShadowReach : 0);
      const std::int64_t sx = std::llabs(a.x - mx) + std::llabs(b.x - mx) + std::llabs(c.x - mx) + margin;
      const std::int64_t sy = std::llabs(a.y - my) + std::llabs(b.y - my) + std::llabs(c.y - my) + margin;
      if (!ScreenBox{mx - sx, my - sy, mx + sx, my + sy}.Meets(size_)) return;
    }
    PaintWire(ctx_, l, p, q, shadow, current);
  }

  void Background() {
    canvas_.brush = {kWhite, platform::BrushStyle::Solid};
    canvas_.pen = {kWhite, canvas_.pen.Width, platform::PenStyle::Solid};
    const platform::TSize size = canvas_.Size();
    canvas_.FillRect(0, 0, size.cx, size.cy);
  }

  void RubberBandDust() {
    if (ctx_.MouseState != 3) return;
    const std::int64_t x0 = std::min(ctx_.DownPoint.x, ctx_.MousePoint.x);
    const std::int64_t y0 = std::min(ctx_.DownPoint.y, ctx_.MousePoint.y);
    const auto spanOf = [](std::int32_t a, std::int32_t b) {
      return static_cast<int>(std::min<std::int64_t>(std::llabs(std::int64_t{a} - b), INT32_MAX));
    };
    const int w = spanOf(ctx_.DownPoint.x, ctx_.MousePoint.x);
    const int h = spanOf(ctx_.DownPoint.y, ctx_.MousePoint.y);
    for (int i = 0; i < 100; ++i) {
      const int dy = random_.Next(h);
      const int dx = random_.Next(w);
      canvas_.SetPixel(platform::ClampCoord(x0 + dx), platform::ClampCoord(y0 + dy), kGreen);
    }
  }

  void MouseMark() {
    canvas_.pen.Color = kBlue;
    const TPoint m = ctx_.MousePoint;
    DrawLine({m.x - 3, m.y - 3}, {m.x + 3, m.y + 3}, canvas_);
    DrawLine({m.x - 3, m.y + 3}, {m.x + 3, m.y - 3}, canvas_);
  }

  void CurrentNodeMarker() {
    // The second build draws the marker with the node itself.
    if (!fullBuild_) return;
    const TheNode* current = graph_.CurrentNode;
    if (current && main_ && current->Upper == main_)
      PaintMovingArrows(ctx_, ctx_.view->LogicalToScreen(current->GetPos()));
  }

  // Shadows of the members and of their wires; the mean position of the
  // members (for the arrangement's centring) is taken also without shadows.
  void ShadowPass() {
    canvas_.pen.Color = kSilver;
    const bool shadows = settings_.CheckShadow;
    std::int64_t k = 0;
    ForEachMember(main_, [&](TheLine*, TheNode* n) {
      if (IsProbe(n)) {
        if (shadows) PaintNodeShadow(ctx_, n);
        return;
      }
      if (shadows && NodeMayShow(n, true)) PaintNodeShadow(ctx_, n);
      if (n->Upper == main_) {
        ++k;
        const double kk = static_cast<double>(k);
        mean_.x = RoundEven(mean_.x / kk * (kk - 1) + n->X / kk);
        mean_.y = RoundEven(mean_.y / kk * (kk - 1) + n->Y / kk);
      }
      if (!shadows) return;
      for (TheLine* l = n->FirstLine.get(); l; l = l->Next.get()) {
        const TheNode* t = l->Node;
        if (l->Kind == model::alHaveItem || !t || t->Upper != n->Upper) continue;
        Wire(*l, n->GetPos(), t->GetPos(), true, false);
      }
    });
  }

  void Title() {
    if (!main_) return;
    if (!main_->Upper)
      canvas_.TextOut(5, 5, platform::utf8ToCp1251(catalogue::GetMsg(52)));
    else
      canvas_.TextOut(5, 5, platform::utf8ToCp1251(catalogue::GetMsg(53)) + " " + std::string(LabelPart(main_->Name.str())));
  }

  void GestureFeedback() {
    const TPoint down = ctx_.DownPoint;
    const TPoint mouse = ctx_.MousePoint;
    switch (ctx_.MouseState) {
      case 0:
      case 1:
        return;
      case 2:
        canvas_.pen.Color = kBlack;
        DrawArrowAt(down, mouse, canvas_, 0.9);
        return;
      case 3: {
        canvas_.pen.Color = kGreen;
        canvas_.MoveTo(down);
        canvas_.LineTo(down.x, mouse.y);
        canvas_.LineTo(mouse);
        canvas_.LineTo(mouse.x, down.y);
        canvas_.LineTo(down);
        return;
      }
      case 6:
        LabelMoveFeedback();
        return;
      default:
        if (ctx_.MouseState < 4) return;
        canvas_.pen.Color = kRed;
        DrawArrowAt(down, mouse, canvas_, 0.9);
        return;
    }
  }

  void LabelMoveFeedback() {
    canvas_.FontColor = kBlack;
    TheNode* n = state_.DownNode;
    graph_.CurrentNode = n;
    const TPoint mouse = ctx_.MousePoint;
    if (!n) {
      canvas_.TextOut(mouse.x, mouse.y, platform::utf8ToCp1251(catalogue::GetMsg(40)));
      return;
    }
    if (n->IsText() || n->IsJunction()) {
      if (state_.MouseState) *state_.MouseState = 0;
      ctx_.MouseState = 0;
      return;
    }
    canvas_.pen.Color = kBlue;
    const std::string name(LabelPart(n->Name.str()));
    const platform::TSize extent = canvas_.TextExtent(name);
    canvas_.TextOut(mouse.x - extent.cx / 2, mouse.y - extent.cy / 2, name);
    const TPoint s = ctx_.view->LogicalToScreen(n->GetPos());
    canvas_.MoveTo(s);
    canvas_.Ellipse(s.x - 20, s.y - 20, s.x + 20, s.y + 20);
    canvas_.LineTo(mouse);
  }

  void WirePass(TPoint centring, int wireArrowSize) {
    // The arrangement runs only in the main window's own paint.
    arrange_ = state_.ArrangeMode && feedback_;
    const std::int32_t width0 = ClampLineWidth(ctx_.LineWidth0);
    const std::int32_t width1 = ClampLineWidth(ctx_.LineWidth1);
    const std::int32_t width2 = ClampLineWidth(ctx_.LineWidth2);
    ForEachMember(main_, [&](TheLine* member, TheNode* n) {
      if (IsProbe(n)) {
        PaintNode(ctx_, n);
        return;
      }
      const TPoint p = n->GetPos();
      ArrangeSums sums;
      bool centred = false;
      const catalogue::TNodeTypeInfo* info = ctx_.TypeOf(n);
      const char wireClass = info ? info->L_types : '0';
      for (TheLine* l = n->FirstLine.get(); l; l = l->Next.get()) {
        TheNode* t = l->Node;
        if (l->Kind == model::alHaveItem || !t) continue;
        const TPoint q = t->GetPos();
        if (arrange_ && t->Upper == n->Upper && l->Kind != model::alControl) {
          // The centring offset moves each member once per frame.
          const bool centre = !centred && n->Upper == main_;
          ArrangePull(*n, *t, centring, centre, sums);
          centred = centred || centre;
        }
        if (n->IsJunction()) {
          canvas_.pen.Width = width0;
          canvas_.pen.Color = settings_.Line1Color;
          if (t->Upper == n->Upper) {
            Wire(*l, p, q, false, false);
          } else {
            canvas_.brush = {kYellow, platform::BrushStyle::Solid};
            const TPoint s = ctx_.view->LogicalToScreen(p);
            DrawArrow(ctx_, s, n, t);
            canvas_.pen.Color = kBlue;
            canvas_.RoundRect(s.x - 11, s.y - 10, s.x + 11, s.y + 10, 20, 20);
          }
        } else {
          if (l->Kind == model::alControl) {
            canvas_.pen = {settings_.InfoColor, 1, platform::PenStyle::Dot};
            ArrowSize = 6;
          } else if (wireClass == '2') {
            canvas_.pen.Width = width2;
            canvas_.pen.Color = settings_.Line3Color;
          } else if (wireClass == '1') {
            canvas_.pen.Width = width1;
            canvas_.pen.Color = settings_.Line2Color;
          } else {
            canvas_.pen.Width = width0;
            canvas_.pen.Color = settings_.Line1Color;
          }
          Wire(*l, p, q, false, n == graph_.CurrentNode);
          ArrowSize = wireArrowSize;
          canvas_.pen.Style = platform::PenStyle::Solid;
        }
      }
      if (arrange_) {
        ArrangeNeighbours(ctx_, *n, p, sums);
        ArrangePushApart(ctx_, *n, p, member);
      }
    });
  }

  void NodePass() {
    canvas_.pen.Width = 1;
    ForEachMember(main_, [&](TheLine*, TheNode* n) {
      if (!IsProbe(n) && NodeMayShow(n, false)) PaintNode(ctx_, n);
    });
  }

  DrawContext& ctx_;
  RedrawState& state_;
  const bool feedback_;
  platform::Canvas& canvas_;
  const catalogue::Settings& settings_;
  model::TheBaseOfGraf& graph_;
  TheNode* const main_;
  const bool fullBuild_;
  DrawRandom ownRandom_;
  DrawRandom& random_ = ctx_.random ? *ctx_.random : ownRandom_;
  const platform::TSize size_ = canvas_.Size();
  TPoint mean_;
  bool arrange_ = false;
};

}  // namespace

std::int32_t SnapToGrid(std::int32_t v, std::int32_t step) {
  if (step < 1) return v;
  const std::int64_t h = step / 2;
  return Wrap(std::int64_t{v} - (std::int64_t{v} - h) % step);
}

void DrawGrid(DrawContext& ctx, std::uint32_t color, std::int32_t step) {
  if (step < 1 || !ctx.canvas || !ctx.view) return;
  platform::Canvas& canvas = *ctx.canvas;
  const TMyScale& view = *ctx.view;
  canvas.pen.Color = color;
  const TPoint topLeft = view.ScreenToLogical({0, 0});
  const TPoint bottomRight = view.ScreenToLogical({view.WinRect.Right, view.WinRect.Bottom});
  const TPoint l1{SnapToGrid(topLeft.x, step), SnapToGrid(topLeft.y, step)};
  const TPoint l2{SnapToGrid(bottomRight.x, step), SnapToGrid(bottomRight.y, step)};
  const TPoint s1 = view.LogicalToScreen(l1);
  const TPoint s2 = view.LogicalToScreen(l2);
  canvas.pen.Style = platform::PenStyle::Dot;
  // Screen positions grow with the logical ones, so a line that lands on the
  // column (row) of the one before it is left out.
  bool any = false;
  std::int32_t last = 0;
  for (std::int64_t x = l1.x; x <= l2.x; x += step) {
    const std::int32_t sx = view.XToScreen(static_cast<std::int32_t>(x));
    if (any && sx == last) continue;
    any = true;
    last = sx;
    DrawLine({sx, s1.y}, {sx, s2.y}, canvas);
  }
  any = false;
  for (std::int64_t y = l1.y; y <= l2.y; y += step) {
    const std::int32_t sy = view.YToScreen(static_cast<std::int32_t>(y));
    if (any && sy == last) continue;
    any = true;
    last = sy;
    DrawLine({s1.x, sy}, {s2.x, sy}, canvas);
  }
  canvas.pen.Style = platform::PenStyle::Solid;
}

void DrawArrow(DrawContext& ctx, TPoint s, const TheNode* a, const TheNode* b) {
  if (!a || !b || !a->Upper || !ctx.canvas) return;
  platform::Canvas& canvas = *ctx.canvas;
  const TheNode* o = a->Upper;
  const double dx = static_cast<double>(std::int64_t{b->X} - o->X);
  const double dy = static_cast<double>(std::int64_t{b->Y} - o->Y);
  std::int32_t len = RoundEven(std::sqrt(dx * dx + dy * dy));
  if (len < 1) len = 1;
  const TPoint e{platform::ClampCoord(std::int64_t{s.x} + RoundEven(dx / len * 50)),
                 platform::ClampCoord(std::int64_t{s.y} + RoundEven(dy / len * 50))};
  const std::int32_t width = ClampLineWidth(ctx.LineWidth0);
  canvas.pen.Width = width + 2;
  canvas.pen.Color = kBlue;
  DrawArrow(s, e, canvas);
  canvas.pen.Width = width;
  canvas.pen.Color = kYellow;
  DrawArrow(s, e, canvas);
}

void DrawAll(DrawContext& ctx, RedrawState& state, RedrawHost& host, bool feedback) {
  if (model::GraphBusy) return;
  ArrowSizeKeeper keeper;
  try {
    Check(ctx.canvas != nullptr, "no canvas to paint on");
    Check(ctx.view != nullptr && ctx.settings != nullptr, "no view or settings");
    Check(state.graph != nullptr && ctx.graph == state.graph, "no circuit");
    Check(!state.graph->MainNode || state.graph->Contains(state.graph->MainNode), "shown level not in the circuit");
    Redraw(ctx, state, feedback).Run(keeper.Saved());
  } catch (const std::exception&) {
    ArrowSize = keeper.Saved();
    if (ctx.canvas) {
      ctx.canvas->brush = {kWhite, platform::BrushStyle::Solid};
      ctx.canvas->FontColor = kBlack;
      ctx.canvas->TextOut(10, 10, kRedrawFailedText);
    }
    host.RedrawFailed();
  }
  host.ShowPicture();
  if (state.RedrawRequest) *state.RedrawRequest = 0;
}

}  // namespace vemu::view
