#include "platform/image_canvas.h"

#include <QFontMetrics>
#include <QPolygon>
#include <QString>
#include <array>
#include <cmath>
#include <unordered_map>
#include <vector>

#include "platform/canvas_text.h"

namespace vemu::platform {

namespace {

QColor ToQColor(std::uint32_t ref) {
  const std::uint32_t rgb = SystemColorRgb(ref);
  return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                static_cast<int>((rgb >> 16) & 0xFF));
}

QPolygon ToPolygon(std::span<const TPoint> points) {
  QPolygon polygon(static_cast<int>(points.size()));
  for (std::size_t i = 0; i < points.size(); ++i) {
    const TPoint p = ClampPoint(points[i]);
    polygon.setPoint(static_cast<int>(i), p.x, p.y);
  }
  return polygon;
}

// The box of a shape: pixels left .. right - 1, top .. bottom - 1.
QRect ShapeBox(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
  l = ClampCoord(l), t = ClampCoord(t), r = ClampCoord(r), b = ClampCoord(b);
  if (r < l) std::swap(l, r);
  if (b < t) std::swap(t, b);
  return QRect(QPoint(l, t), QPoint(std::max(l, r - 1), std::max(t, b - 1)));
}

// Angle in degrees, counter-clockwise on the screen, of the ray from c toward p.
double RayAngle(QPointF c, double px, double py) {
  return std::atan2(-(py - c.y()), px - c.x()) * 180.0 / M_PI;
}

// Pictures drawn with a see-through colour, made once per picture.
const QImage& TransparentVersion(const QImage& picture) {
  static std::unordered_map<qint64, QImage> cache;
  auto it = cache.find(picture.cacheKey());
  if (it != cache.end()) return it->second;
  if (cache.size() > 512) cache.clear();
  QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = argb.pixel(0, argb.height() - 1) & 0x00FFFFFFu;
  for (int y = 0; y < argb.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(argb.scanLine(y));
    for (int x = 0; x < argb.width(); ++x)
      if ((row[x] & 0x00FFFFFFu) == key) row[x] = 0;
  }
  return cache.emplace(picture.cacheKey(), std::move(argb)).first->second;
}

}  // namespace

const QFont& DrawingFont() {
  static const QFont font = [] {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(kFontPixelSize);
    f.setStyleHint(QFont::SansSerif, QFont::NoAntialias);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
  }();
  return font;
}

ImageCanvas::ImageCanvas(QImage& image) : image_(image) {
  // A null picture (one that failed to be made) is never painted on: every
  // call is then left out.
  if (image_.isNull()) return;
  painter_.begin(&image_);
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setFont(DrawingFont());
}

ImageCanvas::~ImageCanvas() {
  if (!painter_.isActive()) return;
  FlushLines();
  painter_.end();
}

void ImageCanvas::ApplyPen(const Pen& p) {
  if (penValid_ && appliedPen_ == p) return;
  appliedPen_ = p;
  penValid_ = true;
  const int width = std::clamp(p.Width, 1, 1000);
  QPen qpen(ToQColor(p.Color), width);
  // A pen wider than one pixel is always solid, as on the classic device context.
  if (width == 1 && p.Style == PenStyle::Dot) qpen.setStyle(Qt::DotLine);
  if (width == 1 && p.Style == PenStyle::DashDot) qpen.setStyle(Qt::DashDotLine);
  qpen.setCapStyle(width == 1 ? Qt::FlatCap : Qt::RoundCap);
  qpen.setJoinStyle(Qt::RoundJoin);
  painter_.setPen(qpen);
}

void ImageCanvas::ApplyBrush() {
  if (brushValid_ && appliedBrush_ == brush) return;
  appliedBrush_ = brush;
  brushValid_ = true;
  if (brush.Style == BrushStyle::Clear)
    painter_.setBrush(Qt::NoBrush);
  else
    painter_.setBrush(ToQColor(brush.Color));
}

void ImageCanvas::OnLineTo(TPoint from, TPoint to) {
  if (!painter_.isActive()) return;
  // A patterned line starts its pattern afresh, so it is drawn at once.
  if (pen.Style != PenStyle::Solid && pen.Width <= 1) {
    FlushLines();
    ApplyPen();
    painter_.drawLine(from.x, from.y, to.x, to.y);
    return;
  }
  if (!pendingLines_.empty() && !(pendingPen_ == pen)) FlushLines();
  if (pendingLines_.empty()) pendingPen_ = pen;
  pendingLines_.emplace_back(from.x, from.y, to.x, to.y);
  if (pendingLines_.size() >= 4096) FlushLines();
}

