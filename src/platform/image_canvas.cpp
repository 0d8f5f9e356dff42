#include "platform/image_canvas.h"

#include <QFontMetrics>
#include <QPolygon>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstring>
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

// The pixel value a colour is written with (0xAARRGGBB, opaque).
QRgb Opaque(std::uint32_t ref) {
  const std::uint32_t rgb = (ref & 0x80000000u) ? SystemColorRgb(ref) : ref & 0x00FFFFFFu;
  return 0xFF000000u | ((rgb & 0xFFu) << 16) | (rgb & 0xFF00u) | ((rgb >> 16) & 0xFFu);
}

QPolygon ToPolygon(std::span<const TPoint> points, QPoint shift = {}) {
  QPolygon polygon(static_cast<int>(points.size()));
  for (std::size_t i = 0; i < points.size(); ++i) {
    const TPoint p = ClampPoint(points[i]);
    polygon.setPoint(static_cast<int>(i), p.x + shift.x(), p.y + shift.y());
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

// The rectangle the painter is given for a shape's box, moved by `shift`.
QRect PainterBox(const QRect& box, QPoint shift) {
  return QRect(box.x() + shift.x(), box.y() + shift.y(), box.width() - 1, box.height() - 1);
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

int PenWidth(const Pen& p) { return std::clamp(p.Width, 1, 1000); }

// The painter's pen for a canvas pen, in the given colour.
QPen MakeQPen(const Pen& p, const QColor& color) {
  const int width = PenWidth(p);
  QPen qpen(color, width);
  // A pen wider than one pixel is always solid, as on the classic device context.
  if (width == 1 && p.Style == PenStyle::Dot) qpen.setStyle(Qt::DotLine);
  if (width == 1 && p.Style == PenStyle::DashDot) qpen.setStyle(Qt::DashDotLine);
  qpen.setCapStyle(width == 1 ? Qt::FlatCap : Qt::SquareCap);
  qpen.setJoinStyle(Qt::RoundJoin);
  return qpen;
}

QPen MakeQPen(const Pen& p) { return MakeQPen(p, ToQColor(p.Color)); }

// Pen and brush of a stamp: the role colours.
void SetStampTools(QPainter& painter, const Pen& pen, const Brush* brush) {
  painter.setPen(MakeQPen(pen, QColor::fromRgb(kStampRoleColor[0])));
  if (!brush || brush->Style == BrushStyle::Clear)
    painter.setBrush(Qt::NoBrush);
  else
    painter.setBrush(QColor::fromRgb(kStampRoleColor[1]));
}

enum class ShapeKind : std::uint8_t { RoundRect, Ellipse, Rectangle };

void PaintShape(QPainter& painter, ShapeKind kind, const QRect& r, std::int32_t cw, std::int32_t ch) {
  if (kind == ShapeKind::Ellipse)
    painter.drawEllipse(r);
  else if (kind == ShapeKind::Rectangle)
    painter.drawRect(r);
  else
    painter.drawRoundedRect(r, std::abs(cw) / 2.0, std::abs(ch) / 2.0, Qt::AbsoluteSize);
}

// Shapes that reach further than this from their anchor are painted directly.
constexpr int kStampReach = 600;
// Pens wider than this are painted directly.
constexpr int kStampPenWidth = 8;
// Longer texts, and wider ones, are painted directly.
constexpr std::size_t kStampTextBytes = 256;
constexpr int kStampTextWidth = 2000;
// Room around a text's cell for glyphs that reach out of it.
constexpr int kTextMargin = 16;

// The room a pen's strokes take beyond the points they join.
int PenMargin(const Pen& p) { return PenWidth(p) + 3; }

// At most this many lines go to the painter at once.
constexpr int kBatchLines = 4096;
// The longest replay a batch keeps (see ImageCanvas::LineBatch).
constexpr std::size_t kReplayLines = 64;

// The direction the painter gives a one-pixel line: along its longer axis
// (x on a tie), 1 down, 2 up, 4 right, 8 left; 0 for a point.
int LineDirection(std::int32_t dx, std::int32_t dy) {
  if (dx == 0 && dy == 0) return 0;
  if (std::abs(dx) < std::abs(dy)) return dy > 0 ? 1 : 2;
  return dx > 0 ? 4 : 8;
}

// Whether a line of direction `direction` turns back on `previous` (the
// same axis, the other way): the painter then draws it with one pixel more.
bool TurnsBack(int previous, int direction) {
  if (!previous || !direction) return false;
  return direction <= 2 ? (previous ^ 3) == direction : (previous ^ 12) == direction;
}

// A short line of that direction, for a stamp's painter to remember.
QLine DirectionLine(int direction, QPoint at) {
  switch (direction) {
    case 1: return QLine(at, at + QPoint(0, 3));
    case 2: return QLine(at + QPoint(0, 3), at);
    case 4: return QLine(at, at + QPoint(3, 0));
    case 8: return QLine(at + QPoint(3, 0), at);
    default: return QLine(at, at);
  }
}

// The direction a line turns back on.
int Reverse(int direction) { return direction <= 2 ? direction ^ 3 : direction ^ 12; }

// Whether the painter surely draws a line (it lies in the picture), surely
// leaves it out (it lies well beyond one edge), or may clip it either way.
enum class LineClip : std::uint8_t { Drawn, LeftOut, Unsure };

LineClip ClipOf(TPoint a, TPoint b, const QSize& size) {
  const auto in = [&](TPoint p) { return p.x >= 0 && p.y >= 0 && p.x < size.width() && p.y < size.height(); };
  if (in(a) && in(b)) return LineClip::Drawn;
  const int w = size.width(), h = size.height();
  if (std::max(a.x, b.x) < -3 || std::min(a.x, b.x) > w + 2 || std::max(a.y, b.y) < -3 || std::min(a.y, b.y) > h + 2)
    return LineClip::LeftOut;
  return LineClip::Unsure;
}

}  // namespace

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

ImageCanvas::ImageCanvas(QImage& image, bool stamps) : image_(image), stamps_(stamps) {
  // A null picture (one that failed to be made) is never painted on: every
  // call is then left out.
  if (image_.isNull()) return;
  painter_.begin(&image_);
  active_ = painter_.isActive();
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setFont(DrawingFont());
  // The painter has the picture's memory to itself now; stamps write into the same.
  if (painter_.isActive() && image_.format() == QImage::Format_RGB32)
    target_ = {image_.bits(), image_.bytesPerLine(), image_.width(), image_.height()};
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

// --- stamps ---

bool ImageCanvas::Inside(TPoint a, const QRect& reach) const {
  if (!stamps_ || !target_.bits) return false;
  if (reach.width() > 2 * kStampReach || reach.height() > 2 * kStampReach) return false;
  return std::int64_t{a.x} + reach.left() >= 0 && std::int64_t{a.y} + reach.top() >= 0 &&
         std::int64_t{a.x} + reach.right() < target_.width && std::int64_t{a.y} + reach.bottom() < target_.height;
}

void ImageCanvas::KeyStart(char kind, bool withBrush) {
  key_.clear();
  key_.push_back(kind);
  const int width = PenWidth(pen);
  KeyAdd(width);
  // Only what the stamp shows counts: a patterned pen wider than one pixel draws solid.
  KeyAdd(width == 1 ? static_cast<std::int32_t>(pen.Style) : 0);
  if (withBrush) KeyAdd(static_cast<std::int32_t>(brush.Style));
}

void ImageCanvas::KeyAdd(std::int32_t v) {
  char bytes[sizeof v];
  std::memcpy(bytes, &v, sizeof v);
  key_.append(bytes, sizeof v);
}

bool ImageCanvas::CopyKeyed(TPoint a, const QRect& reach, const std::function<void(QPainter&, QPoint)>& paint,
                            QRgb penColor, QRgb brushColor) {
  StampStore& store = DrawingStamps();
  const Stamp* stamp = store.Find(key_);
  if (!stamp) {
    const QPoint at = -reach.topLeft();
    stamp = &store.Add(key_, MakeStamp(reach.width(), reach.height(), at, [&](QPainter& p) { paint(p, at); }));
  }
  if (!stamp->usable) return false;
  FlushLines();
  const QRgb colors[2] = {penColor, brushColor};
  return CopyStamp(*stamp, target_, a.x, a.y, colors);
}

// The stamp of a line from the anchor to (dx, dy) with the pen; when it
// turns back, the painter first draws a line the other way.
Stamp MakeLineStamp(const Pen& pen, int dx, int dy, bool turnsBack) {
  const int previousDirection = turnsBack ? Reverse(LineDirection(dx, dy)) : 0;
  const int m = PenMargin(pen);
  const QRect reach(QPoint(std::min(0, dx) - m, std::min(0, dy) - m), QPoint(std::max(0, dx) + m, std::max(0, dy) + m));
  const QPoint at = -reach.topLeft();
  // Below the stamp's rows, the line that gives the painter its previous direction.
  const QPoint directionAt(2, reach.height() + 3);
  return MakeStamp(
      reach.width(), reach.height() + 8, at,
      [&](QPainter& p) {
        SetStampTools(p, pen, nullptr);
        const QLine lines[2] = {DirectionLine(previousDirection, directionAt), QLine(at.x(), at.y(), at.x() + dx, at.y() + dy)};
        if (previousDirection)
          p.drawLines(lines, 2);
        else
          p.drawLines(lines + 1, 1);
      },
      reach.height());
}

bool ImageCanvas::CopySegment(TPoint from, std::int32_t dx, std::int32_t dy, bool turnsBack) {
  const Stamp* stamp;
  const int variant = turnsBack ? 1 : 0;
  if (std::abs(dx) <= StampStore::kSegmentReach && std::abs(dy) <= StampStore::kSegmentReach) {
    const StampRun* flat = store_.FindSegment(batch_.width, variant, dx, dy);
    if (!flat) flat = store_.AddSegment(batch_.width, variant, dx, dy, MakeLineStamp(pen, dx, dy, turnsBack));
    if (flat->role != StampRole::Pen) return false;
    DrawPendingLines();
    return CopyFlatStamp(flat, target_, from.x, from.y, batch_.colors[0]);
  }
  if (std::abs(dx) <= kStampReach && std::abs(dy) <= kStampReach) {
    KeyStart('S', false);
    KeyAdd(variant);
    KeyAdd(dx);
    KeyAdd(dy);
    stamp = store_.Find(key_);
    // A long line is stamped when it comes back (a wire at rest), not while it swings.
    if (!stamp && !store_.SeenBefore(key_)) return false;
    if (!stamp) stamp = &store_.Add(key_, MakeLineStamp(pen, dx, dy, turnsBack));
  } else {
    return false;
  }
  if (!stamp->usable) return false;
  DrawPendingLines();
  return CopyStamp(*stamp, target_, from.x, from.y, batch_.colors);
}

bool ImageCanvas::StampedPatternLine(TPoint from, TPoint to) {
  const std::int32_t dx = to.x - from.x, dy = to.y - from.y;
  if (std::abs(dx) > kStampReach || std::abs(dy) > kStampReach) return false;
  const int m = PenMargin(pen);
  if (!Inside(from, QRect(QPoint(std::min(0, dx) - m, std::min(0, dy) - m), QPoint(std::max(0, dx) + m, std::max(0, dy) + m))))
    return false;
  KeyStart('L', false);
  KeyAdd(dx);
  KeyAdd(dy);
  const Stamp* stamp = store_.Find(key_);
  if (!stamp) stamp = &store_.Add(key_, MakeLineStamp(pen, dx, dy, false));
  if (!stamp->usable) return false;
  const QRgb colors[2] = {Opaque(pen.Color), 0};
  return CopyStamp(*stamp, target_, from.x, from.y, colors);
}

bool ImageCanvas::StampedPoints(char kind, std::span<const TPoint> points) {
  if (PenWidth(pen) > kStampPenWidth || points.empty() || points.size() > 64) return false;
  const TPoint a = ClampPoint(points[0]);
  std::int64_t l = 0, t = 0, r = 0, b = 0;
  for (const TPoint& q : points) {
    const TPoint p = ClampPoint(q);
    l = std::min<std::int64_t>(l, std::int64_t{p.x} - a.x), r = std::max<std::int64_t>(r, std::int64_t{p.x} - a.x);
    t = std::min<std::int64_t>(t, std::int64_t{p.y} - a.y), b = std::max<std::int64_t>(b, std::int64_t{p.y} - a.y);
  }
  if (-l > kStampReach || -t > kStampReach || r > kStampReach || b > kStampReach) return false;
  const int m = PenMargin(pen);
  const QRect reach(QPoint(static_cast<int>(l) - m, static_cast<int>(t) - m),
                    QPoint(static_cast<int>(r) + m, static_cast<int>(b) + m));
  if (!Inside(a, reach)) return false;
  const bool filled = kind == 'G';
  KeyStart(kind, filled);
  KeyAdd(static_cast<std::int32_t>(points.size()));
  for (const TPoint& q : points) {
    const TPoint p = ClampPoint(q);
    KeyAdd(p.x - a.x);
    KeyAdd(p.y - a.y);
  }
  const Pen shapePen = pen;
  const Brush shapeBrush = brush;
  auto paint = [&](QPainter& p, QPoint at) {
    SetStampTools(p, shapePen, filled ? &shapeBrush : nullptr);
    const QPolygon polygon = ToPolygon(points, at - QPoint(a.x, a.y));
    if (filled)
      p.drawPolygon(polygon, Qt::OddEvenFill);
    else
      p.drawPolyline(polygon);
  };
  return CopyKeyed(a, reach, paint, Opaque(pen.Color), filled ? Opaque(brush.Color) : 0);
}

bool ImageCanvas::StampedText(std::int32_t x, std::int32_t y, const std::string& text, TSize extent) {
  if (text.size() > kStampTextBytes || extent.cx > kStampTextWidth || extent.cy > kStampReach) return false;
  const QRect cell(0, 0, extent.cx, extent.cy);
  if (!Inside({x, y}, cell)) return false;
  StampStore& store = DrawingStamps();
  DrawingText& entry = DrawingTextOf(text);
  if (!entry.stamp || entry.stampGeneration != store.Generation()) {
    const QString& screenText = entry.text;
    const QPoint at(kTextMargin, kTextMargin);
    Stamp made = MakeStamp(extent.cx + 2 * kTextMargin, extent.cy + 2 * kTextMargin, at, [&](QPainter& p) {
      p.setFont(DrawingFont());
      p.setPen(QColor::fromRgb(kStampRoleColor[0]));
      p.drawText(at.x(), at.y() + DrawingFontAscent(), screenText);
    });
    const Stamp& kept = store.Keep(std::move(made));
    // (Keeping may have cleared the store: the generation is read after.)
    entry.stamp = &kept;
    entry.stampGeneration = store.Generation();
  }
  if (!entry.stamp->usable) return false;
  FlushLines();
  const QRgb colors[2] = {Opaque(FontColor), 0};
  return CopyStamp(*entry.stamp, target_, x, y, colors);
}

void ImageCanvas::DrawShape(int kind, std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b,
                            std::int32_t cw, std::int32_t ch) {
  if (!painter_.isActive()) return;
  const QRect box = ShapeBox(l, t, r, b);
  const auto shape = static_cast<ShapeKind>(kind);
  if (shape == ShapeKind::Ellipse || shape == ShapeKind::Rectangle) cw = ch = 0;
  const int m = PenMargin(pen);
  const QRect reach(-m, -m, box.width() + 2 * m, box.height() + 2 * m);
  // Curves of wider pens come out by rounding that depends on where they lie.
  if (PenWidth(pen) == 1 && Inside({box.x(), box.y()}, reach)) {
    KeyStart(static_cast<char>('O' + kind), true);
    KeyAdd(box.width());
    KeyAdd(box.height());
    KeyAdd(cw);
    KeyAdd(ch);
    const Pen shapePen = pen;
    const Brush shapeBrush = brush;
    auto paint = [&](QPainter& p, QPoint at) {
      SetStampTools(p, shapePen, &shapeBrush);
      PaintShape(p, shape, PainterBox(box, at - box.topLeft()), cw, ch);
    };
    if (CopyKeyed({box.x(), box.y()}, reach, paint, Opaque(pen.Color), Opaque(brush.Color))) return;
  } else if (PenWidth(pen) <= kStampPenWidth && Inside({box.x(), box.y()}, reach)) {
    // A wider pen's stamp is made in place, as for an arc.
    KeyStart(static_cast<char>('o' + kind), true);
    for (std::int32_t v : {box.x(), box.y(), box.width(), box.height(), cw, ch}) KeyAdd(v);
    const Stamp* stamp = store_.Find(key_);
    if (!stamp && store_.SeenBefore(key_)) {
      const Pen shapePen = pen;
      const Brush shapeBrush = brush;
      stamp = &store_.Add(key_, MakeStampInPlace(image_.size(), reach.translated(box.topLeft()), [&](QPainter& p) {
        SetStampTools(p, shapePen, &shapeBrush);
        PaintShape(p, shape, PainterBox(box, {}), cw, ch);
      }));
    }
    if (stamp && stamp->usable) {
      FlushLines();
      const QRgb colors[2] = {Opaque(pen.Color), Opaque(brush.Color)};
      if (CopyStamp(*stamp, target_, 0, 0, colors)) return;
    }
  }
  FlushLines();
  ApplyPenAndBrush();
  PaintShape(painter_, shape, PainterBox(box, {}), cw, ch);
}

// --- drawing ---

void ImageCanvas::OnLineTo(TPoint from, TPoint to) {
  if (!active_) return;
  if (!batch_.open || !(batch_.pen == pen)) {
    // A patterned line starts its pattern afresh, so it is drawn at once.
    if (pen.Style != PenStyle::Solid && pen.Width <= 1) {
      FlushLines();
      if (StampedPatternLine(from, to)) return;
      ApplyPen();
      painter_.drawLine(from.x, from.y, to.x, to.y);
      return;
    }
    FlushLines();
    const int width = PenWidth(pen);
    batch_.open = true;
    batch_.pen = pen;
    batch_.width = width;
    batch_.thin = width == 1;
    batch_.margin = PenMargin(pen);
    batch_.stamps = stamps_ && width <= kStampPenWidth;
    batch_.colors[0] = Opaque(pen.Color);
    batch_.count = 0;
    batch_.known = true;
    batch_.direction = 0;
    batch_.replay.clear();
  }
  // Points are clamped, so the differences fit.
  const std::int32_t dx = to.x - from.x, dy = to.y - from.y;
  const bool inPicture = InPicture(from) && InPicture(to);
  // Stamps are the painter's pixels only away from the picture's edges (near
  // them it may fill a wide line otherwise): the line and its pen's reach
  // lie in the picture.
  const int m = batch_.margin;
  const bool clear = inPicture && std::min(from.x, to.x) >= m && std::min(from.y, to.y) >= m &&
                     std::max(from.x, to.x) + m < target_.width && std::max(from.y, to.y) + m < target_.height;
  const QLine line(from.x, from.y, to.x, to.y);
  // Only the one-pixel pen keeps a direction from line to line.
  const int direction = batch_.thin ? LineDirection(dx, dy) : 0;
  if (!(clear && batch_.stamps && batch_.known &&
        CopySegment(from, dx, dy, TurnsBack(batch_.direction, direction)))) {
    if (pendingLines_.empty()) {
      pendingPen_ = pen;
      // The painter starts afresh: it draws the replay again (the same
      // pixels) to come to this line in the state it would be in.
      pendingLines_.assign(batch_.replay.begin(), batch_.replay.end());
    }
    pendingLines_.push_back(line);
  }
  if (batch_.thin) {
    const LineClip clip = direction == 0 ? LineClip::LeftOut : inPicture ? LineClip::Drawn : ClipOf(from, to, image_.size());
    // A line the painter draws the same whatever came before starts the replay afresh.
    if (clip == LineClip::Drawn && batch_.known && !TurnsBack(batch_.direction, direction)) batch_.replay.clear();
    batch_.replay.push_back(line);
    if (clip == LineClip::Drawn) {
      batch_.known = true;
      batch_.direction = direction;
    } else if (clip == LineClip::Unsure) {
      batch_.known = false;
    }
    // A batch that never comes back to such a line is left to the painter.
    if (batch_.replay.size() > kReplayLines) batch_.stamps = false;
  }
  if (++batch_.count >= kBatchLines) FlushLines();
}

void ImageCanvas::DrawPendingLines() {
  if (pendingLines_.empty()) return;
  ApplyPen(pendingPen_);
  painter_.drawLines(pendingLines_.data(), static_cast<int>(pendingLines_.size()));
  pendingLines_.clear();
}

void ImageCanvas::FlushLines() {
  DrawPendingLines();
  batch_.open = false;
}

void ImageCanvas::Polyline(std::span<const TPoint> points) {
  if (!painter_.isActive()) return;
  if (points.size() >= 2 && StampedPoints('P', points)) return;
  FlushLines();
  if (points.size() < 2) return;
  ApplyPen();
  painter_.drawPolyline(ToPolygon(points));
}

void ImageCanvas::Polygon(std::span<const TPoint> points) {
  if (!painter_.isActive()) return;
  if (StampedPoints('G', points)) return;
  FlushLines();
  if (points.empty()) return;
  ApplyPenAndBrush();
  painter_.drawPolygon(ToPolygon(points), Qt::OddEvenFill);
}

void ImageCanvas::Rectangle(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
  DrawShape(static_cast<int>(ShapeKind::Rectangle), l, t, r, b, 0, 0);
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
  const QRect box = ShapeBox(l, t, r, b);
  sx = ClampCoord(sx), sy = ClampCoord(sy), ex = ClampCoord(ex), ey = ClampCoord(ey);
  auto paint = [&](QPainter& p) {
    const QRectF rect = PainterBox(box, {});
    const QPointF c = rect.center();
    const double start = RayAngle(c, sx, sy);
    double span = RayAngle(c, ex, ey) - start;
    while (span <= 0) span += 360.0;  // equal rays: the whole ellipse
    p.drawArc(rect, static_cast<int>(std::lround(start * 16)), static_cast<int>(std::lround(span * 16)));
  };
  // The painter's arc depends on where it lies (by rounding): its stamp is
  // made in place and copied to that place only, once the arc comes back.
  const int m = PenMargin(pen);
  const QRect reach = box.adjusted(-m, -m, m, m);
  if (PenWidth(pen) <= kStampPenWidth && Inside({0, 0}, reach)) {
    KeyStart('A', false);
    for (std::int32_t v : {box.x(), box.y(), box.width(), box.height(), sx, sy, ex, ey}) KeyAdd(v);
    const Stamp* stamp = store_.Find(key_);
    if (!stamp && store_.SeenBefore(key_)) {
      const Pen arcPen = pen;
      stamp = &store_.Add(key_, MakeStampInPlace(image_.size(), reach, [&](QPainter& p) {
        SetStampTools(p, arcPen, nullptr);
        paint(p);
      }));
    }
    if (stamp && stamp->usable) {
      FlushLines();
      const QRgb colors[2] = {Opaque(pen.Color), 0};
      if (CopyStamp(*stamp, target_, 0, 0, colors)) return;
    }
  }
  FlushLines();
  ApplyPen();
  paint(painter_);
}

void ImageCanvas::FillRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
  if (!painter_.isActive()) return;
  FlushLines();
  const QRect box(QPoint(ClampCoord(l), ClampCoord(t)), QPoint(ClampCoord(r) - 1, ClampCoord(b) - 1));
  painter_.fillRect(box, ToQColor(brush.Color));
}

void ImageCanvas::TextOut(std::int32_t x, std::int32_t y, const std::string& text) {
  if (!painter_.isActive()) return;
  x = ClampCoord(x);
  y = ClampCoord(y);
  const TSize size = TextExtent(text);
  if (brush.Style == BrushStyle::Solid) {
    const QRect cell = QRect(x, y, size.cx, size.cy).intersected(image_.rect());
    if (stamps_ && target_.bits && !cell.isEmpty()) {
      FlushLines();
      const QRgb color = Opaque(brush.Color);
      for (int row = cell.top(); row <= cell.bottom(); ++row)
        std::fill_n(reinterpret_cast<QRgb*>(target_.bits + row * target_.bytesPerLine) + cell.left(), cell.width(),
                    color);
    } else if (!cell.isEmpty()) {
      FlushLines();
      painter_.fillRect(x, y, size.cx, size.cy, ToQColor(brush.Color));
    }
  }
  if (StampedText(x, y, text, size)) return;
  // A text far enough outside the picture leaves no pixel in it.
  const QRect reach(x - kTextMargin, y - kTextMargin, size.cx + 2 * kTextMargin, size.cy + 2 * kTextMargin);
  if (!reach.intersects(image_.rect())) return;
  FlushLines();
  painter_.setPen(ToQColor(FontColor));
  penValid_ = false;
  painter_.drawText(x, y + DrawingFontAscent(), CachedCp1251Text(text));
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
  if (stamps_ && target_.bits) {
    reinterpret_cast<QRgb*>(target_.bits + y * target_.bytesPerLine)[x] = Opaque(color);
    return;
  }
  painter_.setPen(QPen(ToQColor(color), 1));
  penValid_ = false;
  painter_.drawPoint(x, y);
}

}  // namespace vemu::platform
