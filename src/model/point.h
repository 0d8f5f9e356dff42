#pragma once

#include <cstdint>

namespace vemu::model {

// A point of two 32-bit integers: logical units or screen pixels.
struct TPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

}  // namespace vemu::model
