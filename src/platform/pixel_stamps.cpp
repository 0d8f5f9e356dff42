#include "platform/pixel_stamps.h"

#include <algorithm>
#include <climits>

namespace vemu::platform {

namespace {

// The store's budget: about 40 MB of runs, and the number of stamps.
constexpr std::size_t kMaxRuns = 8'000'000;
constexpr std::size_t kMaxStamps = 400'000;
constexpr std::size_t kMaxSightings = 100'000;

// One table slot per variant of the one-pixel pen, one per wider pen.
constexpr int kSegmentSlots = StampStore::kSegmentVariants + StampStore::kSegmentWidths - 1;

}  // namespace

namespace {

// The runs of the pixels the painter left in `region` of the scratch
// picture, from the anchor; unusable when one touches the region's border
// or is of neither role's colour.
Stamp ReadStamp(const QImage& scratch, const QRect& region, QPoint anchor) {
  Stamp stamp;
  std::int32_t left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
  for (int y = region.top(); y <= region.bottom(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
    int x = region.left();
    while (x <= region.right()) {
      const QRgb p = row[x];
      if (p == 0) {
        ++x;
        continue;
      }
      const bool edge = x == region.left() || y == region.top() || y == region.bottom();
      if (edge || (p != kStampRoleColor[0] && p != kStampRoleColor[1])) return Stamp{};
      int end = x + 1;
      while (end <= region.right() && row[end] == p && end - x < 0xFFFF) ++end;
      if (end > region.right()) return Stamp{};  // touches the right border
      const StampRun run{static_cast<std::int16_t>(y - anchor.y()), static_cast<std::int16_t>(x - anchor.x()),
                         static_cast<std::uint16_t>(end - x), p == kStampRoleColor[0] ? StampRole::Pen : StampRole::Brush};
      stamp.runs.push_back(run);
      left = std::min(left, std::int32_t{run.x});
      right = std::max(right, std::int32_t{run.x} + run.length);
      top = std::min(top, std::int32_t{run.y});
      bottom = std::max(bottom, std::int32_t{run.y} + 1);
      x = end;
    }
  }
  stamp.usable = true;
  if (!stamp.runs.empty()) stamp.left = left, stamp.top = top, stamp.right = right, stamp.bottom = bottom;
  stamp.runs.shrink_to_fit();
  return stamp;
}

void PaintInto(QImage& scratch, const std::function<void(QPainter&)>& paint) {
  QPainter painter(&scratch);
  painter.setRenderHint(QPainter::Antialiasing, false);
  paint(painter);
}

}  // namespace

Stamp MakeStamp(int width, int height, QPoint anchor, const std::function<void(QPainter&)>& paint, int rows) {
  if (width < 3 || height < 3 || width > 4096 || height > 4096) return Stamp{};
  QImage scratch(width, height, QImage::Format_ARGB32_Premultiplied);
  if (scratch.isNull()) return Stamp{};
  scratch.fill(0);
  PaintInto(scratch, paint);
  if (rows < 0 || rows > height) rows = height;
  return ReadStamp(scratch, QRect(0, 0, width, rows), anchor);
}

Stamp MakeStampInPlace(QSize picture, const QRect& region, const std::function<void(QPainter&)>& paint) {
  static QImage scratch;
  const QRect inside = region.intersected(QRect(QPoint(), picture));
  if (inside.width() < 3 || inside.height() < 3 || inside.width() > 4096 || inside.height() > 4096) return Stamp{};
  if (scratch.size() != picture) {
    scratch = QImage(picture, QImage::Format_ARGB32_Premultiplied);
    if (scratch.isNull()) return Stamp{};
    scratch.fill(0);
  }
  PaintInto(scratch, paint);
  Stamp stamp = ReadStamp(scratch, inside, QPoint());
  // The region is cleared for the next stamp (the shape stays within it;
  // one that reaches its border is unusable anyway).
  for (int y = inside.top(); y <= inside.bottom(); ++y)
    std::fill_n(reinterpret_cast<QRgb*>(scratch.scanLine(y)) + inside.left(), inside.width(), 0u);
  return stamp;
}

const Stamp* StampStore::Find(std::string_view key) const {
  const auto it = byKey_.find(key);
  return it == byKey_.end() ? nullptr : it->second;
}

const Stamp& StampStore::Add(std::string_view key, Stamp stamp) {
  Budget(stamp);
  const Stamp& kept = stamps_.emplace_back(std::move(stamp));
  byKey_.emplace(std::string(key), &kept);
  return kept;
}

bool StampStore::SeenBefore(std::string_view key) {
  if (sightings_.size() >= kMaxSightings) sightings_.clear();
  return !sightings_.insert(KeyHash{}(key)).second;
}

const Stamp& StampStore::Keep(Stamp stamp) {
  Budget(stamp);
  return stamps_.emplace_back(std::move(stamp));
}

const StampRun* StampStore::AddSegment(int width, int variant, int dx, int dy, const Stamp& stamp) {
  Budget(stamp);
  if (segments_.empty())
    segments_.assign(static_cast<std::size_t>(kSegmentSlots) * StampStore::kSegmentSide * StampStore::kSegmentSide, 0);
  const auto at = static_cast<std::int32_t>(flat_.size());
  const bool usable = stamp.usable && stamp.runs.size() <= 0xFFFF;
  flat_.push_back({static_cast<std::int16_t>(stamp.top), static_cast<std::int16_t>(stamp.left),
                   static_cast<std::uint16_t>(usable ? stamp.runs.size() : 0), usable ? StampRole::Pen : StampRole::Brush});
  flat_.push_back({static_cast<std::int16_t>(stamp.bottom), static_cast<std::int16_t>(stamp.right), 0, StampRole::Pen});
  if (usable) flat_.insert(flat_.end(), stamp.runs.begin(), stamp.runs.end());
  if (SegmentFits(width, variant, dx, dy)) segments_[SegmentIndex(width, variant, dx, dy)] = at + 1;
  return flat_.data() + at;
}

void StampStore::Budget(const Stamp& stamp) {
  if (runs_ + stamp.runs.size() > kMaxRuns || stamps_.size() >= kMaxStamps) Clear();
  runs_ += stamp.runs.size();
}

void StampStore::Clear() {
  byKey_.clear();
  segments_.clear();
  flat_.clear();
  sightings_.clear();
  stamps_.clear();
  runs_ = 0;
  ++generation_;
}

StampStore& DrawingStamps() {
  static StampStore store;
  return store;
}

}  // namespace vemu::platform
