// The targets offered when the selection of a level moves to another level:
// a new sub-circuit, the level above, or one of the level's own containers.
// Each target is a node, never a name, so a target is always the very node
// the user chose.
#pragma once

#include <vector>

#include "model/graph.h"

namespace vemu::model {

enum class MoveTargetKind { NewSubCircuit, OwnerLevel, Container };

struct MoveTarget {
  MoveTargetKind kind = MoveTargetKind::NewSubCircuit;
  // The owner level (null for the root) or the container; null for a new sub-circuit.
  TheNode* node = nullptr;
  friend bool operator==(const MoveTarget&, const MoveTarget&) = default;
};

// The list of the move-to dialog for `level`: a new sub-circuit, the level
// above, then the members of `level` that are containers and not selected
// (a selected one moves itself), in link order. Empty without a level.
std::vector<MoveTarget> MoveTargetsOf(const TheNode* level);

enum class MoveTargetRefusal {
  None,
  NotAContainer,   // gone from the circuit, no container, or no longer in the level
  Selected,        // the target would itself be moved
  InsideSelected,  // the target lies inside a member that is moved
};

// Whether the selection of `level` may go into `target`. The new
// sub-circuit and the level above are always allowed.
MoveTargetRefusal RefuseMoveTarget(const TheBaseOfGraf& graph, const TheNode* level, const MoveTarget& target);

}  // namespace vemu::model
