#include "view/view_commands.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace vemu::view {

using model::TheLine;
using model::TheNode;

TRect ItemsRectOf(const TheNode* shownLevel, std::int32_t clientRight, std::int32_t clientBottom) {
  TRect box;
  bool any = false;
  if (shownLevel) {
    for (const TheLine* l = shownLevel->FirstLine.get(); l; l = l->Next.get()) {
      if (l->Kind != model::alHaveItem || !l->Node) continue;
      const TheNode* m = l->Node;
      if (!any) {
        box = {m->X, m->Y, m->X, m->Y};
        any = true;
        continue;
      }
      box.Left = std::min(box.Left, m->X);
      box.Top = std::min(box.Top, m->Y);
      box.Right = std::max(box.Right, m->X);
      box.Bottom = std::max(box.Bottom, m->Y);
    }
  }
  if (!any) {
    const std::int64_t cx = clientRight / 2;
    const std::int64_t cy = clientBottom / 2;
    return {Saturate(cx - kItemsMargin), Saturate(cy - kItemsMargin), Saturate(cx + kItemsMargin),
            Saturate(cy + kItemsMargin)};
  }
  // Members at the edge of the coordinate range keep their box on their side.
  return {Saturate(std::int64_t{box.Left} - kItemsMargin), Saturate(std::int64_t{box.Top} - kItemsMargin),
          Saturate(std::int64_t{box.Right} + kItemsMargin), Saturate(std::int64_t{box.Bottom} + kItemsMargin)};
}

namespace {

// One bar from the visible span [viewStart, viewEnd) within the extent [extentStart, extentEnd).
void SetBar(ScrollBarState& bar, std::int64_t viewStart, std::int64_t viewEnd, std::int64_t extentStart,
            std::int64_t extentEnd, ScrollRule rule) {
  const std::int64_t view = viewEnd - viewStart;
  const std::int64_t extent = extentEnd - extentStart;
  if (view < 1 || extent < 1) {
    bar.PageSize = kScrollMax;
    bar.Position = 0;
    return;
  }
  const double ext = static_cast<double>(extent);
  bar.PageSize = RoundEven(static_cast<double>(view) / ext * kScrollMax);
  const double start = static_cast<double>(viewStart - extentStart) / ext * kScrollMax;
  bar.Position = static_cast<std::int32_t>(std::trunc(start)) + (rule == ScrollRule::Full ? 1 : 0);
  bar.LargeChange = bar.PageSize / 2 + 1;
}

// Step 1 of a scroll: the bar's numbers held to its range.
void HoldToRange(ScrollBarState& bar) {
  bar.PageSize = std::clamp(bar.PageSize, 1, kScrollMax);
  if (std::int64_t{bar.Position} + bar.PageSize > kScrollMax) bar.Position = kScrollMax - bar.PageSize;
  if (bar.Position < 0) bar.Position = 0;
}

// The screen coordinate of the extent that the middle of the thumb denotes.
std::int64_t ThumbMiddle(const ScrollBarState& bar, std::int32_t extentStart, std::int32_t extentEnd) {
  const double extent = static_cast<double>(std::int64_t{extentEnd} - extentStart);
  const double middle = static_cast<double>(bar.Position + bar.PageSize / 2) / kScrollMax;
  return std::int64_t{RoundEven(middle * extent)} + extentStart;
}

}  // namespace

void UpdateScrollBarsOf(TMyScale& view, const TRect& clip, ScrollBarState& horizontal, ScrollBarState& vertical,
                        ScrollRule rule) {
  view.WinRect = clip;
  const TRect& w = view.WinRect;
  const TRect& items = view.ItemsRect;
  view.MaxRect = {std::min(view.XToScreen(items.Left), w.Left), std::min(view.YToScreen(items.Top), w.Top),
                  std::max(view.XToScreen(items.Right), w.Right), std::max(view.YToScreen(items.Bottom), w.Bottom)};
  const TRect& m = view.MaxRect;
  SetBar(horizontal, w.Left, w.Right, m.Left, m.Right, rule);
  SetBar(vertical, w.Top, w.Bottom, m.Top, m.Bottom, rule);
}

