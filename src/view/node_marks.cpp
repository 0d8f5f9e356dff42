// The small marks of the node drawing: ground marks, eyes, the turning
// pentagons of selection, the arrow heads around the current node and the
// open box of an empty sub-circuit element.
#include <cmath>
#include <numbers>

#include "view/my_scale.h"
#include "view/node_painter.h"

namespace vemu::view {

namespace {

using platform::ClampCoord;

double Radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

void Line(Canvas& c, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
  c.MoveTo(ClampCoord(x1), ClampCoord(y1));
  c.LineTo(ClampCoord(x2), ClampCoord(y2));
}

void Triangle(Canvas& c, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, std::int64_t x3,
              std::int64_t y3) {
  const TPoint pts[3] = {{ClampCoord(x1), ClampCoord(y1)}, {ClampCoord(x2), ClampCoord(y2)},
                         {ClampCoord(x3), ClampCoord(y3)}};
  c.Polygon(pts);
}

// The pupil's offset: 3 pixels toward the mouse (d, at distance r >= 1).
TPoint LookAt(std::int64_t dx, std::int64_t dy, std::int64_t r) {
  return {RoundEven(static_cast<double>(dx) / static_cast<double>(r) * 3),
          RoundEven(static_cast<double>(dy) / static_cast<double>(r) * 3)};
}

struct Gaze {
  TPoint pupil;
  bool shut = false;
};

Gaze GazeAt(const DrawContext& dc, std::int32_t x, std::int32_t y) {
  const std::int64_t dx = std::int64_t{dc.MousePoint.x} - x;
  const std::int64_t dy = std::int64_t{dc.MousePoint.y} - y;
  std::int64_t r = std::llround(std::nearbyint(std::sqrt(static_cast<double>(dx * dx + dy * dy))));
  if (r == 0) r = 1;
  return {LookAt(dx, dy, r), r < 8};
}

void PaintEye(Canvas& c, bool shut, std::int32_t x, std::int32_t y, TPoint p, std::uint32_t pupilColor,
              std::uint32_t penColor) {
  const std::int64_t px = std::int64_t{x} + p.x;
  const std::int64_t py = std::int64_t{y} + p.y;
  c.pen.Color = kGreen;
  c.brush.Color = kWhite;
  c.brush.Style = platform::BrushStyle::Solid;
  if (!shut) c.Ellipse(ClampCoord(x - std::int64_t{6}), ClampCoord(y - std::int64_t{4}),
                       ClampCoord(x + std::int64_t{6}), ClampCoord(y + std::int64_t{4}));
  c.brush.Color = pupilColor;
  if (!shut) c.Ellipse(ClampCoord(px - 2), ClampCoord(py - 4), ClampCoord(px + 2), ClampCoord(py + 4));
  c.SetPixel(ClampCoord(px), ClampCoord(py), kWhite);
  c.pen.Color = penColor;
}

void Pentagon(const DrawContext& dc, Canvas& c, std::int32_t x, std::int32_t y, std::int64_t rx, std::int64_t ry) {
  c.pen.Color = kRed;
  for (int k = 0; k <= 5; ++k) {
    const double theta = Radians(72.0 * k + dc.AnimAngle);
    const std::int32_t px = ClampCoord(x + std::int64_t{RoundEven(static_cast<double>(rx) * std::sin(theta))});
    const std::int32_t py = ClampCoord(y + std::int64_t{RoundEven(static_cast<double>(ry) * std::cos(theta))});
    if (k == 0) c.MoveTo(px, py);
    else c.LineTo(px, py);
  }
}

// Four heads with their tips `t` pixels from (x, y), pointing at it.
void FourHeads(Canvas& c, std::int64_t x, std::int64_t y, std::int64_t t) {
  Triangle(c, x + t, y, x + t + 10, y - 5, x + t + 10, y + 5);
  Triangle(c, x - t, y, x - t - 10, y - 5, x - t - 10, y + 5);
  Triangle(c, x, y - t, x - 5, y - t - 10, x + 5, y - t - 10);
  Triangle(c, x, y + t, x - 5, y + t + 10, x + 5, y + t + 10);
}

}  // namespace

void DrawGroundMark(std::int32_t ground, TPoint s, Canvas& canvas) {
  const std::int64_t x = s.x;
  const std::int64_t y = s.y;
  auto mark = [&](std::int64_t ex, std::int64_t ey, std::int64_t bx1, std::int64_t by1, std::int64_t bx2,
                  std::int64_t by2) {
    canvas.pen.Width = 1;
    Line(canvas, x, y, ex, ey);
    canvas.pen.Width = 3;
    Line(canvas, bx1, by1, bx2, by2);
    canvas.pen.Width = 1;
  };
  switch (ground) {
    case 1: mark(x, y + 20, x - 12, y + 20, x + 12, y + 20); break;
    case 2: mark(x, y - 20, x - 12, y - 20, x + 12, y - 20); break;
    case 3: mark(x - 20, y, x - 20, y - 12, x - 20, y + 12); break;
    case 4: mark(x + 20, y, x + 20, y + 12, x + 20, y - 12); break;
    default: break;
  }
}

void DrawEye(const DrawContext& dc, bool closed, std::int32_t x, std::int32_t y, Canvas& canvas,
             std::uint32_t pupilColor, std::uint32_t penColor) {
  const Gaze g = GazeAt(dc, x, y);
  PaintEye(canvas, g.shut || closed, x, y, g.pupil, pupilColor, penColor);
}

void DrawEyeRolling(const DrawContext& dc, bool /*closed*/, std::int32_t x, std::int32_t y, Canvas& canvas,
                    std::uint32_t pupilColor, std::uint32_t penColor) {
  const std::int64_t c = (std::int64_t{dc.AnimAngle} + y + x) % 360;
  TPoint p{0, 0};
  if (c < 100) {
    p = GazeAt(dc, x, y).pupil;
  } else if (c < 300) {
    const double a = 2 * std::numbers::pi * static_cast<double>(c) / 200.0;
    p = {-RoundEven(4 * std::cos(a)), RoundEven(4 * std::sin(a))};
  }
  PaintEye(canvas, false, x, y, p, pupilColor, penColor);
}

void DrawLeaderStub(Canvas& canvas, std::int32_t x, std::int32_t y, std::int32_t cx, std::int32_t cy) {
  Line(canvas, x, y, x + (std::int64_t{cx} - x) * 3 / 5, y + (std::int64_t{cy} - y) * 3 / 5);
  canvas.Rectangle(ClampCoord(x - std::int64_t{2}), ClampCoord(y - std::int64_t{1}), ClampCoord(x + std::int64_t{2}),
                   ClampCoord(y + std::int64_t{1}));
}

void DrawOpenBox(const DrawContext& dc, TPoint s, Canvas& canvas) {
  canvas.pen.Color = kBlack;
  struct Token {
    std::int32_t x, y, d;
  };
  Token tokens[6];
  for (int k = 0; k < 6; ++k) {
    const double phi = Radians(60.0 * k - dc.AnimAngle);
    const std::int32_t d = RoundEven(16 * std::cos(phi));
    tokens[k] = {ClampCoord(s.x + std::int64_t{RoundEven(25 * std::sin(phi))}), ClampCoord(s.y + 3 + std::int64_t{d}),
                 d};
  }
  for (const Token& t : tokens) {
    if (t.d >= 0) continue;
    Line(canvas, t.x, t.y, s.x, s.y);
    canvas.Rectangle(t.x - 2, t.y - 1, t.x + 2, t.y + 1);
  }
  DrawNodePicture(dc, ClampCoord(s.x - std::int64_t{16}), ClampCoord(s.y - std::int64_t{16}), canvas,
                  dc.OpenBoxBitmap);
  for (const Token& t : tokens)
    if (t.d >= 0) DrawLeaderStub(canvas, t.x, t.y, s.x, s.y);
}

void DrawMovingArrows(const DrawContext& dc, Canvas& canvas, std::int32_t x, std::int32_t y) {
  canvas.pen.Color = kTeal;
  canvas.brush.Color = kMoneyGreen;
  canvas.brush.Style = platform::BrushStyle::Solid;
  FourHeads(canvas, x, y, 15 - ((dc.AnimAngle % 360) % 40));
}

void DrawMovingArrows(const DrawContext& dc, Canvas& canvas, std::int32_t x, std::int32_t y, std::int32_t s) {
  canvas.pen.Color = kTeal;
  canvas.brush.Color = kSkyBlue;
  canvas.brush.Style = platform::BrushStyle::Solid;
  FourHeads(canvas, x, y, 10 + std::int64_t{s} - dc.AnimAngle / 12);
}

void DrawRotatingStar(const DrawContext& dc, Canvas& canvas, std::int32_t x, std::int32_t y, std::int32_t r) {
  Pentagon(dc, canvas, x, y, std::int64_t{r} + 5, r);
}

void DrawRotatingStarXY(const DrawContext& dc, Canvas& canvas, std::int32_t x, std::int32_t y, std::int32_t rx,
                        std::int32_t ry) {
  Pentagon(dc, canvas, x, y, std::int64_t{rx} + 5, ry);
}

}  // namespace vemu::view
