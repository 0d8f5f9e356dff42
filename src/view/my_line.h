// A drawn link: a TheLine whose middle swings sideways when it is made or
// when one of its ends moves, and settles on the midpoint of its ends.
#pragma once

#include "model/graph.h"
#include "model/point.h"

namespace vemu::view {

using model::TPoint;

class TMyLine : public model::TheLine {
 public:
  // A link held by n1 and pointing at n2 (either may be null).
  TMyLine(const model::TheNode* n1, const model::TheNode* n2);

  std::int32_t Countdown = 100;
  TPoint SwingPoint;
  TPoint RestPoint;
  TPoint CurPoint;

  // Kicks the middle sideways from the midpoint of n1 and n2 (the start of
  // a swing, as at creation).
  void Arm(const model::TheNode* n1, const model::TheNode* n2);
  // Starts a swing around the midpoint of `current` and `other`, kicked
  // sideways by their distance divided by `divisor`.
  void KickAround(const model::TheNode* current, const model::TheNode* other, int divisor);
  // One animation step. lineMoves: the "Line Moves" setting; lineSpeed: the
  // countdown units per step, put back to 1 when outside 1 to 10.
  void Step(bool lineMoves, int& lineSpeed);
  // One animation step at the shared LineSpeed.
  void Step(bool lineMoves);
  // Puts the middle at rest (a link read from a file does not swing).
  void SetAtRest() {
    SwingPoint = RestPoint;
    CurPoint = RestPoint;
  }
};

// The drawn link behind a link of the graph. Every link the graph makes is
// one (model::CreateLink); a link object of another class handed to the
// graph gives null, and so does null.
TMyLine* AsMyLine(model::TheLine* l);
const TMyLine* AsMyLine(const model::TheLine* l);

// Makes the links at a node that has just become current swing: its own
// links (kick 1/10) and the links of the members of `level` that point at
// it (kick 1/20).
void SwingLinksAt(model::TheNode* current, const model::TheNode* level);

}  // namespace vemu::view
