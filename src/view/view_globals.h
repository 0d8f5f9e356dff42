// Values every painter of the view shares.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace vemu::view {

// Size in pixels of the arrow heads (8 at start; the main window sets 6,
// then the settings window its own value).
extern int ArrowSize;
// Countdown units a swinging link loses per tick, 1 to 10.
extern int LineSpeed;

// The ranges of the settings' up-downs. Values from start.txt or an edit
// are held to them where they are used, so a damaged file cannot make a pen
// of a million pixels.
constexpr int kArrowSizeMax = 30;        // "Arrow size"
constexpr int kTextArrowSizeMax = 100;   // the arrow of a text note's pointer
constexpr int kLineWidthMin = 1;         // "Color and width of line 0" to "... 2"
constexpr int kLineWidthMax = 10;
inline int ClampArrowSize(int size) { return std::clamp(size, 0, kArrowSizeMax); }
inline int ClampTextArrowSize(int size) { return std::clamp(size, 0, kTextArrowSizeMax); }
inline int ClampLineWidth(int width) { return std::clamp(width, kLineWidthMin, kLineWidthMax); }

// The most of a text the drawing lays out as one label (a name, a value, a
// line of a text note): a longer text shows its beginning. A label this
// long is wider than any picture; the bound keeps a huge value from costing
// seconds and gigabytes on every frame.
constexpr std::size_t kLabelBytesMax = 1000;
// The most of a text note's value whose lines are laid out.
constexpr std::size_t kTextNoteBytesMax = 16000;
inline std::string_view LabelPart(std::string_view text) { return text.substr(0, kLabelBytesMax); }

// Keeps ArrowSize as it was found, on every way out of a scope.
class ArrowSizeKeeper {
 public:
  ArrowSizeKeeper() : saved_(ArrowSize) {}
  ~ArrowSizeKeeper() { ArrowSize = saved_; }
  ArrowSizeKeeper(const ArrowSizeKeeper&) = delete;
  ArrowSizeKeeper& operator=(const ArrowSizeKeeper&) = delete;
  int Saved() const { return saved_; }

 private:
  int saved_;
};

}  // namespace vemu::view
