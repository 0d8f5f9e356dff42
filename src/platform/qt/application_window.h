// The application's own window beside its top-level windows: on X11 the
// client leader that the toolkit makes and names in WM_CLIENT_LEADER.
#pragma once

#include <cstdint>

class QWidget;

namespace vemu::platform {

// 0 when the platform has no such window (or the window is not shown yet).
std::uint64_t ApplicationWindowHandle(const QWidget& topLevel);

}  // namespace vemu::platform
