#include "model/hierarchy_nets.h"

namespace vemu::model {

JunctionNets::JunctionNets(const std::vector<TheNode*>& nodes) {
  for (const TheNode* n : nodes)
    if (n->IsJunction()) {
      index_.emplace(n, static_cast<std::uint32_t>(parent_.size()));
      parent_.push_back(static_cast<std::uint32_t>(parent_.size()));
    }
  for (const TheNode* n : nodes) {
    if (!n->IsJunction()) continue;
    const std::uint32_t a = index_.at(n);
    n->forEachLine([&](const TheLine* l) {
      auto it = l->Node ? index_.find(l->Node) : index_.end();
      if (it == index_.end()) return;
      const std::uint32_t ra = Find(a);
      const std::uint32_t rb = Find(it->second);
      if (ra != rb) parent_[rb] = ra;
    });
  }
}

std::uint32_t JunctionNets::Find(std::uint32_t i) {
  while (parent_[i] != i) {
    parent_[i] = parent_[parent_[i]];
    i = parent_[i];
  }
  return i;
}

bool JunctionNets::SameNet(const TheNode* a, const TheNode* b) {
  auto ia = index_.find(a);
  auto ib = index_.find(b);
  if (ia == index_.end() || ib == index_.end()) return false;
  return Find(ia->second) == Find(ib->second);
}

}  // namespace vemu::model
