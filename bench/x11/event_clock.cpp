// x11_event_clock: times what a user sees of a window on a real X server,
// from the moment something is asked of it to the X event that shows it
// done, on the monotonic clock. The X side of bench/x11/run.
//
//   x11_event_clock first-map TITLE -- CMD ARGS...
//       Runs CMD and prints the milliseconds from its start to the MapNotify
//       of its first window titled TITLE; then ends CMD and reaps it.
//   x11_event_clock configured WINDOW X Y W H -- CMD ARGS...
//       Runs CMD and prints the milliseconds from its start to the
//       ConfigureNotify that put WINDOW at X Y W H (root coordinates, the X
//       window's own geometry) for good: a later event that moves it away
//       and back again moves the figure to the return.
//   x11_event_clock frames WINDOW X Y W H -- CMD ARGS...
//       As configured, for an animated change: prints the milliseconds to the
//       final ConfigureNotify, the number of sizes and places the window took
//       on the way, the milliseconds from the first change to the last, and
//       the longest time between two changes.
//   x11_event_clock move-resize WINDOW X Y W H
//       The same figure for one plain XMoveResizeWindow of WINDOW to there.
//   x11_event_clock click WINDOW X Y W H KEY
//       The same figure for a click of button 1 where the pointer is, with
//       KEY (a keysym name, e.g. Control_L) held, sent through XTest.
//   x11_event_clock key WINDOW X Y W H KEYS
//       The same figure for a key chord sent through XTest, KEYS being keysym
//       names joined by "+" (e.g. Shift_L+Control_L+1): all but the last go
//       down first, then the last is pressed and released and the clock starts.
//   x11_event_clock drag WINDOW X Y DX DY STEPS GAP-MS
//       Presses button 1 at X Y through XTest, moves the pointer by DX DY in
//       STEPS equal motions GAP-MS apart and releases it, printing for each
//       motion the milliseconds to the ConfigureNotify that gives WINDOW the
//       size grown by the motion's share of DX DY.
//   x11_event_clock geometry WINDOW
//       Prints the X window's root position and size: "X Y W H".
//
// Every figure starts just before the request leaves (the fork of CMD, the X
// request, the XTest button or motion) and stops when the X event is read:
// it holds the work of the program and of the window manager in between,
// and no polling of ours.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr double kCommandTimeoutMs = 20000;
// How long a frame must stay put before it counts as the final one.
constexpr double kSettleMs = 150;
// How long one drag step may take before it counts as lost.
constexpr double kStepTimeoutMs = 1000;

struct Geometry {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Geometry&) const = default;
};

double nowMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

void sleepMs(double ms) {
    if (ms <= 0) {
        return;
    }
    const auto whole = static_cast<time_t>(ms / 1e3);
    timespec pause{whole, static_cast<long>((ms - static_cast<double>(whole) * 1e3) * 1e6)};
    while (nanosleep(&pause, &pause) != 0 && errno == EINTR) {
    }
}

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "x11_event_clock: %s\n", what);
    std::exit(1); // NOLINT(concurrency-mt-unsafe): the tool runs one thread
}

// Windows come and go under us (GTK's short-lived helpers, the window
// manager's frames): a request on one already gone is not an error here.
int ignoreXErrors(Display* /*display*/, XErrorEvent* /*error*/) {
    return 0;
}

Display* openDisplay() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        fail("cannot open the display");
    }
    XSetErrorHandler(ignoreXErrors);
    return display;
}

Window parseWindow(const char* text) {
    char* end = nullptr;
    const unsigned long window = std::strtoul(text, &end, 0);
    if (end == text || *end != '\0' || window == 0) {
        fail("bad window id");
    }
    return window;
}

int parseInt(const char* text) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0') {
        fail("bad number");
    }
    return static_cast<int>(value);
}

std::optional<Geometry> geometryOf(Display* display, Window window) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) == 0) {
        return std::nullopt;
    }
    int x = 0;
    int y = 0;
    Window child = 0;
    if (XTranslateCoordinates(display, window, XDefaultRootWindow(display), 0, 0, &x, &y, &child) ==
        0) {
        return std::nullopt;
    }
    return Geometry{x, y, attributes.width, attributes.height};
}

