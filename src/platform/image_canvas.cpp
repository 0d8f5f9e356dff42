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

// The painter's pen for a canvas pen.
QPen MakeQPen(const Pen& p) {
  const int width = std::clamp(p.Width, 1, 1000);
  QPen qpen(ToQColor(p.Color), width);
  // A pen wider than one pixel is always solid, as on the classic device context.
  if (width == 1 && p.Style == PenStyle::Dot) qpen.setStyle(Qt::DotLine);
  if (width == 1 && p.Style == PenStyle::DashDot) qpen.setStyle(Qt::DashDotLine);
  qpen.setCapStyle(width == 1 ? Qt::FlatCap : Qt::SquareCap);
  qpen.setJoinStyle(Qt::RoundJoin);
  return qpen;
}

// Small rounded rectangles and ellipses (junction boxes, source circles,
// eyes) come back on every frame in a few sizes and colours: each is drawn
// once into a transparent stamp and then copied. Aliased drawing shifted by
// whole pixels gives the same pixels, so the picture is the same.
enum class ShapeKind : std::uint8_t { RoundRect, Ellipse };

struct StampKey {
  ShapeKind kind;
  std::int32_t w, h, cw, ch;
  Pen pen;
  Brush brush;
  friend bool operator==(const StampKey&, const StampKey&) = default;
};

struct StampKeyHash {
  std::size_t operator()(const StampKey& k) const {
    std::uint64_t v = static_cast<std::uint64_t>(k.kind);
    for (std::uint64_t x : {std::uint64_t(std::uint32_t(k.w)), std::uint64_t(std::uint32_t(k.h)),
                            std::uint64_t(std::uint32_t(k.cw)), std::uint64_t(std::uint32_t(k.ch)),
                            std::uint64_t(k.pen.Color), std::uint64_t(std::uint32_t(k.pen.Width)),
                            std::uint64_t(k.pen.Style), std::uint64_t(k.brush.Color),
                            std::uint64_t(k.brush.Style)})
      v = (v ^ x) * 0x100000001B3ull;
    return static_cast<std::size_t>(v);
  }
};

constexpr int kStampLimit = 160;  // larger shapes are drawn directly

void PaintShape(QPainter& painter, ShapeKind kind, const QRect& r, std::int32_t cw, std::int32_t ch) {
  if (kind == ShapeKind::Ellipse)
    painter.drawEllipse(r);
  else
    painter.drawRoundedRect(r, std::abs(cw) / 2.0, std::abs(ch) / 2.0, Qt::AbsoluteSize);
}

// The stamp of a shape of w x h pixels and its margin around the box.
const QImage& ShapeStamp(const StampKey& key, int margin) {
  static std::unordered_map<StampKey, QImage, StampKeyHash> stamps;
  auto it = stamps.find(key);
  if (it != stamps.end()) return it->second;
  if (stamps.size() > 4096) stamps.clear();
  QImage stamp(key.w + 2 * margin, key.h + 2 * margin, QImage::Format_ARGB32_Premultiplied);
  stamp.fill(Qt::transparent);
  {
    QPainter p(&stamp);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(MakeQPen(key.pen));
    if (key.brush.Style == BrushStyle::Clear)
      p.setBrush(Qt::NoBrush);
    else
      p.setBrush(ToQColor(key.brush.Color));
    PaintShape(p, key.kind, QRect(margin, margin, key.w - 1, key.h - 1), key.cw, key.ch);
  }
  return stamps.emplace(key, std::move(stamp)).first->second;
}

}  // namespace

void ImageCanvas::DrawShape(int kind, std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b,
                            std::int32_t cw, std::int32_t ch) {
  if (!painter_.isActive()) return;
  FlushLines();
  const QRect box = ShapeBox(l, t, r, b);
  const auto shape = static_cast<ShapeKind>(kind);
  const int margin = std::clamp(pen.Width, 1, 1000) + 2;
  if (box.width() > kStampLimit || box.height() > kStampLimit || margin > 12) {
    ApplyPenAndBrush();
    PaintShape(painter_, shape, QRect(box.x(), box.y(), box.width() - 1, box.height() - 1), cw, ch);
    return;
  }
  // Only what the stamp shows counts: a patterned pen wider than one pixel draws solid.
  Pen keyPen = pen;
  if (keyPen.Width > 1) keyPen.Style = PenStyle::Solid;
  keyPen.Color = SystemColorRgb(keyPen.Color);
  Brush keyBrush = brush;
  keyBrush.Color = keyBrush.Style == BrushStyle::Clear ? 0 : SystemColorRgb(keyBrush.Color);
  if (shape == ShapeKind::Ellipse) cw = ch = 0;
  const StampKey key{shape, box.width(), box.height(), cw, ch, keyPen, keyBrush};
  painter_.drawImage(box.x() - margin, box.y() - margin, ShapeStamp(key, margin));
}

QImage MakeBackBuffer(int width, int height) {
  if (width <= 0 || height <= 0) return QImage();
  QImage image(width, height, QImage::Format_RGB32);
  if (!image.isNull()) image.fill(0);
  return image;
}

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
  painter_.setPen(MakeQPen(p));
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
  DrawShape(static_cast<int>(ShapeKind::RoundRect), l, t, r, b, cw, ch);
}

void ImageCanvas::Ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
  DrawShape(static_cast<int>(ShapeKind::Ellipse), l, t, r, b, 0, 0);
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
