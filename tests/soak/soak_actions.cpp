#include "soak_actions.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

namespace vantro::soak {

namespace {

using std::chrono::milliseconds;

constexpr const char* kTestWindowTitle = "Vantro Test Window";

// Where GTK's default theme puts the header bar's buttons, from the
// visible frame's top-right (top-left for New Window) corner.
constexpr int kButtonCentreBelowTop = 27;
constexpr int kMaximizeFromRight = 68;
constexpr int kCloseFromRight = 27;
constexpr int kNewWindowFromLeft = 28;

// A window smaller than this, or with its title bar off the screen, is put
// back before it is acted on: its buttons would overlap or be out of reach.
constexpr int kSmallestUsableWidth = 220;
constexpr int kSmallestUsableHeight = 120;
constexpr int kPlacedWidth = 500;
constexpr int kPlacedHeight = 400;

constexpr int kLongestDrag = 160;
constexpr milliseconds kAfterActivation{20};
constexpr milliseconds kAfterAction{30};
constexpr milliseconds kMenuOpening{40};
constexpr milliseconds kMenuOpeningAtMost{320};
constexpr int kEscapeAttempts = 40;
constexpr int kCloseWaitTenths = 30;
constexpr int kFrameSettleTries = 20;
constexpr milliseconds kFrameSettleStep{25};
constexpr std::size_t kRecentActionsKept = 12;

std::string modifierNames(unsigned modifiers) {
    static constexpr std::array<std::pair<unsigned, const char*>, 5> kNames = {{
        {kShift, "shift"},
        {kControl, "ctrl"},
        {kAlt, "alt"},
        {kSuper, "super"},
        {kLevel3, "altgr"},
    }};
    std::string names;
    for (const auto& [bit, name] : kNames) {
        if ((modifiers & bit) != 0) {
            names += names.empty() ? name : std::string("+") + name;
        }
    }
    return names.empty() ? "none" : names;
}

// Shortcut keys of the zoom options menu: the digits, and = and - for
// the next and previous screen.
constexpr std::array<const char*, 12> kShortcutKeys = {"0", "1", "2", "3", "4",     "5",
                                                       "6", "7", "8", "9", "equal", "minus"};

} // namespace

ActionRunner::ActionRunner(DesktopProbe& desktop, InputSynth& input, std::mt19937& random,
                           pid_t pid)
    : desktop_(desktop), input_(input), random_(random), pid_(pid) {}

void ActionRunner::note(Window window, const std::string& what) {
    std::array<char, 32> id{};
    std::snprintf(id.data(), id.size(), "0x%lx: ", window);
    recent_.push_back(id.data() + what);
    if (recent_.size() > kRecentActionsKept) {
        recent_.pop_front();
    }
}

int ActionRunner::uniform(int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random_);
}

bool ActionRunner::chance(double share) {
    return std::bernoulli_distribution(share)(random_);
}

std::vector<Window> ActionRunner::windows() {
    return desktop_.windowsOf(pid_, kTestWindowTitle);
}

std::size_t ActionRunner::restoreHiddenWindows() {
    const std::vector<Window> hidden = desktop_.hiddenWindowsOf(pid_, kTestWindowTitle);
    for (const Window window : hidden) {
        desktop_.activate(window); // the window manager shows a minimized window it activates
    }
    if (!hidden.empty()) {
        windowsRestored_ += hidden.size();
        input_.settle(milliseconds(200));
    }
    return hidden.size();
}

Window ActionRunner::pickWindow(const std::vector<Window>& shown) {
    return shown[static_cast<std::size_t>(uniform(0, static_cast<int>(shown.size()) - 1))];
}

// Read once the frame holds still: an animated zoom moves the buttons.
std::optional<Frame> ActionRunner::settledFrameOf(Window window) {
    std::optional<Frame> frame = desktop_.frameOf(window);
    for (int i = 0; frame && i < kFrameSettleTries; ++i) {
        input_.settle(kFrameSettleStep);
        const std::optional<Frame> again = desktop_.frameOf(window);
        if (!again || (again->x == frame->x && again->y == frame->y &&
                       again->width == frame->width && again->height == frame->height)) {
            return again;
        }
        frame = again;
    }
    return frame;
}

