#include "platform/gtk/coordinate_space.h"

namespace vantro::gtk {

Rect CoordinateSpace::toCore(const Rect& x11) const {
    return {x11.origin.x - primary_.origin.x, baseline() - x11.maxY(), x11.size.width,
            x11.size.height};
}

Rect CoordinateSpace::toX11(const Rect& core) const {
    return {core.origin.x + primary_.origin.x, baseline() - core.maxY(), core.size.width,
            core.size.height};
}

Point CoordinateSpace::toCore(const Point& x11) const {
    return {x11.x - primary_.origin.x, baseline() - x11.y};
}

Point CoordinateSpace::toX11(const Point& core) const {
    return {core.x + primary_.origin.x, baseline() - core.y};
}

const X11Monitor* primaryMonitor(const std::vector<X11Monitor>& monitors) {
    for (const X11Monitor& monitor : monitors) {
        if (monitor.primary) {
            return &monitor;
        }
    }
    return monitors.empty() ? nullptr : &monitors.front();
}

CoordinateSpace coordinateSpaceOf(const std::vector<X11Monitor>& monitors) {
    const X11Monitor* primary = primaryMonitor(monitors);
    return CoordinateSpace(primary != nullptr ? primary->geometry : Rect{});
}

std::vector<Screen> screensInCoreCoordinates(const std::vector<X11Monitor>& monitors) {
    const X11Monitor* primary = primaryMonitor(monitors);
    if (primary == nullptr) {
        return {};
    }
    const CoordinateSpace space(primary->geometry);
    std::vector<Screen> screens;
    screens.reserve(monitors.size());
    const auto add = [&](const X11Monitor& monitor) {
        screens.push_back({space.toCore(monitor.geometry), space.toCore(monitor.workarea)});
    };
    add(*primary);
    for (const X11Monitor& monitor : monitors) {
        if (&monitor != primary) {
            add(monitor);
        }
    }
    return screens;
}

} // namespace vantro::gtk
