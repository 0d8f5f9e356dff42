#pragma once

#include <array>
#include <cstdint>
#include <unordered_map>

#include "model/graph.h"

namespace vemu::model {

// Appends links at the end of their holders' lists in constant time, for
// commands that add many links in one go (the netlist imports). It keeps the
// last link of the holders with many links and of the holders it appended
// to lately; of any other holder it walks the few links to the end. It must
// not outlive the command, and no link it knows of may be removed behind its
// back.
class LinkAppender {
 public:
  TheLine* Append(TheNode* holder, TheNode* target, std::uint8_t kind);
  void Clear();

 private:
  struct Recent {
    const TheNode* holder = nullptr;
    TheLine* last = nullptr;
  };
  // A holder with at least this many links is kept for good.
  static constexpr int kManyLinks = 16;
  static constexpr std::size_t kRecent = 256;

  Recent& RecentSlot(const TheNode* holder);

  std::array<Recent, kRecent> recent_{};
  std::unordered_map<const TheNode*, TheLine*> many_;
};

}  // namespace vemu::model
