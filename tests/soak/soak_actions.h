#pragma once

// The random actions of a soak run on the test application's windows, as
// real input: clicks and right clicks on the maximize button with modifier
// sets (and the menu they open answered or dismissed), the zoom options
// menu's shortcuts, drags of edges and corners with modifiers held (and
// changed mid-drag), and windows opened and closed. Choices come from the
// seeded generator (the desktop's timing may still differ between runs).

#include "action_mix.h"
#include "desktop_probe.h"
#include "input_synth.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <deque>
#include <random>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace vantro::soak {

class ActionRunner {
  public:
    ActionRunner(DesktopProbe& desktop, InputSynth& input, std::mt19937& random, pid_t pid);

    // The application's test windows now.
    std::vector<Window> windows();

    // Brings back windows a menu command minimized; how many it found.
    std::size_t restoreHiddenWindows();

    // Performs one action on a random window; false when no window is shown.
    bool perform(ActionKind kind);

    // Ends a menu left open or any other grab: Escape, and every button and
    // modifier key released, until no grab is held; false when one stays.
    bool escapeModalState();

    // Closes windows until one is left, so that memory is compared in the
    // same state each time.
    void closeDownToOne();

    // What the last few actions did, oldest first, for a failure's report.
    [[nodiscard]] const std::deque<std::string>& recentActions() const { return recent_; }

    [[nodiscard]] const std::array<std::size_t, kActionKindCount>& counts() const {
        return counts_;
    }
    [[nodiscard]] std::size_t menusOpened() const { return menusOpened_; }
    [[nodiscard]] std::size_t menuChoicesMade() const { return menuChoicesMade_; }
    [[nodiscard]] std::size_t windowsPlacedBack() const { return windowsPlacedBack_; }
    [[nodiscard]] std::size_t windowsRestored() const { return windowsRestored_; }

  private:
    Window pickWindow(const std::vector<Window>& shown);
    std::optional<Frame> settledFrameOf(Window window);
    std::optional<Frame> usableFrameOf(Window window);
    void clickTitleButton(Window window);
    void answerMenuIfOpen(std::chrono::milliseconds atMost);
    void pressShortcut(Window window);
    void dragEdge(Window window);
    void openWindow(Window window);
    void closeWindow(Window window, std::size_t shownBefore);
    void note(Window window, const std::string& what);
    int uniform(int low, int high);
    bool chance(double share);

    DesktopProbe& desktop_;
    InputSynth& input_;
    std::mt19937& random_;
    pid_t pid_;
    std::array<std::size_t, kActionKindCount> counts_{};
    std::size_t menusOpened_ = 0;
    std::size_t menuChoicesMade_ = 0;
    std::size_t windowsPlacedBack_ = 0;
    std::size_t windowsRestored_ = 0;
    std::deque<std::string> recent_;
};

} // namespace vantro::soak
