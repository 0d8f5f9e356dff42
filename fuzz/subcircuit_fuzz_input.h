// One input of the sub-circuit reader's fuzz target (the sub-circuit file
// and the clipboard file copy.txt share the format), shared with the test
// that replays the kept inputs. A file is refused with a reason, or it is
// inserted under a level of a small circuit; the circuit must then hold
// a tree of members, write and read back as a circuit file, and its
// inserted members must copy out to a sub-circuit file that reads again
// with as many records.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

#include "files/circuit_file.h"
#include "files/subcircuit_file.h"
#include "model/graph.h"

namespace vemu::fuzz {

// Empty when the reader and the insertion behaved, else what went wrong.
inline std::string CheckSubcircuitInput(std::string_view bytes) {
  const files::SubcircuitContent content = files::ParseSubcircuitText(bytes, "fuzz.dag");
  if (!content.ok()) {
    if (!content.records.empty() || !content.topLinks.empty()) return "a refused file kept records";
    if (content.status == files::SubcircuitContent::Status::Damaged && content.error.empty())
      return "a damaged file gave no reason";
    return std::string();
  }
  if (content.records.size() + 1 != static_cast<std::size_t>(content.mainNumber))
    return "the main number is not one more than the records";

  model::TheBaseOfGraf graph;
  model::TheNode* root = graph.AddNode(nullptr, model::ntRoot);
  model::TheNode* level = graph.AddNode(root, model::ntSubCircuit);
  model::TheNode* junction = graph.AddNode(level, model::ntJunction);
  junction->X = junction->Y = 100;  // where a pasted member may stand
  graph.AddLine(-1, root, level, model::alHaveItem);
  graph.AddLine(-1, level, junction, model::alHaveItem);
  graph.MainNode = level;
  const files::SubcircuitInsertion inserted = files::InsertSubcircuit(graph, content);
  if (inserted.nodesAdded != static_cast<int>(content.records.size())) return "not every record became a node";
  if (inserted.topNodes.size() != content.topLinks.size()) return "not every top member was linked";

  // Every node's owners end at the root, and each membership link leads to
  // a node owned by the link's holder.
  std::string problem;
  std::size_t nodes = 0;
  graph.forEachNode([&](model::TheNode* n) {
    ++nodes;
    std::size_t steps = 0;
    for (const model::TheNode* up = n; up->Upper; up = up->Upper)
      if (++steps > content.records.size() + 3) {
        problem = "an owner chain runs in a circle";
        return;
      }
    n->forEachLine([&](model::TheLine* l) {
      if (!l->Node) problem = "a link without target";
      else if (l->Kind == model::alHaveItem && l->Node->Upper != n) problem = "a member not owned by its holder";
    });
  });
  if (!problem.empty()) return problem;

  // The inserted members copy out and read again.
  const files::SubcircuitText copied = files::FormatSubcircuit(graph);
  if (copied.memberCount != static_cast<int>(inserted.topNodes.size())) return "the copy missed selected members";
  const files::SubcircuitContent again = files::ParseSubcircuitText(copied.text, "copy.txt");
  if (!again.ok()) return "the copy does not read back: " + again.error;
  if (again.records.size() != content.records.size()) return "the copy holds another number of records";

  // The whole circuit writes and reads back.
  const std::string written = files::FormatCircuitFile(graph, files::CircuitViewState{});
  const files::CircuitReadResult read = files::ReadCircuitText(written, "fuzz.dag");
  if (!read.ok) return "the circuit with the insertion does not read back: " + read.error;
  std::size_t readNodes = 0;
  read.graph->forEachNode([&](model::TheNode*) { ++readNodes; });
  if (readNodes != nodes) return "the circuit read back holds another number of nodes";
  return std::string();
}

}  // namespace vemu::fuzz
