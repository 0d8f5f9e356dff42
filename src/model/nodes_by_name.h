// Nodes found by their names, the first node of each name: an open-address
// table of node pointers, keyed by the names the nodes hold, so a large
// circuit's names are not copied. A node's name must not change while it
// is in the table.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "model/graph.h"

namespace vemu::model {

class NodesByName {
 public:
  // The node named `name`, or null.
  TheNode* Find(std::string_view name) const;
  // Adds `node` unless a node of its name is there already; true when added.
  bool Add(TheNode* node);
  std::size_t size() const { return count_; }
  void Clear();

 private:
  static std::uint32_t HashOf(std::string_view name);
  // The slot of `name`: the one holding it, or the empty one it would go to.
  std::size_t SlotOf(std::string_view name, std::uint32_t hash) const;
  void Grow();

  std::vector<TheNode*> nodes_;
  std::vector<std::uint32_t> hashes_;
  std::size_t count_ = 0;
};

}  // namespace vemu::model