void ImageCanvas::FlushLines() {
  if (pendingLines_.empty()) return;
  ApplyPen(pendingPen_);
  painter_.drawLines(pendingLines_.data(), static_cast<int>(pendingLines_.size()));
  pendingLines_.clear();
}

void ImageCanvas::Polyline(std::span<const TPoint> points) {
  if (!painter_.isActive()) return;
  FlushLines();
  if (points.size() < 2) return;
  ApplyPen();
  painter_.drawPolyline(ToPolygon(points));
}

void ImageCanvas::Polygon(std::span<const TPoint> points) {
  if (!painter_.isActive()) return;
  FlushLines();
  if (points.empty()) return;
  ApplyPenAndBrush();
  painter_.drawPolygon(ToPolygon(points), Qt::OddEvenFill);
}

void ImageCanvas::Rectangle(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
  if (!painter_.isActive()) return;
  FlushLines();
  ApplyPenAndBrush();
  const QRect box = ShapeBox(l, t, r, b);
  painter_.drawRect(box.x(), box.y(), box.width() - 1, box.height() - 1);
}

void ImageCanvas::RoundRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b,
                            std::int32_t cw, std::int32_t ch) {
  if (!painter_.isActive()) return;
  FlushLines();
  ApplyPenAndBrush();
  const QRect box = ShapeBox(l, t, r, b);
  painter_.drawRoundedRect(QRect(box.x(), box.y(), box.width() - 1, box.height() - 1),
                           std::abs(cw) / 2.0, std::abs(ch) / 2.0, Qt::AbsoluteSize);
}

void ImageCanvas::Ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
  if (!painter_.isActive()) return;
  FlushLines();
  ApplyPenAndBrush();
  const QRect box = ShapeBox(l, t, r, b);
  painter_.drawEllipse(QRect(box.x(), box.y(), box.width() - 1, box.height() - 1));
}

void ImageCanvas::Arc(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b,
                      std::int32_t sx, std::int32_t sy, std::int32_t ex, std::int32_t ey) {
  if (!painter_.isActive()) return;
  FlushLines();
  ApplyPen();
  const QRect box = ShapeBox(l, t, r, b);
  const QRectF rect(box.x(), box.y(), box.width() - 1, box.height() - 1);
  const QPointF c = rect.center();
  const double start = RayAngle(c, ClampCoord(sx), ClampCoord(sy));
  double span = RayAngle(c, ClampCoord(ex), ClampCoord(ey)) - start;
  while (span <= 0) span += 360.0;  // equal rays: the whole ellipse
  painter_.drawArc(rect, static_cast<int>(std::lround(start * 16)), static_cast<int>(std::lround(span * 16)));
}

void ImageCanvas::FillRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
  if (!painter_.isActive()) return;
  FlushLines();
  const QRect box(QPoint(ClampCoord(l), ClampCoord(t)), QPoint(ClampCoord(r) - 1, ClampCoord(b) - 1));
  painter_.fillRect(box, ToQColor(brush.Color));
}

void ImageCanvas::TextOut(std::int32_t x, std::int32_t y, const std::string& text) {
  if (!painter_.isActive()) return;
  FlushLines();
  x = ClampCoord(x);
  y = ClampCoord(y);
  const QString& s = CachedCp1251Text(text);
  const TSize size = TextExtent(text);
  if (brush.Style == BrushStyle::Solid) painter_.fillRect(x, y, size.cx, size.cy, ToQColor(brush.Color));
  painter_.setPen(ToQColor(FontColor));
  penValid_ = false;
  painter_.drawText(x, y + DrawingFontAscent(), s);
}

TSize ImageCanvas::TextExtent(const std::string& text) { return DrawingTextExtent(text); }

void ImageCanvas::Draw(std::int32_t x, std::int32_t y, const QImage& picture, bool transparent) {
  if (!painter_.isActive()) return;
  FlushLines();
  if (picture.isNull()) return;
  painter_.drawImage(ClampCoord(x), ClampCoord(y), transparent ? TransparentVersion(picture) : picture);
}

void ImageCanvas::SetPixel(std::int32_t x, std::int32_t y, std::uint32_t color) {
  if (!painter_.isActive()) return;
  FlushLines();
  if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return;
  painter_.setPen(QPen(ToQColor(color), 1));
  penValid_ = false;
  painter_.drawPoint(x, y);
}

}  // namespace vemu::platform
