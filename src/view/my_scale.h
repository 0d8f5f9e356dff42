// The view transform of one paint surface: logical (world) coordinates to
// screen pixels by a zoom factor and an integer offset.
#pragma once

#include <cstdint>

#include "model/point.h"

namespace vemu::view {

using model::TPoint;

struct TRect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;
  friend bool operator==(const TRect&, const TRect&) = default;
};

// Round to nearest, halves to even (clamped to the 32-bit range; NaN gives
// the lowest value). Adding and taking away 1.5 * 2^52 leaves the value
// rounded to an integer by the processor's default mode, to nearest with
// halves to even, for every value inside the 32-bit range.
inline std::int32_t RoundEven(double value) {
  if (!(value > -2147483648.5)) return INT32_MIN;
  if (!(value < 2147483647.5)) return INT32_MAX;
  constexpr double kShift = 6755399441055744.0;
  const double rounded = (value + kShift) - kShift;
  return static_cast<std::int32_t>(rounded);
}
// 32-bit integer arithmetic wraps around, as the stored formats expect.
inline std::int32_t Wrap(std::int64_t value) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(value)); }
// A 64-bit value held to the 32-bit range.
inline std::int32_t Saturate(std::int64_t value) {
  return value < INT32_MIN ? INT32_MIN : value > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(value);
}

class TMyScale {
 public:
  double Scale = 1.0;
  std::int32_t OriginX = 0;
  std::int32_t OriginY = 0;
  TRect MaxRect;
  TRect ItemsRect;
  TRect WinRect;

  void SetScale(double value);
  void MoveBy(std::int32_t dx, std::int32_t dy) {
    OriginX = Wrap(std::int64_t{OriginX} + dx);
    OriginY = Wrap(std::int64_t{OriginY} + dy);
  }
  // Results beyond the 32-bit range saturate: a far-off point stays on its
  // side of the screen instead of wrapping round to the other.
  std::int32_t XToScreen(std::int32_t x) const { return Saturate(std::int64_t{RoundEven(x * Scale)} + OriginX); }
  std::int32_t YToScreen(std::int32_t y) const { return Saturate(std::int64_t{RoundEven(y * Scale)} + OriginY); }
  std::int32_t XToLogical(std::int32_t x) const {
    return RoundEven(static_cast<double>(std::int64_t{x} - OriginX) / Scale);
  }
  std::int32_t YToLogical(std::int32_t y) const {
    return RoundEven(static_cast<double>(std::int64_t{y} - OriginY) / Scale);
  }
  TPoint LogicalToScreen(TPoint p) const { return {XToScreen(p.x), YToScreen(p.y)}; }
  TPoint ScreenToLogical(TPoint p) const { return {XToLogical(p.x), YToLogical(p.y)}; }
};

}  // namespace vemu::view