// The next event, or none once `deadline` (monotonic ms) has passed. The time
// it was read is in `readAt`.
bool nextEvent(Display* display, double deadline, XEvent& event, double& readAt) {
    while (XPending(display) == 0) {
        const double left = deadline - nowMs();
        if (left <= 0) {
            return false;
        }
        pollfd connection{XConnectionNumber(display), POLLIN, 0};
        const int ready = poll(&connection, 1, static_cast<int>(left) + 1);
        if (ready < 0 && errno != EINTR) {
            fail("poll failed");
        }
    }
    XNextEvent(display, &event);
    readAt = nowMs();
    return true;
}

pid_t spawn(char** argv) {
    const pid_t pid = fork();
    if (pid < 0) {
        fail("fork failed");
    }
    if (pid == 0) {
        execvp(argv[0], argv);
        std::perror(argv[0]);
        _exit(127);
    }
    return pid;
}

void stopAndReap(pid_t pid) {
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
}

std::string propertyText(Display* display, Window window, Atom property, Atom type) {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, type, &actualType, &format,
                           &count, &after, &data) != Success ||
        data == nullptr) {
        return {};
    }
    std::string text(reinterpret_cast<const char*>(data), format == 8 ? count : 0);
    XFree(data);
    return text;
}

bool titled(Display* display, Window window, std::string_view title) {
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    return propertyText(display, window, netName, utf8) == title ||
           propertyText(display, window, XA_WM_NAME, AnyPropertyType) == title;
}

// Children of the root are created unmapped; each is watched from its
// creation so that its own MapNotify reaches us wherever the window manager
// puts it afterwards.
int firstMap(std::string_view title, char** command) {
    Display* display = openDisplay();
    const Window root = XDefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);
    const double start = nowMs();
    const pid_t pid = spawn(command);
    const double deadline = start + kCommandTimeoutMs;
    XEvent event{};
    double readAt = 0;
    std::optional<double> mapped;
    while (!mapped && nextEvent(display, deadline, event, readAt)) {
        if (event.type == CreateNotify && event.xcreatewindow.parent == root) {
            const Window window = event.xcreatewindow.window;
            XSelectInput(display, window, StructureNotifyMask);
            // Mapped before our selection took: count it from now.
            XWindowAttributes attributes{};
            if (XGetWindowAttributes(display, window, &attributes) != 0 &&
                attributes.map_state != IsUnmapped && titled(display, window, title)) {
                mapped = nowMs();
            }
        } else if (event.type == MapNotify && event.xmap.event == event.xmap.window &&
                   titled(display, event.xmap.window, title)) {
            mapped = readAt;
        }
    }
    stopAndReap(pid);
    XCloseDisplay(display);
    if (!mapped) {
        fail("no window with that title was mapped");
    }
    std::printf("%.3f\n", *mapped - start);
    return 0;
}

bool commandExited(pid_t pid, std::optional<int>& status) {
    if (status) {
        return true;
    }
    int raw = 0;
    if (waitpid(pid, &raw, WNOHANG) == pid) {
        status = raw;
        return true;
    }
    return false;
}

// X11_EVENT_CLOCK_TRACE=1 prints every ConfigureNotify seen, with its time.
bool tracing() {
    static const bool on = [] {
        const char* value = std::getenv("X11_EVENT_CLOCK_TRACE"); // NOLINT(concurrency-mt-unsafe)
        return value != nullptr && std::string_view(value) == "1";
    }();
    return on;
}

// Follows one window's geometry in root coordinates through its
// ConfigureNotify events, and when it came to a target for good.
class FrameWatch {
  public:
    FrameWatch(Display* display, Window window, Geometry target)
        : display_(display), window_(window), target_(target) {
        XSelectInput(display_, window_, StructureNotifyMask);
        const std::optional<Geometry> now = geometryOf(display_, window_);
        if (!now) {
            fail("no such window");
        }
        current_ = *now;
        XSync(display_, False);
    }

    // Call just before the request leaves.
    void start() {
        start_ = nowMs();
        lastChange_ = start_;
        reached_ = current_ == target_ ? std::optional<double>(start_) : std::nullopt;
    }

    [[nodiscard]] double startedAt() const { return start_; }

