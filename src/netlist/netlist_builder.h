// Builds the netlist: the title, the extra line, one line per element in
// walk order (a sub-circuit's members after its own line, closed by ".X")
// and ".END". Numbering the nets renames the junctions and sorts the graph;
// the checks ask about every fault the analysis cannot digest.
#pragma once

#include <string>
#include <vector>

#include "netlist/netlist_context.h"

namespace vemu::netlist {

class NetlistBuilder {
 public:
  explicit NetlistBuilder(NetlistContext context) : context_(context) {}

  // `title`: the first line (code page 1251). The memo gets the lines at
  // the end (also when a check stopped the build); the text window's
  // caption becomes the program folder followed by "cir" only when the
  // build reached ".END". A build the user stopped is not fit for a run,
  // even where ".END" was written after a stop inside a sub-circuit.
  BuildEnd BuildNetlist(const std::string& title);

  // Renames the junctions to net numbers and makes the graph's current node
  // current again, so that the name fields show the new names.
  void NumberNets();

  const std::vector<std::string>& lines() const { return lines_; }

 private:
  // The lines of the container's members, recursively; a stop answer ends
  // that container's walk only; true when a question was answered with stop.
  bool WriteElementLines(model::TheNode* container);
  // The checks of one member before its line; true for stop.
  bool AskAboutElement(model::TheNode* element);
  bool AskAboutJunction(model::TheNode* junction);

  NetlistContext context_;
  std::vector<std::string> lines_;
  std::vector<model::TheNode*> nodes_;  // the list of all nodes after numbering
};

// True when the text reads as a 32-bit integer: blanks before it, an
// optional sign, then decimal digits, or hexadecimal ones after "$" or "0x".
bool IsIntegerText(const std::string& text);

}  // namespace vemu::netlist
