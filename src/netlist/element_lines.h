// The text of one element's netlist line: its name, its net columns by
// element type, the controlling element's columns and the value part.
#pragma once

#include <string>
#include <vector>

#include "catalogue/node_type_info.h"
#include "model/graph.h"

namespace vemu::netlist {

// The type record of a code; an empty record (no links, no value, no
// controlling link) for a code the table does not hold.
const catalogue::TNodeTypeInfo& TypeRecord(const catalogue::NodeTypeTable& types, int code);

// Appends `count` columns: for k = 1 .. count, " %2s" of the target's name
// of the node's k-th link of `kinds` ("  0" when there is no such link).
void AppendLinkNodes(std::string& text, int count, const model::TheNode* node,
                     const model::KindSet& kinds);

// The pins of a sub-circuit element: a blank and the target's name for each
// output link (kind 4), in list order.
std::string SubCircuitPinList(const model::TheNode* node);

// The element's whole line (code page 1251). A line break inside a name or
// value becomes a blank, so every element stays on one line.
std::string ElementLine(const model::TheNode* element, const catalogue::TNodeTypeInfo& type);

// Every junction gets StoreInCir 0, every other node 1; then the target of
// each element's first controlling link (kind 7) gets 0.
void SetStoreInCirFlag(model::TheBaseOfGraf& graph);
// The same over the nodes of the graph given in list order.
void SetStoreInCirFlag(const std::vector<model::TheNode*>& nodes);

}  // namespace vemu::netlist
