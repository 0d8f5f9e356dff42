#include <gtest/gtest.h>

#include <QImage>
#include <functional>
#include <random>
#include <vector>

#include "platform/image_canvas.h"
#include "platform/recording_canvas.h"
#include "view/draw_primitives.h"
#include "view/view_globals.h"

namespace vemu::platform {
namespace {

QRgb Rgb(std::uint32_t ref) { return qRgb(ref & 0xFF, (ref >> 8) & 0xFF, (ref >> 16) & 0xFF); }

TEST(ImageCanvas, PaintsInTheCanvasColoursAndClipsPixels) {
  QImage image(60, 40, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    ImageCanvas canvas(image);
    canvas.pen = {0x0000FF, 1, PenStyle::Solid};  // red
    canvas.MoveTo(5, 5);
    canvas.LineTo(30, 5);
    EXPECT_EQ(canvas.PenPos(), (TPoint{30, 5}));
    canvas.brush = {0xFF0000, BrushStyle::Solid};  // blue
    canvas.pen.Color = 0x000000;
    canvas.Rectangle(10, 10, 20, 20);
    canvas.SetPixel(-1, 3, 0x00FF00);
    canvas.SetPixel(1000, 3, 0x00FF00);
    canvas.SetPixel(59, 39, 0x008000);
    canvas.brush.Color = 0x80000005u;  // window colour: white
    canvas.FillRect(40, 10, 50, 20);
  }
  EXPECT_EQ(image.pixel(15, 5), Rgb(0x0000FF));
  EXPECT_EQ(image.pixel(10, 10), Rgb(0x000000));  // outline
  EXPECT_EQ(image.pixel(19, 19), Rgb(0x000000));  // last pixel inside the box
  EXPECT_EQ(image.pixel(20, 20), Rgb(0xFFFFFF));  // right and bottom are outside
  EXPECT_EQ(image.pixel(15, 15), Rgb(0xFF0000));  // fill
  EXPECT_EQ(image.pixel(59, 39), Rgb(0x008000));
  EXPECT_EQ(image.pixel(45, 15), Rgb(0xFFFFFF));
}

TEST(ImageCanvas, LinesKeepTheirOrderAmongPensAndShapes) {
  QImage image(40, 20, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    ImageCanvas canvas(image);
    canvas.pen = {0x0000FF, 1, PenStyle::Solid};
    canvas.MoveTo(0, 5);
    canvas.LineTo(39, 5);                          // red ...
    canvas.pen.Color = 0xFF0000;
    canvas.MoveTo(10, 5);
    canvas.LineTo(20, 5);                          // ... under blue
    canvas.brush = {0x00FF00, BrushStyle::Solid};
    canvas.pen.Color = 0x00FF00;
    canvas.Rectangle(15, 0, 25, 10);               // green box over both
    canvas.pen = {0x000000, 3, PenStyle::Solid};
    canvas.MoveTo(22, 2);
    canvas.LineTo(22, 8);                          // a black bar over the box
    canvas.Flush();
    EXPECT_EQ(image.pixel(22, 5), Rgb(0x000000));  // visible while the canvas lives
    canvas.pen = {0x0000FF, 1, PenStyle::Dot};
    canvas.MoveTo(30, 15);
    canvas.LineTo(39, 15);
  }
  EXPECT_EQ(image.pixel(5, 5), Rgb(0x0000FF));
  EXPECT_EQ(image.pixel(12, 5), Rgb(0xFF0000));
  EXPECT_EQ(image.pixel(17, 5), Rgb(0x00FF00));
  EXPECT_EQ(image.pixel(30, 5), Rgb(0x0000FF));
  EXPECT_EQ(image.pixel(30, 15), Rgb(0x0000FF));  // a dotted line starts with a dot
}

TEST(ImageCanvas, APictureThatFailedToBeMadeIsNeverPaintedOn) {
  QImage none;
  ImageCanvas canvas(none);
  canvas.MoveTo(1, 1);
  canvas.LineTo(5, 5);
  canvas.Rectangle(0, 0, 4, 4);
  canvas.TextOut(0, 0, "R1");
  canvas.SetPixel(0, 0, 0);
  EXPECT_EQ(canvas.PenPos(), (TPoint{5, 5}));
  EXPECT_EQ(canvas.Size(), (TSize{0, 0}));
  EXPECT_TRUE(none.isNull());
}

TEST(ImageCanvas, TransparentPictureLeavesItsKeyColourOut) {
  QImage picture(4, 4, QImage::Format_RGB32);
  picture.fill(qRgb(255, 0, 255));
  picture.setPixel(1, 1, qRgb(0, 0, 0));
  QImage image(10, 10, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    ImageCanvas canvas(image);
    canvas.Draw(2, 2, picture, true);
    canvas.Draw(6, 6, picture, false);
    canvas.Draw(0, 0, QImage(), true);
  }
  EXPECT_EQ(image.pixel(2, 2), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(3, 3), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(6, 6), qRgb(255, 0, 255));
}

TEST(CanvasText, ExtentsAreStableAndCyrillicIsDrawn) {
  RecordingCanvas canvas;
  const TSize empty = canvas.TextExtent("");
  const TSize r1 = canvas.TextExtent("R1");
  EXPECT_EQ(empty.cx, 0);
  EXPECT_GT(r1.cx, 0);
  EXPECT_EQ(r1.cy, empty.cy);
  EXPECT_GT(canvas.TextExtent("\xD0\xEE").cx, 0);  // two Cyrillic letters in code page 1251
  QImage image(40, 20, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    ImageCanvas ic(image);
    EXPECT_EQ(ic.TextExtent("R1"), r1);
    ic.brush.Style = BrushStyle::Clear;
    ic.TextOut(2, 2, "\xD0\xEE");
  }
  int dark = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) dark += qGray(image.pixel(x, y)) < 128;
  EXPECT_GT(dark, 5);
}

TEST(RecordingCanvas, ListsCallsWithStateAndClampsCoordinates) {
  RecordingCanvas canvas({100, 100});
  canvas.pen = {0x00FF00, 2, PenStyle::Dot};
  canvas.MoveTo(1, 2);
  canvas.LineTo(3, 2000000000);
  canvas.brush.Style = BrushStyle::Clear;
  canvas.Ellipse(0, 0, 4, 4);
  canvas.SetPixel(100, 0, 0);
  canvas.FontColor = 0xFFFFFF;
  canvas.TextOut(5, 6, "a b");
  EXPECT_EQ(canvas.Text(),
            "move 1 2\n"
            "line 1 2 3 1048576 pen:00FF00/2/dot\n"
            "ellipse 0 0 4 4 pen:00FF00/2/dot brush:clear\n"
            "text 5 6 font:FFFFFF brush:clear \"a b\"\n");
}

TEST(DrawPrimitives, ArrowHeadAndCurveFollowTheirPoints) {
  const int saved = view::ArrowSize;
  view::ArrowSize = 6;
  RecordingCanvas canvas;
  view::DrawArrowAt({0, 0}, {100, 0}, canvas, 1.0);
  EXPECT_EQ(canvas.Text(),
            "move 0 0\nline 0 0 100 0 pen:000000/1/solid\n"
            "move 100 0\nline 100 0 94 -6 pen:000000/1/solid\n"
            "move 94 6\nline 94 6 100 0 pen:000000/1/solid\n");
  canvas.calls.clear();
  view::DrawCurvedArrow({0, 0}, {50, 50}, {100, 0}, canvas);
  // Eleven segments, the arrow (three lines) on the eighth.
  EXPECT_EQ(canvas.calls.size(), 2u * 10 + 6);
  EXPECT_EQ(canvas.calls[1], "line 0 0 0 0 pen:000000/1/solid");
  EXPECT_EQ(canvas.PenPos(), (TPoint{100, 0}));
  view::ArrowSize = saved;
}

}  // namespace
}  // namespace vemu::platform

