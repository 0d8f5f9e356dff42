// The free-place search of the circle layout over one level, answered
// without walking the level for every candidate. It gives the same spot as
// the plain search (view::FindFreePlaceWhere) with the hit test over the
// members the finder holds.
//
// Members come in two sorts: those that stay (Fix: the junctions and the
// elements already placed) and those that may leave again (Add / Remove:
// the elements still at their first places, the element searching). The
// ones that stay are drawn into a CoverMap, a bit for every whole point
// within the hit radius of one of them, which also knows for every point
// the largest aligned block around it whose points are all covered; a
// search leaps over such a block along its line in one step and tests
// single candidates only where the cover has gaps. Since that cover only
// grows, for every track searched (the candidates of lines with the same
// step whose midpoints lie whole steps apart) the finder also remembers a
// stretch known covered, so a search along a track searched before leaps
// over it: elements on the same two junctions, or on junctions that give
// the same track, go on where the one before stopped. The members that may
// leave are tested one candidate at a time against a grid of their
// positions.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
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

// An open-address table from the packed coordinates of a square to a
// number (kept small: the coordinates are never both the lowest int32).
class SquareTable {
 public:
  SquareTable();
  static std::uint64_t KeyOf(std::int64_t cx, std::int64_t cy) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(cx)) << 32) | static_cast<std::uint32_t>(cy);
  }
  // The number of the square, or null when it has none.
  const std::int32_t* Find(std::uint64_t key) const;
  // The number of the square, made `fresh` when it had none.
  std::int32_t& At(std::uint64_t key, std::int32_t fresh);

 private:
  static constexpr std::uint64_t kEmpty = 0x8000000080000000ULL;
  std::size_t SlotOf(std::uint64_t key) const { return (key * 0x9E3779B97F4A7C15ULL) >> shift_; }
  void Grow();

  std::vector<std::uint64_t> keys_;
  std::vector<std::int32_t> values_;
  std::size_t used_ = 0;
  int shift_;
};

// The whole points within the hit radius (Manhattan distance below the
// radius) of a set of positions that only grows: a bit for each point in
// pages of 2^kPageBits points square, and for each leaf (an aligned block
// of side 2^kLeafBits) the largest aligned block around it, up to the page,
// whose points are all covered, so a walk can leap over it at once.
class CoverMap {
 public:
  static constexpr int kPageBits = 10;
  static constexpr int kLeafBits = 5;
  // Beyond this radius a position would cover too many points: the cover
  // is then answered from a grid of the positions, without blocks.
  static constexpr std::int64_t kMostRadius = 512;

  explicit CoverMap(double reach);
  ~CoverMap();
  CoverMap(const CoverMap&) = delete;
  CoverMap& operator=(const CoverMap&) = delete;

  void Add(model::TPoint p);
  struct Page;
  // The page looked at last by one walk.
  struct Cursor {
    std::uint64_t key = 0;
    const Page* page = nullptr;
  };
  // How the point (x, y) lies: -1 uncovered, 0 covered, b >= kLeafBits in
  // an entirely covered aligned block of side 2^b, the largest one.
  int DepthAt(std::int64_t x, std::int64_t y, Cursor& cursor) const;
  int DepthAt(std::int64_t x, std::int64_t y) const {
    Cursor cursor;
    return DepthAt(x, y, cursor);
  }

 private:
  void AddToPage(Page& page, std::int64_t x0, std::int64_t y0, model::TPoint p) const;

  std::int64_t radius_;
  std::unique_ptr<PositionGrid> grid_;  // the positions, when the radius is too large for bits
  SquareTable pageIndex_;               // page -> index in pages_
  std::vector<std::unique_ptr<Page>> pages_;
};

class FreePlaceFinder {
 public:
  FreePlaceFinder(double reach, std::int32_t gridStep) : cover_(reach), loose_(reach), gridStep_(gridStep) {}

  // A member that may leave again.
  void Add(model::TPoint p) { loose_.Add(p); }
  // A member given to Add leaves.
  void Remove(model::TPoint p) { loose_.Remove(p); }
  // A member that stays as long as the finder.
  void Fix(model::TPoint p) { cover_.Add(p); }
  // The free spot near the midpoint of p1 and p2, as FindFreePlaceWhere
  // with the hit test over all members finds it.
  model::TPoint Find(model::TPoint p1, model::TPoint p2);
  // Single candidates and covered blocks looked at so far.
  std::uint64_t Steps() const { return steps_; }

 private:
  // What is known of one track, the candidates m + k s of every line with
  // the step s or -s whose midpoint m is a whole number of steps from this
  // one's: the places [from, to) along it (place p at p s from the origin,
  // s the one of the two steps that points right or, upright, down) are
  // covered by members that stay.
  struct Track {
    std::int32_t sx = 0, sy = 0;
    std::int64_t across = 0, phase = -1;  // which track of the step
    std::int32_t from = 0, to = 0;
  };
  // The track of `key`, made empty when the table had none.
  Track& TrackOf(const Track& key);

  bool Taken(model::TPoint c) const;
  model::TPoint FindPlain(const view::FreePlaceLine& line);
  // The walk along one side of a line (side 0 before the midpoint, 1 after
  // it), at the candidate j steps from the midpoint; the steps in
  // [knownFrom, knownTo) are known covered by the members that stay.
  struct Walk {
    std::int64_t mx, my, dx, dy, ax, ay;
    double invX, invY;
    std::int64_t knownFrom, knownTo;
    int j = 1;
    CoverMap::Cursor cursor;
    Walk(const view::FreePlaceLine& line, int side, std::int64_t from, std::int64_t to);
  };
  // Moves the walk on by one look at the cover, not to `limit` or beyond;
  // false when candidate j is not covered by the members that stay.
  bool Step(Walk& walk, int limit);

  CoverMap cover_;
  PositionGrid loose_;
  std::int32_t gridStep_;
  std::vector<Track> tracks_ = std::vector<Track>(16);  // open addressing; phase -1 marks a free slot
  std::size_t tracksUsed_ = 0;
  std::uint64_t steps_ = 0;
};

}  // namespace vemu::netlist
