#pragma once

// The visible outer frame of a GtkWindow: title bar included (client-side
// header bar or the window manager's decorations), client-side shadow
// excluded. Read and set in core coordinates.

#include "platform/geometry.h"
#include "platform/gtk/coordinate_space.h"
#include "platform/gtk/frame_extents.h"

#include <gtk/gtk.h>

#include <optional>

namespace vantro::gtk {

// _GTK_FRAME_EXTENTS of the window's toplevel: the shadow GTK draws around a
// client-side decorated window when a compositor runs and the window manager
// supports it. Zero when absent, unrealized or malformed.
FrameExtents clientShadowExtents(GtkWindow* window);

// _NET_FRAME_EXTENTS: the window manager's own decorations. Zero when absent
// (no window manager, or a client-side decorated window).
FrameExtents decorationExtents(GtkWindow* window);

// The X11 id of the window's toplevel, 0 when it is not realized. Lets
// callers that must not include Xlib's headers (their macros clash with
// C++ code) talk about the window to X tools.
unsigned long x11WindowId(GtkWindow* window);

// The visible frame in X11 root coordinates; nothing when the window is not
// realized. From what GDK last saw configured and the extents as last
// read; no round trip once the extents are known.
std::optional<Rect> visibleFrameX11(GtkWindow* window);

// The visible frame in core coordinates of `space`.
std::optional<Rect> windowFrame(GtkWindow* window, const CoordinateSpace& space);

// Asks for the visible frame to take `frame` (core coordinates), rounded to
// whole pixels. Returns at once; the window manager and GTK apply it when the
// main loop runs. False, and nothing asked, when the window is not realized
// or `frame` has no area or is not finite. GTK keeps the window at least as
// large as its content needs, so a frame below that is widened.
bool setWindowFrame(GtkWindow* window, const Rect& frame, const CoordinateSpace& space);

// A client-side decorated 640x480 window with a header bar that has maximize
// and close buttons, shown. GTK owns it; destroy it with gtk_widget_destroy.
GtkWindow* createTestWindow(const char* title);

} // namespace vantro::gtk
