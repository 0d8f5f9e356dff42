// The shadow form of the element symbols: the same shapes in the shadow
// colour around the shadow's centre, with white inner strokes on the
// sources and meters and without the amplifiers' signs.
#include "view/colors.h"
#include "view/element_symbol_shapes.h"
#include "view/element_symbols.h"
#include "view/shadow.h"

namespace vemu::view {

using namespace symbol_shapes;

namespace {


}  // namespace

void DrawElementSymbolShadow(const DrawContext& dc, const model::TheNode* N, Canvas& canvas) {
  if (!N || !dc.view || !IsSymbolType(N->NodeType, dc.Variant)) return;
  if (N->NodeType == 31) {  // the loop probe has no shadow symbol
    canvas.pen.Color = kShadowColor;
    return;
  }
  const SymbolAxis axis = ShadowSymbolAxis(dc, *N);
  const ShadowSymbolFrame f(canvas, axis.O, axis.ux, axis.uy);
  const int type = N->NodeType;
  canvas.pen.Color = kShadowColor;
  canvas.pen.Width = 1;
  canvas.brush.Color = kShadowColor;
  canvas.brush.Style = platform::BrushStyle::Solid;
  switch (type) {
    case 3:
    case 4:
      Circle(f);
      canvas.pen.Color = kWhite;
      if (type == 3) VoltageSourceStrokes(f);
      else CurrentSourceStrokes(f);
      break;
    case 7:
    case 8:
      Circle(f);
      canvas.pen.Color = kWhite;
      MeterArrow(f);
      MeterLetter(f, type == 8);
      break;
    case 5: case 6: case 11: case 13: case 15: case 17:
      if (FilledArrowSensorType(type, dc.SecondBuild())) FilledArrowSensor(f);
      else ChevronSensor(f);
      break;
    case 9:
    case 10:
      NullatorNorator(f, type == 9);
      break;
    case 12: case 14: case 16: case 18:
      canvas.pen.Color = kWhite;
      SymPolygon(f, {{3, 0}, {0, 2}, {-3, 0}, {0, -2}});
      if (type == 12) VoltageSourceStrokes(f);
      else CurrentSourceStrokes(f);
      break;
    case 19:
    case 20:
      Resistor(f);
      break;
    case 21:
    case 22:
      InductorLeads(f);
      canvas.pen.Width = 2;
      InductorHumps(f);
      canvas.pen.Width = 1;
      break;
    case 23:
    case 24:
      SymPolygon(f, {{1, 2}, {1, -2}, {0, -2}, {0, 2}});
      canvas.pen.Width = 2;
      CapacitorPlates(f);
      canvas.pen.Width = 1;
      CapacitorLeads(f);
      break;
    case 25: case 26: case 27: case 28: case 30:
      AmplifierBody(f, type);
      break;
    case 33:
    case 34:
      BoxOutline(f);
      OuterFrame(f);
      break;
    default:
      break;
  }
  canvas.pen.Color = kShadowColor;
}

}  // namespace vemu::view
