#include "view/my_line.h"

#include <cmath>
#include <numbers>

#include "view/my_scale.h"
#include "view/view_globals.h"

namespace vemu::model {

std::unique_ptr<TheLine> CreateLink(const TheNode* n1, const TheNode* n2) {
  return std::make_unique<view::TMyLine>(n1, n2);
}

}  // namespace vemu::model

namespace vemu::view {

TMyLine* AsMyLine(model::TheLine* l) { return dynamic_cast<TMyLine*>(l); }
const TMyLine* AsMyLine(const model::TheLine* l) { return dynamic_cast<const TMyLine*>(l); }

void TMyLine::Step(bool lineMoves) { Step(lineMoves, LineSpeed); }

TMyLine::TMyLine(const model::TheNode* n1, const model::TheNode* n2) { Arm(n1, n2); }

void TMyLine::Arm(const model::TheNode* n1, const model::TheNode* n2) {
  Countdown = 100;
  if (!n1 || !n2) {
    SwingPoint = {200, 100};
    RestPoint = {200, 100};
  } else {
    // Formed in 64 bits so that far-off coordinates from a file cannot overflow.
    const std::int64_t cx = (std::int64_t{n2->X} + n1->X) / 2;
    const std::int64_t cy = (std::int64_t{n2->Y} + n1->Y) / 2;
    const std::int64_t a = (std::int64_t{n1->X} - n2->X) / 2;
    const std::int64_t b = (std::int64_t{n1->Y} - n2->Y) / 2;
    const TPoint c{static_cast<std::int32_t>(cx), static_cast<std::int32_t>(cy)};
    SwingPoint = {Saturate(cx - b), Saturate(cy + a / 2)};
    RestPoint = c;
  }
  CurPoint = SwingPoint;
}

void TMyLine::KickAround(const model::TheNode* current, const model::TheNode* other, int divisor) {
  Countdown = 100;
  RestPoint = {Saturate((std::int64_t{other->X} + current->X) / 2), Saturate((std::int64_t{other->Y} + current->Y) / 2)};
  SwingPoint = {Saturate(RestPoint.x - (std::int64_t{current->Y} - other->Y) / divisor),
                Saturate(RestPoint.y + (std::int64_t{current->X} - other->X) / divisor)};
}

void SwingLinksAt(model::TheNode* current, const model::TheNode* level) {
  if (!current || !level) return;
  current->forEachLine([current](model::TheLine* l) {
    TMyLine* drawn = AsMyLine(l);
    if (drawn && l->Node) drawn->KickAround(current, l->Node, 10);
  });
  level->forEachLine([current](model::TheLine* member) {
    if (member->Kind != model::alHaveItem || !member->Node) return;
    const model::TheNode* m = member->Node;
    m->forEachLine([current, m](model::TheLine* l) {
      TMyLine* drawn = AsMyLine(l);
      if (drawn && l->Node == current) drawn->KickAround(current, m, 20);
    });
  });
}

void TMyLine::Step(bool lineMoves, int& lineSpeed) {
  if (!lineMoves) {
    Countdown = 0;
    CurPoint = RestPoint;
  }
  if (lineSpeed < 1 || lineSpeed > 10) lineSpeed = 1;
  if (Countdown > 0) Countdown -= lineSpeed;
  const std::int32_t n = Countdown;
  if (n < 1) {
    CurPoint = RestPoint;
    return;
  }
  const double pi = std::numbers::pi;
  // The amplitude times the countdown is formed in 64 bits: far-off ends do
  // not wrap round into a jump across the plane.
  const std::int64_t dx = (std::int64_t{SwingPoint.x} - RestPoint.x) * n;
  const std::int64_t dy = (std::int64_t{SwingPoint.y} - RestPoint.y) * n;
  CurPoint.x = Saturate(RestPoint.x + std::int64_t{RoundEven(std::cos((100 - n) * pi / 40) * static_cast<double>(dx) / 100.0)});
  CurPoint.y = Saturate(RestPoint.y + std::int64_t{RoundEven(std::cos((100 - n) * pi / 20) * static_cast<double>(dy) / 100.0)});
}

}  // namespace vemu::view