    // Reads events until `deadline` and reports whether the window sits at
    // the target and has not changed for kSettleMs.
    bool settledBy(double deadline) {
        XEvent event{};
        double readAt = 0;
        while (nextEvent(display_, deadline, event, readAt)) {
            see(event, readAt);
        }
        return reached_ && nowMs() - lastChange_ >= kSettleMs;
    }

    // Milliseconds from the start to the event that brought the window to
    // the target for good, or none (with a message) when it is elsewhere.
    [[nodiscard]] std::optional<double> elapsed() const {
        if (!reached_) {
            std::fprintf(stderr, "x11_event_clock: window at %d %d %d %d, not at %d %d %d %d\n",
                         current_.x, current_.y, current_.width, current_.height, target_.x,
                         target_.y, target_.width, target_.height);
            return std::nullopt;
        }
        return *reached_ - start_;
    }

    // The animation as the X server showed it: changes, first to last, longest gap.
    [[nodiscard]] int changes() const { return changes_; }
    [[nodiscard]] double changingMs() const {
        return changes_ > 0 ? lastChange_ - firstChange_ : 0;
    }
    [[nodiscard]] double longestGapMs() const { return longestGap_; }

  private:
    void see(const XEvent& event, double readAt) {
        if (event.type != ConfigureNotify || event.xconfigure.window != window_) {
            return;
        }
        Geometry seen{event.xconfigure.x, event.xconfigure.y, event.xconfigure.width,
                      event.xconfigure.height};
        // A real event gives the place in the parent (the window manager's
        // frame); a synthetic one, sent by the window manager, in the root.
        if (event.xconfigure.send_event == 0) {
            const std::optional<Geometry> now = geometryOf(display_, window_);
            if (now) {
                seen.x = now->x;
                seen.y = now->y;
            }
        }
        if (tracing()) {
            std::fprintf(stderr, "%8.3f ms  ConfigureNotify %d %d %d %d%s\n", readAt - start_,
                         seen.x, seen.y, seen.width, seen.height,
                         event.xconfigure.send_event != 0 ? " (synthetic)" : "");
        }
        if (seen == current_) {
            return;
        }
        current_ = seen;
        if (changes_++ == 0) {
            firstChange_ = readAt;
        } else {
            longestGap_ = std::max(longestGap_, readAt - lastChange_);
        }
        lastChange_ = readAt;
        reached_ = seen == target_ ? std::optional<double>(readAt) : std::nullopt;
    }

    Display* display_;
    Window window_;
    Geometry target_;
    Geometry current_;
    double start_ = 0;
    double lastChange_ = 0;
    double firstChange_ = 0;
    double longestGap_ = 0;
    int changes_ = 0;
    std::optional<double> reached_;
};

int printElapsed(const FrameWatch& watch) {
    const std::optional<double> elapsed = watch.elapsed();
    if (!elapsed) {
        return 1;
    }
    std::printf("%.3f\n", *elapsed);
    return 0;
}

// Reads events until the window has settled or the time is up.
void waitToSettle(FrameWatch& watch) {
    const double deadline = watch.startedAt() + kCommandTimeoutMs;
    while (!watch.settledBy(std::min(deadline, nowMs() + 5)) && nowMs() < deadline) {
    }
}

int configured(Window window, Geometry target, char** command, bool frames) {
    Display* display = openDisplay();
    FrameWatch watch(display, window, target);
    watch.start();
    const pid_t pid = spawn(command);
    const double deadline = watch.startedAt() + kCommandTimeoutMs;
    std::optional<int> status;
    // Wake every few milliseconds to see the command exit.
    while (nowMs() < deadline) {
        const bool settled = watch.settledBy(std::min(deadline, nowMs() + 5));
        if (commandExited(pid, status) && settled) {
            break;
        }
    }
    if (!commandExited(pid, status)) {
        stopAndReap(pid);
        fail("the command did not finish");
    }
    if (!WIFEXITED(*status) || WEXITSTATUS(*status) != 0) {
        fail("the command failed");
    }
    const std::optional<double> elapsed = watch.elapsed();
    XCloseDisplay(display);
    if (!elapsed) {
        return 1;
    }
    if (frames) {
        std::printf("%.3f %d %.3f %.3f\n", *elapsed, watch.changes(), watch.changingMs(),
                    watch.longestGapMs());
    } else {
        std::printf("%.3f\n", *elapsed);
    }
    return 0;
}

