#pragma once

// The zoom's check of a target size: held to the screen, the window's own
// maximum and minimum, its increments and its delegate, and reported in words
// naming the constraint that was hit last in each dimension.

#include "platform/geometry.h"
#include "plugin/resize/window_limits.h"

#include <optional>
#include <string>

namespace vantro::resize {

struct CheckedSize {
    Size size;
    // The message to store as the window's "hitConstraint"; none when no
    // constraint was hit, and the stored message is then left as it was.
    std::optional<std::string> hitConstraint;
};

// Runs, in order: a window that may not be resized keeps its frame size
// ("Window Not Resizable", nothing else runs); unknown lengths (NaN,
// infinite) become the current frame's; the screen's visible size (skipped
// when the window is on no screen); the window's maximum, then its minimum
// (so a minimum above the maximum wins); increments, each dimension also
// kept within the visible size; the delegate. Each dimension's message names
// the last step that changed it; the width line comes first. Each step
// writes a "VTZoom" trace line.
CheckedSize checkSizeForConstraints(Size target, const WindowLimits& window,
                                    std::optional<Size> visibleSize,
                                    const ResizeDelegate* delegate);

} // namespace vantro::resize
