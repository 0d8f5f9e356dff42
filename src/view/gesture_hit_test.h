// The hit test of the canvas and the search for a free spot near a point.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "model/graph.h"
#include "model/point.h"

namespace vemu::view {

// |x1 - x2| + |y1 - y2|, held to the 32-bit range.
std::int32_t Distance(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);

// The nearest kind-1 member of `level` to the logical point (x, y) closer
// than 30 screen pixels at `scale` (Manhattan distance in logical units);
// the first in list order on ties. Null for a null or empty level.
model::TheNode* NodeAtInLevel(std::int32_t x, std::int32_t y, const model::TheNode* level, double scale);

// True when `node` is a kind-1 member of `level`.
bool IsMemberOf(const model::TheNode* node, const model::TheNode* level);

// The most candidates FindFreePlace tries before it settles on the last.
inline constexpr int kFreePlaceTries = 4001;

// A free spot near the midpoint of p1 and p2, searched along the
// perpendicular in steps of about `gridStep` (a step below 1 counts as 1; a
// zero step falls back to (5, 5)). `tried`, when given, receives every
// candidate in order.
model::TPoint FindFreePlace(model::TPoint p1, model::TPoint p2, const model::TheNode* level,
                            std::int32_t gridStep, double scale,
                            std::vector<model::TPoint>* tried = nullptr);

// The line the free-place search walks: candidate i of kFreePlaceTries is
// m (i = 0 and 1), then m - s, m + s, m - 2s, m + 2s, ...
struct FreePlaceLine {
  std::int64_t mx = 0, my = 0;  // the midpoint
  std::int64_t sx = 5, sy = 5;  // the step along the perpendicular
  // The multiple of the step candidate i lies at.
  static std::int64_t StepsOf(int i) { return i < 2 ? 0 : (i % 2 == 0 ? -(i / 2) : i / 2); }
  model::TPoint Candidate(int i) const;
};
FreePlaceLine FreePlaceLineOf(model::TPoint p1, model::TPoint p2, std::int32_t gridStep);

// The same search with the test of a spot given: `taken(x, y)` is true when
// a member lies within the hit radius of (x, y).
model::TPoint FindFreePlaceWhere(model::TPoint p1, model::TPoint p2, std::int32_t gridStep,
                                 const std::function<bool(std::int32_t, std::int32_t)>& taken,
                                 std::vector<model::TPoint>* tried = nullptr);

}  // namespace vemu::view
