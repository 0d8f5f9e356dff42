// The geometry requests of the canvas gestures on a shown level built from
// plain points: the hit test, the free place search and the links' kick of
// a node made current (answered by `geometry`, which reads the requests).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "model/point.h"

namespace testdrive {

// The index of the member hit at `p` (logical), or none.
std::optional<std::size_t> NodeAtAmong(const std::vector<vemu::model::TPoint>& members, vemu::model::TPoint p,
                                       double scale);

// The free spot between p1 and p2; `tried` receives the candidates in order.
vemu::model::TPoint FreePlaceAmong(const std::vector<vemu::model::TPoint>& members, vemu::model::TPoint p1,
                                   vemu::model::TPoint p2, int gridStep, double scale,
                                   std::vector<vemu::model::TPoint>& tried);

// A link between two members (indices) of the given kind.
struct LinkSpec {
  std::size_t from = 0;
  std::size_t to = 0;
  std::uint8_t kind = 6;
};
// A drawn link's swing after the kick.
struct LinkSwing {
  std::int32_t Countdown = 0;
  vemu::model::TPoint SwingPoint, RestPoint, CurPoint;
};
// Members at `nodes`, the links made in order, then member `current` made
// current as the main window does: its own links and the links that point
// at it swing. The links' state afterwards, in the order given.
std::vector<LinkSwing> KickAtCurrent(const std::vector<vemu::model::TPoint>& nodes,
                                     const std::vector<LinkSpec>& links, std::size_t current);

}  // namespace testdrive
