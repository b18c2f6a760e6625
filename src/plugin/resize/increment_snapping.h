#pragma once

// Snapping a proposed size to the window's resize increments, so that the
// window grows and shrinks by whole increments from its current size (a
// terminal by whole character cells).

#include "platform/geometry.h"
#include "plugin/resize/window_limits.h"

namespace vantro::resize {

// Whether `increment` is one that sizes snap to: finite, above 1 and small
// enough to truncate to a 64-bit integer. NaN, zero, negative and infinite
// increments mean "no increments" and leave sizes unsnapped.
bool isSnappingIncrement(double increment);

// One dimension: `value` takes the current extent's remainder modulo the
// whole part of the increment (remainders of 64-bit integers truncated toward
// zero, with the sign of the dividend), is raised by whole increments until it
// is not below `minimum`, then lowered by whole increments until it is not
// above `maximum`. Unchanged when the increment does not snap, or when the
// value or the current extent has no 64-bit whole part (not finite, or beyond
// 2^63); a limit that is not finite imposes nothing.
double snapToIncrement(double value, double increment, double minimum, double maximum,
                       double currentExtent);

// Width first, then height, each with the window's own increment, limits and
// current frame extent.
Size snapSizeToIncrements(Size size, const WindowLimits& limits);

// Subtracts whole increments from `value` until it is not above `ceiling`
// (nothing when `ceiling` or `value` is not finite, or the increment does
// not snap). When whole increments would leave a negative length, the
// result is `ceiling` itself.
double lowerByIncrementsTo(double value, double increment, double ceiling);

// A drag step's screen-edge rule: takes `step` off `value` as often as it
// takes for `value` not to exceed `ceiling`, counted at once rather than one
// subtraction at a time. A step that is not finite and positive (a window
// that reports no increments, or a zero or negative one) counts as one
// point, so the rule always ends; a `ceiling` or `value` that is not finite
// leaves `value` as it is.
double lowerInStepsTo(double value, double step, double ceiling);

} // namespace vantro::resize
