#include "platform/gtk/size_hints.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vantro::gtk {

namespace {

// The fields of WM_SIZE_HINTS (ICCCM 4.1.2.3), in order.
enum Field : std::size_t {
    kFlags = 0,
    kMinWidth = 5,
    kMinHeight,
    kMaxWidth,
    kMaxHeight,
    kWidthIncrement,
    kHeightIncrement,
    kMinAspectX,
    kMinAspectY,
    kMaxAspectX,
    kMaxAspectY,
    kBaseWidth,
    kBaseHeight,
    kFieldCount = 18,
};

constexpr long kMinSizeFlag = 1L << 4;
constexpr long kMaxSizeFlag = 1L << 5;
constexpr long kResizeIncrementFlag = 1L << 6;
constexpr long kAspectFlag = 1L << 7;
constexpr long kBaseSizeFlag = 1L << 8;

double onGrid(double length, double base, double increment, double minimum, double maximum) {
    double snapped = length;
    if (increment > 1 && length > base) {
        snapped = base + std::floor((length - base) / increment) * increment;
    }
    return std::clamp(snapped, minimum, std::max(minimum, maximum));
}

} // namespace

std::optional<WindowSizeLimits> sizeLimitsFromHints(std::span<const long> values, int scale,
                                                    const FrameExtents& shadow,
                                                    const FrameExtents& decorations) {
    if (values.size() != kFieldCount || scale < 1) {
        return std::nullopt;
    }
    const auto length = [&](Field field) { return static_cast<double>(values[field]) / scale; };
    // Client sizes become frame sizes: the shadow is outside what the user
    // sees, the window manager's decorations are inside it.
    const double extraWidth = decorations.left + decorations.right - shadow.left - shadow.right;
    const double extraHeight = decorations.top + decorations.bottom - shadow.top - shadow.bottom;
    const long flags = values[kFlags];

    WindowSizeLimits limits;
    if ((flags & kMinSizeFlag) != 0 && values[kMinWidth] >= 0 && values[kMinHeight] >= 0) {
        limits.minSize = {std::max(0.0, length(kMinWidth) + extraWidth),
                          std::max(0.0, length(kMinHeight) + extraHeight)};
    }
    if ((flags & kMaxSizeFlag) != 0 && values[kMaxWidth] > 0 && values[kMaxHeight] > 0 &&
        values[kMaxWidth] < INT32_MAX && values[kMaxHeight] < INT32_MAX) {
        limits.maxSize = {length(kMaxWidth) + extraWidth, length(kMaxHeight) + extraHeight};
    }
    if ((flags & kResizeIncrementFlag) != 0 && values[kWidthIncrement] >= 1 &&
        values[kHeightIncrement] >= 1) {
        limits.resizeIncrements = {length(kWidthIncrement), length(kHeightIncrement)};
    }
    // One ratio is kept when the smallest and largest allowed are the same.
    if ((flags & kAspectFlag) != 0 && values[kMinAspectX] > 0 && values[kMinAspectY] > 0 &&
        values[kMinAspectX] * values[kMaxAspectY] == values[kMaxAspectX] * values[kMinAspectY]) {
        limits.aspectRatio = {static_cast<double>(values[kMinAspectX]),
                              static_cast<double>(values[kMinAspectY])};
    }
    // Increments count from the base size, or from the minimum without one.
    if ((flags & kBaseSizeFlag) != 0 && values[kBaseWidth] >= 0 && values[kBaseHeight] >= 0) {
        limits.incrementBase = {length(kBaseWidth) + extraWidth, length(kBaseHeight) + extraHeight};
    } else {
        limits.incrementBase = limits.minSize;
    }
    return limits;
}

Size sizeOnIncrementGrid(Size size, const WindowSizeLimits& limits) {
    return {onGrid(size.width, limits.incrementBase.width, limits.resizeIncrements.width,
                   limits.minSize.width, limits.maxSize.width),
            onGrid(size.height, limits.incrementBase.height, limits.resizeIncrements.height,
                   limits.minSize.height, limits.maxSize.height)};
}

} // namespace vantro::gtk
