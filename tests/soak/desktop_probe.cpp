#include "desktop_probe.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <thread>

namespace vantro::soak {

namespace {

constexpr long kPagerSource = 2; // _NET_ACTIVE_WINDOW from a pager: always honoured

} // namespace

DesktopProbe::DesktopProbe(Display* display)
    : display_(display), root_(DefaultRootWindow(display)) {}

Atom DesktopProbe::atom(const char* name) {
    return XInternAtom(display_, name, False);
}

std::vector<long> DesktopProbe::cardinals(Window window, Atom property, Atom type) {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::vector<long> values;
    if (XGetWindowProperty(display_, window, property, 0, 1024, False, type, &actualType, &format,
                           &count, &after, &data) == Success &&
        data != nullptr && actualType == type && format == 32) {
        // Format-32 data arrives as longs whatever their width on the wire.
        const auto* items = reinterpret_cast<const long*>(data);
        values.assign(items, items + count);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return values;
}

std::optional<std::string> DesktopProbe::utf8Property(Window window, Atom property) {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::optional<std::string> text;
    if (XGetWindowProperty(display_, window, property, 0, 1024, False, AnyPropertyType, &actualType,
                           &format, &count, &after, &data) == Success &&
        data != nullptr && format == 8) {
        text.emplace(reinterpret_cast<const char*>(data), count);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return text;
}

bool DesktopProbe::hasWindowManager() {
    return !cardinals(root_, atom("_NET_SUPPORTING_WM_CHECK"), XA_WINDOW).empty();
}

std::vector<Window> DesktopProbe::topLevelCandidates() {
    std::vector<Window> windows;
    if (hasWindowManager()) {
        for (const long id : cardinals(root_, atom("_NET_CLIENT_LIST"), XA_WINDOW)) {
            windows.push_back(static_cast<Window>(id));
        }
        return windows;
    }
    Window rootReturn = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display_, root_, &rootReturn, &parent, &children, &count) != 0 &&
        children != nullptr) {
        windows.assign(children, children + count);
    }
    if (children != nullptr) {
        XFree(children);
    }
    return windows;
}

std::vector<Window> DesktopProbe::windowsOf(pid_t pid, const std::string& title) {
    return windowsOf(pid, title, true);
}

std::vector<Window> DesktopProbe::hiddenWindowsOf(pid_t pid, const std::string& title) {
    if (!hasWindowManager()) {
        return {}; // nothing minimizes a window without one
    }
    return windowsOf(pid, title, false);
}

std::vector<Window> DesktopProbe::windowsOf(pid_t pid, const std::string& title, bool viewable) {
    std::vector<Window> found;
    const Atom name = atom("_NET_WM_NAME");
    const Atom pidAtom = atom("_NET_WM_PID");
    for (const Window window : topLevelCandidates()) {
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(display_, window, &attributes) == 0 ||
            (attributes.map_state == IsViewable) != viewable || attributes.override_redirect != 0) {
            continue;
        }
        const std::vector<long> owner = cardinals(window, pidAtom, XA_CARDINAL);
        if (owner.empty() || owner.front() != pid) {
            continue;
        }
        if (utf8Property(window, name) == title) {
            found.push_back(window);
        }
    }
    return found;
}

Extents DesktopProbe::shadowOf(Window window) {
    const std::vector<long> values = cardinals(window, atom("_GTK_FRAME_EXTENTS"), XA_CARDINAL);
    if (values.size() < 4) {
        return {};
    }
    return {values[0], values[1], values[2], values[3]};
}

