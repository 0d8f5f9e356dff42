#include "ui/window_placement.h"

#include <algorithm>
#include <map>

namespace vemu::ui {

namespace {

PlacementRect Centred(int width, int height, const PlacementRect& screen) {
  return {screen.left + static_cast<int>((static_cast<long long>(screen.width) - width) / 2),
          screen.top + static_cast<int>((static_cast<long long>(screen.height) - height) / 2), width, height};
}

bool Overlaps(const PlacementRect& a, const PlacementRect& b) {
  using Wide = long long;
  return Wide{a.left} < Wide{b.left} + b.width && Wide{b.left} < Wide{a.left} + a.width &&
         Wide{a.top} < Wide{b.top} + b.height && Wide{b.top} < Wide{a.top} + a.height;
}

}  // namespace

WindowPlacement PlaceWindow(const StoredWindowRect& stored, const PlacementRect& current,
                            const PlacementRect& screen, bool maximisedRemnant) {
  WindowPlacement placement;
  const int left = stored.left.value_or(-1);
  if (left == -1) {
    placement.rect = Centred(current.width, current.height, screen);
    return placement;
  }
  PlacementRect rect{left, stored.top.value_or(current.top), stored.width.value_or(current.width),
                     stored.height.value_or(current.height)};
  if (rect.width < 1 || rect.height < 1) {
    rect.width = current.width;
    rect.height = current.height;
  }
  if (maximisedRemnant && rect.top < 0 && rect.left < 0 && rect.width > screen.width) {
    placement.rect = {screen.left + screen.width / 4, screen.top + screen.height / 4, screen.width / 2,
                      screen.height / 2};
    placement.maximised = true;
    return placement;
  }
  // A window stored on a screen that is no longer there would open out of
  // sight.
  placement.rect = Overlaps(rect, screen) ? rect : Centred(rect.width, rect.height, screen);
  return placement;
}

std::vector<std::vector<int>> ArrangeBarRows(const std::vector<BarPlace>& places, int rowPitch) {
  if (rowPitch < 1) rowPitch = 1;
  std::map<int, std::vector<int>> rows;
  for (int i = 0; i < static_cast<int>(places.size()); ++i) {
    const int offset = std::max(0, places[static_cast<std::size_t>(i)].top - 2);
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
