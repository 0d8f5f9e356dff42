#include "netlist/free_place_finder.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace vemu::netlist {

using model::TPoint;
using view::FreePlaceLine;

namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

// The whole multiples k of `step` that may put `from + k * step` within
// `reach` of `to` (a superset of them; everything when the step is 0 and
// `from` is within reach, nothing when it is not).
std::pair<std::int64_t, std::int64_t> StepsNear(std::int64_t from, std::int64_t step, std::int64_t to,
                                                std::int64_t reach) {
  constexpr std::int64_t kAll = std::numeric_limits<std::int32_t>::max();
  const std::int64_t d = to - from;
  if (step == 0) return std::llabs(d) < reach ? std::pair{-kAll, kAll} : std::pair{kAll, -kAll};
  std::int64_t lo = FloorDiv(d - reach, step), hi = FloorDiv(d + reach, step);
  if (lo > hi) std::swap(lo, hi);
  return {lo - 1, hi + 1};
}

// The candidate index of the first try at k steps from the midpoint.
int IndexOfSteps(std::int64_t k) { return k == 0 ? 0 : k < 0 ? static_cast<int>(-2 * k) : static_cast<int>(2 * k + 1); }

// No candidate of the line leaves the 32-bit range, so candidate i is
// exactly m + StepsOf(i) * s.
bool StaysInRange(const FreePlaceLine& l) {
  constexpr std::int64_t kMost = std::numeric_limits<std::int32_t>::max() - 1;
  const std::int64_t reach = view::kFreePlaceTries / 2 + 1;
  return std::llabs(l.mx) + reach * std::llabs(l.sx) <= kMost && std::llabs(l.my) + reach * std::llabs(l.sy) <= kMost;
}

bool SameLine(const FreePlaceLine& a, const FreePlaceLine& b) {
  return a.mx == b.mx && a.my == b.my && a.sx == b.sx && a.sy == b.sy;
}

}  // namespace

PositionGrid::PositionGrid(double reach)
    : radius_(static_cast<std::int64_t>(std::ceil(std::clamp(reach, 1.0, 10000.0)))), cell_(2 * radius_) {}

void PositionGrid::Add(TPoint p) {
  auto& spots = cells_[KeyOf(CellOf(p.x), CellOf(p.y))];
  const auto at = std::find_if(spots.begin(), spots.end(), [&](const Spot& s) { return s.at == p; });
  if (at != spots.end()) ++at->count;
  else spots.push_back({p, 1});
}

void PositionGrid::Remove(TPoint p) {
  const auto it = cells_.find(KeyOf(CellOf(p.x), CellOf(p.y)));
  if (it == cells_.end()) return;
  auto& spots = it->second;
  const auto at = std::find_if(spots.begin(), spots.end(), [&](const Spot& s) { return s.at == p; });
  if (at == spots.end() || --at->count > 0) return;
  *at = spots.back();
  spots.pop_back();
}

bool PositionGrid::Holds(TPoint p) const {
  const auto it = cells_.find(KeyOf(CellOf(p.x), CellOf(p.y)));
  return it != cells_.end() &&
         std::any_of(it->second.begin(), it->second.end(), [&](const Spot& s) { return s.at == p; });
}

bool PositionGrid::Taken(std::int32_t x, std::int32_t y) const {
  // The spot's own cell first: a taken spot is mostly found there.
  const std::int64_t ox = CellOf(x), oy = CellOf(y);
  if (TakenIn(ox, oy, x, y)) return true;
  const std::int64_t r = radius_;
  for (std::int64_t cx = CellOf(x - r); cx <= CellOf(x + r); ++cx)
    for (std::int64_t cy = CellOf(y - r); cy <= CellOf(y + r); ++cy)
      if ((cx != ox || cy != oy) && TakenIn(cx, cy, x, y)) return true;
  return false;
}

bool PositionGrid::TakenIn(std::int64_t cx, std::int64_t cy, std::int32_t x, std::int32_t y) const {
  const auto it = cells_.find(KeyOf(cx, cy));
  if (it == cells_.end()) return false;
  for (const Spot& s : it->second)
    if (std::llabs(std::int64_t{x} - s.at.x) + std::llabs(std::int64_t{y} - s.at.y) < radius_) return true;
  return false;
}

void FreePlaceFinder::Remove(TPoint p) {
  grid_.Remove(p);
  removed_[removals_ % kRemovalsKept] = p;
  ++removals_;
}

int FreePlaceFinder::FirstFreedBy(const FreePlaceLine& line, TPoint p, int limit) const {
  const std::int64_t reach = grid_.Radius();
  const auto [xlo, xhi] = StepsNear(line.mx, line.sx, p.x, reach);
  const auto [ylo, yhi] = StepsNear(line.my, line.sy, p.y, reach);
  const std::int64_t most = view::kFreePlaceTries / 2;
  const std::int64_t lo = std::max({xlo, ylo, -most}), hi = std::min({xhi, yhi, most});
  int first = limit;
  for (std::int64_t k = lo; k <= hi; ++k) {
    const int index = IndexOfSteps(k);
    if (index >= first) continue;
    const std::int64_t d = std::llabs(line.mx + k * line.sx - p.x) + std::llabs(line.my + k * line.sy - p.y);
    if (d < reach) first = index;
  }
  return first;
}

FreePlaceFinder::Known& FreePlaceFinder::Slot(const FreePlaceLine& line) {
  const std::uint64_t h = static_cast<std::uint64_t>(line.mx) * 0x9E3779B97F4A7C15ULL ^
                          static_cast<std::uint64_t>(line.my) * 0xC2B2AE3D27D4EB4FULL ^
                          static_cast<std::uint64_t>(line.sx) * 0x165667B19E3779F9ULL ^
                          static_cast<std::uint64_t>(line.sy) * 0x27D4EB2F165667C5ULL;
  return known_[(h >> 32) % kLines];
}

TPoint FreePlaceFinder::Find(TPoint p1, TPoint p2) {
  const FreePlaceLine line = view::FreePlaceLineOf(p1, p2, gridStep_);
  constexpr int kTries = view::kFreePlaceTries;
  Known* known = StaysInRange(line) ? &Slot(line) : nullptr;
  int start = 0;
  if (known && known->used && SameLine(known->line, line) && removals_ - known->removals <= kRemovalsKept) {
    // Taken candidates stay taken unless a position near them was removed
    // and is held by no member now (the element searching holds (0, 0)
    // again, as the one before it did).
    start = known->taken;
    for (std::uint64_t r = known->removals; r < removals_ && start > 0; ++r) {
      const TPoint gone = removed_[r % kRemovalsKept];
      if (!grid_.Holds(gone)) start = FirstFreedBy(line, gone, start);
    }
  }
  int found = kTries;
  for (int i = start; i < kTries; ++i) {
    const TPoint c = line.Candidate(i);
    ++tests_;
    if (!grid_.Taken(c.x, c.y)) {
      found = i;
      break;
    }
  }
  if (known) *known = {line, found, removals_, true};
  return line.Candidate(std::min(found, kTries - 1));
}

}  // namespace vemu::netlist
