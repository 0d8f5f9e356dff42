// The nets of the junctions of a graph at one moment: two junctions share a
// net when links between junctions (of any kind, on any level) join them.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "model/graph.h"

namespace vemu::model {

class JunctionNets {
 public:
  explicit JunctionNets(const std::vector<TheNode*>& nodes);
  bool SameNet(const TheNode* a, const TheNode* b);

 private:
  std::uint32_t Find(std::uint32_t i);

  std::unordered_map<const TheNode*, std::uint32_t> index_;
  std::vector<std::uint32_t> parent_;
};

}  // namespace vemu::model