// What a window manager is asked when anything but the window's own
// toolkit moves and resizes it: one ConfigureRequest.
int moveResize(Window window, Geometry target) {
    Display* display = openDisplay();
    FrameWatch watch(display, window, target);
    watch.start();
    XMoveResizeWindow(display, window, target.x, target.y, static_cast<unsigned>(target.width),
                      static_cast<unsigned>(target.height));
    XFlush(display);
    waitToSettle(watch);
    const int result = printElapsed(watch);
    XCloseDisplay(display);
    return result;
}

void requireXTest(Display* display) {
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor) == 0) {
        fail("the X server has no XTest");
    }
}

KeyCode keyCodeOf(Display* display, const char* name) {
    const KeySym keysym = XStringToKeysym(name);
    const KeyCode code = keysym == NoSymbol ? 0 : XKeysymToKeycode(display, keysym);
    if (code == 0) {
        fail("no such key");
    }
    return code;
}

// Holds `held` down and gives the keys time to reach the application, then
// starts the clock, sends `trigger` and waits for the frame to settle.
// Closes `display` when done.
template <typename Trigger>
int timeWithKeysHeld(Display* display, Window window, Geometry target,
                     const std::vector<KeyCode>& held, Trigger trigger) {
    FrameWatch watch(display, window, target);
    for (const KeyCode code : held) {
        XTestFakeKeyEvent(display, code, True, CurrentTime);
    }
    XSync(display, False);
    sleepMs(50);
    watch.start();
    trigger(display);
    XFlush(display);
    waitToSettle(watch);
    for (auto code = held.rbegin(); code != held.rend(); ++code) {
        XTestFakeKeyEvent(display, *code, False, CurrentTime);
    }
    XSync(display, False);
    const int result = printElapsed(watch);
    XCloseDisplay(display);
    return result;
}

// The key codes of "Name+Name+...", in order.
std::vector<KeyCode> keyCodesOf(Display* display, const char* chord) {
    std::vector<KeyCode> codes;
    std::string_view rest = chord;
    while (!rest.empty()) {
        const std::size_t plus = rest.find('+');
        codes.push_back(keyCodeOf(display, std::string(rest.substr(0, plus)).c_str()));
        rest = plus == std::string_view::npos ? std::string_view() : rest.substr(plus + 1);
    }
    return codes;
}

// A click of button 1 where the pointer is, with `key` held: press and
// release leave together.
int click(Window window, Geometry target, const char* key) {
    Display* display = openDisplay();
    requireXTest(display);
    return timeWithKeysHeld(display, window, target, keyCodesOf(display, key), [](Display* x) {
        XTestFakeButtonEvent(x, 1, True, CurrentTime);
        XTestFakeButtonEvent(x, 1, False, CurrentTime);
    });
}

// A key chord: the last key pressed and released with the others held.
int chord(Window window, Geometry target, const char* keys) {
    Display* display = openDisplay();
    requireXTest(display);
    std::vector<KeyCode> held = keyCodesOf(display, keys);
    if (held.empty()) {
        fail("no key");
    }
    const KeyCode last = held.back();
    held.pop_back();
    return timeWithKeysHeld(display, window, target, held, [last](Display* x) {
        XTestFakeKeyEvent(x, last, True, CurrentTime);
        XTestFakeKeyEvent(x, last, False, CurrentTime);
    });
}

void discardEvents(Display* display) {
    XSync(display, False);
    while (XPending(display) > 0) {
        XEvent event{};
        XNextEvent(display, &event);
    }
}

