// Values every painter of the view shares.
#pragma once

namespace vemu::view {

// Size in pixels of the arrow heads (8 at start; the main window sets 6,
// then the settings window its own value).
extern int ArrowSize;
// Countdown units a swinging link loses per tick, 1 to 10.
extern int LineSpeed;

}  // namespace vemu::view
