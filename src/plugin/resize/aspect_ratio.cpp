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
    // The screen's top edge less its panel: the top of the room above a
    // bottom side that stays, on a screen wherever it stands.
    const double top = room.screen->frame.maxY() - room.menuBarHeight;
    const bool rightStays = room.pinBottomRight || (room.edges & platform::kResizeLeftEdge) != 0;
    const bool bottomStays = room.pinBottomRight || (room.edges & platform::kResizeTopEdge) != 0;
    return {rightStays ? frame.maxX() - visible.minX() : visible.maxX() - frame.minX(),
            bottomStays ? top - frame.minY() : frame.maxY() - visible.minY()};
}

AspectRatioLimits computeAspectRatioLimits(Size ratio, const AspectRatioRoom& room,
                                           const WindowLimits& window,
                                           const ResizeDelegate* delegate) {
    const AspectRatioRules unlimited{window, std::nullopt, delegate};
    AspectRatioLimits limits;

    const Size byMinWidth = sizeInAspectRatioForWidth(ratio, window.minSize.width, unlimited);
    const Size byMinHeight = sizeInAspectRatioForHeight(ratio, window.minSize.height, unlimited);
    // The minimum height leads when it asks for at least the height the
    // minimum width gives. Where the two are equal, the height-led size's
    // floored width can fall a point under the minimum width, and the
    // width-led size fits both.
    const bool heightLeads = window.minSize.height >= byMinWidth.height &&
                             byMinHeight.width >= window.minSize.width;
    limits.minimum = heightLeads ? byMinHeight : byMinWidth;

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
    // A room smaller than the minimum (a window already past the screen's
    // edge) would clamp one dimension below it: the minimum wins.
    if (limits.maximum.width < limits.minimum.width ||
        limits.maximum.height < limits.minimum.height) {
        limits.maximum = limits.minimum;
    }
    return limits;
}

} // namespace vantro::resize
