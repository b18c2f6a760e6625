#pragma once

// What the X server itself says about monitors and panels, for where GDK 3
// says less: GDK lists only RandR monitors that have a connected output
// (an X server may define monitors without one, `xrandr --setmonitor NAME
// GEOMETRY none`; window managers that read Xinerama still use them), and
// gives every monitor but the primary its whole geometry as work area.

#include "platform/gtk/coordinate_space.h"
#include "platform/gtk/monitor_work_area.h"

#include <gdk/gdk.h>

#include <vector>

namespace vantro::gtk {

// The display's active RandR monitors in the server's order, rectangles in
// X11 root coordinates divided by the display's scale; work area = geometry.
// Empty for a display that is not X11 or a server without RandR 1.5.
std::vector<X11Monitor> randrMonitors(GdkDisplay* display);

// The X screen's size (the root window's) divided by the display's scale:
// what struts are measured from.
Size rootWindowSize(GdkDisplay* display);

// The struts of the windows the window manager lists in _NET_CLIENT_LIST,
// divided by the display's scale. One round trip per listed window; empty
// without a window manager.
std::vector<Strut> panelStruts(GdkDisplay* display);

} // namespace vantro::gtk
