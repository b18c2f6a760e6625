#include "player.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <thread>

namespace vantro::soak {

namespace {

using std::chrono::milliseconds;

// GTK's default theme's header bar buttons, from the frame's top-right (New Window: left).
constexpr int kButtonBelowTop = 27;
constexpr int kMaximizeFromRight = 68;
constexpr int kCloseFromRight = 27;
constexpr int kNewWindowFromLeft = 28;

// The tab after a zoom holds 0.65 s and fades; the heads-up panel goes sooner.
constexpr milliseconds kPopupsGoneWithin{1500};
constexpr std::array<std::string_view, 3> kPopupTitles = {
    "Vantro Dimensions", "Vantro Heads-Up Panel", "Vantro Resize Indicator"};

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

bool overlap(const Frame& a, const Frame& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}

constexpr std::array<KeySym, 4> kModifierKeys = {XK_Shift_L, XK_Control_L, XK_Alt_L, XK_Super_L};

void key(Display* display, KeySym keysym, bool down) {
    if (const KeyCode code = XKeysymToKeycode(display, keysym); code != 0) {
        XTestFakeKeyEvent(display, code, down ? True : False, CurrentTime);
    }
}

void moveTo(Display* display, int x, int y) {
    XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
}

void button(Display* display, unsigned which, bool down) {
    XTestFakeButtonEvent(display, which, down ? True : False, CurrentTime);
}

// Pressed in a fixed order, released in the reverse one.
void modifiers(Display* display, unsigned set, bool down) {
    for (std::size_t i = 0; i < kModifierKeys.size(); ++i) {
        const std::size_t bit = down ? i : kModifierKeys.size() - 1 - i;
        if ((set & (1U << bit)) != 0) {
            key(display, kModifierKeys[bit], down);
        }
    }
}

// Only what is down: a release of a button that is up still reaches the client.
void releaseEverything(Display* display) {
    Window ignored = 0;
    int at = 0;
    unsigned int mask = 0;
    XQueryPointer(display, DefaultRootWindow(display), &ignored, &ignored, &at, &at, &at, &at,
                  &mask);
    for (unsigned which = 1; which <= 5; ++which) {
        if ((mask & (Button1Mask << (which - 1))) != 0) {
            button(display, which, false);
        }
    }
    std::array<char, 32> keys{};
    XQueryKeymap(display, keys.data());
    for (const KeySym keysym : kModifierKeys) {
        const KeyCode code = XKeysymToKeycode(display, keysym);
        if (code != 0 && (keys[code / 8] & (1 << (code % 8))) != 0) {
            key(display, keysym, false);
        }
    }
    XSync(display, False);
}

// Lets the server deliver what was sent and the client act on it.
void settle(Display* display, milliseconds pause) {
    XSync(display, False);
    std::this_thread::sleep_for(pause);
}

// A press and release in the same instant is no hand's: the key is held a while.
void tapKey(Display* display, const char* name, unsigned held = 0) {
    const KeySym keysym = XStringToKeysym(name);
    modifiers(display, held, true);
    key(display, keysym, true);
    settle(display, milliseconds(40));
    key(display, keysym, false);
    modifiers(display, held, false);
}

// `command DRAW`'s first line of output says what it changed.
std::string changeSetting(const std::string& command, std::uint32_t draw) {
    const std::unique_ptr<FILE, int (*)(FILE*)> run(
        popen((command + " " + std::to_string(draw)).c_str(), "r"), pclose);
    std::array<char, 512> line{};
    std::string said = run && std::fgets(line.data(), line.size(), run.get()) != nullptr
                           ? line.data()
                           : "no settings change: " + command;
    said.erase(said.find_last_not_of('\n') + 1);
    return said;
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
    settle(display_, milliseconds(20));
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
        tapKey(display_, shortcut.key, shortcut.modifiers);
        settle(display_, milliseconds(std::max(step.gapMs, 0) * 3));
        closeWindow(window, false);
        break;
    }
    case StepKind::setting:
        said += ": " + changeSetting(settings_, step.setting);
        settle(display_, milliseconds(300)); // the change reaches the application
        break;
    }
    settle(display_, milliseconds(30));
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
    if (frame && std::any_of(monitors.begin(), monitors.end(), [&](const Frame& m) {
            return frame->x >= m.x && frame->y >= m.y && frame->x + frame->width <= m.x + m.width &&
                   frame->y + 2 * kButtonBelowTop <= m.y + m.height;
        })) {
        return frame;
    }
    return std::nullopt;
}

