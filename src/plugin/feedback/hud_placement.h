#pragma once

// Where the heads-up panel stands over a window: centred horizontally on the
// frame, its centre at 1/1.6 of the frame's height, then kept inside the
// screen's visible frame with a 10-point margin.

#include "platform/geometry.h"

namespace vantro::feedback {

inline constexpr Size kHudSize{250, 133};

Point hudOrigin(const Rect& frame, const Rect& visibleFrame, Size hud = kHudSize);

} // namespace vantro::feedback
