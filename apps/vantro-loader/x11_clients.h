#pragma once

// The GTK 3 applications on the loader's display: the ones whose load
// request names the loader waits for after changing Gtk/Modules.

#include <X11/Xlib.h>
#include <sys/types.h>

#include <set>

namespace vantro::loader_app {

// Processes of this user and machine that map GTK 3 and have a window on
// the display, the loader itself left out. GDK gives every process a client
// leader window, a child of the root with _NET_WM_PID, whether or not a
// window manager reparents its toplevels.
std::set<pid_t> gtk3ClientProcesses(Display* display);

} // namespace vantro::loader_app
