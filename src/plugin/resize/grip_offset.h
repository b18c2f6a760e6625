#pragma once

// Where the mouse grips a window at the start of a resize drag: its distance
// from the window's right edge and from its bottom edge. During the drag the
// window's bottom-right corner keeps this distance from the mouse, so a grip
// at the corner stays at the corner. A grip far from the corner (an edge
// grabbed in its middle) counts as one 20 points from it.

#include "platform/geometry.h"

namespace vantro::resize {

inline constexpr double kGripOffsetLimit = 20.0;

struct GripOffset {
    double x = 0; // left of the right edge when positive
    double y = 0; // above the bottom edge when positive
    friend bool operator==(const GripOffset&, const GripOffset&) = default;
};

// Each distance whose absolute value exceeds the limit becomes the limit
// itself, positive also for a grip beyond the edge; a non-finite distance
// (a window of unknown size) also becomes the limit.
GripOffset gripOffsetFor(const Rect& frame, Point mouse);

} // namespace vantro::resize
