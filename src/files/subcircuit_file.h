// The sub-circuit file (and the clipboard file copy.txt, which has the same
// layout): the selected members of the shown level with everything below
// them, in the ".dag" line layout with numbers of their own, and one extra
// record, "Main SubCircuit", that stands for the level they came from.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/graph.h"

namespace vemu::files {

// Numbers `top` and every node below it, depth first in link order: each
// node gets the next number and each member's owner (Upper) is set to the
// node whose membership link reached it. A node already numbered, and the
// shown level itself, is not numbered again, so a damaged graph with a
// member linked twice or a membership cycle is still walked once.
// `order` receives the numbered nodes (node k at index k - 1) and `memo` one
// line "%02d  %s" (number, name) per node.
void NumberSubTree(model::TheBaseOfGraf& graph, model::TheNode* top, std::int32_t& counter,
                   std::vector<model::TheNode*>& order, std::vector<std::string>& memo);

// The file text of the selected members of the shown level (code page
// 1251, CR LF). Sets every node's Number (0 for the nodes not written).
struct SubcircuitText {
  std::string text;
  std::vector<std::string> memoLines;  // the numbering's lines
  int memberCount = 0;                 // selected members written
};
SubcircuitText FormatSubcircuit(model::TheBaseOfGraf& graph);

// Writes it through a temporary file; the old file stays when it fails.
bool WriteSubcircuitFile(model::TheBaseOfGraf& graph, const std::string& path,
                         std::vector<std::string>* memoLines, std::string* error);

// A sub-circuit file read completely, not yet added to any graph.
struct SubcircuitRecord {
  std::int32_t x = 0, y = 0, wx = -15, wy = -15;
  std::uint8_t type = 0;
  std::int32_t up = 0;  // owner's number; the main record's number for a top member
  std::int32_t ground = 0;
  std::int32_t polarity = 0;
  std::string name, value;  // code page 1251
  std::vector<std::pair<std::uint8_t, std::int32_t>> links;  // kind, target number
};

struct SubcircuitContent {
  enum class Status { Ok, CannotOpen, HeaderMismatch, Damaged };
  Status status = Status::Damaged;
  std::string error;          // file name, line and reason when not Ok
  std::int32_t mainNumber = 0;  // the main record's number: one more than the records
  std::vector<SubcircuitRecord> records;  // record k at index k - 1
  // The main record's links: kind, target number and the rest of the line.
  struct TopLink {
    std::int32_t kind = 0;
    std::int32_t target = 0;
    std::string rest;
  };
  std::vector<TopLink> topLinks;
  bool ok() const { return status == Status::Ok; }
};

// Reads the whole text with the circuit reader's checks: type codes, counts
// that the file's lines can hold, owner and link numbers that name records,
// every node a member of exactly its owner, no membership cycle. A file
// that fails any check gives no records and says what is wrong.
SubcircuitContent ParseSubcircuitText(std::string_view text, const std::string& name);
SubcircuitContent ReadSubcircuitFile(const std::string& path);

// What adding a read sub-circuit to the shown level did.
struct SubcircuitInsertion {
  std::vector<model::TheNode*> topNodes;  // the members added to the shown level, in file order
  std::vector<std::string> memoLines;     // the main record's trace lines (code page 1251)
  int nodesAdded = 0;
};

// Adds the records under the graph's shown level (which must exist): each
// becomes a new node at the end of the node list, owned as the file says;
// their links swing into place. Each top member moves by (+10, +10) while a
// member of the level stands exactly where it is, becomes a member in file
// order ahead of the level's own members and is selected. Numbers: the new
// nodes 1 to N - 1, the shown level N, every other node 0.
SubcircuitInsertion InsertSubcircuit(model::TheBaseOfGraf& graph, const SubcircuitContent& content);

}  // namespace vemu::files
