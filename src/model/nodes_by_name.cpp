#include "model/nodes_by_name.h"

#include <functional>

namespace vemu::model {

std::uint32_t NodesByName::HashOf(std::string_view name) {
  const std::size_t h = std::hash<std::string_view>{}(name);
  return static_cast<std::uint32_t>(h ^ (h >> 32));
}

std::size_t NodesByName::SlotOf(std::string_view name, std::uint32_t hash) const {
  const std::size_t mask = nodes_.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask)
    if (!nodes_[i] || (hashes_[i] == hash && nodes_[i]->Name.str() == name)) return i;
}

TheNode* NodesByName::Find(std::string_view name) const {
  if (nodes_.empty()) return nullptr;
  return nodes_[SlotOf(name, HashOf(name))];
}

bool NodesByName::Add(TheNode* node) {
  // At most half the slots are used, so a search always meets an empty one.
  if (2 * (count_ + 1) > nodes_.size()) Grow();
  const std::string_view name = node->Name.str();
  const std::uint32_t hash = HashOf(name);
  const std::size_t slot = SlotOf(name, hash);
  if (nodes_[slot]) return false;
  nodes_[slot] = node;
  hashes_[slot] = hash;
  ++count_;
  return true;
}

void NodesByName::Grow() {
  std::vector<TheNode*> nodes(nodes_.empty() ? 16 : 2 * nodes_.size(), nullptr);
  std::vector<std::uint32_t> hashes(nodes.size(), 0);
  nodes.swap(nodes_);
  hashes.swap(hashes_);
  const std::size_t mask = nodes_.size() - 1;
  for (std::size_t k = 0; k < nodes.size(); ++k) {
    if (!nodes[k]) continue;
    std::size_t i = hashes[k] & mask;
    while (nodes_[i]) i = (i + 1) & mask;
    nodes_[i] = nodes[k];
    hashes_[i] = hashes[k];
  }
}

void NodesByName::Clear() {
  nodes_ = {};
  hashes_ = {};
  count_ = 0;
}

}  // namespace vemu::model
