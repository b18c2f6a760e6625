#include "plugin/resize/aspect_ratio.h"
#include <cstdio>

#include "plugin/resize/increment_snapping.h"

#include <cmath>
#include <cstdint>
#include <limits>

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

// One dimension of a window that grows by whole increments, within the
// drag's limits.
struct GridAxis {
    double increment;
    double minimum;
    double maximum;
    double currentExtent;

    // The length on the grid (the current extent plus or minus whole
    // increments) nearest to `length`; a length that does not snap is
    // floored as the ratio's other dimension is.
    [[nodiscard]] double nearest(double length) const {
        constexpr double kNoLimit = std::numeric_limits<double>::infinity();
        if (!isSnappingIncrement(increment) || !std::isfinite(length)) {
            return singlePrecisionFloor(length);
        }
        // The grid keeps the current extent's fraction: the whole part of
        // the exact length is snapped, then compared with the length.
        const double snapped =
            snapToIncrement(std::floor(length), increment, -kNoLimit, kNoLimit, currentExtent);
        const double below = snapped > length ? snapped - increment : snapped;
        return length - below < below + increment - length ? below : below + increment;
    }

    // Lowered by whole increments to the maximum, then raised to the
    // minimum, so the minimum wins as it does for exact ratios.
    // A length far past any screen (an absurd ratio) is clamped exactly.
    [[nodiscard]] double fit(double length) const {
        constexpr double kNoLimit = std::numeric_limits<double>::infinity();
        constexpr double kFarPastAnyScreen = 1e15;
        if (!isSnappingIncrement(increment) || !(std::fabs(length) < kFarPastAnyScreen)) {
            return clampToLimits(length, minimum, maximum);
        }
        length = snapToIncrement(length, increment, -kNoLimit, maximum, currentExtent);
        return snapToIncrement(length, increment, minimum, kNoLimit, currentExtent);
    }
};

bool snapsToIncrements(const WindowLimits& window) {
    return isSnappingIncrement(window.resizeIncrements.width) ||
           isSnappingIncrement(window.resizeIncrements.height);
}

// No size on a grid of increments keeps a ratio exactly (827 x 521 on 10 x 19
// cells has no multiple before 8270 x 5210), so a window with increments
// takes the grid size nearest to the ratio: the leading length on the grid
// within the limits, the other the grid length nearest to the ratio's for it.
// The window then grows by whole increments, its ratio within one of the
// kept one, instead of keeping its size for the whole drag.
Size sizeOnGridInAspectRatio(Size ratio, double lead, bool widthLeads,
                             const AspectRatioRules& rules) {
    const AspectRatioLimits& limits = *rules.limits;
    const WindowLimits& window = rules.window;
    const GridAxis width{window.resizeIncrements.width, limits.minimum.width, limits.maximum.width,
                         window.frameSize.width};
    const GridAxis height{window.resizeIncrements.height, limits.minimum.height,
                          limits.maximum.height, window.frameSize.height};
    const GridAxis& leading = widthLeads ? width : height;
    const GridAxis& following = widthLeads ? height : width;
    const double leadLength = leading.fit(leading.nearest(lead));
    const double scale = widthLeads ? ratio.height / ratio.width : ratio.width / ratio.height;
    const double otherLength = following.fit(following.nearest(scale * leadLength));
    const Size size = widthLeads ? Size{leadLength, otherLength} : Size{otherLength, leadLength};
    const bool finite = std::isfinite(size.width) && std::isfinite(size.height);
    if (!finite ||
        (rules.delegate != nullptr && !(rules.delegate->willResizeToSize(size) == size))) {
        return window.frameSize;
    }
    return size;
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
    if (rules.limits && snapsToIncrements(rules.window)) {
        return sizeOnGridInAspectRatio(r, width, true, rules);
    }
    const double height = singlePrecisionFloor((r.height / r.width) * width);
    return constrainAspectRatioSize({width, height}, rules);
}

Size sizeInAspectRatioForHeight(Size ratio, double height, const AspectRatioRules& rules) {
    const Size r = usableRatio(ratio);
    if (rules.limits && snapsToIncrements(rules.window)) {
        return sizeOnGridInAspectRatio(r, height, false, rules);
    }
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
    // A size off the increments is refused: this test keeps exact ratios.
    // The drag's steps of a window with increments take the grid size
    // nearest to the ratio instead (sizeOnGridInAspectRatio).
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
    const bool heightLeads =
        window.minSize.height >= byMinWidth.height && byMinHeight.width >= window.minSize.width;
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
