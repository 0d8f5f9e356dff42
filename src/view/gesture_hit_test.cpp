#include "view/gesture_hit_test.h"

#include <cstdlib>

#include "view/my_scale.h"

namespace vemu::view {

using model::TheNode;
using model::TPoint;

std::int32_t Distance(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  return Saturate(std::llabs(std::int64_t{x1} - x2) + std::llabs(std::int64_t{y1} - y2));
}

TheNode* NodeAtInLevel(std::int32_t x, std::int32_t y, const TheNode* level, double scale) {
  if (!level) return nullptr;
  const double reach = 30.0 / scale;
  std::int32_t best = 10000;
  TheNode* found = nullptr;
  for (const model::TheLine* l = level->FirstLine.get(); l; l = l->Next.get()) {
    if (l->Kind != model::alHaveItem || !l->Node) continue;
    const std::int32_t d = Distance(x, y, l->Node->X, l->Node->Y);
    if (d < best && d < reach) {
      best = d;
      found = l->Node;
    }
  }
  return found;
}

bool IsMemberOf(const TheNode* node, const TheNode* level) {
  if (!node || !level) return false;
  for (const model::TheLine* l = level->FirstLine.get(); l; l = l->Next.get())
    if (l->Kind == model::alHaveItem && l->Node == node) return true;
  return false;
}

TPoint FindFreePlace(TPoint p1, TPoint p2, const TheNode* level, std::int32_t gridStep, double scale,
                     std::vector<TPoint>* tried) {
  return FindFreePlaceWhere(
      p1, p2, gridStep,
      [&](std::int32_t x, std::int32_t y) { return NodeAtInLevel(x, y, level, scale) != nullptr; }, tried);
}

FreePlaceLine FreePlaceLineOf(TPoint p1, TPoint p2, std::int32_t gridStep) {
  const std::int64_t step = gridStep < 1 ? 1 : gridStep;
  const std::int64_t hx = (std::int64_t{p1.y} - p2.y) / 2;
  const std::int64_t hy = (std::int64_t{p2.x} - p1.x) / 2;
  const std::int64_t d = std::llabs(hx) + std::llabs(hy);
  FreePlaceLine line;
  if (d != 0) {
    if (d > 2 * step) {
      line.sx = RoundEven(static_cast<double>(hx) * static_cast<double>(step) / static_cast<double>(d));
      line.sy = RoundEven(static_cast<double>(hy) * static_cast<double>(step) / static_cast<double>(d));
    } else {
      line.sx = hx;
      line.sy = hy;
    }
    if (line.sx == 0 && line.sy == 0) line.sx = line.sy = 5;
  }
  line.mx = (std::int64_t{p1.x} + p2.x) / 2;
  line.my = (std::int64_t{p1.y} + p2.y) / 2;
  return line;
}

TPoint FreePlaceLine::Candidate(int i) const {
  const std::int64_t k = StepsOf(i);
  return {Saturate(mx + k * sx), Saturate(my + k * sy)};
}

TPoint FindFreePlaceWhere(TPoint p1, TPoint p2, std::int32_t gridStep,
                          const std::function<bool(std::int32_t, std::int32_t)>& taken,
                          std::vector<TPoint>* tried) {
  const FreePlaceLine line = FreePlaceLineOf(p1, p2, gridStep);
  TPoint candidate{Saturate(line.mx), Saturate(line.my)};
  for (int i = 0; i < kFreePlaceTries; ++i) {
    candidate = line.Candidate(i);
    if (tried) tried->push_back(candidate);
    if (!taken(candidate.x, candidate.y)) break;
  }
  return candidate;
}

}  // namespace vemu::view
