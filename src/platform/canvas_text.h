// Text of the drawing: code page 1251 bytes to screen text, and the
// extents of the drawing font. Both keep what they made, so a frame that
// writes the same labels again allocates nothing.
#pragma once

#include <QString>
#include <string>

#include "platform/canvas.h"

namespace vemu::platform {

// The Unicode text of code page 1251 bytes (valid until the next call).
const QString& CachedCp1251Text(const std::string& bytes);
// Width and height in pixels of the text's cell in the drawing font.
TSize DrawingTextExtent(const std::string& bytes);
// The drawing font's ascent: the distance from a cell's top to its baseline.
int DrawingFontAscent();

}  // namespace vemu::platform
