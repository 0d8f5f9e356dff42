// The preview window's own view and its borrowing of the main window's
// redraw: the preview has no painter of its own, so for one redraw it lends
// its view and its level to the main window and takes both back.
#pragma once

#include <optional>

#include "model/graph.h"
#include "view/my_scale.h"
#include "view/view_commands.h"

namespace vemu::view {

// The preview zooms by 1.4 a step, with the main window's limits tested
// before the step; its default scale is 0.5 with the origin at (0, 0).
inline constexpr double kPreviewZoomStep = 1.4;
inline constexpr double kPreviewDefaultScale = 0.5;

// Every field of source into dest.
void CopyScale(TMyScale& dest, const TMyScale& source);

// The next scale of a preview zoom step, or nothing at the limit.
std::optional<double> PreviewZoomedIn(double scale);
std::optional<double> PreviewZoomedOut(double scale);

// A newly shown level: the window's clip rectangle, scale 0.5, origin (0, 0).
void ResetPreviewView(TMyScale& own, const TRect& clip);
// The pop-up's default scale: 0.5 about the window centre, then origin (0, 0).
void PreviewDefaultScale(TMyScale& own);

// For its lifetime the main view shows `own` and the graph's shown level is
// `shown`; the destructor puts back the main view (parked in `saved`) and
// the former shown level, also when the paint in between throws. Whatever
// the paint changed in the borrowed view is dropped.
class BorrowedLevel {
 public:
  BorrowedLevel(TMyScale& mainView, model::TheBaseOfGraf& graph, const TMyScale& own, model::TheNode* shown,
                TMyScale& saved);
  ~BorrowedLevel();
  BorrowedLevel(const BorrowedLevel&) = delete;
  BorrowedLevel& operator=(const BorrowedLevel&) = delete;

 private:
  TMyScale& mainView_;
  model::TheBaseOfGraf& graph_;
  TMyScale& saved_;
  model::TheNode* formerLevel_;
};

}  // namespace vemu::view
