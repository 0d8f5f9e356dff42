// The selection of the shown level and the graph operations of the
// selection commands: counting, deleting whole sub-trees in one sweep,
// lining members up, clearing result values and a node's own links.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "model/graph.h"

namespace vemu::model {

// Every kind-1 member of the shown level (graph.MainNode) gets
// Selected := flag; nothing without a shown level.
void SetLevelSelection(TheBaseOfGraf& graph, std::uint8_t flag);
// Kind-1 members of the shown level with Selected != 0; 0 without a shown level.
std::int32_t CountSelected(const TheBaseOfGraf& graph);
// The selected kind-1 members of the shown level, in link order.
std::vector<TheNode*> SelectedMembers(const TheBaseOfGraf& graph);
// Nodes of type t on every level.
std::int32_t CountNodesOfType(const TheBaseOfGraf& graph, std::uint8_t t);

// Deletes every node of `tops` with everything below it (through kind-1
// links), as DeleteNodeTree does for each in turn, but in one sweep over
// the graph: the links to the deleted nodes go, nodes they owned lose their
// owner, the current node and the shown level are cleared when deleted. A
// membership cycle of a damaged circuit is followed once. Gives the number
// of nodes freed.
std::size_t DeleteNodeTrees(TheBaseOfGraf& graph, const std::vector<TheNode*>& tops);
// True when `top`'s tree (itself and everything below it through kind-1
// links) holds `n`.
bool TreeHolds(const TheNode* top, const TheNode* n);

enum class QueueAxis { Vertical, Horizontal };
// Lines the selected members up: Vertical gives them all one X, Horizontal
// one Y, the middle lo + (hi - lo) / 2 of the smallest and largest, passed
// through `snap` when it is set. False when nothing is selected.
bool QueueSelected(TheBaseOfGraf& graph, QueueAxis axis,
                   const std::function<std::int32_t(std::int32_t)>& snap);

// Empties the value of every element (every level) whose type takes no
// user value (`needsValue` false): the places the results are written to.
void ClearResultValues(TheBaseOfGraf& graph, const std::function<bool(std::uint8_t)>& needsValue);

// Destroys the node's own links except its membership links (kind 1), so a
// container keeps its level. Links of other nodes that point to it stay.
void FreeOwnLinesKeepingMembers(TheNode* n);

}  // namespace vemu::model
