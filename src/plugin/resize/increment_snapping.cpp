#include "plugin/resize/increment_snapping.h"

#include <cmath>
#include <cstdint>

namespace vantro::resize {

namespace {

// 2^63: doubles in [-2^63, 2^63) truncate to an int64 without overflow.
constexpr double kInt64Limit = 9223372036854775808.0;

// The host's rule is a loop that adds (or subtracts) one increment at a time.
// Taken literally it never ends when the step is lost in the value's rounding
// (|value| beyond 2^53 times the increment) or the limit is absurdly far. The
// loop is run as written for up to this many steps, which covers every length
// an X11 screen can hold (increments exceed 1, lengths stay below 2^15), so
// ordinary results are exactly the host's; beyond it, the remaining steps are
// counted with one division.
constexpr int kLiteralSteps = 1 << 16;

bool hasWholePart(double value) {
    return value >= -kInt64Limit && value < kInt64Limit;
}

std::int64_t wholePart(double value) {
    return static_cast<std::int64_t>(value);
}

double raiseByIncrementsTo(double value, double increment, double floor) {
    if (!std::isfinite(floor) || !std::isfinite(value)) {
        return value;
    }
    for (int step = 0; step < kLiteralSteps && floor > value; ++step) {
        value += increment;
    }
    if (floor > value) {
        value += std::ceil((floor - value) / increment) * increment;
    }
    // Only a value whose rounding swallows the increment is still short.
    return floor > value ? floor : value;
}

} // namespace

bool isSnappingIncrement(double increment) {
    return increment > 1.0 && increment < kInt64Limit;
}

double lowerByIncrementsTo(double value, double increment, double ceiling) {
    if (!std::isfinite(ceiling) || !std::isfinite(value) || !isSnappingIncrement(increment)) {
        return value;
    }
    if (!(value > ceiling)) {
        return value;
    }
    for (int step = 0; step < kLiteralSteps && value > ceiling; ++step) {
        value -= increment;
    }
    if (value > ceiling) {
        value -= std::ceil((value - ceiling) / increment) * increment;
    }
    // An increment larger than the whole room cannot be taken off without
    // leaving a negative length; the length is then the room itself.
    if (value < 0 && ceiling >= 0) {
        return ceiling;
    }
    return value > ceiling ? ceiling : value;
}

double lowerInStepsTo(double value, double step, double ceiling) {
    if (!std::isfinite(value) || !std::isfinite(ceiling) || !(value > ceiling)) {
        return value;
    }
    const double usable = std::isfinite(step) && step > 0 ? step : 1.0;
    return value - std::ceil((value - ceiling) / usable) * usable;
}

double snapToIncrement(double value, double increment, double minimum, double maximum,
                       double currentExtent) {
    if (!isSnappingIncrement(increment) || !hasWholePart(value) || !hasWholePart(currentExtent)) {
        return value;
    }
    const std::int64_t whole = wholePart(increment);
    // C++'s % on signed integers keeps the dividend's sign, as the rule wants.
    value = value - static_cast<double>(wholePart(value) % whole) +
            static_cast<double>(wholePart(currentExtent) % whole);
    value = raiseByIncrementsTo(value, increment, minimum);
    return lowerByIncrementsTo(value, increment, maximum);
}

Size snapSizeToIncrements(Size size, const WindowLimits& limits) {
    size.width = snapToIncrement(size.width, limits.resizeIncrements.width, limits.minSize.width,
                                 limits.maxSize.width, limits.frameSize.width);
    size.height =
        snapToIncrement(size.height, limits.resizeIncrements.height, limits.minSize.height,
                        limits.maxSize.height, limits.frameSize.height);
    return size;
}

} // namespace vantro::resize
