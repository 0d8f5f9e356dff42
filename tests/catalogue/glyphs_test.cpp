#include <gtest/gtest.h>

#include <QImage>

#include "catalogue/glyphs.h"

using namespace vemu::catalogue;

namespace {

const QRgb kBackground = qRgb(255, 0, 255);
const QRgb kRed = qRgb(200, 0, 0);
const QRgb kBlue = qRgb(0, 0, 200);
const QRgb kYellow = qRgb(255, 255, 0);
const QRgb kSilver = qRgb(192, 192, 192);

// 5 x 4 glyph: background everywhere except a figure in the middle rows;
// the figure has a red and a blue part and, at (2, 1), a pixel of the
// background colour inside it.
QImage SyntheticGlyph() {
  QImage image(5, 4, QImage::Format_RGB32);
  image.fill(kBackground);
  image.setPixel(1, 1, kRed);
  image.setPixel(2, 1, kBackground);
  image.setPixel(3, 1, kBlue);
  image.setPixel(1, 2, kRed);
  image.setPixel(2, 2, kBlue);
  image.setPixel(3, 2, kRed);
  return image;
}

}  // namespace

TEST(Glyphs, NormalPictureIsAnExactCopy) {
  const QImage glyph = SyntheticGlyph();
  const QImage b0 = CopyGlyph(glyph);
  ASSERT_EQ(b0.size(), glyph.size());
  for (int x = 0; x < glyph.width(); ++x)
    for (int y = 0; y < glyph.height(); ++y) EXPECT_EQ(b0.pixel(x, y), glyph.pixel(x, y)) << x << "," << y;
}

TEST(Glyphs, SilhouetteIsSilverFigureOnYellow) {
  const QImage bs = MakeSilhouette(SyntheticGlyph());
  ASSERT_EQ(bs.size(), QSize(5, 4));
  for (int x = 0; x < 5; ++x)
    for (int y = 0; y < 4; ++y) {
      const bool figure = (y == 1 && (x == 1 || x == 3)) || (y == 2 && x >= 1 && x <= 3);
      EXPECT_EQ(bs.pixel(x, y), figure ? kSilver : kYellow) << x << "," << y;
    }
  // The background-coloured pixel inside the figure is yellow too.
  EXPECT_EQ(bs.pixel(2, 1), kYellow);
}

TEST(Glyphs, LowerLeftPixelDecidesTheKeyAndEndsYellow) {
  // The lower-left pixel is red here, so the red figure parts are the key
  // and the magenta surroundings become silver.
  QImage glyph = SyntheticGlyph();
  glyph.setPixel(0, 3, kRed);
  const QImage bs = MakeSilhouette(glyph);
  EXPECT_EQ(bs.pixel(0, 3), kYellow);
  EXPECT_EQ(bs.pixel(1, 1), kYellow);
  EXPECT_EQ(bs.pixel(3, 2), kYellow);
  EXPECT_EQ(bs.pixel(2, 2), kSilver);
  EXPECT_EQ(bs.pixel(0, 0), kSilver);
  EXPECT_EQ(bs.pixel(4, 3), kSilver);
}

TEST(Glyphs, TransparencyTakesTheLowerLeftColourEverywhere) {
  const QImage glyph = SyntheticGlyph();
  const QImage shown = TransparentGlyph(CopyGlyph(glyph));
  EXPECT_EQ(qAlpha(shown.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(shown.pixel(0, 3)), 0);
  EXPECT_EQ(qAlpha(shown.pixel(2, 1)), 0) << "background colour inside the figure is see-through";
  EXPECT_EQ(shown.pixel(1, 1), kRed);
  EXPECT_EQ(shown.pixel(2, 2), kBlue);

  const QImage shadow = TransparentGlyph(MakeSilhouette(glyph));
  EXPECT_EQ(qAlpha(shadow.pixel(2, 1)), 0);
  EXPECT_EQ(qAlpha(shadow.pixel(4, 0)), 0);
  EXPECT_EQ(shadow.pixel(1, 1), kSilver);
  EXPECT_EQ(shadow.pixel(2, 2), kSilver);
}

TEST(Glyphs, EmptyGlyphGivesEmptyPictures) {
  EXPECT_TRUE(CopyGlyph(QImage()).isNull());
  EXPECT_TRUE(MakeSilhouette(QImage()).isNull());
  EXPECT_TRUE(TransparentGlyph(QImage()).isNull());
}
