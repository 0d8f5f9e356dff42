#include "netlist/free_place_finder.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace vemu::netlist {

using model::TPoint;
using view::FreePlaceLine;

namespace {

// No candidate of the line leaves the 32-bit range, so candidate i is
// exactly m + StepsOf(i) * s.
bool StaysInRange(const FreePlaceLine& l) {
  constexpr std::int64_t kMost = std::numeric_limits<std::int32_t>::max() - 1;
  const std::int64_t reach = view::kFreePlaceTries / 2 + 1;
  return std::llabs(l.mx) + reach * std::llabs(l.sx) <= kMost && std::llabs(l.my) + reach * std::llabs(l.sy) <= kMost;
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


SquareTable::SquareTable() : keys_(16, kEmpty), values_(16), shift_(64 - 4) {}

const std::int32_t* SquareTable::Find(std::uint64_t key) const {
  const std::size_t mask = keys_.size() - 1;
  for (std::size_t i = SlotOf(key);; i = (i + 1) & mask) {
    if (keys_[i] == key) return &values_[i];
    if (keys_[i] == kEmpty) return nullptr;
  }
}

std::int32_t& SquareTable::At(std::uint64_t key, std::int32_t fresh) {
  if (2 * (used_ + 1) > keys_.size()) Grow();
  const std::size_t mask = keys_.size() - 1;
  std::size_t i = SlotOf(key);
  for (; keys_[i] != key; i = (i + 1) & mask) {
    if (keys_[i] == kEmpty) {
      keys_[i] = key;
      values_[i] = fresh;
      ++used_;
      break;
    }
  }
  return values_[i];
}

void SquareTable::Grow() {
  std::vector<std::uint64_t> keys(2 * keys_.size(), kEmpty);
  std::vector<std::int32_t> values(keys.size());
  keys.swap(keys_);
  values.swap(values_);
  --shift_;
  const std::size_t mask = keys_.size() - 1;
  for (std::size_t j = 0; j < keys.size(); ++j) {
    if (keys[j] == kEmpty) continue;
    std::size_t i = SlotOf(keys[j]);
    while (keys_[i] != kEmpty) i = (i + 1) & mask;
    keys_[i] = keys[j];
    values_[i] = values[j];
  }
}

namespace {

constexpr std::int64_t kPageSide = std::int64_t{1} << CoverMap::kPageBits;
constexpr std::int64_t kRowWords = kPageSide / 64;
constexpr std::uint64_t kAll = ~std::uint64_t{0};

constexpr std::int64_t kLeafSide = std::int64_t{1} << CoverMap::kLeafBits;
constexpr std::int64_t kLeavesAcross = kPageSide / kLeafSide;

}  // namespace

struct CoverMap::Page {
  // The bits leaf by leaf: a leaf's rows of kLeafSide bits follow each
  // other, so a walk through a leaf finds its candidates close together.
  std::vector<std::uint64_t> bits = std::vector<std::uint64_t>(static_cast<std::size_t>(kPageSide * kRowWords));
  // Of each leaf (a block of side 2^kLeafBits): 0 when some point of it is
  // not covered, else b, the largest entirely covered aligned block around
  // it being 2^b square.
  std::vector<std::uint8_t> depth = std::vector<std::uint8_t>(static_cast<std::size_t>(kLeavesAcross * kLeavesAcross));

  static constexpr std::int64_t kLeafWords = kLeafSide * kLeafSide / 64;
  std::uint8_t& DepthOf(std::int64_t lx, std::int64_t ly) {
    return depth[static_cast<std::size_t>(ly * kLeavesAcross + lx)];
  }
  // The word holding point (x, y) of the page, and the point's first bit in it.
  static std::size_t WordOf(std::int64_t x, std::int64_t y) {
    const std::int64_t leaf = (y >> kLeafBits) * kLeavesAcross + (x >> kLeafBits);
    return static_cast<std::size_t>(leaf * kLeafWords + ((y & (kLeafSide - 1)) * kLeafSide + (x & (kLeafSide - 1))) / 64);
  }
  static int BitOf(std::int64_t x, std::int64_t y) {
    return static_cast<int>(((y & (kLeafSide - 1)) * kLeafSide + (x & (kLeafSide - 1))) % 64);
  }
  bool Covered(std::int64_t x, std::int64_t y) const { return (bits[WordOf(x, y)] >> BitOf(x, y)) & 1; }
  // The leaf at (lx, ly) is entirely covered when all its bits are: then so
  // may be the blocks around it.
  void CheckLeaf(std::int64_t lx, std::int64_t ly) {
    if (DepthOf(lx, ly)) return;
    const auto first = bits.begin() + static_cast<std::ptrdiff_t>((ly * kLeavesAcross + lx) * kLeafWords);
    if (!std::all_of(first, first + kLeafWords, [](std::uint64_t w) { return w == kAll; })) return;
    DepthOf(lx, ly) = kLeafBits;
    // A block is covered when its four halves are; its leaves take its size.
    for (int b = kLeafBits + 1; b <= kPageBits; ++b) {
      const std::int64_t span = std::int64_t{1} << (b - kLeafBits), half = span / 2;
      const std::int64_t bx = lx & -span, by = ly & -span;
      if (DepthOf(bx, by) < b - 1 || DepthOf(bx + half, by) < b - 1 || DepthOf(bx, by + half) < b - 1 ||
          DepthOf(bx + half, by + half) < b - 1)
        return;
      for (std::int64_t j = by; j < by + span; ++j)
        std::fill_n(depth.begin() + static_cast<std::ptrdiff_t>(j * kLeavesAcross + bx), span, static_cast<std::uint8_t>(b));
    }
  }
};

CoverMap::CoverMap(double reach) : radius_(PositionGrid(reach).Radius()) {
  if (radius_ > kMostRadius) grid_ = std::make_unique<PositionGrid>(reach);
}

CoverMap::~CoverMap() = default;

void CoverMap::Add(TPoint p) {
  if (grid_) {
    grid_->Add(p);
    return;
  }
  const std::int64_t r = radius_ - 1;  // the farthest covered point on each axis
  for (std::int64_t px = (p.x - r) >> kPageBits; px <= (p.x + r) >> kPageBits; ++px)
    for (std::int64_t py = (p.y - r) >> kPageBits; py <= (p.y + r) >> kPageBits; ++py) {
      std::int32_t& index = pageIndex_.At(SquareTable::KeyOf(px, py), -1);
      if (index < 0) {
        index = static_cast<std::int32_t>(pages_.size());
        pages_.push_back(std::make_unique<Page>());
      }
      AddToPage(*pages_[static_cast<std::size_t>(index)], px << kPageBits, py << kPageBits, p);
    }
}

void CoverMap::AddToPage(Page& page, std::int64_t x0, std::int64_t y0, TPoint p) const {
  const std::int64_t r = radius_ - 1;
  const std::int64_t cx = p.x - x0, cy = p.y - y0;  // p within the page
  const std::int64_t top = std::max<std::int64_t>(0, cy - r), bottom = std::min(kPageSide - 1, cy + r);
  std::int64_t left = kPageSide, right = -1;
  for (std::int64_t y = top; y <= bottom; ++y) {
    const std::int64_t half = r - std::llabs(y - cy);
    const std::int64_t from = std::max<std::int64_t>(0, cx - half), to = std::min(kPageSide - 1, cx + half);
    left = std::min(left, from);
    right = std::max(right, to);
    // The row's points from `from` to `to`, a leaf at a time.
    for (std::int64_t lx = from >> kLeafBits; lx <= to >> kLeafBits; ++lx) {
      const std::int64_t a = std::max(from, lx << kLeafBits), b = std::min(to, ((lx + 1) << kLeafBits) - 1);
      page.bits[Page::WordOf(a, y)] |= (kAll >> (63 - (b - a))) << Page::BitOf(a, y);
    }
  }
  for (std::int64_t ly = top >> kLeafBits; ly <= bottom >> kLeafBits; ++ly)
    for (std::int64_t lx = left >> kLeafBits; lx <= right >> kLeafBits; ++lx) page.CheckLeaf(lx, ly);
}

int CoverMap::DepthAt(std::int64_t x, std::int64_t y, Cursor& cursor) const {
  if (grid_) return grid_->Taken(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)) ? 0 : -1;
  const std::uint64_t key = SquareTable::KeyOf(x >> kPageBits, y >> kPageBits);
  if (key != cursor.key || !cursor.page) {
    // A page that is not there yet is looked up again next time.
    const std::int32_t* index = pageIndex_.Find(key);
    cursor = {key, index ? pages_[static_cast<std::size_t>(*index)].get() : nullptr};
    if (!cursor.page) return -1;
  }
  const Page& page = *cursor.page;
  const std::int64_t ix = x & (kPageSide - 1), iy = y & (kPageSide - 1);
  if (const int depth = page.depth[static_cast<std::size_t>((iy >> kLeafBits) * kLeavesAcross + (ix >> kLeafBits))])
    return depth;
  return page.Covered(ix, iy) ? 0 : -1;
}

bool FreePlaceFinder::Taken(TPoint c) const { return cover_.DepthAt(c.x, c.y) >= 0 || loose_.Taken(c.x, c.y); }

TPoint FreePlaceFinder::FindPlain(const FreePlaceLine& line) {
  constexpr int kTries = view::kFreePlaceTries;
  for (int i = 0; i < kTries - 1; ++i) {
    ++steps_;
    if (!Taken(line.Candidate(i))) return line.Candidate(i);
  }
  return line.Candidate(kTries - 1);
}

FreePlaceFinder::Walk::Walk(const FreePlaceLine& line, int side, std::int64_t from, std::int64_t to)
    : mx(line.mx),
      my(line.my),
      dx(side ? line.sx : -line.sx),
      dy(side ? line.sy : -line.sy),
      ax(std::llabs(dx)),
      ay(std::llabs(dy)),
      invX(ax ? 1.0 / static_cast<double>(ax) : 0.0),
      invY(ay ? 1.0 / static_cast<double>(ay) : 0.0),
      knownFrom(from),
      knownTo(to) {}

bool FreePlaceFinder::Step(Walk& w, int limit) {
  if (w.j >= w.knownFrom && w.j < w.knownTo) {
    w.j = static_cast<int>(std::min<std::int64_t>(w.knownTo, limit));
    return true;
  }
  ++steps_;
  const std::int64_t x = w.mx + w.j * w.dx, y = w.my + w.j * w.dy;
  const int depth = cover_.DepthAt(x, y, w.cursor);
  if (depth <= 0) {
    if (depth < 0) return false;
    ++w.j;
    return true;
  }
  // Every candidate up to where the line leaves the covered block is
  // covered: the steps that take a point `room` points short of an edge
  // beyond it, along an axis moving by d, are ceil(room / |d|).
  const auto stepsOut = [](std::int64_t room, std::int64_t d, double inv) {
    std::int64_t q = static_cast<std::int64_t>(static_cast<double>(room - 1) * inv);
    if ((q + 1) * d <= room - 1) ++q;
    if (q * d > room - 1) --q;
    return q + 1;
  };
  const std::int64_t size = std::int64_t{1} << depth;
  const std::int64_t x0 = x & -size, y0 = y & -size;
  std::int64_t leave = limit - w.j;
  if (w.dx) leave = std::min(leave, stepsOut(w.dx > 0 ? x0 + size - x : x - x0 + 1, w.ax, w.invX));
  if (w.dy) leave = std::min(leave, stepsOut(w.dy > 0 ? y0 + size - y : y - y0 + 1, w.ay, w.invY));
  w.j += static_cast<int>(std::max<std::int64_t>(leave, 1));
  return true;
}

FreePlaceFinder::Track& FreePlaceFinder::TrackOf(const Track& key) {
  const auto slotOf = [](const Track& t, std::size_t mask) {
    const std::uint64_t h = static_cast<std::uint64_t>(t.sx) * 0x9E3779B97F4A7C15ULL ^
                            static_cast<std::uint64_t>(t.sy) * 0xC2B2AE3D27D4EB4FULL ^
                            static_cast<std::uint64_t>(t.across) * 0x165667B19E3779F9ULL ^
                            static_cast<std::uint64_t>(t.phase) * 0x27D4EB2F165667C5ULL;
    return static_cast<std::size_t>(h ^ (h >> 29)) & mask;
  };
  const auto same = [](const Track& a, const Track& b) {
    return a.sx == b.sx && a.sy == b.sy && a.across == b.across && a.phase == b.phase;
  };
  if (2 * (tracksUsed_ + 1) > tracks_.size()) {
    std::vector<Track> old(2 * tracks_.size());
    old.swap(tracks_);
    for (const Track& t : old) {
      if (t.phase < 0) continue;
      std::size_t i = slotOf(t, tracks_.size() - 1);
      while (tracks_[i].phase >= 0) i = (i + 1) & (tracks_.size() - 1);
      tracks_[i] = t;
    }
  }
  std::size_t i = slotOf(key, tracks_.size() - 1);
  for (; tracks_[i].phase >= 0; i = (i + 1) & (tracks_.size() - 1))
    if (same(tracks_[i], key)) return tracks_[i];
  ++tracksUsed_;
  tracks_[i] = key;
  return tracks_[i];
}

TPoint FreePlaceFinder::Find(TPoint p1, TPoint p2) {
  const FreePlaceLine line = view::FreePlaceLineOf(p1, p2, gridStep_);
  if (!StaysInRange(line)) return FindPlain(line);
  // The line's track and the midpoint's place on it; `flip` when the
  // track's step is -s.
  const bool flip = line.sx < 0 || (line.sx == 0 && line.sy < 0);
  const std::int64_t tx = flip ? -line.sx : line.sx, ty = flip ? -line.sy : line.sy;
  const std::int64_t square = tx * tx + ty * ty, along = line.mx * tx + line.my * ty;
  const std::int64_t place = along / square - (along % square < 0 ? 1 : 0);
  Track& track = TrackOf({static_cast<std::int32_t>(tx), static_cast<std::int32_t>(ty), line.mx * ty - line.my * tx,
                          along - place * square, 0, 0});
  // The steps on each side known to be covered: places below the midpoint's
  // lie before it on the line unless the track is flipped.
  std::array<std::int64_t, 2> knownFrom{place - track.to + 1, track.from - place},
      knownTo{place - track.from + 1, track.to - place};
  if (flip) {
    std::swap(knownFrom[0], knownFrom[1]);
    std::swap(knownTo[0], knownTo[1]);
  }

  const TPoint mid = line.Candidate(0);
  ++steps_;
  const bool midCovered = (place >= track.from && place < track.to) || cover_.DepthAt(mid.x, mid.y) >= 0;
  if (!midCovered && !loose_.Taken(mid.x, mid.y)) return mid;
  // Candidate j steps before the midpoint is candidate 2j, the one j steps
  // after it 2j + 1; the first free one wins. The two sides are walked
  // together, a look at the cover on each in turn.
  constexpr int kTries = view::kFreePlaceTries;
  int best = kTries;  // the free candidate found first, none yet
  std::array<Walk, 2> walks{Walk(line, 0, knownFrom[0], knownTo[0]), Walk(line, 1, knownFrom[1], knownTo[1])};
  std::array<int, 2> covered{0, 0};  // the steps 1 .. covered - 1 of each side are covered, when not 0
  for (bool going = true; going;) {
    going = false;
    for (int side = 0; side < 2; ++side) {
      Walk& w = walks[static_cast<std::size_t>(side)];
      const int limit = (best - side + 1) / 2;  // the side's steps below it come before `best`
      if (w.j >= limit) continue;
      going = true;
      if (Step(w, limit)) continue;
      if (!covered[static_cast<std::size_t>(side)]) covered[static_cast<std::size_t>(side)] = w.j;
      const std::int64_t k = side ? w.j : -w.j;
      ++steps_;
      if (!loose_.Taken(static_cast<std::int32_t>(line.mx + k * line.sx), static_cast<std::int32_t>(line.my + k * line.sy)))
        best = 2 * w.j + side;
      ++w.j;
    }
  }
  for (int side = 0; side < 2; ++side)
    if (!covered[static_cast<std::size_t>(side)]) covered[static_cast<std::size_t>(side)] = std::max(walks[static_cast<std::size_t>(side)].j, 1);
  // Keep the stretch just seen covered, joined to the one known when they
  // touch, else the longer of the two.
  if (flip) std::swap(covered[0], covered[1]);
  std::int64_t from = place - covered[0] + 1, to = place + covered[1];
  if (!midCovered && covered[1] >= covered[0]) from = place + 1;
  else if (!midCovered) to = place;
  if (from >= to) {
  } else if (track.from < track.to && from <= track.to && track.from <= to) {
    track.from = static_cast<std::int32_t>(std::min<std::int64_t>(track.from, from));
    track.to = static_cast<std::int32_t>(std::max<std::int64_t>(track.to, to));
  } else if (track.from >= track.to || to - from > track.to - track.from) {
    track.from = static_cast<std::int32_t>(from);
    track.to = static_cast<std::int32_t>(to);
  }
  return line.Candidate(std::min(best, kTries - 1));
}

}  // namespace vemu::netlist
