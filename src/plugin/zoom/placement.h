#pragma once

// Where a size goes inside a screen's visible frame: against an edge, or
// centred. Every zoom target places its size this way.

#include "platform/geometry.h"

#include <cmath>

namespace vantro::zoom {

enum class Horizontal { left, centre, right };
enum class Vertical { top, centre, bottom };

// Edges are exact; a centred value is rounded down through float (a centre
// of 426.5 becomes 426, one of -853.5 becomes -854). The sums keep their
// order, so the results match the platform's to the last bit.
double placeX(Horizontal where, const Rect& visible, double width);
double placeY(Vertical where, const Rect& visible, double height);

// The origin that centres `size` on `visible`.
Point centredOrigin(Size size, const Rect& visible);

// A visible frame a target can be placed in: finite, with an area.
inline bool canHoldWindows(const Rect& visible) {
    return std::isfinite(visible.minX()) && std::isfinite(visible.minY()) &&
           std::isfinite(visible.size.width) && std::isfinite(visible.size.height) &&
           visible.size.width > 0 && visible.size.height > 0;
}

// A window frame a target can start from: finite, with no negative length.
// A zero size is allowed: a window of no size is placed as a point.
inline bool isPlaceableFrame(const Rect& frame) {
    return std::isfinite(frame.minX()) && std::isfinite(frame.minY()) &&
           std::isfinite(frame.size.width) && std::isfinite(frame.size.height) &&
           frame.size.width >= 0 && frame.size.height >= 0;
}

} // namespace vantro::zoom
