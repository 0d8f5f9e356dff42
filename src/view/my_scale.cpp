#include "view/my_scale.h"

namespace vemu::view {

void TMyScale::SetScale(double value) {
  const TPoint c{WinRect.Right / 2, WinRect.Bottom / 2};
  const TPoint l{XToLogical(c.x), YToLogical(c.y)};
  Scale = value;
  OriginX = Wrap(std::int64_t{OriginX} + c.x - XToScreen(l.x));
  OriginY = Wrap(std::int64_t{OriginY} + c.y - YToScreen(l.y));
}

}  // namespace vemu::view
