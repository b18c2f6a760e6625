#include "platform/gtk/ratio_hint.h"

#include <gdk/gdkx.h>

#include <X11/Xutil.h>

#include <memory>

namespace vantro::gtk {

namespace {

struct XFreeDeleter {
    void operator()(XSizeHints* hints) const { XFree(hints); }
};

// Reads the hints, lets `edit` change them and writes them back when it
// answers true. A window destroyed meanwhile is not an error of the host's.
template <typename Edit> bool editNormalHints(GtkWindow* window, Edit edit) {
    GdkWindow* gdkWindow = gtk_widget_get_window(GTK_WIDGET(window));
    if (gdkWindow == nullptr || !GDK_IS_X11_WINDOW(gdkWindow)) {
        return false;
    }
    GdkDisplay* display = gdk_window_get_display(gdkWindow);
    Display* xdisplay = gdk_x11_display_get_xdisplay(display);
    const Window xid = gdk_x11_window_get_xid(gdkWindow);
    const std::unique_ptr<XSizeHints, XFreeDeleter> hints(XAllocSizeHints());
    if (!hints) {
        return false;
    }
    long supplied = 0;
    gdk_x11_display_error_trap_push(display);
    bool written = false;
    if (XGetWMNormalHints(xdisplay, xid, hints.get(), &supplied) != 0 && edit(*hints)) {
        XSetWMNormalHints(xdisplay, xid, hints.get());
        written = true;
    }
    return gdk_x11_display_error_trap_pop(display) == 0 && written;
}

} // namespace

std::optional<RatioHint> addRatioHint(GtkWindow* window, int width, int height) {
    if (width <= 0 || height <= 0) {
        return std::nullopt;
    }
    RatioHint added;
    const bool written = editNormalHints(window, [&](XSizeHints& hints) {
        if ((hints.flags & PAspect) != 0) {
            return false;
        }
        hints.flags |= PAspect;
        hints.min_aspect = {width, height};
        hints.max_aspect = {width, height};
        const bool increments =
            (hints.flags & PResizeInc) != 0 && (hints.width_inc > 1 || hints.height_inc > 1);
        if ((hints.flags & PBaseSize) != 0 && !increments) {
            added = {true, hints.base_width, hints.base_height};
            hints.flags &= ~PBaseSize;
        }
        return true;
    });
    return written ? std::optional<RatioHint>(added) : std::nullopt;
}

void removeRatioHint(GtkWindow* window, const RatioHint& added) {
    // The window's size asked for again first: a window manager that keeps
    // the size the pointer asked for and shapes it anew when the hints
    // change (mutter) would otherwise grow the window to it once the ratio
    // is gone.
    if (GdkWindow* gdkWindow = gtk_widget_get_window(GTK_WIDGET(window));
        gdkWindow != nullptr && GDK_IS_X11_WINDOW(gdkWindow)) {
        GdkDisplay* display = gdk_window_get_display(gdkWindow);
        const int scale = gdk_window_get_scale_factor(gdkWindow);
        gdk_x11_display_error_trap_push(display);
        XResizeWindow(gdk_x11_display_get_xdisplay(display), gdk_x11_window_get_xid(gdkWindow),
                      static_cast<unsigned>(gdk_window_get_width(gdkWindow) * scale),
                      static_cast<unsigned>(gdk_window_get_height(gdkWindow) * scale));
        gdk_x11_display_error_trap_pop_ignored(display);
    }
    editNormalHints(window, [&added](XSizeHints& hints) {
        if ((hints.flags & PAspect) == 0) {
            return false;
        }
        hints.flags &= ~PAspect;
        if (added.baseSizeTakenOut && (hints.flags & PBaseSize) == 0) {
            hints.flags |= PBaseSize;
            hints.base_width = added.baseWidth;
            hints.base_height = added.baseHeight;
        }
        return true;
    });
}

} // namespace vantro::gtk