int drag(Window window, int x, int y, int dx, int dy, int steps, double gapMs) {
    Display* display = openDisplay();
    requireXTest(display);
    XSelectInput(display, window, StructureNotifyMask);
    const std::optional<Geometry> before = geometryOf(display, window);
    if (!before || steps <= 0) {
        fail("no such window, or no steps");
    }
    XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
    XSync(display, False);
    sleepMs(gapMs);
    // The press takes hold of the edge: in the application, or, once the
    // application has asked it to, in the window manager. Neither is timed.
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XSync(display, False);
    sleepMs(std::max(gapMs, 100.0));
    discardEvents(display);
    int lost = 0;
    for (int step = 1; step <= steps; ++step) {
        const int wantWidth = before->width + dx * step / steps;
        const int wantHeight = before->height + dy * step / steps;
        const double start = nowMs();
        XTestFakeMotionEvent(display, -1, x + dx * step / steps, y + dy * step / steps,
                             CurrentTime);
        XFlush(display);
        std::optional<double> resized;
        XEvent event{};
        double readAt = 0;
        int lastWidth = 0;
        int lastHeight = 0;
        while (!resized && nextEvent(display, start + kStepTimeoutMs, event, readAt)) {
            if (event.type == ConfigureNotify && event.xconfigure.window == window) {
                lastWidth = event.xconfigure.width;
                lastHeight = event.xconfigure.height;
                if (lastWidth == wantWidth && lastHeight == wantHeight) {
                    resized = readAt;
                }
            }
        }
        if (resized) {
            std::printf("%.3f\n", *resized - start);
        } else {
            std::printf("lost %dx%d (want %dx%d)\n", lastWidth, lastHeight, wantWidth, wantHeight);
            ++lost;
        }
        std::fflush(stdout);
        sleepMs(start + gapMs - nowMs());
    }
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XSync(display, False);
    XCloseDisplay(display);
    return lost == 0 ? 0 : 1;
}

int geometry(Window window) {
    Display* display = openDisplay();
    const std::optional<Geometry> seen = geometryOf(display, window);
    XCloseDisplay(display);
    if (!seen) {
        fail("no such window");
    }
    std::printf("%d %d %d %d\n", seen->x, seen->y, seen->width, seen->height);
    return 0;
}

[[noreturn]] void usage() {
    std::fputs("usage: x11_event_clock first-map TITLE -- CMD ARGS...\n"
               "       x11_event_clock configured WINDOW X Y W H -- CMD ARGS...\n"
               "       x11_event_clock frames WINDOW X Y W H -- CMD ARGS...\n"
               "       x11_event_clock move-resize WINDOW X Y W H\n"
               "       x11_event_clock click WINDOW X Y W H KEY\n"
               "       x11_event_clock key WINDOW X Y W H KEY+KEY...\n"
               "       x11_event_clock drag WINDOW X Y DX DY STEPS GAP-MS\n"
               "       x11_event_clock geometry WINDOW\n",
               stderr);
    std::exit(2); // NOLINT(concurrency-mt-unsafe): the tool runs one thread
}

// The command after "--" at argv[at], or usage.
char** commandAt(int argc, char** argv, int at) {
    if (at + 1 >= argc || std::string_view(argv[at]) != "--") {
        usage();
    }
    return argv + at + 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        usage();
    }
    const std::string_view mode = argv[1];
    if (mode == "first-map" && argc >= 5) {
        return firstMap(argv[2], commandAt(argc, argv, 3));
    }
    if ((mode == "configured" || mode == "frames") && argc >= 9) {
        const Geometry target{parseInt(argv[3]), parseInt(argv[4]), parseInt(argv[5]),
                              parseInt(argv[6])};
        return configured(parseWindow(argv[2]), target, commandAt(argc, argv, 7), mode == "frames");
    }
    if ((mode == "move-resize" && argc == 7) || ((mode == "click" || mode == "key") && argc == 8)) {
        const Geometry target{parseInt(argv[3]), parseInt(argv[4]), parseInt(argv[5]),
                              parseInt(argv[6])};
        const Window window = parseWindow(argv[2]);
        if (mode == "move-resize") {
            return moveResize(window, target);
        }
        return mode == "click" ? click(window, target, argv[7]) : chord(window, target, argv[7]);
    }
    if (mode == "drag" && argc == 9) {
        return drag(parseWindow(argv[2]), parseInt(argv[3]), parseInt(argv[4]), parseInt(argv[5]),
                    parseInt(argv[6]), parseInt(argv[7]), parseInt(argv[8]));
    }
    if (mode == "geometry" && argc == 3) {
        return geometry(parseWindow(argv[2]));
    }
    usage();
}
