// The import's layouts. The circle layout looks for a free spot for every
// element of a level; a grid of the members' positions answers "is a
// member within the hit radius of this spot?" from the few cells around
// it, as the hit test over the whole level would.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <unordered_map>
#include <vector>

#include "netlist/netlist_import.h"
#include "view/gesture_hit_test.h"
#include "view/my_scale.h"

namespace vemu::netlist {
namespace {

using model::TheLine;
using model::TheNode;
using model::TPoint;

// The positions of a level's members in square cells twice as wide as the
// hit radius, so a spot's neighbourhood spans at most two cells each way.
class PositionGrid {
 public:
  explicit PositionGrid(double reach)
      : reach_(std::clamp(reach, 1.0, 10000.0)),
        radius_(static_cast<std::int64_t>(std::ceil(reach_))),
        cell_(2 * radius_) {}

  void Add(TPoint p) { cells_[KeyOf(CellOf(p.x), CellOf(p.y))].push_back(p); }
  void Remove(TPoint p) {
    auto it = cells_.find(KeyOf(CellOf(p.x), CellOf(p.y)));
    if (it == cells_.end()) return;
    auto& points = it->second;
    const auto at = std::find(points.begin(), points.end(), p);
    if (at == points.end()) return;
    *at = points.back();
    points.pop_back();
  }
  // A member nearer to (x, y) than the hit radius (Manhattan distance).
  bool Taken(std::int32_t x, std::int32_t y) const {
    const std::int64_t r = radius_;
    for (std::int64_t cx = CellOf(x - r); cx <= CellOf(x + r); ++cx)
      for (std::int64_t cy = CellOf(y - r); cy <= CellOf(y + r); ++cy) {
        const auto it = cells_.find(KeyOf(cx, cy));
        if (it == cells_.end()) continue;
        for (const TPoint& p : it->second)
          if (static_cast<double>(view::Distance(x, y, p.x, p.y)) < reach_) return true;
      }
    return false;
  }

 private:
  std::int64_t CellOf(std::int64_t v) const { return v >= 0 ? v / cell_ : -((-v + cell_ - 1) / cell_); }
  static std::uint64_t KeyOf(std::int64_t cx, std::int64_t cy) {
    return (static_cast<std::uint64_t>(cx) << 32) ^ static_cast<std::uint32_t>(cy);
  }

  double reach_;
  std::int64_t radius_;
  std::int64_t cell_;
  std::unordered_map<std::uint64_t, std::vector<TPoint>> cells_;
};

// cos and sin of 2 pi i / n, exact at the quarter turns.
std::pair<double, double> OnUnitCircle(std::size_t i, std::size_t n) {
  if (i % n == 0) return {1.0, 0.0};
  if (2 * i == n) return {-1.0, 0.0};
  if (4 * i == n) return {0.0, 1.0};
  if (4 * i == 3 * n) return {0.0, -1.0};
  const double angle = 2.0 * std::numbers::pi * static_cast<double>(i) / static_cast<double>(n);
  return {std::cos(angle), std::sin(angle)};
}

void LayOutLevel(TheNode* level, std::int32_t w, std::int32_t h, std::int32_t gridStep, double scale,
                 platform::RandomSource& random) {
  std::vector<TheNode*> members;
  for (const TheLine* l = level->FirstLine.get(); l; l = l->Next.get())
    if (l->Kind == model::alHaveItem && l->Node) members.push_back(l->Node);
  const std::size_t n = static_cast<std::size_t>(
      std::count_if(members.begin(), members.end(), [](const TheNode* m) { return m->IsJunction(); }));
  const double rx = (static_cast<double>(w) - 40.0) / 2.0, ry = (static_cast<double>(h) - 40.0) / 2.0;
  std::size_t i = 0;
  for (TheNode* m : members) {
    if (!m->IsJunction()) continue;
    const auto [c, s] = OnUnitCircle(++i, n);
    m->X = view::Saturate(std::int64_t{view::RoundEven((c + 1.0) * rx)} + 20);
    m->Y = view::Saturate(std::int64_t{view::RoundEven((s + 1.0) * ry)} + 20);
  }
  PositionGrid grid(30.0 / (scale > 0.0 ? scale : 1.0));
  for (const TheNode* m : members) grid.Add(m->GetPos());
  for (TheNode* e : members) {
    if (e->IsJunction()) continue;
    grid.Remove(e->GetPos());
    e->X = e->Y = 0;
    grid.Add(e->GetPos());
    TPoint p1{10, 10}, p2{300, 200};
    int ends = 0;
    for (const TheLine* l = e->FirstLine.get(); l; l = l->Next.get()) {
      if (l->Kind == model::alHaveItem || !l->Node || !l->Node->IsJunction()) continue;
      (ends++ == 0 ? p1 : p2) = l->Node->GetPos();
    }
    TPoint at;
    if (ends < 2) {
      at.x = random.Next(w);
      at.y = random.Next(h);
    } else {
      at = view::FindFreePlaceWhere(p1, p2, gridStep, [&](std::int32_t x, std::int32_t y) { return grid.Taken(x, y); });
    }
    grid.Remove(e->GetPos());
    e->X = at.x;
    e->Y = at.y;
    grid.Add(at);
  }
}

}  // namespace

void LayOutOnCircle(model::TheBaseOfGraf& graph, std::int32_t w, std::int32_t h, std::int32_t gridStep,
                    double scale, platform::RandomSource& random) {
  for (TheNode* c = graph.FirstNode.get(); c; c = c->NextNode.get())
    if (c->IsContainer()) LayOutLevel(c, w, h, gridStep, scale, random);
}

void LayOutAtRandom(model::TheBaseOfGraf& graph, std::int32_t w, std::int32_t h, platform::RandomSource& random) {
  for (TheNode* node = graph.FirstNode.get(); node; node = node->NextNode.get()) {
    node->X = random.Next(w);
    node->Y = random.Next(h);
  }
}

}  // namespace vemu::netlist
