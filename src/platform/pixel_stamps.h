// Stamps: small shapes painted once and then copied pixel by pixel.
//
// The drawing paints without smoothing and in opaque colours, so a shape
// covers the same pixels wherever it is drawn, moved by whole pixels, and
// each covered pixel takes the pen's or the brush's colour. A stamp keeps
// those pixels of a shape painted once into a scratch picture, as runs
// along the rows, each run marked with the role that coloured it; copying
// it writes the roles' present colours straight into the picture. Shapes
// that come back frame after frame (pieces of a wire, symbol outlines,
// junction boxes, labels) then cost a few memory writes each.
#pragma once

#include <QImage>
#include <QPainter>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace vemu::platform {

enum class StampRole : std::uint8_t { Pen = 0, Brush = 1 };

// The colours a stamp is painted in, one per role; any other pixel the
// painter leaves makes the stamp unusable.
inline constexpr QRgb kStampRoleColor[2] = {0xFFFF0000u, 0xFF0000FFu};

struct StampRun {
  std::int16_t y;  // row, from the anchor
  std::int16_t x;  // first column, from the anchor
  std::uint16_t length;
  StampRole role;
};

struct Stamp {
  // False when the painter left pixels of neither role (smoothed edges) or
  // reached the scratch picture's border: then the shape is painted as it is.
  bool usable = false;
  // The box of the runs, from the anchor: columns left .. right - 1, rows top .. bottom - 1.
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  std::vector<StampRun> runs;
};

// Paints a stamp: `paint` draws in the role colours (kStampRoleColor) into a
// transparent scratch picture of width x height pixels whose anchor is at
// `anchor`; the pixels it leaves in the first `rows` rows (all when
// negative) become the runs. Rows below are the painter's to use for
// anything that is not part of the stamp.
Stamp MakeStamp(int width, int height, QPoint anchor, const std::function<void(QPainter&)>& paint, int rows = -1);

// Paints a stamp where the shape lies: `paint` draws at the picture's own
// coordinates into a transparent scratch picture of the picture's size, and
// the pixels it leaves in `region` become the runs, from the picture's
// origin. For shapes whose pixels depend on where they lie (curves of wide
// pens, by rounding): such a stamp is copied to its own place only.
Stamp MakeStampInPlace(QSize picture, const QRect& region, const std::function<void(QPainter&)>& paint);

// The pixel memory of an RGB32 picture that stamps are copied into.
struct StampTarget {
  uchar* bits = nullptr;
  qsizetype bytesPerLine = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// Writes the stamp with its anchor at (x, y) into the picture in the
// colours of its roles. Nothing is written, and false returned, when the
// stamp does not lie wholly inside the picture.
inline bool CopyStamp(const Stamp& stamp, const StampTarget& target, std::int32_t x, std::int32_t y,
                      const QRgb colors[2]) {
  if (!stamp.usable || !target.bits) return false;
  if (std::int64_t{x} + stamp.left < 0 || std::int64_t{y} + stamp.top < 0 ||
      std::int64_t{x} + stamp.right > target.width || std::int64_t{y} + stamp.bottom > target.height)
    return false;
  uchar* const origin = target.bits + static_cast<qsizetype>(y) * target.bytesPerLine + 4 * static_cast<qsizetype>(x);
  for (const StampRun& run : stamp.runs) {
    auto* p = reinterpret_cast<QRgb*>(origin + run.y * target.bytesPerLine) + run.x;
    const QRgb color = colors[static_cast<int>(run.role)];
    for (int i = 0; i < run.length; ++i) p[i] = color;
  }
  return true;
}

// Copies a segment's flat stamp (see StampStore::FindSegment) in one colour,
// as CopyStamp does.
inline bool CopyFlatStamp(const StampRun* header, const StampTarget& target, std::int32_t x, std::int32_t y,
                          QRgb color) {
  if (header->role != StampRole::Pen || !target.bits) return false;
  const StampRun& box = header[1];
  if (x + header->x < 0 || y + header->y < 0 || x + box.x > target.width || y + box.y > target.height) return false;
  uchar* const origin = target.bits + static_cast<qsizetype>(y) * target.bytesPerLine + 4 * static_cast<qsizetype>(x);
  const StampRun* end = header + 2 + header->length;
  for (const StampRun* run = header + 2; run != end; ++run) {
    auto* p = reinterpret_cast<QRgb*>(origin + run->y * target.bytesPerLine) + run->x;
    for (int i = 0; i < run->length; ++i) p[i] = color;
  }
  return true;
}

// The stamps made so far, by a key of bytes; forgotten in one go when they
// grow past a budget, so the store's memory stays bounded.
class StampStore {
 public:
  const Stamp* Find(std::string_view key) const;
  const Stamp& Add(std::string_view key, Stamp stamp);
  // Whether the key was asked about before (a shape worth a stamp comes
  // back); the first time it is noted.
  bool SeenBefore(std::string_view key);
  // A stamp its maker keeps track of itself (by the generation).
  const Stamp& Keep(Stamp stamp);
  // The pieces of solid lines, by pen width, the line's extent and a
  // variant (0 or 1; one-pixel lines only, see ImageCanvas): found without
  // hashing. Null when the piece is too long or too wide for the table.
  static constexpr int kSegmentReach = 63;
  static constexpr int kSegmentWidths = 8;
  static constexpr int kSegmentVariants = 2;
  // They are kept flat, one after the other: a header run (y: top, x: left,
  // length: the number of runs that follow, role Pen when usable), a box
  // run (y: bottom, x: right), then the runs.
  const StampRun* FindSegment(int width, int variant, int dx, int dy) const {
    if (!SegmentFits(width, variant, dx, dy) || segments_.empty()) return nullptr;
    const std::int32_t at = segments_[SegmentIndex(width, variant, dx, dy)];
    return at ? flat_.data() + (at - 1) : nullptr;
  }
  // (Valid until the next segment is added.)
  const StampRun* AddSegment(int width, int variant, int dx, int dy, const Stamp& stamp);
  static bool SegmentFits(int width, int variant, int dx, int dy) {
    return width >= 1 && width <= kSegmentWidths && variant >= 0 && variant < kSegmentVariants &&
           (variant == 0 || width == 1) && dx >= -kSegmentReach && dx <= kSegmentReach &&
           dy >= -kSegmentReach && dy <= kSegmentReach;
  }
  void Clear();
  // Grows by one at every Clear: a stamp pointer kept elsewhere is valid
  // only in the generation it was found in.
  std::uint64_t Generation() const { return generation_; }

 private:
  struct KeyHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  static constexpr int kSegmentSide = 2 * kSegmentReach + 1;
  static std::size_t SegmentIndex(int width, int variant, int dx, int dy) {
    const int slot = width == 1 ? variant : kSegmentVariants + width - 2;
    return (static_cast<std::size_t>(slot) * kSegmentSide + static_cast<std::size_t>(dx + kSegmentReach)) *
               kSegmentSide +
           static_cast<std::size_t>(dy + kSegmentReach);
  }
  void Budget(const Stamp& stamp);

  std::unordered_map<std::string, const Stamp*, KeyHash, std::equal_to<>> byKey_;
  std::vector<std::int32_t> segments_;  // 1 + the header's place in flat_, 0 for none
  std::vector<StampRun> flat_;
  std::unordered_set<std::size_t> sightings_;
  std::deque<Stamp> stamps_;
  std::size_t runs_ = 0;
  std::uint64_t generation_ = 1;
};

// The one store of the drawing (the drawing runs on the user-interface thread).
StampStore& DrawingStamps();

}  // namespace vemu::platform
