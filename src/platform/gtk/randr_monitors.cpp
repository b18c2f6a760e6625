#include "platform/gtk/randr_monitors.h"

#include <X11/Xatom.h>
#include <X11/extensions/Xrandr.h>
#include <gdk/gdkx.h>

#include <array>

namespace vantro::gtk {

namespace {

// The root window's (or a window's) CARDINAL or WINDOW list property, at
// most `limit` values; empty when absent, of another type, or when the
// window is gone (X errors are trapped).
std::vector<long> longProperty(GdkDisplay* display, Window window, const char* name, Atom type,
                               long limit) {
    Display* xdisplay = GDK_DISPLAY_XDISPLAY(display);
    const Atom atom = gdk_x11_get_xatom_by_name_for_display(display, name);
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    gdk_x11_display_error_trap_push(display);
    const int status = XGetWindowProperty(xdisplay, window, atom, 0, limit, False, type,
                                          &actualType, &format, &count, &remaining, &data);
    const int error = gdk_x11_display_error_trap_pop(display);
    std::vector<long> values;
    if (status == Success && error == 0 && data != nullptr && actualType == type && format == 32) {
        // Format 32 properties arrive as an array of long, whatever long's size.
        const long* longs = static_cast<long*>(static_cast<void*>(data));
        values.assign(longs, longs + count);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return values;
}

int displayScale(GdkDisplay* display) {
    GdkMonitor* monitor = gdk_display_get_monitor(display, 0);
    const int scale = monitor != nullptr ? gdk_monitor_get_scale_factor(monitor) : 1;
    return scale >= 1 ? scale : 1;
}

// More clients than any desktop has; bounds the one read of the list.
constexpr long kMaxClients = 4096;
constexpr long kPartialStrutLength = 12;

} // namespace

std::vector<X11Monitor> randrMonitors(GdkDisplay* display) {
    if (display == nullptr || !GDK_IS_X11_DISPLAY(display)) {
        return {};
    }
    Display* xdisplay = GDK_DISPLAY_XDISPLAY(display);
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (XRRQueryExtension(xdisplay, &eventBase, &errorBase) == 0 ||
        XRRQueryVersion(xdisplay, &major, &minor) == 0 || major < 1 || (major == 1 && minor < 5)) {
        return {};
    }
    int count = 0;
    gdk_x11_display_error_trap_push(display);
    XRRMonitorInfo* infos = XRRGetMonitors(xdisplay, DefaultRootWindow(xdisplay), True, &count);
    const int error = gdk_x11_display_error_trap_pop(display);
    std::vector<X11Monitor> monitors;
    if (error == 0 && infos != nullptr) {
        const double scale = displayScale(display);
        for (int index = 0; index < count; ++index) {
            const XRRMonitorInfo& info = infos[index];
            const Rect geometry{info.x / scale, info.y / scale, info.width / scale,
                                info.height / scale};
            monitors.push_back({geometry, geometry, info.primary != 0});
        }
    }
    if (infos != nullptr) {
        XRRFreeMonitors(infos);
    }
    return monitors;
}

Size rootWindowSize(GdkDisplay* display) {
    if (display == nullptr || !GDK_IS_X11_DISPLAY(display)) {
        return {};
    }
    Display* xdisplay = GDK_DISPLAY_XDISPLAY(display);
    const double scale = displayScale(display);
    return {DisplayWidth(xdisplay, DefaultScreen(xdisplay)) / scale,
            DisplayHeight(xdisplay, DefaultScreen(xdisplay)) / scale};
}

std::vector<Strut> panelStruts(GdkDisplay* display) {
    if (display == nullptr || !GDK_IS_X11_DISPLAY(display)) {
        return {};
    }
    Display* xdisplay = GDK_DISPLAY_XDISPLAY(display);
    const int scale = displayScale(display);
    std::vector<Strut> struts;
    for (const long client : longProperty(display, DefaultRootWindow(xdisplay), "_NET_CLIENT_LIST",
                                          XA_WINDOW, kMaxClients)) {
        const std::vector<long> values =
            longProperty(display, static_cast<Window>(client), "_NET_WM_STRUT_PARTIAL", XA_CARDINAL,
                         kPartialStrutLength);
        if (const std::optional<Strut> strut = strutFromPartial(values, scale)) {
            struts.push_back(*strut);
        }
    }
    return struts;
}

} // namespace vantro::gtk
