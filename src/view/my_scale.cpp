#include "view/my_scale.h"

#include <cmath>
#include <limits>

namespace vemu::view {

std::int32_t RoundEven(double value) {
  const double r = std::nearbyint(value);
  if (!(r >= std::numeric_limits<std::int32_t>::min())) return std::numeric_limits<std::int32_t>::min();
  if (!(r <= std::numeric_limits<std::int32_t>::max())) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(r);
}

void TMyScale::SetScale(double value) {
  const TPoint c{WinRect.Right / 2, WinRect.Bottom / 2};
  const TPoint l{XToLogical(c.x), YToLogical(c.y)};
  Scale = value;
  OriginX = Wrap(std::int64_t{OriginX} + c.x - XToScreen(l.x));
  OriginY = Wrap(std::int64_t{OriginY} + c.y - YToScreen(l.y));
}

}  // namespace vemu::view
