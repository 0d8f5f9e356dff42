// What one netlist build works on: the circuit, the element types, the
// settings, the window it reports to and the "list not packed" mark.
#pragma once

#include <cstdint>

#include "catalogue/node_type_info.h"
#include "catalogue/settings.h"
#include "model/graph.h"
#include "netlist/netlist_host.h"

namespace vemu::netlist {

struct NetlistContext {
  model::TheBaseOfGraf& graph;
  const catalogue::NodeTypeTable& types;
  const catalogue::Settings& settings;
  NetlistHost& host;
  // 1 once the user has skipped a problem; further problems pass unasked.
  std::uint8_t& listNotPacked;
};

}  // namespace vemu::netlist
