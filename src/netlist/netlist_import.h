// Builds a drawing from a netlist text: every element line becomes an
// element (a controlled pair two), every net name a junction of the level
// the line is in, and sub-circuit lines open a level that lasts until ".X".
// The nodes are then laid out as created, with the junctions on a circle,
// or at random.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/node_type_info.h"
#include "model/graph.h"
#include "model/link_appender.h"
#include "model/nodes_by_name.h"
#include "netlist/netlist_import_host.h"
#include "platform/random_source.h"

namespace vemu::netlist {

// The layouts, in the order of the layout question's items.
enum class ImportLayout { AsCreated = 0, Circle = 1, Random = 2 };

// The blank-separated tokens of a line, at most `most`.
std::vector<std::string_view> NetlistTokens(std::string_view line, std::size_t most);

struct ImportContext {
  model::TheBaseOfGraf& graph;
  const catalogue::NodeTypeTable& types;
  NetlistImportHost& host;
  platform::RandomSource& random;
};

class NetlistImport {
 public:
  explicit NetlistImport(ImportContext context) : c_(context) {}

  // Parses `lines` (the text window's lines, code page 1251) into the shown
  // level and lays the circuit out.
  void BuildFromNetlist(const std::vector<std::string>& lines, ImportLayout mode);
  // The same from a file's text, walked line by line.
  void BuildFromNetlist(std::string_view text, ImportLayout mode);

 private:
  struct Tokens;
  void BuildElement(std::size_t lineIndex, std::string_view line);
  void BuildSubCircuitPins(model::TheNode* element, const Tokens& tokens);
  void LinkNets(model::TheNode* element, model::TheNode* partner, const Tokens& tokens);
  // The junction member of `level` named `name`, or a new junction member
  // named `name` (unplaced). Only junctions answer to a net's name.
  model::TheNode* FindOrAddJunction(model::TheNode* level, std::string_view name);
  // Puts the junction below the ones placed so far and names it (ground for "0").
  void PlaceAsNextJunction(model::TheNode* junction, std::string_view name);
  model::TheNode* AddMember(model::TheNode* owner, std::uint8_t type);
  void AppendLine(model::TheNode* holder, model::TheNode* target, std::uint8_t kind);
  std::string ElementName(std::uint8_t type, std::string_view token) const;
  void Log(std::string line);

  ImportContext c_;
  model::TheNode* owner_ = nullptr;
  std::int32_t width_ = 0;
  std::int32_t junctionsPlaced_ = 0;
  std::size_t junctionCount_ = 0;  // junctions the import made
  bool logging_ = false;
  std::vector<std::string> log_;
  // Per level: its junctions by name, the first of each name.
  std::unordered_map<const model::TheNode*, model::NodesByName> junctions_;
  // The last link of each node the import appends to.
  model::LinkAppender links_;
};

// The layouts over the whole circuit, in a drawing area of w x h.
// On a circle: every level's junctions on a circle, each other member near
// the midpoint of its first two junctions (at random with fewer than two).
void LayOutOnCircle(model::TheBaseOfGraf& graph, std::int32_t w, std::int32_t h, std::int32_t gridStep,
                    double scale, platform::RandomSource& random);
// Every node at random.
void LayOutAtRandom(model::TheBaseOfGraf& graph, std::int32_t w, std::int32_t h, platform::RandomSource& random);

}  // namespace vemu::netlist
