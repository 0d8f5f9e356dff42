#include "view/wires.h"

#include <cmath>
#include <numbers>

#include "view/draw_primitives.h"
#include "view/my_scale.h"

namespace vemu::view {

namespace {

constexpr std::uint32_t kMarkColor = 0x0000FF;   // red
constexpr std::uint32_t kWhirlColor = 0xF0FBFF;  // cream

TPoint Screen(const DrawContext& dc, TPoint logical, bool shadow) {
  const TPoint s = dc.view->LogicalToScreen(logical);
  return shadow ? ShadowOffset(dc.ShadowPhase, s) : s;
}

TPoint Midpoint(TPoint a, TPoint b) {
  return {static_cast<std::int32_t>((std::int64_t{a.x} + b.x) / 2),
          static_cast<std::int32_t>((std::int64_t{a.y} + b.y) / 2)};
}

void SetMarkPen(Canvas& canvas) {
  canvas.pen.Color = kMarkColor;
  canvas.pen.Width = 3;
}

void DrawMinus(TPoint c, Canvas& canvas) {
  const std::int64_t x = c.x, y = c.y;
  canvas.MoveTo(platform::ClampCoord(x - 3), platform::ClampCoord(y));
  canvas.LineTo(platform::ClampCoord(x + 3), platform::ClampCoord(y));
}

void DrawPlusBar(TPoint c, Canvas& canvas) {
  const std::int64_t x = c.x, y = c.y;
  canvas.MoveTo(platform::ClampCoord(x), platform::ClampCoord(y - 3));
  canvas.LineTo(platform::ClampCoord(x), platform::ClampCoord(y + 3));
}

// The pen colour of a probe's connection curve by its type; other types keep the pen's colour.
void SetProbeColor(std::uint8_t type, Canvas& canvas) {
  switch (type) {
    case 31: canvas.pen.Color = 0xFF0000; break;  // blue
    case 35: canvas.pen.Color = 0x0000FF; break;  // red
    case 36: canvas.pen.Color = 0x00FFFF; break;  // yellow
    case 37: canvas.pen.Color = 0x00FF00; break;  // lime
    case 38: canvas.pen.Color = 0x000000; break;  // black
    default: break;
  }
}

// The first link from `from` on that has a target (links without one are left out).
const model::TheLine* NextLinkWithTarget(const model::TheLine* from) {
  while (from && !from->Node) from = from->Next.get();
  return from;
}

}  // namespace

std::optional<CurveCall> WireCurve(const DrawContext& dc, const TMyLine& L, TPoint P, TPoint Q, bool Shadow) {
  if (!dc.view) return std::nullopt;
  const TPoint sp = Screen(dc, P, Shadow);
  const TPoint sc = Screen(dc, L.CurPoint, Shadow);
  const TPoint sq = Screen(dc, Q, Shadow);
  switch (L.Kind) {
    case model::alWire:     // owner -> middle -> target
    case model::alControl:
    case model::alOutPin:   // element -> net
      return CurveCall{sp, sc, sq};
    case model::alInPin:    // net -> element
      return CurveCall{sq, sc, sp};
    default:
      return std::nullopt;
  }
}

bool WireShowsMarks(const DrawContext& dc, const TMyLine& L, bool Shadow, bool Current) {
  if (Shadow || !dc.settings) return false;
  if (L.Kind != model::alOutPin && L.Kind != model::alInPin) return false;
  const bool onCurrent = Current && dc.settings->CheckPMonCurrent;
  return onCurrent || dc.settings->CheckPlusMines;
}

void DrawWire(const DrawContext& dc, TMyLine& L, TPoint P, TPoint Q, Canvas& canvas, bool Shadow,
              bool Current) {
  if (!dc.view) return;
  const std::optional<CurveCall> curve = WireCurve(dc, L, P, Q, Shadow);

  // The ends moved: swing from where the middle was last drawn to the new midpoint.
  const TPoint m = Midpoint(P, Q);
  if (m != L.RestPoint) {
    // The second build has no shortened swing after undo and redo.
    L.Countdown = dc.RedrawRequest && !dc.SecondBuild() ? 10 : 100;
    L.SwingPoint = L.CurPoint;
    L.RestPoint = m;
  }

  if (!curve) return;
  DrawCurvedArrow(curve->A, curve->B, curve->C, canvas);
  if (!WireShowsMarks(dc, L, Shadow, Current)) return;
  // On the middle of the link: a minus on an output terminal, a plus on an input.
  SetMarkPen(canvas);
  DrawMinus(curve->B, canvas);
  if (L.Kind == model::alInPin) DrawPlusBar(curve->B, canvas);
}

ProbeCurves ProbeLinkCurves(const DrawContext& dc, const model::TheNode* N, bool Shadow) {
  ProbeCurves curves;
  if (!N || !dc.view) return curves;
  const model::TheLine* l1 = NextLinkWithTarget(N->FirstLine.get());
  if (!l1) return curves;
  const model::TheLine* l2 = NextLinkWithTarget(l1->Next.get());
  // From the node at the input side, through N, to the node at the output side.
  const model::TheNode* a = nullptr;
  const model::TheNode* b = nullptr;
  if (!l2) {
    a = l1->Node;
    b = N;
    if (l1->Kind == model::alOutPin) std::swap(a, b);
  } else if (l1->Kind == model::alOutPin) {
    b = l1->Node;
    a = l2->Node;
  } else {
    a = l1->Node;
    b = l2->Node;
  }
  const TPoint sa = Screen(dc, a->GetPos(), Shadow);
  const TPoint sn = Screen(dc, N->GetPos(), Shadow);
  const TPoint sb = Screen(dc, b->GetPos(), Shadow);
  if (l2 && l1->Node == l2->Node) {
    // Both links into one node: two arcs bulging to opposite sides close a loop.
    const std::int64_t qx = (std::int64_t{sn.x} - sa.x) / 3;
    const std::int64_t qy = (std::int64_t{sn.y} - sa.y) / 3;
    const std::int64_t mx = (std::int64_t{sa.x} + sn.x) / 2;
    const std::int64_t my = (std::int64_t{sa.y} + sn.y) / 2;
    const TPoint c1{platform::ClampCoord(mx - qy), platform::ClampCoord(my + qx)};
    const TPoint c2{platform::ClampCoord(mx + qy), platform::ClampCoord(my - qx)};
    curves.calls[0] = {sa, c1, sn};
    curves.calls[1] = {sn, c2, sa};
    curves.count = 2;
  } else {
    curves.calls[0] = {sa, sn, sb};
    curves.count = 1;
  }
  return curves;
}

void DrawProbeLink(const DrawContext& dc, const model::TheNode* N, bool Shadow, Canvas& canvas) {
  if (!N || !dc.view) return;
  canvas.pen.Width = 3;
  if (Shadow)
    canvas.pen.Color = kShadowColor;
  else if (dc.SecondBuild())
    canvas.pen.Color = 0xFF0000;  // blue whatever the type
  else
    SetProbeColor(N->NodeType, canvas);
  const ProbeCurves curves = ProbeLinkCurves(dc, N, Shadow);
  for (int i = 0; i < curves.count; ++i) {
    const CurveCall& c = curves.calls[static_cast<std::size_t>(i)];
    DrawCurvedArrow(c.A, c.B, c.C, canvas);
  }
  canvas.pen.Width = 1;
}

void DrawWhirl(std::int32_t Counter, Canvas& canvas) {
  const platform::TSize clip = canvas.Size();
  const std::int32_t cx = clip.cx / 2;
  const std::int32_t cy = clip.cy / 2;
  const std::int32_t sx = cx / 15;
  const std::int32_t sy = cy / 20;
  canvas.pen.Color = kWhirlColor;
  const double pi = std::numbers::pi;
  for (int j = 0; j <= 5; ++j) {
    canvas.MoveTo(cx, cy);
    for (int i = 0; i <= 21; ++i) {
      canvas.pen.Width = 4 - i / 6;
      const double ax = 2 * pi * static_cast<double>(31 * i - std::int64_t{Counter} + 65 * j) / 360;
      const double ay = 2 * pi * static_cast<double>(30 * i - std::int64_t{Counter} + 70 * j) / 360;
      const std::int64_t dx = RoundEven(std::sin(ax) * static_cast<double>(std::int64_t{sx} * i + sx));
      const std::int64_t dy = RoundEven(std::cos(ay) * static_cast<double>(std::int64_t{sy} * i + sy));
      canvas.LineTo(platform::ClampCoord(cx + dx), platform::ClampCoord(cy + dy));
    }
  }
}

}  // namespace vemu::view
