#include "x11_clients.h"

#include "processes.h"

#include <X11/Xatom.h>
#include <unistd.h>

#include <optional>

namespace vantro::loader_app {

namespace {

// Windows vanish while they are read: their errors are expected and dropped.
int ignoreXError(Display* /*display*/, XErrorEvent* /*error*/) {
    return 0;
}

std::optional<pid_t> windowPid(Display* display, Window window, Atom netWmPid) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, netWmPid, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &remaining, &data) != Success) {
        return std::nullopt;
    }
    std::optional<pid_t> pid;
    if (data != nullptr && type == XA_CARDINAL && format == 32 && count == 1) {
        // Xlib hands 32-bit items as longs.
        pid = static_cast<pid_t>(*reinterpret_cast<const unsigned long*>(data));
    }
    if (data != nullptr) {
        XFree(data);
    }
    return pid;
}

} // namespace

std::set<pid_t> gtk3ClientProcesses(Display* display) {
    const Atom netWmPid = XInternAtom(display, "_NET_WM_PID", False);
    auto* previousHandler = XSetErrorHandler(&ignoreXError);
    Window root = None;
    Window parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    std::set<pid_t> pids;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) != 0) {
        for (unsigned int i = 0; i < count; ++i) {
            if (const auto pid = windowPid(display, children[i], netWmPid); pid && *pid > 0) {
                pids.insert(*pid);
            }
        }
        if (children != nullptr) {
            XFree(children);
        }
    }
    XSync(display, False);
    XSetErrorHandler(previousHandler);

    std::set<pid_t> gtk3;
    for (const pid_t pid : pids) {
        // A remote client's id may be any local process: the user's, mapping
        // GTK 3, is as close as /proc lets us check.
        if (pid != getpid() && processes::ownedByCurrentUser(pid) &&
            processes::mapsLibrary(pid, "libgtk-3.so")) {
            gtk3.insert(pid);
        }
    }
    return gtk3;
}

} // namespace vantro::loader_app
