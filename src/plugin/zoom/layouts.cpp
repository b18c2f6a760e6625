#include "plugin/zoom/layouts.h"

#include "plugin/zoom/placement.h"
#include "plugin/zoom/zoom_features.h"

#include <array>

namespace vantro::zoom {

namespace keys = core::feature;

namespace {

// The part of a visible length a layout proposes.
enum class Share { whole, half, third, twoThirds };
using enum Share;

struct MaximizeLayout {
    std::string_view feature;
    Share width;
    Share height;
    Horizontal x;
    Vertical y;
};

constexpr std::array<MaximizeLayout, 19> kMaximizeLayouts = {{
    // The whole screen is centred horizontally: a window whose width is
    // limited sits in the middle. Every other full-width share is left-aligned.
    {keys::kWholeScreen, whole, whole, Horizontal::centre, Vertical::top},
    {keys::kLeftHalf, half, whole, Horizontal::left, Vertical::top},
    {keys::kRightHalf, half, whole, Horizontal::right, Vertical::top},
    {keys::kTopHalf, whole, half, Horizontal::left, Vertical::top},
    {keys::kBottomHalf, whole, half, Horizontal::left, Vertical::bottom},
    {"VantroMaximizeVerticalLeftThird", third, whole, Horizontal::left, Vertical::top},
    {"VantroMaximizeVerticalMiddleThird", third, whole, Horizontal::centre, Vertical::top},
    {"VantroMaximizeVerticalRightThird", third, whole, Horizontal::right, Vertical::top},
    {"VantroMaximizeHorizontalTopThird", whole, third, Horizontal::left, Vertical::top},
    {"VantroMaximizeHorizontalMiddleThird", whole, third, Horizontal::left, Vertical::centre},
    {"VantroMaximizeHorizontalBottomThird", whole, third, Horizontal::left, Vertical::bottom},
    {"VantroMaximizeLeftTwoThirds", twoThirds, whole, Horizontal::left, Vertical::top},
    {"VantroMaximizeRightTwoThirds", twoThirds, whole, Horizontal::right, Vertical::top},
    {"VantroMaximizeTopTwoThirds", whole, twoThirds, Horizontal::left, Vertical::top},
    {"VantroMaximizeBottomTwoThirds", whole, twoThirds, Horizontal::left, Vertical::bottom},
    {"VantroMaximizeTopLeftQuarter", half, half, Horizontal::left, Vertical::top},
    {"VantroMaximizeTopRightQuarter", half, half, Horizontal::right, Vertical::top},
    {"VantroMaximizeBottomLeftQuarter", half, half, Horizontal::left, Vertical::bottom},
    {"VantroMaximizeBottomRightQuarter", half, half, Horizontal::right, Vertical::bottom},
}};
static_assert(allAreZoomFeatures(kMaximizeLayouts));

// Two thirds are a division by 1.5, not a multiplication by 2/3: the two can
// differ in the last bit, and the rounding that follows can show it.
double shareOf(Share share, double length) {
    switch (share) {
    case whole:
        return length;
    case half:
        return singlePrecisionFloor(length * 0.5);
    case third:
        return singlePrecisionFloor(length / 3);
    case twoThirds:
        return singlePrecisionFloor(length / 1.5);
    }
    return length;
}

} // namespace

std::optional<Rect> maximizeTarget(std::string_view feature, const Rect& visible,
                                   const SizeCheck& check) {
    for (const MaximizeLayout& layout : kMaximizeLayouts) {
        if (layout.feature != feature) {
            continue;
        }
        if (!canHoldWindows(visible)) {
            return std::nullopt;
        }
        const Size proposed{shareOf(layout.width, visible.size.width),
                            shareOf(layout.height, visible.size.height)};
        const std::optional<Size> allowed = allowedSize(check, proposed);
        if (!allowed) {
            return std::nullopt;
        }
        return Rect(placeX(layout.x, visible, allowed->width),
                    placeY(layout.y, visible, allowed->height), allowed->width, allowed->height);
    }
    return std::nullopt;
}

} // namespace vantro::zoom
