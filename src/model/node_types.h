// Codes of node types and link kinds, and the texts that name them.
#pragma once

#include <bitset>
#include <cstdint>
#include <initializer_list>
#include <string>

namespace vemu::model {

// Node type codes (TheNode::NodeType).
enum NodeTypeCode : std::uint8_t {
  ntNoType = 0,
  ntRoot = 1,
  ntJunction = 2,
  ntSubCircuit = 29,
  ntText = 32,
  ntLastType = 38,
};
constexpr int NodeTypeCount = 39;

// Link kinds (TheLine::Kind).
enum LineKind : std::uint8_t {
  lkNoType = 0,
  alHaveItem = 1,
  alUponFace = 2,
  LineTo = 3,
  alOutPin = 4,
  alInPin = 5,
  alWire = 6,
  alControl = 7,
};

// A set of link kinds over the codes 0 to 103.
class KindSet {
 public:
  KindSet(std::initializer_list<int> kinds) {
    for (int k : kinds)
      if (k >= 0 && k < 104) bits_.set(static_cast<std::size_t>(k));
  }
  bool contains(int kind) const { return kind >= 0 && kind < 104 && bits_.test(static_cast<std::size_t>(kind)); }

 private:
  std::bitset<104> bits_;
};

// Probe types and amplifiers that carry a sign.
bool IsProbeType(int type);
// The probe types of a build: the second build has only type 31.
bool IsProbeType(int type, bool secondBuild);
bool IsSignedAmplifierType(int type);

std::string NodeTypeName(int code);
std::string LineKindName(int code);

}  // namespace vemu::model