void ScrollViewToBars(TMyScale& view, ScrollBarState& horizontal, ScrollBarState& vertical) {
  HoldToRange(horizontal);
  HoldToRange(vertical);
  const TRect& m = view.MaxRect;
  const std::int64_t cx = view.WinRect.Right / 2;
  const std::int64_t cy = view.WinRect.Bottom / 2;
  const std::int64_t px = ThumbMiddle(horizontal, m.Left, m.Right);
  const std::int64_t py = ThumbMiddle(vertical, m.Top, m.Bottom);
  view.MoveBy(Saturate(cx - px), Saturate(cy - py));
}

std::string ScaleStatusText(double scale) {
  // Always with a point, whatever the user's locale says.
  char digits[64];
  const auto done = std::to_chars(digits, digits + sizeof digits, 100.0 * scale, std::chars_format::fixed, 1);
  std::string number(digits, done.ec == std::errc() ? done.ptr : digits);
  if (number.size() < 4) number.insert(0, 4 - number.size(), ' ');
  return "Scale " + number + "%";
}

std::optional<double> ZoomedIn(double scale) {
  if (!(scale < kZoomInLimit)) return std::nullopt;
  return scale * kZoomStep;
}

std::optional<double> ZoomedOut(double scale) {
  if (!(scale > kZoomOutLimit)) return std::nullopt;
  return scale / kZoomStep;
}

TPoint ShiftOnto(TPoint target, TPoint to) {
  return {Saturate(std::int64_t{target.x} - to.x), Saturate(std::int64_t{target.y} - to.y)};
}

void ViewCommands::ComputeItemsRect() {
  const TRect client = host_.PaintBoxRect();
  host_.View().ItemsRect = ItemsRectOf(host_.ShownLevel(), client.Right, client.Bottom);
}

void ViewCommands::UpdateScrollBars() {
  UpdateScrollBarsOf(host_.View(), host_.PaintBoxRect(), ScrollBar1, ScrollBar2, host_.Rule());
  host_.ShowScrollBars(ScrollBar1, ScrollBar2);
}

void ViewCommands::SetZoom(double value) {
  TMyScale& view = host_.View();
  view.SetScale(value);
  host_.SetStatusText(2, ScaleStatusText(view.Scale));
  UpdateScrollBars();
}

bool ViewCommands::ZoomIn() {
  const std::optional<double> next = ZoomedIn(host_.View().Scale);
  if (next) SetZoom(*next);
  return next.has_value();
}

bool ViewCommands::ZoomOut() {
  const std::optional<double> next = ZoomedOut(host_.View().Scale);
  if (next) SetZoom(*next);
  return next.has_value();
}

void ViewCommands::DefaultScale() {
  SetZoom(kDefaultScale);
  TMyScale& view = host_.View();
  view.OriginX = 0;
  view.OriginY = 0;
  view.WinRect = host_.PaintBoxRect();
  ComputeItemsRect();
  UpdateScrollBars();
  host_.Redraw();
}

void ViewCommands::CenterScreen(TPoint mousePoint) {
  const TRect r = host_.PaintBoxRect();
  const TPoint d = ShiftOnto({r.Right / 2, r.Bottom / 2}, mousePoint);
  host_.View().MoveBy(d.x, d.y);
  host_.SetStatusText(2, "dx=" + std::to_string(d.x) + " dy=" + std::to_string(d.y));
  UpdateScrollBars();
  host_.Redraw();
}

void ViewCommands::CenterOn(TPoint p) {
  const TRect r = host_.PaintBoxRect();
  TMyScale& view = host_.View();
  const TPoint d = ShiftOnto({(r.Right - r.Left) / 2, (r.Bottom - r.Top) / 4}, view.LogicalToScreen(p));
  view.MoveBy(d.x, d.y);
  UpdateScrollBars();
  host_.Redraw();
}

void ViewCommands::Scroll() {
  ScrollViewToBars(host_.View(), ScrollBar1, ScrollBar2);
  UpdateScrollBars();
  host_.Redraw();
}

}  // namespace vemu::view