void Player::clickAt(int x, int y, unsigned which, unsigned held) {
    held &= kPointerModifiers;
    moveTo(display_, x, y);
    settle(display_, milliseconds(5));
    modifiers(display_, held, true);
    button(display_, which, true);
    settle(display_, milliseconds(40)); // a person's click lasts a while
    button(display_, which, false);
    modifiers(display_, held, false);
}

std::optional<std::string> Player::zoomTwice(Window window, const Step& step, std::string& said) {
    const std::optional<Frame> before = reachableFrame(window);
    const std::optional<SizeLimits> limits = desktop_.limitsOf(window);
    if (!before || !limits) {
        return std::nullopt;
    }
    const unsigned held = step.modifiers;
    const Shortcut shortcut = shortcutOf(step);
    const auto command = [&](const Frame& frame) {
        if (step.byClick) {
            // Without modifiers, now and then the right button: the menu.
            clickAt(frame.x + frame.width - kMaximizeFromRight, frame.y + kButtonBelowTop,
                    held == 0 && (step.setting & 1U) != 0 ? 3 : 1, held);
        } else {
            tapKey(display_, shortcut.key, shortcut.modifiers);
        }
    };
    command(*before);
    std::optional<Frame> between;
    if (step.byClick || step.gapMs < 0) {
        between = desktop_.settledFrameOf(window, &*before);
    } else {
        settle(display_, milliseconds(step.gapMs)); // during the 0.2 s animation
        between = desktop_.frameOf(window);
    }
    // A click that does not zoom may open a menu: answered, and nothing to undo then.
    if (!between || (step.byClick && between == before && answerMenu(step.setting, said))) {
        return std::nullopt;
    }
    command(*between);
    std::optional<Frame> after = desktop_.settledFrameOf(window, &*between);
    // With the plug-in off the click is GTK's maximize, which a second click does not undo
    // on a window with a maximum size under openbox: nothing to hold the plug-in to.
    if (step.byClick && limits->maxWidth > 0) {
        return std::nullopt;
    }
    // A client slowed by other work gets a while longer to come back.
    for (int i = 0; i < 15 && after && !nearly(*after, *before, *limits); ++i) {
        settle(display_, milliseconds(100));
        after = desktop_.frameOf(window);
    }
    if (after && !nearly(*after, *before, *limits)) {
        return "the same zoom twice did not put " + hex(window) + " back: " + text(*before) +
               ", then " + text(*between) + ", then " + text(*after);
    }
    return std::nullopt;
}

