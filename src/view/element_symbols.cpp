#include "view/element_symbols.h"

#include <cmath>

#include "view/my_line.h"
#include "view/my_scale.h"
#include "view/colors.h"
#include "view/element_symbol_shapes.h"
#include "view/shadow.h"

namespace vemu::view {

namespace {


// Where the middle of a link is drawn now (logical units). A link that
// carries no swing rests on the midpoint of its two ends.
TPoint LinkMiddle(const model::TheLine& l, const model::TheNode& owner) {
  if (const TMyLine* drawn = AsMyLine(&l)) return drawn->CurPoint;
  return {Wrap((std::int64_t{owner.X} + l.Node->X) / 2), Wrap((std::int64_t{owner.Y} + l.Node->Y) / 2)};
}

struct Terminals {
  const model::TheLine* in = nullptr;
  const model::TheLine* out = nullptr;
};

// The last input link and the last output link that have a target.
Terminals FindTerminals(const model::TheNode& n) {
  Terminals t;
  n.forEachLine([&t](const model::TheLine* l) {
    if (!l->Node) return;
    if (l->Kind == model::alInPin) t.in = l;
    if (l->Kind == model::alOutPin) t.out = l;
  });
  return t;
}

// u := round(5 d / |d|), |d| rounded and at least 1; the sum of squares in 64 bits.
SymbolAxis AxisFrom(TPoint o, std::int64_t dx, std::int64_t dy) {
  std::int64_t len = RoundEven(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
  if (len == 0) len = 1;
  return {o, RoundEven(5.0 * static_cast<double>(dx) / static_cast<double>(len)),
          RoundEven(5.0 * static_cast<double>(dy) / static_cast<double>(len))};
}

void SetBrush(Canvas& c, std::uint32_t color) {
  c.brush.Color = color;
  c.brush.Style = platform::BrushStyle::Solid;
}

}  // namespace

TPoint SymbolFrame::SymRotate(std::int32_t a, std::int32_t b) const {
  return {platform::ClampCoord(std::int64_t{o_.x} + std::int64_t{a} * ux_ - std::int64_t{b} * uy_),
          platform::ClampCoord(std::int64_t{o_.y} + std::int64_t{a} * uy_ + std::int64_t{b} * ux_)};
}

TPoint SymbolFrame::SymRotateF(double a, double b) const {
  return {platform::ClampCoord(RoundEven(o_.x + a * ux_ - b * uy_)),
          platform::ClampCoord(RoundEven(o_.y + a * uy_ + b * ux_))};
}

TPoint SymbolFrame::GridPoint(std::int32_t a, std::int32_t b) const {
  return {platform::ClampCoord(std::int64_t{o_.x} + 5 * std::int64_t{a}),
          platform::ClampCoord(std::int64_t{o_.y} - 5 * std::int64_t{b})};
}

bool IsSymbolType(int type, model::ModelVariant variant) {
  if (type >= 3 && type <= 28) return true;
  if (type == 30 || type == 31) return true;
  return variant == model::ModelVariant::Full && (type == 33 || type == 34);
}

SymbolAxis NormalSymbolAxis(const DrawContext& dc, const model::TheNode& N) {
  const Terminals t = FindTerminals(N);
  const bool probe = dc.IsProbe(N.NodeType);
  auto terminal = [&](const model::TheLine* l, std::int32_t side) -> TPoint {
    if (!l) return {Wrap(std::int64_t{N.X} + side), N.Y};
    return probe ? l->Node->GetPos() : LinkMiddle(*l, N);
  };
  const TPoint a = dc.view->LogicalToScreen(terminal(t.in, -15));
  const TPoint b = dc.view->LogicalToScreen(terminal(t.out, 15));
  const TPoint o = dc.view->LogicalToScreen(N.GetPos());
  if (a == b) return AxisFrom(o, std::int64_t{o.y} - a.y, std::int64_t{a.x} - o.x);
  return AxisFrom(o, std::int64_t{b.x} - a.x, std::int64_t{b.y} - a.y);
}

SymbolAxis ShadowSymbolAxis(const DrawContext& dc, const model::TheNode& N) {
  const Terminals t = FindTerminals(N);
  auto terminal = [&](const model::TheLine* l, std::int32_t side) -> TPoint {
    if (!l) return {Wrap(std::int64_t{N.X} + side), N.Y};
    return LinkMiddle(*l, N);
  };
  const TPoint a = dc.view->LogicalToScreen(terminal(t.in, -15));
  const TPoint b = dc.view->LogicalToScreen(terminal(t.out, 15));
  const TPoint o = ShadowOffset(dc.ShadowPhase, dc.view->LogicalToScreen(N.GetPos()));
  return AxisFrom(o, std::int64_t{b.x} - a.x, std::int64_t{b.y} - a.y);
}

using namespace symbol_shapes;

void DrawElementSymbol(const DrawContext& dc, const model::TheNode* N, Canvas& canvas) {
  if (!N || !dc.view || !IsSymbolType(N->NodeType, dc.Variant)) return;
  const SymbolAxis axis = NormalSymbolAxis(dc, *N);
  const SymbolFrame f(canvas, axis.O, axis.ux, axis.uy);
  const int type = N->NodeType;
  const bool second = dc.SecondBuild();
  canvas.pen.Color = kBlack;
  canvas.pen.Width = 1;
  SetBrush(canvas, kWhite);
  switch (type) {
    case 3:
      Circle(f);
      VoltageSourceStrokes(f);
      break;
    case 4:
      Circle(f);
      CurrentSourceStrokes(f);
      break;
    case 7:
    case 8:
      Circle(f);
      MeterArrow(f);
      MeterLetter(f, type == 8);
      break;
    case 5: case 6: case 11: case 13: case 15: case 17:
      if (FilledArrowSensorType(type, second)) FilledArrowSensor(f);
      else ChevronSensor(f);
      break;
    case 9:
    case 10:
      SetBrush(canvas, kMoneyGreen);
      NullatorNorator(f, type == 9);
      break;
    case 12: case 14: case 16: case 18:
      SetBrush(canvas, type == 12 || type == 16 ? kWhite : kMoneyGreen);
      SymPolygon(f, {{3, 0}, {0, 2}, {-3, 0}, {0, -2}});
      if (type <= 14) VoltageSourceStrokes(f);
      else CurrentSourceStrokes(f);
      break;
    case 19:
    case 20:
      SetBrush(canvas, type == 19 ? kWhite : kYellow);
      Resistor(f);
      break;
    case 21:
    case 22:
      InductorLeads(f);
      canvas.pen.Width = 2;
      if (type == 22) {
        canvas.pen.Color = kYellow;
        SymPath(f, {{-3, 0}, {3, 0}});
        canvas.pen.Color = kBlack;
      }
      InductorHumps(f);
      canvas.pen.Width = 1;
      break;
    case 23:
    case 24:
      canvas.pen.Color = kWhite;
      SetBrush(canvas, type == 23 ? kWhite : kYellow);
      SymPolygon(f, {{1, 2}, {1, -2}, {0, -2}, {0, 2}});
      canvas.pen.Width = 2;
      canvas.pen.Color = kBlack;
      CapacitorPlates(f);
      canvas.pen.Width = 1;
      CapacitorLeads(f);
      break;
    case 25: case 26: case 27: case 28: case 30:
      SetBrush(canvas, type == 30 ? kButtonFace : kWhite);
      AmplifierBody(f, type);
      canvas.pen.Color = kRed;
      SymPath(f, {{-1, 0}, {1, 0}});
      if (N->Polarity != 0) SymPath(f, {{0, 1}, {0, -1}});
      break;
    case 31:
      canvas.pen.Color = kBlue;
      canvas.pen.Width = 1;
      SetBrush(canvas, kWhite);
      SymPolygon(f, {{-2, 2}, {2, 0}, {-2, -2}, {0, 0}});
      break;
    case 33:
    case 34:
      SetBrush(canvas, type == 33 ? kWhite : kYellow);
      Resistor(f);
      OuterFrame(f);
      break;
    default:
      break;
  }
  SetBrush(canvas, kWhite);
}


}  // namespace vemu::view
