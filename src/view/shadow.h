// The shadow of the drawing: every shadow lies 15 pixels right of and below
// its object, displaced by up to 5 more pixels in a pattern that depends on
// the screen position and drifts with the main window's shadow phase; and
// the phase and counter routines of the main window's animation.
#pragma once

#include <cstdint>

#include "model/point.h"

namespace vemu::view {

using model::TPoint;

// Silver: every shadow and the highlighted glyphs.
constexpr std::uint32_t kShadowColor = 0xC0C0C0;

// x + 15 + round(5 sin(2 pi ((phase + x) rem 360) / 360)).
std::int32_t ShadowX(std::int32_t Phase, std::int32_t x);
// y + 15 + round(5 cos(2 pi ((phase + y) rem 360) / 360)).
std::int32_t ShadowY(std::int32_t Phase, std::int32_t y);
// (ShadowX(phase, s.x), ShadowY(phase, s.y)).
TPoint ShadowOffset(std::int32_t Phase, TPoint S);

// Phase := 0.
void ResetPhase(std::int32_t& Phase);
// Phase += 10, then 0 when it is above 360.
void AdvancePhase(std::int32_t& Phase);
// C += 1, then 0 when it is above 360.
void TickCounter(std::int32_t& C);

}  // namespace vemu::view
