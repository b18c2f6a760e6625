#pragma once

// The silent check of every live-resize step the plug-in computes itself:
// the window's temporary minimum (the hold that keeps a window still after
// the anchoring changed in mid-drag), its own minimum and maximum, its resize
// increments and its delegate.

#include "platform/geometry.h"
#include "plugin/resize/window_limits.h"

namespace vantro::resize {

// The per-window inputs of a live resize.
struct ResizeHold {
    // The held size; 0 in a dimension means no hold there. A length that is
    // not finite counts as 0.
    Size temporaryMinimum;
    bool keepWidth = false;
    bool keepHeight = false;
};

// A proposed size within this distance of the held size, in a dimension that
// is not being kept, releases the hold.
inline constexpr double kHoldReleaseDistance = 20;

struct ConstrainedSize {
    Size size;
    // The caller removes the stored temporary minimum.
    bool releaseTemporaryMinimum = false;
    // The caller removes the HUD alert window. Asked whenever the hold is
    // released, so every step without a hold asks for it.
    bool removeHudAlertWindow = false;
};

// Runs, in order: unknown lengths (NaN, infinite) become the current frame's;
// release of the hold; the hold, as read before its release, as a minimum;
// the window's minimum, then its maximum (so a maximum below the minimum
// wins); increments, width then height; the delegate, whose answer is taken
// unchanged. Each step writes a "VTResize" trace line.
ConstrainedSize constrainSize(Size proposed, const WindowLimits& window, const ResizeHold& hold,
                              const ResizeDelegate* delegate);

} // namespace vantro::resize
