// The main window's view commands without the window: the items box of the
// shown level, the two scroll bars' numbers and the scrolling by them, the
// zoom steps and the default scale, centring. The window reaches them
// through ViewCommands and lends it what they need through ViewHost.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/graph.h"
#include "model/point.h"
#include "view/my_scale.h"

namespace vemu::view {

// Zoom: each step multiplies or divides the scale by 1.1, taken only while
// the scale is below 10.0 (in) or above 0.1 (out); the test comes before
// the step, so the scale can end just beyond those values.
inline constexpr double kZoomStep = 1.1;
inline constexpr double kZoomInLimit = 10.0;
inline constexpr double kZoomOutLimit = 0.1;
inline constexpr double kDefaultScale = 1.0;
// The items box reaches this many logical units beyond the outermost members.
inline constexpr std::int32_t kItemsMargin = 100;
// Both scroll bars count from 0 to this.
inline constexpr std::int32_t kScrollMax = 100;

// One scroll bar's numbers, as percentages of the scroll extent: Position is
// the left (top) edge of the visible part, PageSize its width (height),
// LargeChange the step of a click beside the thumb.
struct ScrollBarState {
  std::int32_t Position = 0;
  std::int32_t PageSize = kScrollMax;
  std::int32_t LargeChange = 1;
  friend bool operator==(const ScrollBarState&, const ScrollBarState&) = default;
};

// The full program shows a view at the start of the extent as position 1
// (one more than the truncated percentage); the second build as 0.
enum class ScrollRule { Full, SecondBuild };

// The bounding box of the shown level's members (the kind-1 links with a
// target, in list order) widened by kItemsMargin on every side; with no
// member (or no level) a 200 x 200 box around the paint box's centre
// (clientRight div 2, clientBottom div 2), its pixels taken as logical units.
TRect ItemsRectOf(const model::TheNode* shownLevel, std::int32_t clientRight, std::int32_t clientBottom);

// WinRect := clip; MaxRect := the union of WinRect and the items box carried
// to the screen; both bars from the two.
void UpdateScrollBarsOf(TMyScale& view, const TRect& clip, ScrollBarState& horizontal, ScrollBarState& vertical,
                        ScrollRule rule);

// Holds both bars to their range (page 1 to 100, position 0 to 100 - page)
// and moves the view's origin so that the point of the extent that the
// middle of the thumbs denotes comes to the window centre.
void ScrollViewToBars(TMyScale& view, ScrollBarState& horizontal, ScrollBarState& vertical);

// "Scale %4.1f%": the scale as a percentage with one decimal, padded on the
// left to at least four characters ("Scale 100.0%", "Scale  9.2%").
std::string ScaleStatusText(double scale);
// The next scale of a zoom step, or nothing at the limit.
std::optional<double> ZoomedIn(double scale);
std::optional<double> ZoomedOut(double scale);

// The shift that brings screen point `to` onto screen point `target`
// (held to the 32-bit range).
TPoint ShiftOnto(TPoint target, TPoint to);

// What the view commands need of the window that owns the view.
class ViewHost {
 public:
  virtual ~ViewHost() = default;
  // The view the commands act on.
  virtual TMyScale& View() = 0;
  // The client rectangle of the paint surface (the clip rectangle of its canvas).
  virtual TRect PaintBoxRect() const = 0;
  // The shown level; null when there is none.
  virtual const model::TheNode* ShownLevel() const = 0;
  virtual ScrollRule Rule() const = 0;
  virtual void SetStatusText(int panel, const std::string& text) = 0;
  // The bars' numbers changed: the window shows them.
  virtual void ShowScrollBars(const ScrollBarState& horizontal, const ScrollBarState& vertical) = 0;
  // The shown level painted again, with the gesture feedback.
  virtual void Redraw() = 0;
};

// The view commands of the main window, in the window's own order of steps.
class ViewCommands {
 public:
  explicit ViewCommands(ViewHost& host) : host_(host) {}

  // ScrollBar1 (horizontal) and ScrollBar2 (vertical).
  ScrollBarState ScrollBar1;
  ScrollBarState ScrollBar2;

  void ComputeItemsRect();
  void UpdateScrollBars();
  // New scale about the window centre, with the status text and the bars
  // (no redraw: the next tick shows it).
  void SetZoom(double value);
  // One zoom step; false at the limit (nothing changes).
  bool ZoomIn();
  bool ZoomOut();
  // Scale 1.0 with logical (0, 0) at the top-left corner, then the items
  // box, the bars and a redraw.
  void DefaultScale();
  // The point last under the mouse comes to the window centre.
  void CenterScreen(TPoint mousePoint);
  // Moves the view so that logical point p lands at (w div 2, h div 4) of
  // the paint box, then the bars and a redraw.
  void CenterOn(TPoint p);
  // The scroll event of either bar: both bars' own numbers are read.
  void Scroll();

 private:
  ViewHost& host_;
};

}  // namespace vemu::view
