#include "model/move_targets.h"

namespace vemu::model {

std::vector<MoveTarget> MoveTargetsOf(const TheNode* level) {
  std::vector<MoveTarget> targets;
  if (!level) return targets;
  targets.push_back({MoveTargetKind::NewSubCircuit, nullptr});
  targets.push_back({MoveTargetKind::OwnerLevel, level->Upper});
  level->forEachLine([&](TheLine* l) {
    if (l->Kind == alHaveItem && l->Node && l->Node->IsContainer() && l->Node->Selected == 0)
      targets.push_back({MoveTargetKind::Container, l->Node});
  });
  return targets;
}

MoveTargetRefusal RefuseMoveTarget(const TheBaseOfGraf& graph, const TheNode* level, const MoveTarget& target) {
  if (target.kind != MoveTargetKind::Container) return MoveTargetRefusal::None;
  const TheNode* t = target.node;
  if (!level || !t || !graph.Contains(t) || !t->IsContainer()) return MoveTargetRefusal::NotAContainer;
  // Up the owners to the level; the member of the level on the way is the
  // one that would move.
  const TheNode* member = t;
  int steps = graph.NodeCount();
  while (member && member->Upper != level && steps-- > 0) member = member->Upper;
  if (!member || member->Upper != level) return MoveTargetRefusal::NotAContainer;
  if (member->Selected == 0) return MoveTargetRefusal::None;
  return member == t ? MoveTargetRefusal::Selected : MoveTargetRefusal::InsideSelected;
}

}  // namespace vemu::model
