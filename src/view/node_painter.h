// The painter of one node of the shown level: its picture or vector
// symbol, its label (an element's name and value, a junction's net name, a
// text note in its box with its pointer), its ground mark, the marks of the
// current gesture and of selection, the eyes, and the open box of an empty
// sub-circuit; and the animated markers the redraw puts around the current
// node and on selected nodes. Everything animates only through the
// context's AnimAngle, ShadowPhase and MousePoint; the one write to the
// circuit is the block size of a multi-line text note (Wx, Wy).
#pragma once

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

#include "model/graph.h"
#include "platform/canvas.h"
#include "view/colors.h"
#include "view/draw_context.h"

namespace vemu::view {

using platform::Canvas;

// Colours of the node drawing (0x00BBGGRR).

// Head size of a text note's pointer when the setting's text is no number.
inline constexpr std::int32_t kTextPointerDefaultHead = 15;

// One node in full colour; a null node or a type outside the table draws nothing.
void DrawNode(const DrawContext& dc, model::TheNode* N, Canvas& canvas);
// One node's shadow.
void DrawNodeShadow(const DrawContext& dc, const model::TheNode* N, Canvas& canvas);
// A picture with its top-left corner at (x, y), transparent when the
// "transparency" setting is checked; a null picture draws nothing.
void DrawNodePicture(const DrawContext& dc, std::int32_t x, std::int32_t y, Canvas& canvas, const QImage* bitmap);

// The label of a node as the settings show it; " " when it would be empty;
// at most kLabelBytesMax bytes.
std::string NodeLabelText(const DrawContext& dc, const model::TheNode& N);
// The lines of a multi-line text: cut at every "/", no empty line after a final "/".
std::vector<std::string> TextNoteLines(const std::string& value);
// The same lines handed one by one to f(const std::string&), through one
// buffer that keeps its storage from call to call; each line cut to its
// first maxLineBytes.
template <typename F>
void ForEachTextNoteLine(std::string_view value, std::string& buffer, F f,
                         std::size_t maxLineBytes = std::string_view::npos) {
  std::size_t start = 0;
  do {
    const std::size_t slash = value.find('/', start);
    const std::size_t end = slash == std::string_view::npos ? value.size() : slash;
    buffer.assign(value.substr(start, std::min(end - start, maxLineBytes)));
    f(buffer);
    if (slash == std::string_view::npos) break;
    start = slash + 1;
  } while (start < value.size());
}
// The head size of a text note's pointer from the settings' text: its
// integer within 0 to 100, or 15 when it is no integer.
std::int32_t TextPointerHeadSize(const std::string& text);

// Ground mark 1 (down), 2 (up), 3 (left) or 4 (right) at s with the pen's
// colour: a 20-pixel stem of width 1 and a bar of width 3; the pen width
// is 1 after.
// Other values draw nothing.
void DrawGroundMark(std::int32_t ground, model::TPoint s, Canvas& canvas);

// An eye centred at (x, y) that looks toward the mouse; shut (only its
// white highlight pixel) when closed or when the mouse is nearer than 8
// pixels. The pen is left in penColor.
void DrawEye(const DrawContext& dc, bool closed, std::int32_t x, std::int32_t y, Canvas& canvas,
             std::uint32_t pupilColor, std::uint32_t penColor);
// The same, never shut, with a pupil that looks at the mouse, rolls once
// round and rests in the middle in turn, by AnimAngle and the position.
void DrawEyeRolling(const DrawContext& dc, bool closed, std::int32_t x, std::int32_t y, Canvas& canvas,
                    std::uint32_t pupilColor, std::uint32_t penColor);
// A line from (x, y) three fifths of the way toward (cx, cy) and a small
// rectangle at (x, y).
void DrawLeaderStub(Canvas& canvas, std::int32_t x, std::int32_t y, std::int32_t cx, std::int32_t cy);
// The open box of an empty sub-circuit element at s, with six tokens circling it.
void DrawOpenBox(const DrawContext& dc, model::TPoint s, Canvas& canvas);

// Four arrow heads moving in on (x, y) (the full program's current-node marker).
void DrawMovingArrows(const DrawContext& dc, Canvas& canvas, std::int32_t x, std::int32_t y);
// The second build's marker: the heads start 10 + s pixels out.
void DrawMovingArrows(const DrawContext& dc, Canvas& canvas, std::int32_t x, std::int32_t y, std::int32_t s);
// A red pentagon turning with AnimAngle around (x, y), r + 5 wide and r high.
void DrawRotatingStar(const DrawContext& dc, Canvas& canvas, std::int32_t x, std::int32_t y, std::int32_t r);
void DrawRotatingStarXY(const DrawContext& dc, Canvas& canvas, std::int32_t x, std::int32_t y, std::int32_t rx,
                        std::int32_t ry);

}  // namespace vemu::view
