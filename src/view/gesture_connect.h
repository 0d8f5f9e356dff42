// The graph edits of a finished drag from node A (press) to node B
// (release): links between elements and junctions within their limits, the
// pin of a sub-circuit, control links, wires, and a new element between two
// junctions; also the move of the selection.
#pragma once

#include <string>

#include "model/graph.h"
#include "view/gesture_context.h"

namespace vemu::view {

// Element a to junction b: removes the link there is (for a probe, its
// output link), else adds an output link (kind 4) within the type's limit;
// a sub-circuit element asks which of its pins to bind.
void ConnectElementToNode(GestureContext& ctx, model::TheNode* a, model::TheNode* b);
// Junction a to element b: removes or adds b's input link (kind 5).
void ConnectNodeToElement(GestureContext& ctx, model::TheNode* a, model::TheNode* b);
// Element a to element b: the control link (kind 7) of a.
void ConnectControlLink(GestureContext& ctx, model::TheNode* a, model::TheNode* b);
// Junction a to junction b: removes the wire between them or adds a → b.
void ToggleWire(GestureContext& ctx, model::TheNode* a, model::TheNode* b);
// A new element of the chosen type between junctions a and b.
model::TheNode* InsertElementBetween(GestureContext& ctx, model::TheNode* a, model::TheNode* b);

// The free pins of sub-circuit element x offered for junction b (UTF-8 text
// of the pin names, or the message that there are none or that b is bound).
std::string ListSubCircuitPinNames(const GestureContext& ctx, const model::TheNode* x,
                                   const model::TheNode* b);

// Moves the selected members of the shown level by (dx, dy) logical units.
void MoveSelected(GestureContext& ctx, std::int32_t dx, std::int32_t dy);

// Whether the type is a probe under the build's rules.
bool IsProbeOf(const GestureContext& ctx, int type);

}  // namespace vemu::view
