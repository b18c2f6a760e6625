#pragma once

// What the soak player reads of the desktop over its own X connection.

#include <X11/Xlib.h>

#include <chrono>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace vantro::soak {

// Root coordinates of what the user sees as the window: the X window less
// GTK's client-side shadow, plus the window manager's decorations.
struct Frame {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Frame&) const = default;
};

// WM_NORMAL_HINTS and the size now, in X window pixels (GTK counts its
// shadow into the hints too). Zero maxima: none.
struct SizeLimits {
    int width = 0;
    int height = 0;
    int minWidth = 0;
    int minHeight = 0;
    int maxWidth = 0;
    int maxHeight = 0;
    int widthIncrement = 1;
    int heightIncrement = 1;
};

class DesktopProbe {
  public:
    explicit DesktopProbe(Display* display)
        : display_(display), root_(DefaultRootWindow(display)) {}

    // Managed windows of `pid` titled `title` in client order: shown, or hidden (minimized).
    std::vector<Window> windowsOf(pid_t pid, const std::string& title, bool shown = true);
    std::optional<Frame> frameOf(Window window);
    // Read once it holds still (equal before and after a ping): a zoom
    // animates. After input that may move it, `before` is its frame then.
    std::optional<Frame> settledFrameOf(Window window, const Frame* before = nullptr);
    std::optional<SizeLimits> limitsOf(Window window);
    long shadowLeft(Window window); // of _GTK_FRAME_EXTENTS
    std::vector<Frame> monitors();  // RandR's
    std::vector<std::pair<std::string, Frame>>
    shownPopups(std::span<const std::string_view> titles);

    // Whether another client holds a pointer grab (a menu left open).
    bool someoneHoldsAGrab();
    bool answersPing(Window window, std::chrono::milliseconds timeout);
    void activate(Window window);

  private:
    // A property's items when of the format they stand for: char 8, long 32.
    template <typename Item> std::vector<Item> items(Window window, const char* property);
    std::optional<std::string> title(Window window);

    Display* display_;
    Window root_;
    unsigned long pingSerial_ = 0;
};

} // namespace vantro::soak