std::optional<Frame> DesktopProbe::frameOf(Window window) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display_, window, &attributes) == 0) {
        return std::nullopt;
    }
    int x = 0;
    int y = 0;
    Window child = 0;
    if (XTranslateCoordinates(display_, window, root_, 0, 0, &x, &y, &child) == 0) {
        return std::nullopt;
    }
    const Extents shadow = shadowOf(window);
    Extents decorations;
    if (const std::vector<long> values = cardinals(window, atom("_NET_FRAME_EXTENTS"), XA_CARDINAL);
        values.size() >= 4) {
        decorations = {values[0], values[1], values[2], values[3]};
    }
    return Frame{x + static_cast<int>(shadow.left - decorations.left),
                 y + static_cast<int>(shadow.top - decorations.top),
                 attributes.width - static_cast<int>(shadow.left + shadow.right - decorations.left -
                                                     decorations.right),
                 attributes.height - static_cast<int>(shadow.top + shadow.bottom - decorations.top -
                                                      decorations.bottom)};
}

bool DesktopProbe::isMaximized(Window window) {
    const std::vector<long> state = cardinals(window, atom("_NET_WM_STATE"), XA_ATOM);
    const auto has = [&state](Atom wanted) {
        return std::find(state.begin(), state.end(), static_cast<long>(wanted)) != state.end();
    };
    return has(atom("_NET_WM_STATE_MAXIMIZED_VERT")) && has(atom("_NET_WM_STATE_MAXIMIZED_HORZ"));
}

int DesktopProbe::screenWidth() const {
    return DisplayWidth(display_, DefaultScreen(display_));
}

int DesktopProbe::screenHeight() const {
    return DisplayHeight(display_, DefaultScreen(display_));
}

bool DesktopProbe::someoneHoldsAGrab() {
    // Only the pointer: a keyboard grab of ours would take the focus from
    // the application for a moment, which it would act on.
    const int status = XGrabPointer(display_, root_, False, 0, GrabModeAsync, GrabModeAsync, None,
                                    None, CurrentTime);
    if (status == GrabSuccess) {
        XUngrabPointer(display_, CurrentTime);
    }
    XSync(display_, False);
    return status == AlreadyGrabbed || status == GrabFrozen;
}

bool DesktopProbe::answersPing(Window window, std::chrono::milliseconds timeout) {
    const Atom protocols = atom("WM_PROTOCOLS");
    const Atom ping = atom("_NET_WM_PING");
    const long serial = static_cast<long>(++pingSerial_);
    // The client answers by sending the message on to the root window.
    XSelectInput(display_, root_, SubstructureNotifyMask);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(ping);
    event.xclient.data.l[1] = serial;
    event.xclient.data.l[2] = static_cast<long>(window);
    XSendEvent(display_, window, False, NoEventMask, &event);
    XFlush(display_);
    bool answered = false;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!answered && std::chrono::steady_clock::now() < deadline) {
        while (XPending(display_) > 0) {
            XEvent reply{};
            XNextEvent(display_, &reply);
            if (reply.type == ClientMessage && reply.xclient.message_type == protocols &&
                reply.xclient.data.l[0] == static_cast<long>(ping) &&
                reply.xclient.data.l[1] == serial &&
                reply.xclient.data.l[2] == static_cast<long>(window)) {
                answered = true;
            }
        }
        if (!answered) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    XSelectInput(display_, root_, NoEventMask);
    XSync(display_, True); // drop what the selection brought in
    return answered;
}

void DesktopProbe::activate(Window window) {
    if (!hasWindowManager()) {
        XRaiseWindow(display_, window);
        XSetInputFocus(display_, window, RevertToPointerRoot, CurrentTime);
        XSync(display_, False);
        return;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = atom("_NET_ACTIVE_WINDOW");
    event.xclient.format = 32;
    event.xclient.data.l[0] = kPagerSource;
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XSync(display_, False);
}

void DesktopProbe::placeFrame(Window window, const Frame& frame) {
    const Extents shadow = shadowOf(window);
    XMoveResizeWindow(display_, window, frame.x - static_cast<int>(shadow.left),
                      frame.y - static_cast<int>(shadow.top),
                      static_cast<unsigned>(frame.width + shadow.left + shadow.right),
                      static_cast<unsigned>(frame.height + shadow.top + shadow.bottom));
    XSync(display_, False);
}

} // namespace vantro::soak
