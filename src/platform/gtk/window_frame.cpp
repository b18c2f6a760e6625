#include "platform/gtk/window_frame.h"

#include <X11/Xatom.h>
#include <gdk/gdkx.h>

#include <array>
#include <cmath>

namespace vantro::gtk {

namespace {

GdkWindow* toplevelOf(GtkWindow* window) {
    if (window == nullptr || !gtk_widget_get_realized(GTK_WIDGET(window))) {
        return nullptr;
    }
    GdkWindow* gdkWindow = gtk_widget_get_window(GTK_WIDGET(window));
    if (gdkWindow == nullptr || !GDK_IS_X11_WINDOW(gdkWindow)) {
        return nullptr;
    }
    return gdkWindow;
}

// Four CARDINALs of an extents property. The window may be gone on the
// server already, so X errors are trapped and mean "absent".
FrameExtents readExtents(GdkWindow* gdkWindow, const char* property) {
    GdkDisplay* display = gdk_window_get_display(gdkWindow);
    Display* xdisplay = GDK_DISPLAY_XDISPLAY(display);
    const Atom atom = gdk_x11_get_xatom_by_name_for_display(display, property);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    gdk_x11_display_error_trap_push(display);
    const int status = XGetWindowProperty(xdisplay, GDK_WINDOW_XID(gdkWindow), atom, 0, 4, False,
                                          XA_CARDINAL, &type, &format, &count, &remaining, &data);
    const int error = gdk_x11_display_error_trap_pop(display);
    FrameExtents extents;
    if (status == Success && error == 0 && data != nullptr && type == XA_CARDINAL && format == 32 &&
        count == 4) {
        // Format 32 properties arrive as an array of long, whatever long's size.
        std::array<long, 4> values{};
        for (std::size_t index = 0; index < values.size(); ++index) {
            values[index] = static_cast<long*>(static_cast<void*>(data))[index];
        }
        extents = frameExtentsFromProperty(values, gdk_window_get_scale_factor(gdkWindow))
                      .value_or(FrameExtents{});
    }
    if (data != nullptr) {
        XFree(data);
    }
    return extents;
}

bool isFinite(const Rect& rect) {
    return std::isfinite(rect.origin.x) && std::isfinite(rect.origin.y) &&
           std::isfinite(rect.size.width) && std::isfinite(rect.size.height);
}

int pixels(double value) {
    return static_cast<int>(std::lround(value));
}

// openbox places a window whose configure request asks for exactly (0, 0)
// inside the work area of all monitors together, so with a panel along the
// top of another monitor a window asked to the top-left corner lands below
// that panel's height. The same geometry asked for with the EWMH message
// _NET_MOVERESIZE_WINDOW (from an application, north-west gravity) is taken
// as it is. Only that one position goes this way; every other request stays
// a plain configure request. False when the window manager does not list
// the message, and nothing is sent then.
bool requestOriginThroughWindowManager(GdkWindow* gdkWindow, int width, int height) {
    GdkScreen* screen = gdk_window_get_screen(gdkWindow);
    if (!gdk_x11_screen_supports_net_wm_hint(
            screen, gdk_atom_intern_static_string("_NET_MOVERESIZE_WINDOW"))) {
        return false;
    }
    GdkDisplay* display = gdk_window_get_display(gdkWindow);
    Display* xdisplay = GDK_DISPLAY_XDISPLAY(display);
    const int scale = gdk_window_get_scale_factor(gdkWindow);
    constexpr long kNorthWestGravity = 1;
    constexpr long kAllFourGiven = 0xfL << 8;
    constexpr long kFromApplication = 1L << 12;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = GDK_WINDOW_XID(gdkWindow);
    event.xclient.message_type =
        gdk_x11_get_xatom_by_name_for_display(display, "_NET_MOVERESIZE_WINDOW");
    event.xclient.format = 32;
    event.xclient.data.l[0] = kNorthWestGravity | kAllFourGiven | kFromApplication;
    event.xclient.data.l[1] = 0;
    event.xclient.data.l[2] = 0;
    event.xclient.data.l[3] = static_cast<long>(width) * scale;
    event.xclient.data.l[4] = static_cast<long>(height) * scale;
    gdk_x11_display_error_trap_push(display);
    XSendEvent(xdisplay, GDK_WINDOW_XID(gdk_screen_get_root_window(screen)), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    gdk_x11_display_error_trap_pop_ignored(display);
    return true;
}

} // namespace

FrameExtents clientShadowExtents(GtkWindow* window) {
    GdkWindow* gdkWindow = toplevelOf(window);
    return gdkWindow != nullptr ? readExtents(gdkWindow, "_GTK_FRAME_EXTENTS") : FrameExtents{};
}

FrameExtents decorationExtents(GtkWindow* window) {
    GdkWindow* gdkWindow = toplevelOf(window);
    return gdkWindow != nullptr ? readExtents(gdkWindow, "_NET_FRAME_EXTENTS") : FrameExtents{};
}

unsigned long x11WindowId(GtkWindow* window) {
    GdkWindow* gdkWindow = toplevelOf(window);
    return gdkWindow != nullptr ? GDK_WINDOW_XID(gdkWindow) : 0;
}

std::optional<Rect> visibleFrameX11(GtkWindow* window) {
    GdkWindow* gdkWindow = toplevelOf(window);
    if (gdkWindow == nullptr) {
        return std::nullopt;
    }
    int x = 0;
    int y = 0;
    gdk_window_get_origin(gdkWindow, &x, &y);
    const Rect client{static_cast<double>(x), static_cast<double>(y),
                      static_cast<double>(gdk_window_get_width(gdkWindow)),
                      static_cast<double>(gdk_window_get_height(gdkWindow))};
    return visibleFrameFromClient(client, readExtents(gdkWindow, "_GTK_FRAME_EXTENTS"),
                                  readExtents(gdkWindow, "_NET_FRAME_EXTENTS"));
}

std::optional<Rect> windowFrame(GtkWindow* window, const CoordinateSpace& space) {
    const std::optional<Rect> x11 = visibleFrameX11(window);
    if (!x11) {
        return std::nullopt;
    }
    return space.toCore(*x11);
}

bool setWindowFrame(GtkWindow* window, const Rect& frame, const CoordinateSpace& space) {
    if (!isFinite(frame) || frame.isEmpty()) {
        return false;
    }
    const std::optional<Rect> current = visibleFrameX11(window);
    if (!current) {
        return false;
    }
    const Rect target = space.toX11(frame);
    // gtk_window_move and gtk_window_resize speak of GTK's own reference
    // rectangle, which differs from the visible frame by constants that
    // depend on the decoration mode (without a compositor, a 5 px resize
    // border outside it and the header bar excluded from the size; with a
    // shadow, the shadow and the header bar). Moving and resizing that
    // rectangle by the visible frame's difference avoids knowing them.
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    gtk_window_get_position(window, &x, &y);
    gtk_window_get_size(window, &width, &height);
    const int newWidth = width + pixels(target.size.width) - pixels(current->size.width);
    const int newHeight = height + pixels(target.size.height) - pixels(current->size.height);
    // GTK keeps the size it will lay the window out at; it moves a mapped
    // window at once but resizes it only when it next lays it out, which
    // the window manager then applies as a second configure. One request
    // for both makes the change a single round: the client window's place
    // and size, its place being the frame's outer corner (north-west
    // gravity) less the client-side shadow.
    GdkWindow* gdkWindow = toplevelOf(window);
    const FrameExtents shadow = readExtents(gdkWindow, "_GTK_FRAME_EXTENTS");
    const FrameExtents decorations = readExtents(gdkWindow, "_NET_FRAME_EXTENTS");
    const int clientWidth = pixels(target.size.width + shadow.left + shadow.right -
                                   decorations.left - decorations.right);
    const int clientHeight = pixels(target.size.height + shadow.top + shadow.bottom -
                                    decorations.top - decorations.bottom);
    const int clientX = pixels(target.origin.x - shadow.left);
    const int clientY = pixels(target.origin.y - shadow.top);
    const int requestWidth = clientWidth > 0 ? clientWidth : 1;
    const int requestHeight = clientHeight > 0 ? clientHeight : 1;
    // Through the window manager, GTK is not told of the size: once it has
    // seen the window at (0, 0), a size of its own to apply would go out as
    // a configure request with that position, which openbox moves again.
    // GTK takes the new size as it takes any the window manager sets.
    if (clientX == 0 && clientY == 0 &&
        requestOriginThroughWindowManager(gdkWindow, requestWidth, requestHeight)) {
        return true;
    }
    gtk_window_resize(window, newWidth > 0 ? newWidth : 1, newHeight > 0 ? newHeight : 1);
    gdk_window_move_resize(gdkWindow, clientX, clientY, requestWidth, requestHeight);
    return true;
}

GtkWindow* createTestWindow(const char* title) {
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    GtkWidget* header = gtk_header_bar_new();
    gtk_header_bar_set_title(GTK_HEADER_BAR(header), title);
    gtk_header_bar_set_show_close_button(GTK_HEADER_BAR(header), TRUE);
    // Fixed, so that the buttons do not depend on the desktop's settings.
    gtk_header_bar_set_decoration_layout(GTK_HEADER_BAR(header), ":maximize,close");
    gtk_window_set_titlebar(GTK_WINDOW(window), header);
    gtk_window_set_title(GTK_WINDOW(window), title);
    gtk_window_set_default_size(GTK_WINDOW(window), 640, 480);
    gtk_widget_show_all(window);
    return GTK_WINDOW(window);
}

} // namespace vantro::gtk
