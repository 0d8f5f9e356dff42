#include "catalogue/glyphs.h"

namespace vemu::catalogue {
namespace {

constexpr QRgb kYellow = 0xFFFFFF00u;  // opaque (255, 255, 0)
constexpr QRgb kSilver = 0xFFC0C0C0u;  // opaque (192, 192, 192)

QRgb LowerLeft(const QImage& image) { return image.pixel(0, image.height() - 1); }

}  // namespace

QImage CopyGlyph(const QImage& glyph) {
  if (glyph.isNull()) return QImage();
  QImage copy = glyph.convertToFormat(QImage::Format_ARGB32);
  copy.detach();
  return copy;
}

QImage MakeSilhouette(const QImage& glyph) {
  QImage bs = CopyGlyph(glyph);
  if (bs.isNull() || bs.width() == 0 || bs.height() == 0) return bs;
  const QRgb key = LowerLeft(bs);
  for (int x = 0; x < bs.width(); ++x)
    for (int y = 0; y < bs.height(); ++y) bs.setPixel(x, y, bs.pixel(x, y) == key ? kYellow : kSilver);
  bs.setPixel(0, bs.height() - 1, kYellow);
  return bs;
}

QImage TransparentGlyph(const QImage& image) {
  QImage out = CopyGlyph(image);
  if (out.isNull() || out.width() == 0 || out.height() == 0) return out;
  const QRgb key = LowerLeft(out);
  for (int y = 0; y < out.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x)
      if (line[x] == key) line[x] = qRgba(qRed(key), qGreen(key), qBlue(key), 0);
  }
  return out;
}

}  // namespace vemu::catalogue
