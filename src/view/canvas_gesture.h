// The one mouse gesture of the canvas: press, drag, release. The press
// remembers the node under the cursor, every move chooses what the drag
// means from the buttons and modifiers held (states 1 to 6), and the release
// carries it out: select, connect, insert, rubber band, move, pan or move a
// label. Screen points are paint-box pixels.
#pragma once

#include <cstdint>

#include "model/point.h"
#include "view/gesture_context.h"

namespace vemu::view {

// Gesture states (the window's MouseState).
enum GestureState : std::int32_t {
  gsIdle = 0,
  gsPressed = 1,
  gsLinkDrag = 2,
  gsRubberBand = 3,
  gsMoveSelection = 4,
  gsPan = 5,
  gsLabelMove = 6,
};

// The node under logical point p in the shown level (the window's hit test).
model::TheNode* NodeAt(const GestureContext& ctx, model::TPoint p);

void GestureMouseDown(GestureContext& ctx, GestureFields& g, MouseButton button, const MouseShift& shift,
                      model::TPoint at);
void GestureMouseMove(GestureContext& ctx, GestureFields& g, const MouseShift& shift, model::TPoint at);
void GestureMouseUp(GestureContext& ctx, GestureFields& g, MouseButton button, const MouseShift& shift,
                    model::TPoint at);

}  // namespace vemu::view
