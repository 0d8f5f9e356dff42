// A canvas that paints nothing and lists every call with its screen
// coordinates and the state it used, one line per call, for golden tests of
// the drawing's geometry. Text extents are those of the drawing font, as on
// the image canvas.
//
// Lines:  move X Y | line X1 Y1 X2 Y2 PEN | polyline PEN P... | polygon PEN BRUSH P...
//         rect L T R B PEN BRUSH | roundrect L T R B CW CH PEN BRUSH | ellipse L T R B PEN BRUSH
//         arc L T R B SX SY EX EY PEN | fill L T R B COLOR | text X Y FONT BRUSH "TEXT"
//         draw X Y WxH transparent|opaque | pixel X Y COLOR
// with PEN = pen:RRGGBB/WIDTH/solid|dot|dashdot, BRUSH = brush:RRGGBB or brush:clear,
// colours as six hexadecimal digits of the 0x00BBGGRR value, P = X,Y.
#pragma once

#include <string>
#include <vector>

#include "platform/canvas.h"

namespace vemu::platform {

class RecordingCanvas : public Canvas {
 public:
  explicit RecordingCanvas(TSize size = {1280, 900}) : size_(size) {}

  std::vector<std::string> calls;

  void Polyline(std::span<const TPoint> points) override;
  void Polygon(std::span<const TPoint> points) override;
  void Rectangle(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) override;
  void RoundRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                 std::int32_t cornerWidth, std::int32_t cornerHeight) override;
  void Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) override;
  void Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
           std::int32_t startX, std::int32_t startY, std::int32_t endX, std::int32_t endY) override;
  void FillRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) override;
  void TextOut(std::int32_t x, std::int32_t y, const std::string& text) override;
  TSize TextExtent(const std::string& text) override;
  void Draw(std::int32_t x, std::int32_t y, const QImage& picture, bool transparent) override;
  void SetPixel(std::int32_t x, std::int32_t y, std::uint32_t color) override;
  TSize Size() const override { return size_; }

  // Every call as one text, lines separated by '\n'.
  std::string Text() const;

 protected:
  void OnMoveTo(TPoint p) override;
  void OnLineTo(TPoint from, TPoint to) override;

 private:
  std::string PenText() const;
  std::string BrushText() const;
  TSize size_;
};

}  // namespace vemu::platform
