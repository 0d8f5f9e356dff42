#include "model/node_types.h"

namespace vemu::model {

bool IsProbeType(int type) { return type == 31 || (type >= 35 && type <= 38); }
bool IsProbeType(int type, bool secondBuild) { return secondBuild ? type == 31 : IsProbeType(type); }

bool IsSignedAmplifierType(int type) { return (type >= 25 && type <= 28) || type == 30; }

std::string NodeTypeName(int code) {
  switch (code) {
    case 0: return "NoType";
    case 1: return "System Node";
    case 2: return "Symple Line";
    case 3: return "Connector";
    default: return std::to_string(code) + " Uncknown node Type";
  }
}

std::string LineKindName(int code) {
  switch (code) {
    case 0: return "NoType";
    case 1: return "alHaveItem";
    case 2: return "alUponFace";
    case 3: return "LineTo";
    default: return "UnkcnownLine" + std::to_string(code);
  }
}

}  // namespace vemu::model
