#include "plugin/resize/grip_offset.h"

#include <cmath>

namespace vantro::resize {

namespace {

double limited(double distance) {
    return std::isfinite(distance) && std::fabs(distance) <= kGripOffsetLimit ? distance
                                                                              : kGripOffsetLimit;
}

} // namespace

GripOffset gripOffsetFor(const Rect& frame, Point mouse, unsigned edges) {
    const double x =
        (edges & platform::kResizeLeftEdge) != 0 ? mouse.x - frame.minX() : frame.maxX() - mouse.x;
    const double y =
        (edges & platform::kResizeTopEdge) != 0 ? frame.maxY() - mouse.y : mouse.y - frame.minY();
    return {limited(x), limited(y)};
}

} // namespace vantro::resize
