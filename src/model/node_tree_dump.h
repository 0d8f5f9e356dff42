// The node tree as text lines, for the diagnostic memo: every node without an
// owner with its members, sub-circuits' members indented between braces, and
// each member's links other than membership. Lines are code page 1251 bytes.
// The indent stops growing at a fixed depth, so a deep chain of
// sub-circuits gives lines of bounded length.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "model/graph.h"

namespace vemu::model {

class NodeTreeDumpHost {
 public:
  virtual ~NodeTreeDumpHost() = default;
  // The description of a type code; none for a code the table does not have.
  virtual std::optional<std::string> TypeDescription(int code) const = 0;
};

// The full program's form: "SUBCIRCUIT (...)", "[#n] ", values, type texts and
// the current node's mark. The second build's: "Start Tree ", "[n] ", the type
// code only, link lines naming both ends.
enum class DumpForm { Full, Second };

// Members deeper than this many levels of sub-circuits are indented as deep
// as these and carry their depth as "<depth> " after the indent.
inline constexpr std::size_t kDumpIndentLevels = 64;

// Renumbers the graph 1..N first. Each node is listed once: a member reached
// again (a member listed twice, a damaged membership cycle) is left out.
std::vector<std::string> DumpNodeTree(TheBaseOfGraf& graph, DumpForm form, const NodeTreeDumpHost& host);

}  // namespace vemu::model
