#include "plugin/resize/aspect_ratio.h"

#include "plugin/resize/increment_snapping.h"

#include <cmath>
#include <cstdint>

namespace vantro::resize {

namespace {

constexpr Size kSquare{1, 1};

bool hasPositiveWholePart(double length) {
    constexpr double kInt64Limit = 9223372036854775808.0;
    return length >= 1 && length < kInt64Limit;
}

Size usableRatio(Size ratio) {
    const bool usable = std::isfinite(ratio.width) && std::isfinite(ratio.height) &&
                        ratio.width > 0 && ratio.height > 0;
    return usable ? ratio : kSquare;
}

// Minimum first: a length at or below the minimum yields the minimum even
// where the minimum exceeds the maximum.
double clampToLimits(double length, double minimum, double maximum) {
    if (minimum >= length) {
        return minimum;
    }
    if (length >= maximum) {
        return maximum;
    }
    return length;
}

} // namespace

Size aspectRatioForSize(Size size) {
    if (!hasPositiveWholePart(size.width) || !hasPositiveWholePart(size.height)) {
        return kSquare;
    }
    auto a = static_cast<std::int64_t>(size.width);
    auto b = static_cast<std::int64_t>(size.height);
    while (b != 0) {
        const std::int64_t remainder = a % b;
        a = b;
        b = remainder;
    }
    const auto divisor = static_cast<double>(a);
    return {size.width / divisor, size.height / divisor};
}

Size sizeInAspectRatioForWidth(Size ratio, double width, const AspectRatioRules& rules) {
    const Size r = usableRatio(ratio);
    const double height = singlePrecisionFloor((r.height / r.width) * width);
    return constrainAspectRatioSize({width, height}, rules);
}

Size sizeInAspectRatioForHeight(Size ratio, double height, const AspectRatioRules& rules) {
    const Size r = usableRatio(ratio);
    const double width = singlePrecisionFloor((r.width / r.height) * height);
    return constrainAspectRatioSize({width, height}, rules);
}

Size constrainAspectRatioSize(Size size, const AspectRatioRules& rules) {
    const Size refused = rules.limits ? rules.window.frameSize : size;
    Size clamped = size;
    if (rules.limits) {
        const AspectRatioLimits& limits = *rules.limits;
        clamped.height = clampToLimits(size.height, limits.minimum.height, limits.maximum.height);
        clamped.width = clampToLimits(size.width, limits.minimum.width, limits.maximum.width);
    }
    if (rules.delegate != nullptr && !(rules.delegate->willResizeToSize(clamped) == clamped)) {
        return refused;
    }
    // A size off the increments is refused rather than snapped: snapping
    // would leave the ratio.
    if (!(snapSizeToIncrements(clamped, rules.window) == clamped)) {
        return refused;
    }
    return clamped;
}

Size roomOnScreen(const AspectRatioRoom& room, const WindowLimits& window) {
    if (!room.screen) {
        return window.maxSize;
    }
    const Rect& visible = room.screen->visibleFrame;
    const Rect& frame = room.windowFrame;
    if (room.keepCentered) {
        return visible.size;
    }
    if (room.pinBottomRight) {
        const double screenTop = room.screen->frame.size.height;
        return {frame.size.width + (frame.minX() - visible.minX()),
                (screenTop - (frame.minY() + frame.size.height) - room.menuBarHeight) +
                    frame.size.height};
    }
    return {visible.size.width - (frame.minX() - visible.minX()),
            (frame.minY() - visible.minY()) + frame.size.height};
}

AspectRatioLimits computeAspectRatioLimits(Size ratio, const AspectRatioRoom& room,
                                           const WindowLimits& window,
                                           const ResizeDelegate* delegate) {
    const AspectRatioRules unlimited{window, std::nullopt, delegate};
    AspectRatioLimits limits;

    const Size byMinWidth = sizeInAspectRatioForWidth(ratio, window.minSize.width, unlimited);
    const Size byMinHeight = sizeInAspectRatioForHeight(ratio, window.minSize.height, unlimited);
    limits.minimum = window.minSize.height >= byMinWidth.height ? byMinHeight : byMinWidth;

    const Size space = roomOnScreen(room, window);
    const Size byRoomWidth = sizeInAspectRatioForWidth(ratio, space.width, unlimited);
    const Size byRoomHeight = sizeInAspectRatioForHeight(ratio, space.height, unlimited);
    limits.maximum = byRoomWidth.height >= space.height ? byRoomHeight : byRoomWidth;

    const Size windowMaximum = window.maxSize;
    if (limits.maximum.width > windowMaximum.width) {
        limits.maximum.width = windowMaximum.width;
        limits.maximum.height =
            sizeInAspectRatioForWidth(ratio, windowMaximum.width, unlimited).height;
    }
    if (limits.maximum.height > windowMaximum.height) {
        limits.maximum.height = windowMaximum.height;
        limits.maximum.width =
            sizeInAspectRatioForHeight(ratio, windowMaximum.height, unlimited).width;
    }
    // A window dragged partly off the visible frame can have less room than
    // its minimum: the minimum wins, as the toolkit would refuse less.
    if (limits.maximum.width < limits.minimum.width ||
        limits.maximum.height < limits.minimum.height) {
        limits.maximum = limits.minimum;
    }
    return limits;
}

} // namespace vantro::resize
