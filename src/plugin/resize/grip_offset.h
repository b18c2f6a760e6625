#pragma once

// Where the mouse grips a window at the start of a resize drag: its distance
// from the side the drag holds along each axis (the right edge and the bottom
// edge unless the drag holds the left or the top one), positive inside the
// window. During the drag the held sides keep this distance from the mouse,
// so a grip at a corner stays at the corner. A grip far from the held side
// (an edge grabbed in its middle) counts as one 20 points from it.

#include "platform/geometry.h"
#include "platform/platform.h"

namespace vantro::resize {

inline constexpr double kGripOffsetLimit = 20.0;

struct GripOffset {
    double x = 0; // inside the held left or right edge when positive
    double y = 0; // inside the held top or bottom edge when positive
    friend bool operator==(const GripOffset&, const GripOffset&) = default;
};

// Each distance whose absolute value exceeds the limit becomes the limit
// itself, positive also for a grip beyond the edge; a non-finite distance
// (a window of unknown size) also becomes the limit.
GripOffset gripOffsetFor(const Rect& frame, Point mouse,
                         unsigned edges = platform::kResizeRightEdge | platform::kResizeBottomEdge);

} // namespace vantro::resize
