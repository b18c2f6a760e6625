#include "player.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <thread>

namespace vantro::soak {

namespace {

using std::chrono::milliseconds;

// Where GTK's default theme puts the header bar's buttons, from the visible
// frame's top-right (top-left for New Window) corner.
constexpr int kButtonBelowTop = 27;
constexpr int kMaximizeFromRight = 68;
constexpr int kCloseFromRight = 27;
constexpr int kNewWindowFromLeft = 28;

// The plug-in's popups last less after what showed them: the tab after a
// zoom holds 0.65 s and fades, the heads-up panel holds and fades sooner.
constexpr milliseconds kPopupsGoneWithin{1500};
const std::vector<std::string> kPopupTitles = {"Vantro Dimensions", "Vantro Heads-Up Panel",
                                               "Vantro Resize Indicator"};

std::string text(const Frame& frame) {
    return std::to_string(frame.x) + "," + std::to_string(frame.y) + " " +
           std::to_string(frame.width) + "x" + std::to_string(frame.height);
}

// Within a pixel, or within the window's size increment.
bool nearly(const Frame& a, const Frame& b, const SizeLimits& limits) {
    const auto close = [](int p, int q, int step) { return std::abs(p - q) <= std::max(1, step); };
    return close(a.x, b.x, limits.widthIncrement) && close(a.y, b.y, limits.heightIncrement) &&
           close(a.width, b.width, limits.widthIncrement) &&
           close(a.height, b.height, limits.heightIncrement);
}

bool inside(const Frame& a, const Frame& b) {
    return a.x >= b.x && a.y >= b.y && a.x + a.width <= b.x + b.width &&
           a.y + a.height <= b.y + b.height;
}

std::string hex(Window window) {
    std::array<char, 24> id{};
    std::snprintf(id.data(), id.size(), "0x%lx", window);
    return id.data();
}

} // namespace

std::optional<std::string> Player::play(const Step& step, std::string& said) {
    std::vector<Window> shown = windows();
    if (shown.empty()) {
        return "the application shows no window";
    }
    const Window window = shown[step.window % shown.size()];
    said = hex(window) + ": " + describe(step);
    desktop_.activate(window);
    input_.settle(milliseconds(20));
    std::optional<std::string> broken;
    switch (step.kind) {
    case StepKind::zoomTwice:
        broken = zoomTwice(window, step, said);
        break;
    case StepKind::drag:
        drag(window, step);
        break;
    case StepKind::openWindow:
        openWindow(window, step);
        break;
    case StepKind::closeWindow:
        closeWindow(window, step.byClick);
        break;
    case StepKind::zoomThenClose: {
        // Closed while the zoom animates or its feedback shows.
        const Shortcut shortcut = shortcutOf(step);
        input_.tapKey(shortcut.key, shortcut.modifiers);
        input_.settle(milliseconds(std::max(step.gapMs, 0) * 3));
        closeWindow(window, false);
        break;
    }
    case StepKind::setting:
        said += ": " + settings_.change(step.setting);
        input_.settle(milliseconds(300)); // the change reaches the application
        break;
    }
    input_.settle(milliseconds(30));
    lastStepEnd_ = std::chrono::steady_clock::now();
    const bool closes = step.kind == StepKind::closeWindow || step.kind == StepKind::zoomThenClose;
    if (!broken && (step.kind == StepKind::zoomThenClose ||
                    (step.linger && (closes || step.kind == StepKind::drag)))) {
        broken = checkPopupsGone(closes ? "a window closed" : "the drag ended");
    }
    return broken;
}

std::optional<Frame> Player::reachableFrame(Window window) {
    const std::optional<Frame> frame = desktop_.settledFrameOf(window);
    const std::vector<Frame> monitors = desktop_.monitors();
    if (frame && std::any_of(monitors.begin(), monitors.end(), [&](const Frame& monitor) {
            return inside({frame->x, frame->y, frame->width, 2 * kButtonBelowTop}, monitor);
        })) {
        return frame;
    }
    return std::nullopt;
}

void Player::clickAt(int x, int y, unsigned button, unsigned modifiers) {
    input_.moveTo(x, y);
    input_.settle(milliseconds(5));
    input_.holdModifiers(modifiers);
    input_.press(button);
    input_.settle(milliseconds(40)); // a person's click lasts a while
    input_.release(button);
    input_.releaseModifiers(modifiers);
}

std::optional<std::string> Player::zoomTwice(Window window, const Step& step, std::string& said) {
    const std::optional<Frame> before = reachableFrame(window);
    const std::optional<SizeLimits> limits = desktop_.limitsOf(window);
    if (!before || !limits) {
        return std::nullopt;
    }
    const unsigned modifiers = pointerModifiers(step);
    const Shortcut shortcut = shortcutOf(step);
    const auto command = [&](const Frame& frame) {
        if (step.byClick) {
            // Without modifiers, now and then the right button: the menu.
            clickAt(frame.x + frame.width - kMaximizeFromRight, frame.y + kButtonBelowTop,
                    modifiers == 0 && (step.setting & 1U) != 0 ? 3 : 1, modifiers);
        } else {
            input_.tapKey(shortcut.key, shortcut.modifiers);
        }
    };
    command(*before);
    std::optional<Frame> between;
    if (step.byClick || step.gapMs < 0) {
        between = desktop_.settledFrameOf(window, &*before);
    } else {
        input_.settle(milliseconds(step.gapMs)); // during the 0.2 s animation
        between = desktop_.frameOf(window);
    }
    // A click that does not zoom may open a menu (a plain click, or GTK's
    // own menu with the plug-in off): answered, and nothing to undo then.
    if (!between || (step.byClick && between == before && answerMenu(step.setting, {}, said))) {
        return std::nullopt;
    }
    command(*between);
    std::optional<Frame> after = desktop_.settledFrameOf(window, &*between);
    // A client slowed by other work gets a while longer to come back.
    for (int i = 0; i < 15 && after && !nearly(*after, *before, *limits); ++i) {
        input_.settle(milliseconds(100));
        after = desktop_.frameOf(window);
    }
    if (after && !nearly(*after, *before, *limits)) {
        return "the same zoom twice did not put " + hex(window) + " back: " + text(*before) +
               ", then " + text(*between) + ", then " + text(*after);
    }
    return std::nullopt;
}

// The zoom options menu, or GTK's title-bar menu with the plug-in off: a
// command chosen with the keyboard (Down 1 to 8 stays above Preferences…,
// which would start the settings application), or the menu dismissed.
// Never with one window left: GTK's menu has Close.
bool Player::answerMenu(std::uint32_t draw, milliseconds atMost, std::string& said) {
    bool open = desktop_.someoneHoldsAGrab();
    for (milliseconds waited{0}; !open && waited < atMost; waited += milliseconds(40)) {
        input_.settle(milliseconds(40));
        open = desktop_.someoneHoldsAGrab();
    }
    if (open && (draw >> 1) % 5 < 2 && windows().size() > 1) {
        const unsigned downs = 1 + (draw >> 4) % 8;
        for (unsigned i = 0; i < downs; ++i) {
            input_.tapKey("Down");
        }
        if (((draw >> 7) & 1U) != 0) {
            input_.tapKey("Right"); // into a submenu, where there is one
            input_.tapKey("Down");
        }
        input_.tapKey("Return");
        said += ", a menu answered with Down " + std::to_string(downs);
        input_.settle(milliseconds(100));
    } else if (open) {
        said += ", a menu dismissed";
    }
    escapeModalState();
    return open;
}

void Player::drag(Window window, const Step& step) {
    const std::optional<Frame> frame = reachableFrame(window);
    if (!frame) {
        return;
    }
    // GTK's resize borders lie just inside the frame's edge, or in the
    // client-side shadow outside it where there is one.
    const int in = desktop_.shadowLeft(window) > 0 ? -4 : 2;
    const std::array<int, 3> xs = {frame->x + in - 1, frame->x + frame->width / 2,
                                   frame->x + frame->width - in};
    const std::array<int, 3> ys = {frame->y + in - 1, frame->y + frame->height / 2,
                                   frame->y + frame->height - in};
    // Grips 0 to 7: the cells of a 3 x 3 grid but its middle.
    const auto cell = static_cast<std::size_t>(step.grip < 4 ? step.grip : step.grip + 1);
    const int startX = xs[cell % 3];
    const int startY = ys[cell / 3];
    unsigned held = pointerModifiers(step);
    input_.moveTo(startX, startY);
    input_.settle(milliseconds(5));
    input_.holdModifiers(held);
    input_.press(1);
    for (int move = 1; move <= step.moves; ++move) {
        input_.moveTo(startX + step.dx * move / step.moves, startY + step.dy * move / step.moves);
        // A modifier pressed or let go mid-drag switches a feature at once.
        if (move == step.switchAt) {
            const unsigned pressed = step.pressedLater & ~held & ~static_cast<unsigned>(kAlt);
            input_.releaseModifiers(held & step.releasedLater);
            input_.holdModifiers(pressed);
            held = (held & ~step.releasedLater) | pressed;
        }
        input_.settle(milliseconds(15));
    }
    input_.release(1);
    input_.releaseModifiers(held);
}

void Player::openWindow(Window window, const Step& step) {
    // Shift, Control and Alt held while a window opens change its limits.
    const unsigned modifiers = step.modifiers & ~static_cast<unsigned>(kSuper);
    const std::size_t before = windows().size();
    if (!step.byClick) {
        input_.tapKey("n", modifiers | kControl);
    } else if (const std::optional<Frame> frame = reachableFrame(window)) {
        clickAt(frame->x + kNewWindowFromLeft, frame->y + kButtonBelowTop, 1,
                pointerModifiers(step) & modifiers);
    }
    std::vector<Window> now = windows();
    for (int i = 0; i < 30 && now.size() <= before; ++i) {
        input_.settle(milliseconds(100));
        now = windows();
    }
    if (now.size() > before) {
        desktop_.settledFrameOf(now.back()); // placed and drawn
    }
}

void Player::closeWindow(Window window, bool byClick) {
    const std::size_t before = windows().size();
    if (before <= 1) {
        return; // the last window quits the application
    }
    if (!byClick) {
        input_.tapKey("F4", kAlt); // the window manager's binding
    } else if (const std::optional<Frame> frame = reachableFrame(window)) {
        clickAt(frame->x + frame->width - kCloseFromRight, frame->y + kButtonBelowTop, 1, 0);
    }
    for (int i = 0; i < 30 && windows().size() >= before; ++i) {
        input_.settle(milliseconds(100));
    }
}

std::optional<std::string> Player::checkFrames() {
    const std::vector<Frame> monitors = desktop_.monitors();
    for (const Window window : windows()) {
        const std::optional<Frame> frame = desktop_.frameOf(window);
        const std::optional<SizeLimits> l = desktop_.limitsOf(window);
        if (!frame || !l) {
            continue; // gone meanwhile
        }
        const std::string size = std::to_string(l->width) + "x" + std::to_string(l->height);
        if (l->width + 1 < l->minWidth || l->height + 1 < l->minHeight) {
            return hex(window) + " is " + size + ", below its minimum " +
                   std::to_string(l->minWidth) + "x" + std::to_string(l->minHeight);
        }
        if ((l->maxWidth > 0 && l->width > l->maxWidth + 1) ||
            (l->maxHeight > 0 && l->height > l->maxHeight + 1)) {
            return hex(window) + " is " + size + ", above its maximum " +
                   std::to_string(l->maxWidth) + "x" + std::to_string(l->maxHeight);
        }
        if (std::none_of(monitors.begin(), monitors.end(), [&](const Frame& monitor) {
                return frame->x < monitor.x + monitor.width &&
                       monitor.x < frame->x + frame->width &&
                       frame->y < monitor.y + monitor.height &&
                       monitor.y < frame->y + frame->height;
            })) {
            return hex(window) + " at " + text(*frame) + " is on no monitor";
        }
    }
    return std::nullopt;
}

std::optional<std::string> Player::checkPopupsGone(const std::string& after) {
    std::this_thread::sleep_until(lastStepEnd_ + kPopupsGoneWithin);
    const std::vector<std::string> shown = desktop_.shownPopups(kPopupTitles);
    if (shown.empty()) {
        return std::nullopt;
    }
    return "\"" + shown.front() + "\" still shown 1.5 s after " + after;
}

void Player::showHiddenWindows() {
    // The window manager shows a minimized window it activates.
    for (const Window window : desktop_.windowsOf(pid_, title_, false)) {
        desktop_.activate(window);
        input_.settle(milliseconds(200));
    }
}

bool Player::escapeModalState() {
    for (int attempt = 0; attempt < 40; ++attempt) {
        input_.releaseEverything();
        if (!desktop_.someoneHoldsAGrab()) {
            return true;
        }
        input_.tapKey("Escape");
        input_.settle(milliseconds(50));
    }
    return false;
}

void Player::closeDownToOne() {
    escapeModalState();
    for (std::vector<Window> shown = windows(); shown.size() > 1; shown = windows()) {
        desktop_.activate(shown.back());
        input_.settle(milliseconds(20));
        closeWindow(shown.back(), false);
        if (windows().size() >= shown.size()) {
            return; // the window did not close: give up rather than loop
        }
    }
}

} // namespace vantro::soak
