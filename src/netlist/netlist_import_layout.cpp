// The import's layouts. The circle layout looks for a free spot for every
// element of a level with the search of free_place_finder.h, which gives
// the spot the hit test over the whole level would.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "netlist/free_place_finder.h"
#include "netlist/netlist_import.h"
#include "view/my_scale.h"

namespace vemu::netlist {
namespace {

using model::TheLine;
using model::TheNode;
using model::TPoint;

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
  // Junctions and placed elements stay where they are; the elements not
  // placed yet, and the one searching at (0, 0), leave their places.
  FreePlaceFinder finder(30.0 / (scale > 0.0 ? scale : 1.0), gridStep);
  for (const TheNode* m : members) {
    if (m->IsJunction()) finder.Fix(m->GetPos());
    else finder.Add(m->GetPos());
  }
  for (TheNode* e : members) {
    if (e->IsJunction()) continue;
    finder.Remove(e->GetPos());
    e->X = e->Y = 0;
    finder.Add(e->GetPos());
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
      at = finder.Find(p1, p2);
    }
    finder.Remove(e->GetPos());
    e->X = at.x;
    e->Y = at.y;
    finder.Fix(at);
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
