#pragma once

#include <cstdint>
#include <unordered_map>

#include "model/graph.h"

namespace vemu::model {

// Appends links at the end of their holders' lists in constant time, for
// commands that add many links in one go (the netlist imports). It keeps the
// last link of every holder it has seen; it must not outlive the command,
// and no link it knows of may be removed behind its back.
class LinkAppender {
 public:
  TheLine* Append(TheNode* holder, TheNode* target, std::uint8_t kind);
  void Clear() { lastLine_.clear(); }

 private:
  std::unordered_map<const TheNode*, TheLine*> lastLine_;
};

}  // namespace vemu::model
