// The free-place search of the circle layout over one level, answered from a
// grid of the members' positions instead of the whole level. It gives the
// same spot as the plain search (view::FindFreePlaceWhere) in the state the
// grid is in, but skips candidates known to be taken: for the last lines
// searched it remembers how many of the first candidates were taken, and
// forgets what a removal since then may have freed. Elements on the same
// two junctions search the same line, so each of them starts where the one
// before stopped.
#pragma once

#include <array>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/point.h"
#include "view/gesture_hit_test.h"

namespace vemu::netlist {

// The positions of a level's members (each distinct position once, with its
// count) in square cells twice as wide as the hit radius.
class PositionGrid {
 public:
  // Whole distances below `reach` are those below its ceiling.
  explicit PositionGrid(double reach);

  void Add(model::TPoint p);
  void Remove(model::TPoint p);
  // A member nearer to (x, y) than the hit radius (Manhattan distance).
  bool Taken(std::int32_t x, std::int32_t y) const;
  // A member at exactly p.
  bool Holds(model::TPoint p) const;
  std::int64_t Radius() const { return radius_; }

 private:
  struct Spot {
    model::TPoint at;
    std::uint32_t count;
  };
  bool TakenIn(std::int64_t cx, std::int64_t cy, std::int32_t x, std::int32_t y) const;
  std::int64_t CellOf(std::int64_t v) const { return v >= 0 ? v / cell_ : -((-v + cell_ - 1) / cell_); }
  static std::uint64_t KeyOf(std::int64_t cx, std::int64_t cy) {
    return (static_cast<std::uint64_t>(cx) << 32) ^ static_cast<std::uint32_t>(cy);
  }

  std::int64_t radius_;
  std::int64_t cell_;
  std::unordered_map<std::uint64_t, std::vector<Spot>> cells_;
};

class FreePlaceFinder {
 public:
  FreePlaceFinder(double reach, std::int32_t gridStep) : grid_(reach), gridStep_(gridStep) {}

  void Add(model::TPoint p) { grid_.Add(p); }
  void Remove(model::TPoint p);
  // The free spot near the midpoint of p1 and p2, as FindFreePlaceWhere
  // with the grid's test finds it.
  model::TPoint Find(model::TPoint p1, model::TPoint p2);
  // Candidates tested against the grid so far.
  std::uint64_t Tests() const { return tests_; }

 private:
  // What is known of one line: its first `taken` candidates were taken when
  // `removals` positions had been removed.
  struct Known {
    view::FreePlaceLine line;
    int taken = 0;
    std::uint64_t removals = 0;
    bool used = false;
  };
  static constexpr std::size_t kLines = 64;
  static constexpr std::size_t kRemovalsKept = 256;

  // The first candidate of the line below `limit` that the removed position
  // `p` is within reach of, or `limit`.
  int FirstFreedBy(const view::FreePlaceLine& line, model::TPoint p, int limit) const;
  Known& Slot(const view::FreePlaceLine& line);

  PositionGrid grid_;
  std::int32_t gridStep_;
  std::array<Known, kLines> known_{};
  std::array<model::TPoint, kRemovalsKept> removed_{};
  std::uint64_t removals_ = 0;
  std::uint64_t tests_ = 0;
};

}  // namespace vemu::netlist
