// The small vector symbol of each element type (a circle with an arrow for
// a source, a box for a resistance, humps for an inductance, plates for a
// capacitance, a triangle for an amplifier ...), drawn centred on the
// element and turned so that its axis runs from the element's input
// terminal toward its output terminal, following the wires' middle points
// as they are drawn at that moment. The unit of a symbol is 5 screen
// pixels whatever the zoom.
#pragma once

#include <cstdint>

#include "model/graph.h"
#include "model/point.h"
#include "platform/canvas.h"
#include "view/draw_context.h"

namespace vemu::view {

using model::TPoint;
using platform::Canvas;

// The frame of one symbol on one canvas: symbol point (a, b) is the screen
// point O + a*u + b*v, with u = (ux, uy) the axis step toward the output
// terminal and v = (-uy, ux) the cross step (for an axis pointing right, v
// points down). Grid point [a, b] is the unturned point (O.x + 5a, O.y - 5b).
class SymbolFrame {
 public:
  SymbolFrame(Canvas& canvas, TPoint o, std::int32_t ux, std::int32_t uy)
      : canvas_(canvas), o_(o), ux_(ux), uy_(uy) {}

  TPoint Origin() const { return o_; }
  std::int32_t Ux() const { return ux_; }
  std::int32_t Uy() const { return uy_; }
  Canvas& canvas() const { return canvas_; }

  // Symbol point to screen point, in integers.
  TPoint SymRotate(std::int32_t a, std::int32_t b) const;
  // The same for halves, in floating point rounded to the nearest pixel.
  TPoint SymRotateF(double a, double b) const;
  void SymMoveTo(std::int32_t a, std::int32_t b) const { canvas_.MoveTo(SymRotate(a, b)); }
  void SymLineTo(std::int32_t a, std::int32_t b) const { canvas_.LineTo(SymRotate(a, b)); }
  void SymGridMoveTo(std::int32_t a, std::int32_t b) const { canvas_.MoveTo(GridPoint(a, b)); }
  void SymGridLineTo(std::int32_t a, std::int32_t b) const { canvas_.LineTo(GridPoint(a, b)); }

 private:
  TPoint GridPoint(std::int32_t a, std::int32_t b) const;

  Canvas& canvas_;
  TPoint o_;
  std::int32_t ux_;
  std::int32_t uy_;
};

// The shadow's frame: the same steps under their shadow names, around the
// shadow's centre.
class ShadowSymbolFrame : public SymbolFrame {
 public:
  using SymbolFrame::SymbolFrame;
  TPoint ShadowSymRotate(std::int32_t a, std::int32_t b) const { return SymRotate(a, b); }
  TPoint ShadowSymRotateF(double a, double b) const { return SymRotateF(a, b); }
  void ShadowSymMoveTo(std::int32_t a, std::int32_t b) const { SymMoveTo(a, b); }
  void ShadowSymLineTo(std::int32_t a, std::int32_t b) const { SymLineTo(a, b); }
  void ShadowSymGridMoveTo(std::int32_t a, std::int32_t b) const { SymGridMoveTo(a, b); }
  void ShadowSymGridLineTo(std::int32_t a, std::int32_t b) const { SymGridLineTo(a, b); }
};

// Types that have a vector symbol: 3 to 28, 30, 31, 33 and 34 (the second
// build: 3 to 28, 30 and 31).
bool IsSymbolType(int type, model::ModelVariant variant);

// The axis step u of the normal symbol and its centre O (both on screen):
// from the input terminal A (the last input link's middle point, or for a
// probe its target; 15 units left of the node without one) toward the
// output terminal B (likewise, 15 units right). When A and B fall on one
// pixel the axis runs across the direction from that pixel to the node.
// Links without a target count as absent.
struct SymbolAxis {
  TPoint O;
  std::int32_t ux = 0;
  std::int32_t uy = 0;
};
SymbolAxis NormalSymbolAxis(const DrawContext& dc, const model::TheNode& N);
// The shadow's axis: terminals always from the links' middle points, no
// rule for coinciding points (u may be (0, 0)), O moved by the shadow offset.
SymbolAxis ShadowSymbolAxis(const DrawContext& dc, const model::TheNode& N);

// The symbol of N's type in full colour; types without one draw nothing.
// On return the brush is white and the pen width 1; the pen colour may be
// left red (amplifiers), blue (type 31) or black.
void DrawElementSymbol(const DrawContext& dc, const model::TheNode* N, Canvas& canvas);
// The same shape as a shadow; on return the pen colour is the shadow colour.
void DrawElementSymbolShadow(const DrawContext& dc, const model::TheNode* N, Canvas& canvas);

}  // namespace vemu::view
