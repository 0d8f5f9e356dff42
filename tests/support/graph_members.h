// Building circuits in tests: a member of a level in one call.
#pragma once

#include <cstdint>
#include <string>

#include "model/graph.h"

namespace vemu::testing {

// A node of `type` named `name` at (x, y), appended to `owner`'s members
// (a kind-1 link at the end of the owner's link list).
inline model::TheNode* AddMember(model::TheBaseOfGraf& graph, model::TheNode* owner, std::uint8_t type,
                                 const std::string& name, int x = 0, int y = 0, const std::string& value = {}) {
  model::TheNode* n = graph.AddNode(owner, type);
  n->Name = name;
  n->X = x;
  n->Y = y;
  n->Value = value;
  graph.AddLine(-2, owner, n, model::alHaveItem);
  return n;
}

}  // namespace vemu::testing
