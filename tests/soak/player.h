#pragma once

// Plays generated steps on one application's windows with XTest input and checks what X11
// shows: the same zoom twice puts the window back, every window keeps its size limits and
// some part on a monitor, no popup outlives a closed window or an ended drag by a moment.

#include "desktop_probe.h"
#include "step.h"

#include <optional>
#include <string>

namespace vantro::soak {

class Player {
  public:
    // `settings` changes a setting (settings_change.sh), given a number that chooses it.
    Player(Display* display, DesktopProbe& desktop, std::string settings, pid_t pid,
           std::string title)
        : display_(display), desktop_(desktop), settings_(std::move(settings)), pid_(pid),
          title_(std::move(title)) {}

    // `said` gets what was done; a broken invariant comes back described.
    std::optional<std::string> play(const Step& step, std::string& said);
    std::optional<std::string> checkFrames();
    // Waits until the last step is 1.5 s past, then checks no popup shows.
    std::optional<std::string> checkPopupsGone(const std::string& after);

    std::vector<Window> windows() { return desktop_.windowsOf(pid_, title_); }
    DesktopProbe& desktop() { return desktop_; }
    void showHiddenWindows();
    bool escapeModalState(); // Escape and every key released until no grab is held
    void closeDownToOne();

  private:
    std::optional<std::string> zoomTwice(Window window, const Step& step, std::string& said);
    void drag(Window window, const Step& step);
    void openWindow(Window window, const Step& step);
    void closeWindow(Window window, bool byClick);
    // Whether a menu is open; answered or dismissed.
    bool answerMenu(std::uint32_t draw, std::string& said);
    // The frame once still, when its title bar's buttons are within reach.
    std::optional<Frame> reachableFrame(Window window);
    void clickAt(int x, int y, unsigned which, unsigned held);

    Display* display_;
    DesktopProbe& desktop_;
    std::string settings_;
    pid_t pid_;
    std::string title_;
    std::chrono::steady_clock::time_point lastStepEnd_ = std::chrono::steady_clock::now();
};

} // namespace vantro::soak