std::optional<Frame> ActionRunner::usableFrameOf(Window window) {
    std::optional<Frame> frame = settledFrameOf(window);
    if (!frame) {
        return std::nullopt;
    }
    const bool reachable = frame->x >= 0 && frame->y >= 0 &&
                           frame->x + frame->width <= desktop_.screenWidth() &&
                           frame->y + kButtonCentreBelowTop * 2 <= desktop_.screenHeight();
    const bool bigEnough =
        frame->width >= kSmallestUsableWidth && frame->height >= kSmallestUsableHeight;
    if ((reachable && bigEnough) || desktop_.isMaximized(window)) {
        return frame;
    }
    const Frame placed{uniform(0, desktop_.screenWidth() - kPlacedWidth),
                       uniform(0, desktop_.screenHeight() - kPlacedHeight), kPlacedWidth,
                       kPlacedHeight};
    desktop_.placeFrame(window, placed);
    ++windowsPlacedBack_;
    input_.settle(milliseconds(100));
    return desktop_.frameOf(window);
}

bool ActionRunner::perform(ActionKind kind) {
    if (windows().empty()) {
        restoreHiddenWindows();
    }
    const std::vector<Window> shown = windows();
    if (shown.empty()) {
        return false;
    }
    const Window window = pickWindow(shown);
    desktop_.activate(window);
    input_.settle(kAfterActivation);
    switch (kind) {
    case ActionKind::titleButtonClick:
        clickTitleButton(window);
        break;
    case ActionKind::zoomShortcut:
        pressShortcut(window);
        break;
    case ActionKind::edgeDrag:
        dragEdge(window);
        break;
    case ActionKind::openWindow:
        openWindow(window);
        break;
    case ActionKind::closeWindow:
        closeWindow(window, shown.size());
        break;
    }
    ++counts_[static_cast<std::size_t>(kind)];
    input_.settle(kAfterAction);
    return true;
}

void ActionRunner::clickTitleButton(Window window) {
    const std::optional<Frame> frame = usableFrameOf(window);
    if (!frame) {
        return;
    }
    const unsigned modifiers = chooseModifiers(random_, input_.typeableModifiers(), 0.3);
    const unsigned button = chance(0.25) ? 3 : 1;
    const int x = frame->x + frame->width - kMaximizeFromRight;
    const int y = frame->y + kButtonCentreBelowTop;
    note(window, "click " + std::to_string(button) + " with " + modifierNames(modifiers) + " at " +
                     std::to_string(x) + "," + std::to_string(y));
    input_.moveTo(x, y);
    input_.holdModifiers(modifiers);
    input_.click(button);
    input_.releaseModifiers(modifiers);
    // A right click, or a plain click unless a default zoom is set, opens
    // the zoom options menu: wait for it longer then.
    answerMenuIfOpen(button == 3 || modifiers == kNoModifier ? kMenuOpeningAtMost : kMenuOpening);
}

// A plain click or a right click opens the zoom options menu: sometimes a
// command is chosen from it with the keyboard, otherwise it is dismissed.
void ActionRunner::answerMenuIfOpen(milliseconds atMost) {
    bool open = false;
    for (milliseconds waited{0}; !open && waited < atMost; waited += kMenuOpening) {
        input_.settle(kMenuOpening);
        open = desktop_.someoneHoldsAGrab();
    }
    if (!open) {
        return;
    }
    ++menusOpened_;
    // GTK's own title-bar menu (the plug-in off) has Close among its items:
    // with one window left, a command could quit the application.
    if (chance(0.4) && windows().size() > 1) {
        // Down 1 to 8 stays above Preferences…, which would start the
        // settings application.
        const int downs = uniform(1, 8);
        for (int i = 0; i < downs; ++i) {
            input_.tapKey("Down");
        }
        if (chance(0.5)) {
            input_.tapKey("Right"); // into a submenu, where there is one
            for (int i = uniform(0, 4); i > 0; --i) {
                input_.tapKey("Down");
            }
        }
        input_.tapKey("Return");
        ++menuChoicesMade_;
        note(None, "a command chosen from the menu");
        input_.settle(kAfterAction);
    }
    escapeModalState();
}

void ActionRunner::pressShortcut(Window window) {
    unsigned modifiers = kControl | kShift;
    const int variant = uniform(0, 9);
    if (variant >= 6 && variant < 9) {
        modifiers = kSuper | kAlt | kShift;
    } else if (variant == 9) {
        modifiers = chooseModifiers(random_, input_.typeableModifiers(), 0.5);
    }
    const char* key = kShortcutKeys[static_cast<std::size_t>(
        uniform(0, static_cast<int>(kShortcutKeys.size()) - 1))];
    note(window, std::string("key ") + key + " with " + modifierNames(modifiers));
    input_.tapKey(key, modifiers & input_.typeableModifiers());
}

