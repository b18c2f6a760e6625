#include "plugin/resize/grip_offset.h"

#include <cmath>

namespace vantro::resize {

namespace {

double limited(double distance) {
    return std::isfinite(distance) && std::fabs(distance) <= kGripOffsetLimit ? distance
                                                                              : kGripOffsetLimit;
}

} // namespace

GripOffset gripOffsetFor(const Rect& frame, Point mouse) {
    return {limited(frame.maxX() - mouse.x), limited(mouse.y - frame.minY())};
}

} // namespace vantro::resize
