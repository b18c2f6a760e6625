#include "desktop_probe.h"

#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <thread>

namespace vantro::soak {

using std::chrono::milliseconds;

template <typename Item>
std::vector<Item> DesktopProbe::items(Window window, const char* property) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::vector<Item> found;
    // Format-32 data arrives as longs whatever their width on the wire.
    if (XGetWindowProperty(display_, window, XInternAtom(display_, property, False), 0, 1024, False,
                           AnyPropertyType, &type, &format, &count, &after, &data) == Success &&
        data != nullptr && format == (sizeof(Item) == 1 ? 8 : 32)) {
        const auto* first = reinterpret_cast<const Item*>(data);
        found.assign(first, first + count);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return found;
}

std::optional<std::string> DesktopProbe::title(Window window) {
    const std::vector<char> raw = items<char>(window, "_NET_WM_NAME");
    return raw.empty() ? std::nullopt
                       : std::optional<std::string>(std::in_place, raw.begin(), raw.end());
}

std::vector<Window> DesktopProbe::windowsOf(pid_t pid, const std::string& wanted, bool shown) {
    std::vector<Window> found;
    for (const long id : items<long>(root_, "_NET_CLIENT_LIST")) {
        const auto window = static_cast<Window>(id);
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(display_, window, &attributes) != 0 &&
            (attributes.map_state == IsViewable) == shown &&
            items<long>(window, "_NET_WM_PID") == std::vector<long>{pid} &&
            title(window) == wanted) {
            found.push_back(window);
        }
    }
    return found;
}

long DesktopProbe::shadowLeft(Window window) {
    const std::vector<long> values = items<long>(window, "_GTK_FRAME_EXTENTS");
    return values.empty() ? 0 : values.front();
}

std::optional<Frame> DesktopProbe::frameOf(Window window) {
    XWindowAttributes attributes{};
    int x = 0;
    int y = 0;
    Window child = 0;
    if (XGetWindowAttributes(display_, window, &attributes) == 0 ||
        XTranslateCoordinates(display_, window, root_, 0, 0, &x, &y, &child) == 0) {
        return std::nullopt;
    }
    // Shadow (GTK's, inside the window) less decorations (the manager's, outside).
    std::vector<long> in = items<long>(window, "_GTK_FRAME_EXTENTS");
    std::vector<long> out = items<long>(window, "_NET_FRAME_EXTENTS");
    in.resize(4, 0);
    out.resize(4, 0);
    const auto side = [&](int i) { return static_cast<int>(in[i] - out[i]); };
    return Frame{x + side(0), y + side(2), attributes.width - side(0) - side(1),
                 attributes.height - side(2) - side(3)};
}

std::optional<Frame> DesktopProbe::settledFrameOf(Window window, const Frame* before) {
    // A client busy with other work may start moving only a while after the
    // input that asked for it: a frame still at `before` is read again until
    // the time is up.
    const auto deadline = std::chrono::steady_clock::now() + milliseconds(500);
    std::optional<Frame> frame = frameOf(window);
    while (before != nullptr && frame == *before && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(milliseconds(20));
        frame = frameOf(window);
    }
    for (int i = 0; frame && i < 50; ++i) {
        // An answered ping: the client's main loop is not held up (the first
        // popups load fonts) with the frame half way.
        answersPing(window, milliseconds(2000));
        std::this_thread::sleep_for(milliseconds(40));
        const std::optional<Frame> again = frameOf(window);
        if (again == frame) {
            break;
        }
        frame = again;
    }
    return frame;
}

std::optional<SizeLimits> DesktopProbe::limitsOf(Window window) {
    XWindowAttributes attributes{};
    XSizeHints hints{};
    long supplied = 0;
    if (XGetWindowAttributes(display_, window, &attributes) == 0 ||
        XGetWMNormalHints(display_, window, &hints, &supplied) == 0) {
        return std::nullopt;
    }
    const auto given = [&hints](long flag, int value, int otherwise) {
        return (hints.flags & flag) != 0 ? std::max(value, otherwise) : otherwise;
    };
    return SizeLimits{attributes.width,
                      attributes.height,
                      given(PMinSize, hints.min_width, 0),
                      given(PMinSize, hints.min_height, 0),
                      given(PMaxSize, hints.max_width, 0),
                      given(PMaxSize, hints.max_height, 0),
                      given(PResizeInc, hints.width_inc, 1),
                      given(PResizeInc, hints.height_inc, 1)};
}

std::vector<Frame> DesktopProbe::monitors() {
    std::vector<Frame> found;
    int count = 0;
    XRRMonitorInfo* info = XRRGetMonitors(display_, root_, True, &count);
    found.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        found.push_back({info[i].x, info[i].y, info[i].width, info[i].height});
    }
    XRRFreeMonitors(info);
    return found;
}

std::vector<std::pair<std::string, Frame>>
DesktopProbe::shownPopups(std::span<const std::string_view> titles) {
    std::vector<std::pair<std::string, Frame>> shown;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display_, root_, &parent, &parent, &children, &count) == 0) {
        return shown;
    }
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes a{};
        if (XGetWindowAttributes(display_, children[i], &a) != 0 && a.map_state == IsViewable &&
            a.override_redirect != 0) {
            const std::optional<std::string> name = title(children[i]);
            if (name && std::find(titles.begin(), titles.end(), *name) != titles.end()) {
                shown.emplace_back(*name, Frame{a.x, a.y, a.width, a.height});
            }
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return shown;
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
    const Atom protocols = XInternAtom(display_, "WM_PROTOCOLS", False);
    const auto ping = static_cast<long>(XInternAtom(display_, "_NET_WM_PING", False));
    const auto serial = static_cast<long>(++pingSerial_);
    // The client answers by sending the message on to the root window.
    XSelectInput(display_, root_, SubstructureNotifyMask);
    XEvent event{};
    event.xclient = {ClientMessage, 0, False, display_, window, protocols, 32, {}};
    event.xclient.data.l[0] = ping;
    event.xclient.data.l[1] = serial;
    event.xclient.data.l[2] = static_cast<long>(window);
    XSendEvent(display_, window, False, NoEventMask, &event);
    bool answered = false;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!answered && std::chrono::steady_clock::now() < deadline) {
        XSync(display_, False);
        while (!answered && XPending(display_) > 0) {
            XNextEvent(display_, &event);
            answered = event.type == ClientMessage && event.xclient.data.l[0] == ping &&
                       event.xclient.data.l[1] == serial;
        }
        std::this_thread::sleep_for(milliseconds(5));
    }
    XSelectInput(display_, root_, NoEventMask);
    XSync(display_, True); // drop what the selection brought in
    return answered;
}

void DesktopProbe::activate(Window window) {
    const Atom active = XInternAtom(display_, "_NET_ACTIVE_WINDOW", False);
    XEvent event{};
    event.xclient = {ClientMessage, 0, False, display_, window, active, 32, {}};
    event.xclient.data.l[0] = 2; // from a pager: always honoured
    XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XSync(display_, False);
}

} // namespace vantro::soak
