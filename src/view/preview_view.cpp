#include "view/preview_view.h"

namespace vemu::view {

void CopyScale(TMyScale& dest, const TMyScale& source) {
  dest.Scale = source.Scale;
  dest.OriginX = source.OriginX;
  dest.OriginY = source.OriginY;
  dest.MaxRect = source.MaxRect;
  dest.ItemsRect = source.ItemsRect;
  dest.WinRect = source.WinRect;
}

std::optional<double> PreviewZoomedIn(double scale) {
  if (!(scale < kZoomInLimit)) return std::nullopt;
  return scale * kPreviewZoomStep;
}

std::optional<double> PreviewZoomedOut(double scale) {
  if (!(scale > kZoomOutLimit)) return std::nullopt;
  return scale / kPreviewZoomStep;
}

void ResetPreviewView(TMyScale& own, const TRect& clip) {
  own.WinRect = clip;
  own.Scale = kPreviewDefaultScale;
  own.OriginX = 0;
  own.OriginY = 0;
}

void PreviewDefaultScale(TMyScale& own) {
  own.SetScale(kPreviewDefaultScale);
  own.OriginX = 0;
  own.OriginY = 0;
}

BorrowedLevel::BorrowedLevel(TMyScale& mainView, model::TheBaseOfGraf& graph, const TMyScale& own,
                             model::TheNode* shown, TMyScale& saved)
    : mainView_(mainView), graph_(graph), saved_(saved), formerLevel_(graph.MainNode) {
  CopyScale(saved_, mainView_);
  CopyScale(mainView_, own);
  graph_.MainNode = shown;
}

BorrowedLevel::~BorrowedLevel() {
  graph_.MainNode = formerLevel_;
  CopyScale(mainView_, saved_);
}

}  // namespace vemu::view
