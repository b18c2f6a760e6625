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
FrameExtents fetchExtents(GdkWindow* gdkWindow, Atom atom) {
    GdkDisplay* display = gdk_window_get_display(gdkWindow);
    Display* xdisplay = GDK_DISPLAY_XDISPLAY(display);
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

// Both extents of a toplevel as last read, kept on its GdkWindow and
// dropped by the PropertyNotify that changes them: a zoom or a drag step
// reads them many times, and they change only when the window manager or
// GTK rewrites the property. GDK selects PropertyChangeMask on every
// toplevel it makes, so no change goes unseen.
struct KnownExtents {
    std::optional<FrameExtents> shadow;
    std::optional<FrameExtents> decorations;
};

GQuark knownExtentsQuark() {
    static const GQuark quark = g_quark_from_static_string("vantro-frame-extents");
    return quark;
}

struct ExtentAtoms {
    Atom shadow;
    Atom decorations;
};

ExtentAtoms extentAtoms(GdkDisplay* display) {
    return {gdk_x11_get_xatom_by_name_for_display(display, "_GTK_FRAME_EXTENTS"),
            gdk_x11_get_xatom_by_name_for_display(display, "_NET_FRAME_EXTENTS")};
}

// Sees every X event before GDK does; only a PropertyNotify of a toplevel
// that has extents kept does any work.
GdkFilterReturn forgetChangedExtents(GdkXEvent* xevent, GdkEvent* /*event*/, gpointer /*data*/) {
    const auto* event = static_cast<XEvent*>(xevent);
    if (event->type != PropertyNotify) {
        return GDK_FILTER_CONTINUE;
    }
    GdkDisplay* display = gdk_x11_lookup_xdisplay(event->xproperty.display);
    GdkWindow* window = display != nullptr
                            ? gdk_x11_window_lookup_for_display(display, event->xproperty.window)
                            : nullptr;
    auto* known =
        window != nullptr
            ? static_cast<KnownExtents*>(g_object_get_qdata(G_OBJECT(window), knownExtentsQuark()))
            : nullptr;
    if (known == nullptr) {
        return GDK_FILTER_CONTINUE;
    }
    const ExtentAtoms atoms = extentAtoms(display);
    if (event->xproperty.atom == atoms.shadow) {
        known->shadow.reset();
    } else if (event->xproperty.atom == atoms.decorations) {
        known->decorations.reset();
    }
    return GDK_FILTER_CONTINUE;
}

KnownExtents& knownExtentsOf(GdkWindow* gdkWindow) {
    auto* known =
        static_cast<KnownExtents*>(g_object_get_qdata(G_OBJECT(gdkWindow), knownExtentsQuark()));
    if (known == nullptr) {
        static const bool filtering = [] {
            gdk_window_add_filter(nullptr, forgetChangedExtents, nullptr);
            return true;
        }();
        static_cast<void>(filtering);
        known = new KnownExtents;
        g_object_set_qdata_full(G_OBJECT(gdkWindow), knownExtentsQuark(), known,
                                [](gpointer data) { delete static_cast<KnownExtents*>(data); });
    }
    return *known;
}

// One of the two extents, read from the server only when not kept.
FrameExtents keptExtents(GdkWindow* gdkWindow, std::optional<FrameExtents> KnownExtents::*kept,
                         Atom ExtentAtoms::*atom) {
    std::optional<FrameExtents>& extents = knownExtentsOf(gdkWindow).*kept;
    if (!extents) {
        extents = fetchExtents(gdkWindow, extentAtoms(gdk_window_get_display(gdkWindow)).*atom);
    }
    return *extents;
}

FrameExtents shadowOf(GdkWindow* gdkWindow) {
    return keptExtents(gdkWindow, &KnownExtents::shadow, &ExtentAtoms::shadow);
}

FrameExtents decorationsOf(GdkWindow* gdkWindow) {
    return keptExtents(gdkWindow, &KnownExtents::decorations, &ExtentAtoms::decorations);
}

// The client X window in root coordinates, asked of the server: GDK's own
// record of a toplevel's position lags behind a reparenting window manager
// until its first synthetic ConfigureNotify, so a click soon after the window
// maps would be placed against a stale origin.
Rect clientRect(GdkWindow* gdkWindow) {
    int x = 0;
    int y = 0;
    gdk_window_get_origin(gdkWindow, &x, &y);
    return {static_cast<double>(x), static_cast<double>(y),
            static_cast<double>(gdk_window_get_width(gdkWindow)),
            static_cast<double>(gdk_window_get_height(gdkWindow))};
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
    return gdkWindow != nullptr ? shadowOf(gdkWindow) : FrameExtents{};
}

FrameExtents decorationExtents(GtkWindow* window) {
    GdkWindow* gdkWindow = toplevelOf(window);
    return gdkWindow != nullptr ? decorationsOf(gdkWindow) : FrameExtents{};
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
    return visibleFrameFromClient(clientRect(gdkWindow), shadowOf(gdkWindow),
                                  decorationsOf(gdkWindow));
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
    GdkWindow* gdkWindow = toplevelOf(window);
    if (gdkWindow == nullptr) {
        return false;
    }
    const Rect target = space.toX11(frame);
    // One request for place and size, as the window manager gets it from
    // any program: the client window's place and size, its place being the
    // frame's outer corner (north-west gravity) less the client-side shadow.
    // GTK is not told of the size (gtk_window_resize): it would send it
    // again, alone, at its next layout, a second configure cycle for the
    // window manager. It takes the new size as it takes any the window
    // manager sets, from the ConfigureNotify.
    const FrameExtents shadow = shadowOf(gdkWindow);
    const FrameExtents decorations = decorationsOf(gdkWindow);
    const int clientWidth = pixels(target.size.width + shadow.left + shadow.right -
                                   decorations.left - decorations.right);
    const int clientHeight = pixels(target.size.height + shadow.top + shadow.bottom -
                                    decorations.top - decorations.bottom);
    const int clientX = pixels(target.origin.x - shadow.left);
    const int clientY = pixels(target.origin.y - shadow.top);
    const int requestWidth = clientWidth > 0 ? clientWidth : 1;
    const int requestHeight = clientHeight > 0 ? clientHeight : 1;
    if (!(clientX == 0 && clientY == 0 &&
          requestOriginThroughWindowManager(gdkWindow, requestWidth, requestHeight))) {
        gdk_window_move_resize(gdkWindow, clientX, clientY, requestWidth, requestHeight);
    }
    // Sent now rather than when the main loop next polls: the window manager
    // starts on the request while this program goes on with the rest of the
    // event (the feedback a zoom shows, a drag step's tab), which would
    // otherwise all come before it. A flush writes; it waits for no reply.
    gdk_display_flush(gdk_window_get_display(gdkWindow));
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
