#pragma once

// The display's monitors as the plug-in's screens: frame from
// gdk_monitor_get_geometry, visible frame from gdk_monitor_get_workarea,
// primary first, in core coordinates.

#include "platform/geometry.h"
#include "platform/gtk/coordinate_space.h"

#include <gdk/gdk.h>

#include <vector>

namespace vantro::gtk {

// GDK's monitors in GDK's order, X11 root coordinates. Empty for a null display.
std::vector<X11Monitor> x11Monitors(GdkDisplay* display);

// The screens in core coordinates; empty when the display has no monitors.
std::vector<Screen> screensOf(GdkDisplay* display);

// The coordinate space the display's primary monitor defines.
CoordinateSpace coordinateSpaceOf(GdkDisplay* display);

} // namespace vantro::gtk
