#include "platform/gtk/monitors.h"

#include "platform/gtk/monitor_work_area.h"
#include "platform/gtk/randr_monitors.h"

namespace vantro::gtk {

namespace {

Rect toRect(const GdkRectangle& rectangle) {
    return {static_cast<double>(rectangle.x), static_cast<double>(rectangle.y),
            static_cast<double>(rectangle.width), static_cast<double>(rectangle.height)};
}

} // namespace

std::vector<X11Monitor> x11Monitors(GdkDisplay* display) {
    if (display == nullptr) {
        return {};
    }
    GdkMonitor* primary = gdk_display_get_primary_monitor(display);
    const int count = gdk_display_get_n_monitors(display);
    std::vector<X11Monitor> monitors;
    monitors.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
    for (int index = 0; index < count; ++index) {
        GdkMonitor* monitor = gdk_display_get_monitor(display, index);
        if (monitor == nullptr) {
            continue;
        }
        GdkRectangle geometry{};
        GdkRectangle workarea{};
        gdk_monitor_get_geometry(monitor, &geometry);
        gdk_monitor_get_workarea(monitor, &workarea);
        monitors.push_back({toRect(geometry), toRect(workarea), monitor == primary});
    }
    return withServerMonitors(std::move(monitors), randrMonitors(display), [display] {
        return std::pair{panelStruts(display), rootWindowSize(display)};
    });
}

std::vector<Screen> screensOf(GdkDisplay* display) {
    return screensInCoreCoordinates(x11Monitors(display));
}

CoordinateSpace coordinateSpaceOf(GdkDisplay* display) {
    return coordinateSpaceOf(x11Monitors(display));
}

} // namespace vantro::gtk
