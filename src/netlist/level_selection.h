// The selection of the shown level: every kind-1 member of the graph's
// MainNode gets Selected := flag (nothing without a shown level).
#pragma once

#include <cstdint>

#include "model/graph.h"

namespace vemu::netlist {

void SetLevelSelection(model::TheBaseOfGraf& graph, std::uint8_t flag);

}  // namespace vemu::netlist
