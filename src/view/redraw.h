// The redraw of the shown level: every call paints the whole level again
// from the graph into the target canvas, in a fixed order of passes
// (background, rubber-band dust, grid, mouse mark, whirl, current-node
// marker, shadows, title, gesture feedback, wires, nodes), and then hands
// the picture to its host to be shown. While the arrangement mode is on, the
// same pass moves the level's members a little (arrange.cpp).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "model/graph.h"
#include "model/point.h"
#include "view/draw_context.h"

namespace vemu::view {

// What the window that owns the picture does for the redraw.
class RedrawHost {
 public:
  virtual ~RedrawHost() = default;
  // A check inside the redraw failed: stop the timer, show the diagnostic
  // memo (and its splitter) and fill it.
  virtual void RedrawFailed() = 0;
  // The finished picture goes to the screen (also after a failure).
  virtual void ShowPicture() = 0;
};

// The state of the main window that a redraw may change besides the
// picture: the current node and the mouse state of the label-move gesture,
// the node positions of the arrangement mode and the redraw request.
struct RedrawState {
  model::TheBaseOfGraf* graph = nullptr;  // the same graph as DrawContext::graph
  model::TheNode* DownNode = nullptr;
  std::int32_t* MouseState = nullptr;      // null: the redraw leaves the gesture alone
  std::uint8_t* RedrawRequest = nullptr;   // null: nothing to clear
  bool ArrangeMode = false;
  // Size of the paint box the arrangement centres the members in.
  std::int32_t PaintBoxWidth = 0;
  std::int32_t PaintBoxHeight = 0;
  // Nodes and wires that lie wholly outside the picture are not handed to
  // the painters (the picture is the same either way).
  bool LeaveOutUnseen = true;
  // False leaves the grid out even when the settings ask for it (a picture
  // for the clipboard).
  bool ShowGrid = true;
};

// Raised by the redraw's own checks; ends the passes and leads to the
// failure path.
class RedrawFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Fixed texts of the redraw.
inline constexpr const char* kRedrawFailedText = "FVIEW - failed !!!";
inline constexpr const char* kNoShownLevelText = "Main=NIL";
inline constexpr const char* kArrangeModeText = "-(Press ESC)-";

// The redraw. Nothing happens while GraphBusy is set. Feedback switches on
// the mouse mark and the gesture outlines (the main window's own paint);
// the arrangement mode acts only with feedback on. ArrowSize is the same
// on return as on entry, on every path.
void DrawAll(DrawContext& ctx, RedrawState& state, RedrawHost& host, bool feedback);

// The mark of a wire from junction a of the shown level to node b of
// another level, at a's screen point s: a 50-pixel yellow arrow on a blue
// border toward b as seen from a's owner. Nothing when a has no owner or b
// is null.
void DrawArrow(DrawContext& ctx, model::TPoint s, const model::TheNode* a, const model::TheNode* b);

// v moved onto the grid lattice step div 2 + k * step; v itself for a
// step below 1.
std::int32_t SnapToGrid(std::int32_t v, std::int32_t step);

// The dotted grid of the view's window on the canvas (pen colour and style
// set here, width as the canvas holds it). No grid for a step below 1; a
// screen column or row is drawn once even when several grid lines fall on it.
void DrawGrid(DrawContext& ctx, std::uint32_t color, std::int32_t step);

}  // namespace vemu::view
