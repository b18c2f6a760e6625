#pragma once

// What the size checks need to know about a window, gathered once by the
// caller so that the checks themselves are plain arithmetic.

#include "platform/geometry.h"

#include <cmath>
#include <string_view>

namespace vantro::resize {

struct WindowLimits {
    Size minSize;
    Size maxSize{1.0e7, 1.0e7};
    // Each dimension snaps only when its increment is finite and above 1.
    Size resizeIncrements{1, 1};
    // The window's frame size before the change being checked.
    Size frameSize;
    bool resizable = true;
    // The window's runtime class name; a view of the class's own name, which
    // lives as long as the class.
    std::string_view className;
};

// The window delegate's say over a new size (windowWillResize:toSize:). The
// checks take a pointer to one; null means the window has no delegate that
// answers, and the size stands.
class ResizeDelegate {
  public:
    virtual ~ResizeDelegate() = default;
    [[nodiscard]] virtual Size willResizeToSize(Size proposed) const = 0;
};

} // namespace vantro::resize

namespace vantro::resize {

// A proposed length that is not a number (or infinite) says nothing about the
// size wanted: the window keeps its current length there (0 when that is not
// finite either), and the limits apply from there.
inline Size replaceUnknownLengths(Size proposed, Size current) {
    const auto known = [](double length, double fallback) {
        if (std::isfinite(length)) {
            return length;
        }
        return std::isfinite(fallback) ? fallback : 0.0;
    };
    return {known(proposed.width, current.width), known(proposed.height, current.height)};
}

// A minimum, maximum or screen length that is not finite imposes nothing:
// NaN compares false anyway, and an infinite minimum (or a maximum of minus
// infinity) would make the size infinite.
inline bool isLimit(double length) {
    return std::isfinite(length);
}

} // namespace vantro::resize
