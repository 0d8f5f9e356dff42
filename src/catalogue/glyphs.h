// The two pictures of an element type, made from its palette button's glyph.
// Both are drawn transparently: the colour of the lower-left pixel is the
// see-through colour.
#pragma once

#include <QImage>

namespace vemu::catalogue {

// The normal picture: a copy of the glyph (32-bit ARGB, pixel values kept).
QImage CopyGlyph(const QImage& glyph);

// The highlighted picture: same size; every pixel of the lower-left pixel's
// colour becomes yellow (255, 255, 0), every other pixel silver (192, 192,
// 192), and last the lower-left pixel itself yellow. Drawn transparently it
// shows the figure's silhouette in silver. A null glyph gives a null picture.
QImage MakeSilhouette(const QImage& glyph);

// The picture as painters draw it: every pixel of the lower-left pixel's
// colour becomes fully transparent, the rest stays as it is.
QImage TransparentGlyph(const QImage& image);

}  // namespace vemu::catalogue
