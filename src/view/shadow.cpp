#include "view/shadow.h"

#include <array>
#include <cmath>
#include <limits>
#include <numbers>

#include "view/my_scale.h"

namespace vemu::view {

namespace {

// The wobble of one coordinate: round(5 * wave(2 pi d / 360)) for every
// d = (phase + v) rem 360 (-359 to 359), worked out once per wave.
struct Wobbles {
  std::array<std::int8_t, 719> byDegrees;
  template <typename Wave>
  explicit Wobbles(Wave wave) {
    for (int d = -359; d <= 359; ++d)
      byDegrees[static_cast<std::size_t>(d + 359)] =
          static_cast<std::int8_t>(RoundEven(5 * wave(2 * std::numbers::pi * static_cast<double>(d) / 360)));
  }
};

std::int32_t Shadowed(std::int32_t phase, std::int32_t v, const Wobbles& wobbles) {
  const std::int64_t degrees = (std::int64_t{phase} + v) % 360;  // negative for a negative sum
  const std::int64_t wobble = wobbles.byDegrees[static_cast<std::size_t>(degrees + 359)];
  const std::int64_t shadowed = std::int64_t{v} + 15 + wobble;
  // Saturated: a shadow never jumps to the other side of the plane.
  if (shadowed > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (shadowed < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(shadowed);
}

}  // namespace

std::int32_t ShadowX(std::int32_t Phase, std::int32_t x) {
  static const Wobbles sines([](double a) { return std::sin(a); });
  return Shadowed(Phase, x, sines);
}

std::int32_t ShadowY(std::int32_t Phase, std::int32_t y) {
  static const Wobbles cosines([](double a) { return std::cos(a); });
  return Shadowed(Phase, y, cosines);
}

TPoint ShadowOffset(std::int32_t Phase, TPoint S) { return {ShadowX(Phase, S.x), ShadowY(Phase, S.y)}; }

void ResetPhase(std::int32_t& Phase) { Phase = 0; }

void AdvancePhase(std::int32_t& Phase) {
  Phase = Wrap(std::int64_t{Phase} + 10);
  if (Phase > 360) Phase = 0;
}

void TickCounter(std::int32_t& C) {
  C = Wrap(std::int64_t{C} + 1);
  if (C > 360) C = 0;
}

}  // namespace vemu::view
