// The surface every painter draws on: a pen, a brush and a font colour as
// state, a current pen position, and the drawing calls the painters need.
// Coordinates are screen pixels. Colours are 0x00BBGGRR values; a colour
// with the top bit set is a system colour (see SystemColorRgb). Texts are
// code page 1251 bytes, as the circuit holds them.
//
// Shapes follow the classic device-context rules: a rectangle, rounded
// rectangle or ellipse given by (left, top, right, bottom) covers the pixels
// from left to right - 1 and top to bottom - 1, is filled with the brush
// (unless the brush is clear) and outlined with the pen. A polygon is closed,
// filled and outlined the same way. LineTo draws from the pen position to
// the point and leaves the pen there.
//
// Every coordinate passes through ClampCoord before it reaches a painter, so
// no circuit, zoom or pan can hand the painter values it cannot take.
#pragma once

#include <QImage>
#include <cstdint>
#include <span>
#include <string>

#include "model/point.h"

namespace vemu::platform {

using model::TPoint;

enum class PenStyle : std::uint8_t { Solid, Dot, DashDot };
enum class BrushStyle : std::uint8_t { Solid, Clear };

struct Pen {
  std::uint32_t Color = 0x000000;
  std::int32_t Width = 1;
  PenStyle Style = PenStyle::Solid;
  friend bool operator==(const Pen&, const Pen&) = default;
};

struct Brush {
  std::uint32_t Color = 0xFFFFFF;
  BrushStyle Style = BrushStyle::Solid;
  friend bool operator==(const Brush&, const Brush&) = default;
};

struct TSize {
  std::int32_t cx = 0;
  std::int32_t cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

// The RGB value (0x00BBGGRR) of a colour: plain colours are returned as they
// are; system colours (top bit set, index in the low byte) come from a fixed
// table of the classic desktop scheme:
//   0 scroll bar C8C8C8, 1 background 000000, 2 active caption D1B499,
//   3 inactive caption DBCDBF, 4 menu F0F0F0, 5 window FFFFFF, 6 window frame
//   646464, 7 menu text 000000, 8 window text 000000, 9 caption text 000000,
//   10 active border B4B4B4, 11 inactive border FCF7F4, 12 app workspace
//   ABABAB, 13 highlight FF9933, 14 highlight text FFFFFF, 15 button face
//   F0F0F0, 16 button shadow A0A0A0, 17 grey text 6D6D6D, 18 button text
//   000000, 19 inactive caption text 000000, 20 button highlight FFFFFF,
//   21 3D dark shadow 696969, 22 3D light E3E3E3, 23 info text 000000,
//   24 info background E1FFFF, 25 (unused) B5B5B5, 26 hot light CC6600,
//   27 gradient active caption EAD1B9, 28 gradient inactive caption F2E4D7,
//   29 menu highlight FF9933, 30 menu bar F0F0F0. Other indexes give black.
std::uint32_t SystemColorRgb(std::uint32_t color);

// The range every coordinate is clamped to before it reaches a painter.
constexpr std::int32_t kCoordLimit = 1 << 20;
constexpr std::int32_t ClampCoord(std::int64_t v) {
  return v < -kCoordLimit ? -kCoordLimit : v > kCoordLimit ? kCoordLimit : static_cast<std::int32_t>(v);
}
constexpr TPoint ClampPoint(TPoint p) { return {ClampCoord(p.x), ClampCoord(p.y)}; }

class Canvas {
 public:
  virtual ~Canvas() = default;

  // --- state ---
  Pen pen;
  Brush brush;
  std::uint32_t FontColor = 0x000000;
  TPoint PenPos() const { return penPos_; }

  // --- drawing ---
  void MoveTo(std::int32_t x, std::int32_t y) { penPos_ = ClampPoint({x, y}); OnMoveTo(penPos_); }
  void LineTo(std::int32_t x, std::int32_t y);
  void MoveTo(TPoint p) { MoveTo(p.x, p.y); }
  void LineTo(TPoint p) { LineTo(p.x, p.y); }
  // Connected segments through the points (the pen position is not used or moved).
  virtual void Polyline(std::span<const TPoint> points) = 0;
  // A closed figure through the points, filled with the brush and outlined with the pen.
  virtual void Polygon(std::span<const TPoint> points) = 0;
  virtual void Rectangle(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) = 0;
  // Corners are quarter ellipses of the given width and height.
  virtual void RoundRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                         std::int32_t cornerWidth, std::int32_t cornerHeight) = 0;
  virtual void Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) = 0;
  // An arc of the ellipse in the box, counter-clockwise (as seen on the screen)
  // from the ray toward (startX, startY) to the ray toward (endX, endY), both
  // rays from the box's centre; drawn with the pen, not filled.
  virtual void Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                   std::int32_t startX, std::int32_t startY, std::int32_t endX, std::int32_t endY) = 0;
  // Fills the rectangle with the brush colour (no outline), also when the brush is clear.
  virtual void FillRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) = 0;
  // Text with its cell's top-left corner at (x, y), in the font colour, on the
  // brush colour unless the brush is clear.
  virtual void TextOut(std::int32_t x, std::int32_t y, const std::string& text) = 0;
  // Width and height of the text's cell (the height is the font's line height,
  // also for an empty text).
  virtual TSize TextExtent(const std::string& text) = 0;
  // A picture with its top-left corner at (x, y). Transparent: every pixel of
  // the picture's lower-left pixel's colour is left out. A null picture draws nothing.
  virtual void Draw(std::int32_t x, std::int32_t y, const QImage& picture, bool transparent) = 0;
  // One pixel; outside the surface nothing happens.
  virtual void SetPixel(std::int32_t x, std::int32_t y, std::uint32_t color) = 0;
  // The surface's size (a recording canvas has the size it was given).
  virtual TSize Size() const = 0;

 protected:
  virtual void OnMoveTo(TPoint p) = 0;
  virtual void OnLineTo(TPoint from, TPoint to) = 0;

 private:
  TPoint penPos_;
};

inline void Canvas::LineTo(std::int32_t x, std::int32_t y) {
  const TPoint to = ClampPoint({x, y});
  OnLineTo(penPos_, to);
  penPos_ = to;
}

}  // namespace vemu::platform
