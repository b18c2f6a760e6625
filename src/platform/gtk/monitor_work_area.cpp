#include "platform/gtk/monitor_work_area.h"

#include <algorithm>

namespace vantro::gtk {

namespace {

constexpr std::size_t kPartialFieldCount = 12;

// Whether the strip spanning first..last (inclusive pixels) along an edge
// meets the monitor's extent from `start` over `length`.
bool spans(double first, double last, double start, double length) {
    return first < start + length && last >= start;
}

} // namespace

std::optional<Strut> strutFromPartial(std::span<const long> values, int scale) {
    if (values.size() != kPartialFieldCount || scale < 1 ||
        std::any_of(values.begin(), values.end(), [](long value) { return value < 0; })) {
        return std::nullopt;
    }
    const auto at = [&](std::size_t field) { return static_cast<double>(values[field]) / scale; };
    const Strut strut{at(0), at(1), at(2), at(3), at(4),  at(5),
                      at(6), at(7), at(8), at(9), at(10), at(11)};
    if (strut.left == 0 && strut.right == 0 && strut.top == 0 && strut.bottom == 0) {
        return std::nullopt;
    }
    return strut;
}

Rect workAreaLessStruts(const Rect& monitor, std::span<const Strut> struts, const Size& screen) {
    double left = monitor.origin.x;
    double top = monitor.origin.y;
    double right = monitor.maxX();
    double bottom = monitor.maxY();
    for (const Strut& strut : struts) {
        const double height = monitor.size.height;
        const double width = monitor.size.width;
        if (strut.top > 0 && spans(strut.topStartX, strut.topEndX, monitor.origin.x, width)) {
            top = std::max(top, strut.top);
        }
        if (strut.bottom > 0 &&
            spans(strut.bottomStartX, strut.bottomEndX, monitor.origin.x, width)) {
            bottom = std::min(bottom, screen.height - strut.bottom);
        }
        if (strut.left > 0 && spans(strut.leftStartY, strut.leftEndY, monitor.origin.y, height)) {
            left = std::max(left, strut.left);
        }
        if (strut.right > 0 &&
            spans(strut.rightStartY, strut.rightEndY, monitor.origin.y, height)) {
            right = std::min(right, screen.width - strut.right);
        }
    }
    if (right - left < 1 || bottom - top < 1) {
        return monitor;
    }
    return {left, top, right - left, bottom - top};
}

} // namespace vantro::gtk