namespace vemu::platform {
namespace {

// Small shapes are copied from stamps; the pixels must be those the painter
// draws directly, wherever the shape lands.
TEST(ImageCanvas, StampedShapesMatchDirectDrawing) {
  struct Case {
    bool ellipse;
    int l, t, r, b, cw, ch, width;
    BrushStyle brush;
  };
  const Case cases[] = {{false, 7, 9, 40, 24, 25, 15, 1, BrushStyle::Solid},
                        {false, -5, 3, 17, 25, 20, 20, 2, BrushStyle::Solid},
                        {true, 30, 31, 42, 39, 0, 0, 1, BrushStyle::Solid},
                        {true, 11, 40, 51, 60, 0, 0, 3, BrushStyle::Clear},
                        {false, 50, 2, 79, 28, 25, 15, 2, BrushStyle::Clear}};
  for (const Case& c : cases) {
    QImage stamped(90, 70, QImage::Format_RGB32);
    stamped.fill(Qt::white);
    QImage direct = stamped.copy();
    {
      ImageCanvas canvas(stamped);
      canvas.pen = {0x008000, c.width, PenStyle::Solid};
      canvas.brush = {0x00FFFF, c.brush};
      if (c.ellipse)
        canvas.Ellipse(c.l, c.t, c.r, c.b);
      else
        canvas.RoundRect(c.l, c.t, c.r, c.b, c.cw, c.ch);
    }
    {
      QPainter p(&direct);
      QPen pen(QColor(0, 128, 0), c.width);
      pen.setCapStyle(c.width == 1 ? Qt::FlatCap : Qt::SquareCap);
      pen.setJoinStyle(Qt::RoundJoin);
      p.setPen(pen);
      if (c.brush == BrushStyle::Solid) p.setBrush(QColor(255, 255, 0));
      const QRect box(c.l, c.t, c.r - c.l - 1, c.b - c.t - 1);
      if (c.ellipse)
        p.drawEllipse(box);
      else
        p.drawRoundedRect(box, c.cw / 2.0, c.ch / 2.0, Qt::AbsoluteSize);
    }
    EXPECT_EQ(stamped, direct) << "shape at " << c.l << "," << c.t << " width " << c.width;
  }
}

}  // namespace
}  // namespace vemu::platform

