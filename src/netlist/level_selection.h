// The netlist deselects the shown level through the model's selection
// operation (model/selection.h).
#pragma once

#include "model/selection.h"

namespace vemu::netlist {

using model::SetLevelSelection;

}  // namespace vemu::netlist