// A command chosen with the keyboard (Down 1 to 8 stays above Preferences…, which would
// start the settings application), or the menu dismissed; never with one window left:
// GTK's menu has Close.
bool Player::answerMenu(std::uint32_t draw, std::string& said) {
    const bool open = desktop_.someoneHoldsAGrab();
    if (open && (draw >> 1) % 5 < 2 && windows().size() > 1) {
        const unsigned downs = 1 + (draw >> 4) % 8;
        for (unsigned i = 0; i < downs; ++i) {
            tapKey(display_, "Down");
        }
        if (((draw >> 7) & 1U) != 0) {
            tapKey(display_, "Right"); // into a submenu, where there is one
            tapKey(display_, "Down");
        }
        tapKey(display_, "Return");
        said += ", a menu answered with Down " + std::to_string(downs);
        settle(display_, milliseconds(100));
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
    // GTK's resize borders lie just inside the frame, or in the shadow outside it.
    const int in = desktop_.shadowLeft(window) > 0 ? -4 : 2;
    const std::array<int, 3> xs = {frame->x + in - 1, frame->x + frame->width / 2,
                                   frame->x + frame->width - in};
    const std::array<int, 3> ys = {frame->y + in - 1, frame->y + frame->height / 2,
                                   frame->y + frame->height - in};
    // Grips 0 to 7: the cells of a 3 x 3 grid but its middle.
    const auto cell = static_cast<std::size_t>(step.grip < 4 ? step.grip : step.grip + 1);
    const int startX = xs[cell % 3];
    const int startY = ys[cell / 3];
    unsigned held = step.modifiers & kPointerModifiers;
    moveTo(display_, startX, startY);
    settle(display_, milliseconds(5));
    modifiers(display_, held, true);
    button(display_, 1, true);
    for (int move = 1; move <= step.moves; ++move) {
        moveTo(display_, startX + step.dx * move / step.moves,
               startY + step.dy * move / step.moves);
        // A modifier pressed or let go mid-drag switches a feature at once.
        if (move == step.switchAt) {
            const unsigned pressed = step.pressedLater & ~held & kPointerModifiers;
            modifiers(display_, held & step.releasedLater, false);
            modifiers(display_, pressed, true);
            held = (held & ~step.releasedLater) | pressed;
        }
        settle(display_, milliseconds(15));
    }
    button(display_, 1, false);
    modifiers(display_, held, false);
}

void Player::openWindow(Window window, const Step& step) {
    // Shift, Control and Alt held while a window opens change its limits.
    const unsigned held = step.modifiers & ~static_cast<unsigned>(kSuper);
    const std::size_t before = windows().size();
    if (!step.byClick) {
        tapKey(display_, "n", held | kControl);
    } else if (const std::optional<Frame> frame = reachableFrame(window)) {
        clickAt(frame->x + kNewWindowFromLeft, frame->y + kButtonBelowTop, 1, held);
    }
    std::vector<Window> now = windows();
    for (int i = 0; i < 30 && now.size() <= before; ++i) {
        settle(display_, milliseconds(100));
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
        tapKey(display_, "F4", kAlt); // the window manager's binding
    } else if (const std::optional<Frame> frame = reachableFrame(window)) {
        clickAt(frame->x + frame->width - kCloseFromRight, frame->y + kButtonBelowTop, 1, 0);
    }
    for (int i = 0; i < 30 && windows().size() >= before; ++i) {
        settle(display_, milliseconds(100));
    }
}

std::optional<std::string> Player::checkFrames() {
    const std::vector<Frame> monitors = desktop_.monitors();
    const auto onSomeMonitor = [&monitors](const Frame& frame) {
        return std::any_of(monitors.begin(), monitors.end(),
                           [&](const Frame& monitor) { return overlap(frame, monitor); });
    };
    const auto within = [](int size, int low, int high) {
        return size + 1 >= low && (high == 0 || size <= high + 1);
    };
    for (const Window window : windows()) {
        const std::optional<Frame> frame = desktop_.frameOf(window);
        const std::optional<SizeLimits> l = desktop_.limitsOf(window);
        if (!frame || !l) {
            continue; // gone meanwhile
        }
        if (!within(l->width, l->minWidth, l->maxWidth) ||
            !within(l->height, l->minHeight, l->maxHeight)) {
            return hex(window) + " is " + text({0, 0, l->width, l->height}) + ", outside " +
                   text({0, 0, l->minWidth, l->minHeight}) + " to " +
                   text({0, 0, l->maxWidth, l->maxHeight}) + " (0: no maximum)";
        }
        if (!onSomeMonitor(*frame)) {
            return hex(window) + " at " + text(*frame) + " is on no monitor";
        }
    }
    // A popup off every monitor is feedback no one sees.
    for (const auto& [name, frame] : desktop_.shownPopups(kPopupTitles)) {
        if (!onSomeMonitor(frame)) {
            return "\"" + name + "\" shown at " + text(frame) + ", on no monitor";
        }
    }
    return std::nullopt;
}

std::optional<std::string> Player::checkPopupsGone(const std::string& after) {
    std::this_thread::sleep_until(lastStepEnd_ + kPopupsGoneWithin);
    const auto shown = desktop_.shownPopups(kPopupTitles);
    if (shown.empty()) {
        return std::nullopt;
    }
    return "\"" + shown.front().first + "\" still shown 1.5 s after " + after;
}

void Player::showHiddenWindows() {
    // The window manager shows a minimized window it activates.
    for (const Window window : desktop_.windowsOf(pid_, title_, false)) {
        desktop_.activate(window);
        settle(display_, milliseconds(200));
    }
}

bool Player::escapeModalState() {
    for (int attempt = 0; attempt < 40; ++attempt) {
        releaseEverything(display_);
        if (!desktop_.someoneHoldsAGrab()) {
            return true;
        }
        tapKey(display_, "Escape");
        settle(display_, milliseconds(50));
    }
    return false;
}

void Player::closeDownToOne() {
    escapeModalState();
    for (std::vector<Window> shown = windows(); shown.size() > 1; shown = windows()) {
        desktop_.activate(shown.back());
        settle(display_, milliseconds(20));
        closeWindow(shown.back(), false);
        if (windows().size() >= shown.size()) {
            return; // the window did not close: give up rather than loop
        }
    }
}

} // namespace vantro::soak
