#include "plugin/feedback/hud_placement.h"

namespace vantro::feedback {

Point hudOrigin(const Rect& frame, const Rect& visible, Size hud) {
    // The divisor is the float constant 1.6f, as the panel was always placed.
    constexpr double kHeightDivisor = static_cast<double>(1.6F);
    constexpr double kMargin = 10;
    double y =
        singlePrecisionFloor(frame.minY() + frame.size.height / kHeightDivisor - 0.5 * hud.height);
    double x = singlePrecisionFloor(frame.minX() + 0.5 * frame.size.width - 0.5 * hud.width);
    // Each test sees the values the previous one left; when the panel does
    // not fit, the right and top rules win.
    if (visible.minX() > x) {
        x = visible.minX() + kMargin;
    }
    if (visible.minY() > y) {
        y = visible.minY() + kMargin;
    }
    if (x + hud.width > visible.maxX()) {
        x = visible.maxX() - hud.width - kMargin;
    }
    if (y + hud.height > visible.maxY()) {
        y = visible.maxY() - hud.height - kMargin;
    }
    return {x, y};
}

} // namespace vantro::feedback