namespace vemu::platform {
namespace {

// Every kind of call the drawing makes, many times over at random places
// (inside, across the edges, outside): the stamped canvas leaves the same
// pixels as the painter alone, also for one-pixel lines whose pixels depend
// on the line before them in the painter's batch.
TEST(ImageCanvas, StampedDrawingMatchesThePainterAlone) {
  using Draw = std::function<void(Canvas&, std::mt19937&)>;
  const auto coord = [](std::mt19937& r, int size) { return static_cast<int>(r() % (size + 40)) - 20; };
  const auto step = [](std::mt19937& r, int reach) { return static_cast<int>(r() % (2 * reach + 1)) - reach; };
  const auto pen = [](Canvas& c, std::mt19937& r) {
    c.pen = {r() % 2 ? 0x0000FFu : 0xC0C0C0u, static_cast<int>(r() % 4) + 1,
             r() % 5 ? PenStyle::Solid : PenStyle::Dot};
    c.brush = {0x00FFFF, r() % 3 ? BrushStyle::Solid : BrushStyle::Clear};
  };
  const std::pair<const char*, Draw> kinds[] = {
      {"curves of short lines", [&](Canvas& c, std::mt19937& r) {
         if (r() % 8 == 0) pen(c, r);
         c.MoveTo(coord(r, 160), coord(r, 120));
         for (int i = 0; i < 12; ++i) c.LineTo(c.PenPos().x + step(r, 9), c.PenPos().y + step(r, 9));
       }},
      {"long lines", [&](Canvas& c, std::mt19937& r) {
         if (r() % 4 == 0) pen(c, r);
         c.MoveTo(coord(r, 160), coord(r, 120));
         c.LineTo(coord(r, 160), coord(r, 120));
       }},
      {"polygons and polylines", [&](Canvas& c, std::mt19937& r) {
         pen(c, r);
         std::vector<TPoint> points;
         const TPoint o{coord(r, 160), coord(r, 120)};
         for (int i = 0; i < 3 + static_cast<int>(r() % 4); ++i) points.push_back({o.x + step(r, 12), o.y + step(r, 12)});
         if (r() % 2) c.Polygon(points); else c.Polyline(points);
       }},
      {"boxes, round boxes, ellipses, arcs", [&](Canvas& c, std::mt19937& r) {
         pen(c, r);
         const int l = coord(r, 160), t = coord(r, 120), w = 2 + static_cast<int>(r() % 30), h = 2 + static_cast<int>(r() % 30);
         switch (r() % 4) {
           case 0: c.Rectangle(l, t, l + w, t + h); break;
           case 1: c.RoundRect(l, t, l + w, t + h, 25, 15), c.RoundRect(l, t, l + w, t + h, 25, 15); break;
           case 2: c.Ellipse(l, t, l + w, t + h), c.Ellipse(l, t, l + w, t + h); break;
           default: {
             const int sx = l + step(r, 20), sy = t + step(r, 20), ex = l + step(r, 20), ey = t + step(r, 20);
             for (int again = 0; again < 3; ++again) c.Arc(l, t, l + w, t + h, sx, sy, ex, ey);
           }
         }
       }},
      {"texts", [&](Canvas& c, std::mt19937& r) {
         c.FontColor = r() % 2 ? 0x000000u : 0xFFFFFFu;
         c.brush.Style = r() % 2 ? BrushStyle::Solid : BrushStyle::Clear;
         const char* texts[] = {"R1= 10k", "12", "\xD0\xEE AV", "Upper level", " "};
         c.TextOut(coord(r, 160), coord(r, 120), texts[r() % 5]);
       }},
      {"pixels", [&](Canvas& c, std::mt19937& r) { c.SetPixel(coord(r, 160), coord(r, 120), 0x008000); }},
  };
  std::mt19937 mix(11);
  for (const auto& [name, draw] : kinds) {
    for (int round = 0; round < 200; ++round) {
      QImage stamped(160, 120, QImage::Format_RGB32);
      stamped.fill(Qt::white);
      QImage direct = stamped.copy();
      const std::uint32_t seed = mix();
      for (auto [image, stamps] : {std::pair{&stamped, true}, std::pair{&direct, false}}) {
        std::mt19937 r(seed);
        ImageCanvas canvas(*image, stamps);
        for (int i = 0; i < 30; ++i) draw(canvas, r);
      }
      ASSERT_EQ(stamped, direct) << name << ", round " << round;
    }
  }
}

}  // namespace
}  // namespace vemu::platform
