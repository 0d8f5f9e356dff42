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
#include "platform/pixel_stamps.h"

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
  // Small shapes that lie in the picture are copied from stamps (see
  // pixel_stamps.h) unless `stamps` is false: the pixels are the same.
  explicit ImageCanvas(QImage& image, bool stamps = true);
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
  // Hands the waiting lines to the painter and ends the batch.
  void FlushLines();
  // Hands the waiting lines to the painter; the batch goes on.
  void DrawPendingLines();
  // Whether the box (anchor-relative, around the anchor a) lies in the picture.
  bool Inside(TPoint a, const QRect& reach) const;
  // Copies the stamp of key_ (made by `paint` when there is none yet, over
  // the anchor-relative box `reach`) with its anchor at a; false when the
  // shape is to be painted directly.
  bool CopyKeyed(TPoint a, const QRect& reach, const std::function<void(QPainter&, QPoint)>& paint,
                 QRgb penColor, QRgb brushColor);
  // Copies the stamp of a solid line of the batch's pen (see LineBatch).
  bool CopySegment(TPoint from, std::int32_t dx, std::int32_t dy, bool turnsBack);
  bool StampedPatternLine(TPoint from, TPoint to);
  bool InPicture(TPoint p) const {
    return static_cast<std::uint32_t>(p.x) < static_cast<std::uint32_t>(target_.width) &&
           static_cast<std::uint32_t>(p.y) < static_cast<std::uint32_t>(target_.height);
  }
  bool StampedPoints(char kind, std::span<const TPoint> points);
  bool StampedText(std::int32_t x, std::int32_t y, const std::string& text, TSize extent);
  void KeyStart(char kind, bool withBrush);
  void KeyAdd(std::int32_t v);
  // A rounded rectangle (kind 0) or an ellipse (kind 1) with the pen and brush.
  void DrawShape(int kind, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                 std::int32_t cornerWidth, std::int32_t cornerHeight);

  QImage& image_;
  QPainter painter_;
  bool active_ = false;
  StampStore& store_ = DrawingStamps();
  Pen appliedPen_;
  Brush appliedBrush_;
  bool penValid_ = false;
  bool brushValid_ = false;
  std::vector<QLine> pendingLines_;  // solid lines not yet drawn, all with pendingPen_
  Pen pendingPen_;
  // Solid lines reach the painter in batches: the lines between two other
  // calls, of one pen, at most kBatchLines. Within a batch the painter's
  // one-pixel pen remembers the direction of the last line it drew: a line
  // that turns back on it (the same axis, the other way) gets other pixels.
  // The canvas follows each batch as if every line went to the painter:
  // one-pixel lines have a stamp for either case, and a line the painter
  // gets after stamped ones comes after a replay of the lines since the
  // last one the painter draws the same whatever came before (drawn again,
  // the same pixels in the same colour, so the painter is where it would
  // have been). Lines the painter may clip away leave the direction unknown
  // until it has drawn one it surely keeps.
  struct LineBatch {
    bool open = false;
    Pen pen;
    int width = 1;
    bool thin = true;     // a one-pixel pen
    int margin = 4;       // the pen's reach beyond its points
    bool stamps = false;  // its lines may be stamped
    QRgb colors[2] = {0, 0};
    int count = 0;
    bool known = true;  // whether direction is the painter's
    int direction = 0;  // of the last line the painter drew: 0 none, 1 down, 2 up, 4 right, 8 left
    std::vector<QLine> replay;
  };
  LineBatch batch_;
  const bool stamps_;
  StampTarget target_;
  std::string key_;  // the key of the shape at hand, kept to save allocations
};

}  // namespace vemu::platform
