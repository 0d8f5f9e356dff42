#include "ui/window_placement.h"

#include <algorithm>
#include <map>

namespace vemu::ui {

namespace {

using Wide = long long;

PlacementRect Centred(int width, int height, const PlacementRect& screen) {
  return {screen.left + static_cast<int>((Wide{screen.width} - width) / 2),
          screen.top + static_cast<int>((Wide{screen.height} - height) / 2), width, height};
}

Wide OverlapArea(const PlacementRect& a, const PlacementRect& b) {
  const Wide w = std::min(Wide{a.left} + a.width, Wide{b.left} + b.width) - std::max(Wide{a.left}, Wide{b.left});
  const Wide h = std::min(Wide{a.top} + a.height, Wide{b.top} + b.height) - std::max(Wide{a.top}, Wide{b.top});
  return w > 0 && h > 0 ? w * h : 0;
}

// The size fits the screen with the title bar's allowance; the rectangle
// is moved inside the screen, the title bar's allowance above it included.
PlacementRect HeldInside(PlacementRect rect, const PlacementRect& screen) {
  rect.width = std::max(1, std::min(rect.width, screen.width));
  rect.height = std::max(1, std::min(rect.height, screen.height - kTitleBarAllowance));
  const Wide right = Wide{screen.left} + screen.width - rect.width;
  const Wide bottom = Wide{screen.top} + screen.height - kTitleBarAllowance - rect.height;
  rect.left = static_cast<int>(std::clamp<Wide>(rect.left, screen.left, std::max<Wide>(screen.left, right)));
  rect.top = static_cast<int>(std::clamp<Wide>(rect.top, screen.top, std::max<Wide>(screen.top, bottom)));
  return rect;
}

}  // namespace

WindowPlacement PlaceWindow(const StoredWindowRect& stored, const PlacementRect& current,
                            const std::vector<PlacementRect>& screens, bool maximisedRemnant) {
  const PlacementRect primary = screens.empty() ? PlacementRect{0, 0, 1024, 768} : screens.front();
  WindowPlacement placement;
  const int left = stored.left.value_or(-1);
  if (left == -1) {
    // The designed size, centred; on a screen smaller than the window the
    // title bar still starts on it.
    placement.rect = Centred(current.width, current.height, primary);
    placement.rect.left = std::max(placement.rect.left, primary.left);
    placement.rect.top = std::max(placement.rect.top, primary.top);
    return placement;
  }
  PlacementRect rect{left, stored.top.value_or(current.top), stored.width.value_or(current.width),
                     stored.height.value_or(current.height)};
  if (rect.width < 1 || rect.height < 1) {
    rect.width = current.width;
    rect.height = current.height;
  }
  if (maximisedRemnant && rect.top < 0 && rect.left < 0 && rect.width > primary.width) {
    placement.rect = {primary.left + primary.width / 4, primary.top + primary.height / 4, primary.width / 2,
                      primary.height / 2};
    placement.maximised = true;
    return placement;
  }
  // The screen the title bar lies on most; a window stored on a screen that
  // is no longer there would open out of sight, so it is centred instead.
  const PlacementRect titleBar{rect.left, rect.top, rect.width, kTitleBarAllowance};
  const PlacementRect* onScreen = nullptr;
  Wide best = 0;
  for (const PlacementRect& screen : screens) {
    const Wide area = OverlapArea(titleBar, screen);
    if (area > best) {
      best = area;
      onScreen = &screen;
    }
  }
  if (!onScreen) rect = Centred(std::min(rect.width, primary.width), std::min(rect.height, primary.height), primary);
  placement.rect = HeldInside(rect, onScreen ? *onScreen : primary);
  return placement;
}

std::vector<std::vector<int>> ArrangeBarRows(const std::vector<BarPlace>& places, int rowPitch) {
  if (rowPitch < 1) rowPitch = 1;
  // Wide: a stored top may lie anywhere in the range of int.
  std::map<Wide, std::vector<int>> rows;
  for (int i = 0; i < static_cast<int>(places.size()); ++i) {
    const Wide offset = std::max<Wide>(0, Wide{places[static_cast<std::size_t>(i)].top} - 2);
    rows[(offset + rowPitch / 2) / rowPitch].push_back(i);
  }
  std::vector<std::vector<int>> result;
  for (auto& [row, bars] : rows) {
    std::stable_sort(bars.begin(), bars.end(), [&](int a, int b) {
      return places[static_cast<std::size_t>(a)].left < places[static_cast<std::size_t>(b)].left;
    });
    result.push_back(std::move(bars));
  }
  return result;
}

}  // namespace vemu::ui
