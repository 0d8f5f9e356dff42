// The ".dag" circuit file: every node of every level followed by its links,
// then the preview window's node and the main view's origin and scale.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "model/graph.h"
#include "view/my_scale.h"

namespace vemu::files {

// What the writer needs besides the graph.
struct CircuitViewState {
  const model::TheNode* shownNode = nullptr;  // node of the sub-circuit preview window
  std::int32_t originX = 0;
  std::int32_t originY = 0;
  double scale = 1.0;
};

// The file text (code page 1251 bytes, CR LF line ends). Renumbers the graph.
std::string FormatCircuitFile(model::TheBaseOfGraf& graph, const CircuitViewState& view);

// Writes the file through a temporary file; the old file stays untouched
// when the write fails. Renumbers the graph.
bool WriteCircuitFile(model::TheBaseOfGraf& graph, const CircuitViewState& view,
                      const std::string& path, std::string* error);

// A circuit read completely into a graph of its own.
struct CircuitReadResult {
  bool ok = false;
  std::string error;  // file name, line number and reason when !ok
  std::unique_ptr<model::TheBaseOfGraf> graph;
  model::TheNode* mainNode = nullptr;     // the shown level to use
  model::TheNode* currentNode = nullptr;  // the node to make current, or null
  model::TheNode* shownNode = nullptr;    // the preview window's node, or null
  bool hasOrigin = false;
  std::int32_t originX = 0;
  std::int32_t originY = 0;
  std::optional<double> scale;
  bool modified = false;  // the file held at least one node
};

// Makes the read graph stand as the file left it (shown level and current
// node set on the graph) and gives the view state to write it back with
// (scale 1.0 when the file had none). For tools that write a read file again.
CircuitViewState SettleForRewrite(CircuitReadResult& result);

// How the links of a read circuit start: at rest, their middles on the
// midpoints of their ends, or swinging into place as new links do.
enum class LinkStart { AtRest, Swinging };

// Reads file text; `name` is the file name used in error texts. Links whose
// target names no node are dropped and reported in one "LOAD-NIL" box after
// a read that succeeded (their count and the first ten). A file is refused
// (error set, no graph) when it ends before its last record, holds more
// than its node count, has a name or value over kMaxRecordText characters,
// or nests a node inside itself (an owner chain or membership links that
// run in a circle).
CircuitReadResult ReadCircuitText(std::string_view text, const std::string& name,
                                  LinkStart links = LinkStart::AtRest);
CircuitReadResult ReadCircuitFile(const std::string& path, LinkStart links = LinkStart::AtRest);

}  // namespace vemu::files
