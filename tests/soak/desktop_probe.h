#pragma once

// What the soak driver reads of the desktop over its own X connection: the
// test windows of one process and their visible frames, whether anyone
// holds a pointer or keyboard grab (a menu left open, a drag not ended),
// and whether a window's client still answers the window manager's ping.

#include <X11/Xlib.h>

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace vantro::soak {

// X11 root coordinates of what the user sees as the window: the X window
// less GTK's client-side shadow, plus the window manager's decorations.
struct Frame {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The four CARDINALs of a frame-extents property.
struct Extents {
    long left = 0;
    long right = 0;
    long top = 0;
    long bottom = 0;
};

class DesktopProbe {
  public:
    explicit DesktopProbe(Display* display);

    // The viewable top-level windows titled `title` whose _NET_WM_PID is
    // `pid`, in the window manager's client order (or the server's stacking
    // order without one).
    std::vector<Window> windowsOf(pid_t pid, const std::string& title);
    // Those the window manager manages but does not show (minimized).
    std::vector<Window> hiddenWindowsOf(pid_t pid, const std::string& title);

    std::optional<Frame> frameOf(Window window);
    Extents shadowOf(Window window); // _GTK_FRAME_EXTENTS, zeros when absent
    bool isMaximized(Window window);

    bool hasWindowManager();
    [[nodiscard]] int screenWidth() const;
    [[nodiscard]] int screenHeight() const;

    // Whether another client holds a grab of the pointer or the keyboard:
    // tried by grabbing both for a moment ourselves.
    bool someoneHoldsAGrab();

    // Sends _NET_WM_PING to the window and waits for the client's answer.
    bool answersPing(Window window, std::chrono::milliseconds timeout);

    // Asks the window manager to activate (raise and focus) the window, or
    // without one raises and focuses it directly.
    void activate(Window window);

    // Moves and sizes a window's visible frame (a window that wandered off
    // the screen comes back).
    void placeFrame(Window window, const Frame& frame);

    [[nodiscard]] Display* display() const { return display_; }

  private:
    Atom atom(const char* name);
    std::vector<long> cardinals(Window window, Atom property, Atom type);
    std::optional<std::string> utf8Property(Window window, Atom property);
    std::vector<Window> topLevelCandidates();
    std::vector<Window> windowsOf(pid_t pid, const std::string& title, bool viewable);

    Display* display_;
    Window root_;
    unsigned long pingSerial_ = 0;
};

} // namespace vantro::soak