void ActionRunner::dragEdge(Window window) {
    const std::optional<Frame> frame = usableFrameOf(window);
    if (!frame) {
        return;
    }
    // GTK's resize borders lie just inside the frame's edge, or in the
    // client-side shadow outside it where there is one.
    const int in = desktop_.shadowOf(window).left > 0 ? -4 : 2;
    const int left = frame->x + in - 1;
    const int right = frame->x + frame->width - in;
    const int top = frame->y + in - 1;
    const int bottom = frame->y + frame->height - in;
    const int middleX = frame->x + frame->width / 2;
    const int middleY = frame->y + frame->height / 2;
    const std::array<std::pair<int, int>, 8> grips = {{
        {right, middleY},
        {middleX, bottom},
        {right, bottom},
        {left, middleY},
        {middleX, top},
        {left, top},
        {right, top},
        {left, bottom},
    }};
    const auto [startX, startY] =
        grips[static_cast<std::size_t>(uniform(0, static_cast<int>(grips.size()) - 1))];
    const int dx = uniform(-kLongestDrag, kLongestDrag);
    const int dy = uniform(-kLongestDrag, kLongestDrag);
    const int steps = uniform(3, 8);
    unsigned modifiers = chooseModifiers(random_, input_.typeableModifiers(), 0.25);
    note(window, "drag from " + std::to_string(startX) + "," + std::to_string(startY) + " by " +
                     std::to_string(dx) + "," + std::to_string(dy) + " with " +
                     modifierNames(modifiers));
    input_.moveTo(startX, startY);
    input_.settle(milliseconds(5));
    input_.holdModifiers(modifiers);
    input_.press(1);
    for (int step = 1; step <= steps; ++step) {
        input_.moveTo(startX + dx * step / steps, startY + dy * step / steps);
        // A modifier pressed or let go mid-drag switches a feature at once.
        if (chance(0.1)) {
            const unsigned toggled =
                chooseModifiers(random_, input_.typeableModifiers(), 0.3) & ~modifiers;
            input_.holdModifiers(toggled);
            modifiers |= toggled;
        }
        input_.settle(milliseconds(uniform(8, 20)));
    }
    input_.release(1);
    input_.releaseModifiers(modifiers);
}

void ActionRunner::openWindow(Window window) {
    // Shift, Control and Alt held while a window opens change its limits.
    const unsigned modifiers =
        chooseModifiers(random_, input_.typeableModifiers() & (kShift | kControl | kAlt), 0.3);
    if (chance(0.5)) {
        note(window, "key n with ctrl+" + modifierNames(modifiers));
        input_.tapKey("n", modifiers | kControl);
        return;
    }
    const std::optional<Frame> frame = usableFrameOf(window);
    if (!frame) {
        return;
    }
    note(window, "New Window clicked with " + modifierNames(modifiers));
    input_.moveTo(frame->x + kNewWindowFromLeft, frame->y + kButtonCentreBelowTop);
    input_.holdModifiers(modifiers);
    input_.click(1);
    input_.releaseModifiers(modifiers);
}

void ActionRunner::closeWindow(Window window, std::size_t shownBefore) {
    if (shownBefore <= 1) {
        return; // the last window quits the application
    }
    const std::optional<Frame> frame = usableFrameOf(window);
    if (!frame) {
        return;
    }
    note(window, "close clicked, " + std::to_string(shownBefore) + " windows shown");
    input_.moveTo(frame->x + frame->width - kCloseFromRight, frame->y + kButtonCentreBelowTop);
    input_.click(1);
    for (int i = 0; i < kCloseWaitTenths && windows().size() >= shownBefore; ++i) {
        input_.settle(milliseconds(100));
    }
}

bool ActionRunner::escapeModalState() {
    for (int attempt = 0; attempt < kEscapeAttempts; ++attempt) {
        input_.releaseEverything();
        if (!desktop_.someoneHoldsAGrab()) {
            return true;
        }
        input_.tapKey("Escape");
        input_.settle(milliseconds(50));
    }
    return !desktop_.someoneHoldsAGrab();
}

void ActionRunner::closeDownToOne() {
    escapeModalState();
    for (std::vector<Window> shown = windows(); shown.size() > 1; shown = windows()) {
        const Window last = shown.back();
        desktop_.activate(last);
        input_.settle(kAfterActivation);
        closeWindow(last, shown.size());
        if (windows().size() >= shown.size()) {
            return; // the window did not close: give up rather than loop
        }
    }
}

} // namespace vantro::soak
