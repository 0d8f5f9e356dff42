// Naming the nets: junctions wired together form one net; a net that holds a
// ground mark is "0", the others are 1, 2, 3 ... in the list order of their
// first junction. Numbering sorts the list of all nodes and every link list
// by name first, and leaves every node's Number at 2.
#pragma once

#include <string>
#include <vector>

#include "model/graph.h"

namespace vemu::netlist {

// Names compare byte by byte as unsigned values; a prefix comes first.
bool NameLess(const std::string& a, const std::string& b);

// Sorts the list of all nodes by name, then every node's links by their
// targets' names; equal names keep their order. Gives the nodes in list order.
std::vector<model::TheNode*> SortByName(model::TheBaseOfGraf& graph);

// Renames every junction of every level to its net number (only while a
// level is shown; false otherwise, when nothing changes). The links that
// join junctions make the nets: wires, and the wire from a sub-circuit's
// inner junction to the outer junction of its pin, so a net spans levels.
// `order`, when given, receives the nodes in their new list order.
bool NumberJunctions(model::TheBaseOfGraf& graph, std::vector<model::TheNode*>* order = nullptr);

}  // namespace vemu::netlist
