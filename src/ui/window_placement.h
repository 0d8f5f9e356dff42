// The arithmetic of the main window's placement from SETTINGS.INI: the
// window's rectangle, and the rows and order of the tool bars in the tool-bar
// area from their stored left and top edges. Plain values, no windows.
#pragma once

#include <optional>
#include <vector>

namespace vemu::ui {

struct PlacementRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PlacementRect&) const = default;
};

struct WindowPlacement {
  PlacementRect rect;
  bool maximised = false;
};

// The stored window keys; absent keys are empty.
struct StoredWindowRect {
  std::optional<int> left, top, width, height;
};

// Room kept above the window's own rectangle for the title bar and frame
// that the window system adds.
inline constexpr int kTitleBarAllowance = 32;

// Where the window goes, given the available areas of the screens (the
// primary first). A "Left" of -1 (or none) centres the window on the
// primary screen at its current size (its top left corner held on the
// screen when the window is the larger). Otherwise the stored edges and size
// apply, each falling back to the current one; a size below one pixel keeps
// the current size. The window goes on the screen its title bar overlaps
// most, centred on the primary screen when it overlaps none, and is then
// held inside that screen: its size (with the title bar's allowance) fits
// the screen's available area and so its title bar lies on it.
// `maximisedRemnant` (the second build): a rectangle left behind by a
// maximised window (left and top below 0, wider than the screen) becomes a
// quarter-screen rectangle and the window is maximised.
WindowPlacement PlaceWindow(const StoredWindowRect& stored, const PlacementRect& current,
                            const std::vector<PlacementRect>& screens, bool maximisedRemnant);

// A tool bar's stored place in the tool-bar area.
struct BarPlace {
  int left = 0;
  int top = 0;
};

// The bars in rows: a bar's row is its top edge in steps of `rowPitch`
// pixels from the first row (at top 2, rounded to the nearest row); rows
// that hold no bar are left out; inside a row the bars go by their left
// edge, ties in the given order. Returns the bars' indices row by row.
std::vector<std::vector<int>> ArrangeBarRows(const std::vector<BarPlace>& places, int rowPitch);

}  // namespace vemu::ui
