// Text of the drawing: code page 1251 bytes to screen text, and the
// extents of the drawing font. Both keep what they made, so a frame that
// writes the same labels again allocates nothing.
#pragma once

#include <QString>
#include <cstdint>
#include <string>

#include "platform/canvas.h"

namespace vemu::platform {

struct Stamp;

// What the drawing keeps of one text: the screen text, its extent (cx < 0
// until measured) and its stamp, valid while the stamp store is in the
// generation it was found in.
struct DrawingText {
  QString text;
  TSize extent{-1, -1};
  const Stamp* stamp = nullptr;
  std::uint64_t stampGeneration = 0;
};

// The record of a text of code page 1251 bytes (valid until the next call
// for another text).
DrawingText& DrawingTextOf(const std::string& bytes);
// The Unicode text of code page 1251 bytes (valid until the next call).
const QString& CachedCp1251Text(const std::string& bytes);
// Width and height in pixels of the text's cell in the drawing font.
TSize DrawingTextExtent(const std::string& bytes);
// The drawing font's ascent: the distance from a cell's top to its baseline.
int DrawingFontAscent();

}  // namespace vemu::platform
