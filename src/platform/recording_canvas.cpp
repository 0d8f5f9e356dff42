#include "platform/recording_canvas.h"

#include <cstdio>

#include "platform/canvas_text.h"

namespace vemu::platform {

namespace {

std::string Hex(std::uint32_t color) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%06X", color & 0x00FFFFFFu);
  return (color & 0x80000000u) ? std::string("sys") + buf : std::string(buf);
}

std::string Num(std::int64_t v) { return std::to_string(v); }

std::string Box(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
  return Num(ClampCoord(l)) + " " + Num(ClampCoord(t)) + " " + Num(ClampCoord(r)) + " " + Num(ClampCoord(b));
}

std::string Points(std::span<const TPoint> points) {
  std::string s;
  for (const TPoint& raw : points) {
    const TPoint p = ClampPoint(raw);
    s += " " + Num(p.x) + "," + Num(p.y);
  }
  return s;
}

}  // namespace

std::string RecordingCanvas::PenText() const {
  static const char* const kStyles[] = {"solid", "dot", "dashdot"};
  return "pen:" + Hex(pen.Color) + "/" + Num(pen.Width) + "/" + kStyles[static_cast<int>(pen.Style)];
}

std::string RecordingCanvas::BrushText() const {
  return brush.Style == BrushStyle::Clear ? std::string("brush:clear") : "brush:" + Hex(brush.Color);
}

void RecordingCanvas::OnMoveTo(TPoint p) { calls.push_back("move " + Num(p.x) + " " + Num(p.y)); }

void RecordingCanvas::OnLineTo(TPoint from, TPoint to) {
  calls.push_back("line " + Num(from.x) + " " + Num(from.y) + " " + Num(to.x) + " " + Num(to.y) + " " + PenText());
}

void RecordingCanvas::Polyline(std::span<const TPoint> points) {
  calls.push_back("polyline " + PenText() + Points(points));
}

void RecordingCanvas::Polygon(std::span<const TPoint> points) {
  calls.push_back("polygon " + PenText() + " " + BrushText() + Points(points));
}

void RecordingCanvas::Rectangle(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
  calls.push_back("rect " + Box(l, t, r, b) + " " + PenText() + " " + BrushText());
}

void RecordingCanvas::RoundRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b,
                                std::int32_t cw, std::int32_t ch) {
  calls.push_back("roundrect " + Box(l, t, r, b) + " " + Num(cw) + " " + Num(ch) + " " + PenText() + " " +
                  BrushText());
}

void RecordingCanvas::Ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
  calls.push_back("ellipse " + Box(l, t, r, b) + " " + PenText() + " " + BrushText());
}

void RecordingCanvas::Arc(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b, std::int32_t sx,
                          std::int32_t sy, std::int32_t ex, std::int32_t ey) {
  calls.push_back("arc " + Box(l, t, r, b) + " " + Box(sx, sy, ex, ey) + " " + PenText());
}

void RecordingCanvas::FillRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
  calls.push_back("fill " + Box(l, t, r, b) + " " + Hex(brush.Color));
}

void RecordingCanvas::TextOut(std::int32_t x, std::int32_t y, const std::string& text) {
  calls.push_back("text " + Num(ClampCoord(x)) + " " + Num(ClampCoord(y)) + " font:" + Hex(FontColor) + " " +
                  BrushText() + " \"" + text + "\"");
}

TSize RecordingCanvas::TextExtent(const std::string& text) { return DrawingTextExtent(text); }

void RecordingCanvas::Draw(std::int32_t x, std::int32_t y, const QImage& picture, bool transparent) {
  if (picture.isNull()) return;
  calls.push_back("draw " + Num(ClampCoord(x)) + " " + Num(ClampCoord(y)) + " " + Num(picture.width()) + "x" +
                  Num(picture.height()) + (transparent ? " transparent" : " opaque"));
}

void RecordingCanvas::SetPixel(std::int32_t x, std::int32_t y, std::uint32_t color) {
  if (x < 0 || y < 0 || x >= size_.cx || y >= size_.cy) return;
  calls.push_back("pixel " + Num(x) + " " + Num(y) + " " + Hex(color));
}

std::string RecordingCanvas::Text() const {
  std::string s;
  for (const auto& c : calls) s += c + "\n";
  return s;
}

}  // namespace vemu::platform
