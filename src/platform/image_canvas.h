// A canvas that paints into a QImage of format RGB32 through QPainter: the
// back buffer of the main window and of the preview window. Text uses one
// fixed font (DejaVu Sans at kFontPixelSize pixels), so text extents are the
// same on every machine.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QLine>
#include <memory>
#include <vector>

#include "platform/canvas.h"

namespace vemu::platform {

constexpr int kFontPixelSize = 12;
// The one font of the drawing.
const QFont& DrawingFont();

// A back buffer: an RGB32 picture of the given size, zero-filled; a null
// picture when the size is empty or the memory could not be had.
QImage MakeBackBuffer(int width, int height);

class ImageCanvas : public Canvas {
 public:
  // Paints into `image` (not owned; must be RGB32 and outlive the canvas).
  explicit ImageCanvas(QImage& image);
  ~ImageCanvas() override;
  ImageCanvas(const ImageCanvas&) = delete;
  ImageCanvas& operator=(const ImageCanvas&) = delete;

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
  TSize Size() const override { return {image_.width(), image_.height()}; }

  // Solid lines are handed to the painter in batches (every other call, a
  // change of pen and the canvas's end hand them over first); Flush hands
  // over what is waiting, for a caller that reads the picture while the
  // canvas lives.
  void Flush() { FlushLines(); }

 protected:
  void OnMoveTo(TPoint) override {}
  void OnLineTo(TPoint from, TPoint to) override;

 private:
  void ApplyPen() { ApplyPen(pen); }
  void ApplyPen(const Pen& p);
  void ApplyBrush();
  void ApplyPenAndBrush() { ApplyPen(); ApplyBrush(); }
  void FlushLines();
  // A rounded rectangle (kind 0) or an ellipse (kind 1) with the pen and brush.
  void DrawShape(int kind, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                 std::int32_t cornerWidth, std::int32_t cornerHeight);

  QImage& image_;
  QPainter painter_;
  Pen appliedPen_;
  Brush appliedBrush_;
  bool penValid_ = false;
  bool brushValid_ = false;
  std::vector<QLine> pendingLines_;  // solid lines not yet drawn, all with pendingPen_
  Pen pendingPen_;
};

}  // namespace vemu::platform
