#pragma once

// The arithmetic of keeping a window's aspect ratio during a drag: the ratio
// of a size, the size of a ratio for a leading width or height, the per-drag
// limits of the ratio, and the acceptance test that holds a ratio size to
// those limits and to the window's own rules.

#include "platform/geometry.h"
#include "platform/platform.h"
#include "plugin/resize/window_limits.h"

#include <optional>

namespace vantro::resize {

// The smallest and the largest size at the kept ratio for one drag.
struct AspectRatioLimits {
    Size minimum;
    Size maximum;
    friend bool operator==(const AspectRatioLimits&, const AspectRatioLimits&) = default;
};

// What the acceptance test holds a size to.
struct AspectRatioRules {
    const WindowLimits& window;
    // None until the drag's limits are computed; their presence also makes a
    // refused size come back as the window's current size.
    std::optional<AspectRatioLimits> limits;
    const ResizeDelegate* delegate = nullptr;
};

// The size reduced to lowest terms by the greatest common divisor of its
// whole parts (Euclid on 64-bit integers): 800 x 600 gives 4 x 3. A size
// whose whole parts are not both at least 1 (or not finite) has the ratio
// 1 x 1: a zero part would make the other dimension infinite or zero.
Size aspectRatioForSize(Size size);

// The other dimension from the leading one, rounded by single-precision
// floor, passed through the acceptance test. A ratio whose parts are not
// both finite and positive counts as 1 x 1. With the drag's limits, a window
// whose increments snap (in either dimension) gets instead the size on its
// grid nearest to the ratio: the leading length and then the other, each
// nearest on the grid and brought by whole increments within the limits
// (the minimum winning); a delegate that changes it refuses it.
Size sizeInAspectRatioForWidth(Size ratio, double width, const AspectRatioRules& rules);
Size sizeInAspectRatioForHeight(Size ratio, double height, const AspectRatioRules& rules);

// The acceptance test: clamps to the limits (minimum first, so a minimum
// above the maximum wins), then refuses a size that the delegate changes or
// that does not sit on the window's increments. A refused size comes back as
// the window's frame size with limits, and as `size` unchanged without them.
Size constrainAspectRatioSize(Size size, const AspectRatioRules& rules);

// Where the window sits when the limits are computed.
struct AspectRatioRoom {
    Rect windowFrame; // before the size now proposed
    // The window's screen; with none, the room is the window's maximum size.
    std::optional<Screen> screen;
    // The screen's frame height less its visible height and visible y.
    double menuBarHeight = 0;
    bool keepCentered = false;
    bool pinBottomRight = false;
    // The sides the drag holds (platform::ResizeEdge).
    unsigned edges = platform::kResizeRightEdge | platform::kResizeBottomEdge;
};

// The room on screen for the window's anchoring: the visible size when kept
// centred; otherwise, along each axis, from the side that stays to the far
// edge of the visible frame (up to the menu bar). Pinned bottom right, the
// right and bottom sides stay; otherwise the side opposite a held left or top
// edge stays, and the left and top sides along an axis the drag holds at its
// right or bottom or not at all.
Size roomOnScreen(const AspectRatioRoom& room, const WindowLimits& window);

// The drag's limits at `ratio`: the smallest ratio size that covers the
// window's minimum, the largest that fits the room, held to the window's
// maximum width first, then height. Every size is made by the two functions
// above without limits, so the delegate is asked for each.
AspectRatioLimits computeAspectRatioLimits(Size ratio, const AspectRatioRoom& room,
                                           const WindowLimits& window,
                                           const ResizeDelegate* delegate);

} // namespace vantro::resize
