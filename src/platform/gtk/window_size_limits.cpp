#include "platform/gtk/window_size_limits.h"

#include "platform/gtk/window_frame.h"

#include <gdk/gdkx.h>

#include <array>

namespace vantro::gtk {

WindowSizeLimits sizeLimitsOf(GtkWindow* window) {
    if (window == nullptr || !gtk_widget_get_realized(GTK_WIDGET(window))) {
        return {};
    }
    GdkWindow* gdkWindow = gtk_widget_get_window(GTK_WIDGET(window));
    if (gdkWindow == nullptr || !GDK_IS_X11_WINDOW(gdkWindow)) {
        return {};
    }
    GdkDisplay* display = gdk_window_get_display(gdkWindow);
    const Atom hints = gdk_x11_get_xatom_by_name_for_display(display, "WM_NORMAL_HINTS");
    const Atom hintsType = gdk_x11_get_xatom_by_name_for_display(display, "WM_SIZE_HINTS");
    constexpr long kHintsLength = 18;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    // The window may be gone on the server already.
    gdk_x11_display_error_trap_push(display);
    const int status = XGetWindowProperty(GDK_DISPLAY_XDISPLAY(display), GDK_WINDOW_XID(gdkWindow),
                                          hints, 0, kHintsLength, False, hintsType, &type, &format,
                                          &count, &remaining, &data);
    const int error = gdk_x11_display_error_trap_pop(display);
    WindowSizeLimits limits;
    if (status == Success && error == 0 && data != nullptr && type == hintsType && format == 32 &&
        count == kHintsLength) {
        // Format 32 properties arrive as an array of long, whatever long's size.
        std::array<long, kHintsLength> values{};
        for (std::size_t index = 0; index < values.size(); ++index) {
            values[index] = static_cast<long*>(static_cast<void*>(data))[index];
        }
        limits = sizeLimitsFromHints(values, gdk_window_get_scale_factor(gdkWindow),
                                     clientShadowExtents(window), decorationExtents(window))
                     .value_or(WindowSizeLimits{});
    }
    if (data != nullptr) {
        XFree(data);
    }
    return limits;
}

} // namespace vantro::gtk
