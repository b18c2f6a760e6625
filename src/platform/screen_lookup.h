#pragma once

// Which screen a window is on: the one that holds most of its frame.

#include "platform/geometry.h"

#include <vector>

namespace vantro::platform {

// Index of the screen whose frame overlaps `frame` most (the first of equals),
// or -1 when it overlaps none, has no area, or there are no screens.
int screenHoldingMostOf(const Rect& frame, const std::vector<Screen>& screens);

} // namespace vantro::platform
