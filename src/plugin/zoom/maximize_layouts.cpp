#include "plugin/zoom/maximize_layouts.h"

#include <array>

namespace vantro::zoom {

namespace {

enum class Share { whole, half, third, twoThirds };
enum class Horizontal { left, centre, right };
enum class Vertical { top, centre, bottom };

struct MaximizeLayout {
    std::string_view feature;
    Share width;
    Share height;
    Horizontal x;
    Vertical y;
};

constexpr std::array<MaximizeLayout, 19> kLayouts = {{
    {"VantroMaximizeWholeScreen", Share::whole, Share::whole, Horizontal::centre, Vertical::top},
    {"VantroMaximizeLeftHalf", Share::half, Share::whole, Horizontal::left, Vertical::top},
    {"VantroMaximizeRightHalf", Share::half, Share::whole, Horizontal::right, Vertical::top},
    {"VantroMaximizeTopHalf", Share::whole, Share::half, Horizontal::left, Vertical::top},
    {"VantroMaximizeBottomHalf", Share::whole, Share::half, Horizontal::left, Vertical::bottom},
    {"VantroMaximizeVerticalLeftThird", Share::third, Share::whole, Horizontal::left,
     Vertical::top},
    {"VantroMaximizeVerticalMiddleThird", Share::third, Share::whole, Horizontal::centre,
     Vertical::top},
    {"VantroMaximizeVerticalRightThird", Share::third, Share::whole, Horizontal::right,
     Vertical::top},
    {"VantroMaximizeHorizontalTopThird", Share::whole, Share::third, Horizontal::left,
     Vertical::top},
    {"VantroMaximizeHorizontalMiddleThird", Share::whole, Share::third, Horizontal::left,
     Vertical::centre},
    {"VantroMaximizeHorizontalBottomThird", Share::whole, Share::third, Horizontal::left,
     Vertical::bottom},
    {"VantroMaximizeLeftTwoThirds", Share::twoThirds, Share::whole, Horizontal::left,
     Vertical::top},
    {"VantroMaximizeRightTwoThirds", Share::twoThirds, Share::whole, Horizontal::right,
     Vertical::top},
    {"VantroMaximizeTopTwoThirds", Share::whole, Share::twoThirds, Horizontal::left, Vertical::top},
    {"VantroMaximizeBottomTwoThirds", Share::whole, Share::twoThirds, Horizontal::left,
     Vertical::bottom},
    {"VantroMaximizeTopLeftQuarter", Share::half, Share::half, Horizontal::left, Vertical::top},
    {"VantroMaximizeTopRightQuarter", Share::half, Share::half, Horizontal::right, Vertical::top},
    {"VantroMaximizeBottomLeftQuarter", Share::half, Share::half, Horizontal::left,
     Vertical::bottom},
    {"VantroMaximizeBottomRightQuarter", Share::half, Share::half, Horizontal::right,
     Vertical::bottom},
}};

// Two thirds are a division by 1.5, not a multiplication by 2/3: the two
// differ in the last bit, and the rounding that follows shows it.
double share(Share kind, double length) {
    switch (kind) {
    case Share::whole:
        return length;
    case Share::half:
        return singlePrecisionFloor(length * 0.5);
    case Share::third:
        return singlePrecisionFloor(length / 3);
    case Share::twoThirds:
        return singlePrecisionFloor(length / 1.5);
    }
    return length;
}

double place(Horizontal where, double origin, double length, double width) {
    switch (where) {
    case Horizontal::left:
        return origin;
    case Horizontal::right:
        return (length - width) + origin;
    case Horizontal::centre:
        return singlePrecisionFloor((0.5 * length + origin) + (-0.5 * width));
    }
    return origin;
}

double place(Vertical where, double origin, double length, double height) {
    switch (where) {
    case Vertical::top:
        return (length - height) + origin;
    case Vertical::bottom:
        return origin;
    case Vertical::centre:
        return singlePrecisionFloor((0.5 * length + origin) + (-0.5 * height));
    }
    return origin;
}

} // namespace

std::optional<Rect> maximizeTarget(std::string_view feature, const Rect& visible,
                                   const SizeCheck& check) {
    for (const MaximizeLayout& layout : kLayouts) {
        if (layout.feature != feature) {
            continue;
        }
        const Size proposed{share(layout.width, visible.size.width),
                            share(layout.height, visible.size.height)};
        const Size allowed = check ? check(proposed) : proposed;
        return Rect(place(layout.x, visible.minX(), visible.size.width, allowed.width),
                    place(layout.y, visible.minY(), visible.size.height, allowed.height),
                    allowed.width, allowed.height);
    }
    return std::nullopt;
}

} // namespace vantro::zoom
