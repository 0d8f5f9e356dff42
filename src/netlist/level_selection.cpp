#include "netlist/level_selection.h"

namespace vemu::netlist {

void SetLevelSelection(model::TheBaseOfGraf& graph, std::uint8_t flag) {
  if (!graph.MainNode) return;
  graph.MainNode->forEachLine([flag](model::TheLine* l) {
    if (l->Kind == model::alHaveItem && l->Node) l->Node->Selected = flag;
  });
}

}  // namespace vemu::netlist
