// The checks a build runs before it writes the element lines, each with its
// question. Every check that can stop the build returns true for stop.
#pragma once

#include <string>
#include <vector>

#include "netlist/netlist_context.h"

namespace vemu::netlist {

// Junctions whose Ground is above 0.
int CountGroundNodes(const model::TheBaseOfGraf& graph);
// The first junction of the list of all nodes gets ground mark 1.
void SetDefaultGround(model::TheBaseOfGraf& graph);

// No ground net and "Need Ground Node" checked: asks whether to mark the
// first junction as ground; true when it did (the nets need numbering again).
bool CheckGround(NetlistContext& context);

// `nodes`: the list of all nodes, in list order.
using NodeOrder = std::vector<model::TheNode*>;

// A net reached twice by the wires that leave one container.
bool CheckDoublePins(NetlistContext& context, const NodeOrder& nodes);
// Two elements of equal name whose types agree in needing a controlling link.
bool CheckEqualNames(NetlistContext& context, const NodeOrder& nodes);
// Junctions without any link. Leaves every node's Number at its link count.
bool CheckConnections(NetlistContext& context, const NodeOrder& nodes);

// The caption of the checks' warning boxes.
inline const std::string kWarningCaption = "Warning";

}  // namespace vemu::netlist
