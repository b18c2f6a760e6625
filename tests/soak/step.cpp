#include "step.h"

#include <array>
#include <utility>

namespace vantro::soak {

namespace {

// Zooms and drags most, where the plug-in does most; windows come and go
// often enough that per-window state is made and freed many times.
constexpr std::array<std::pair<StepKind, int>, 6> kWeights = {{
    {StepKind::zoomTwice, 39},
    {StepKind::drag, 26},
    {StepKind::openWindow, 9},
    {StepKind::closeWindow, 7},
    {StepKind::zoomThenClose, 5},
    {StepKind::setting, 14},
}};

// The zoom options menu's shortcut keys: Control-Shift with a digit, ` or
// = and -, Super-Alt-Shift with a digit or punctuation.
// clang-format off
constexpr std::array<const char*, 31> kKeys = {
    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "grave", "equal", "minus",
    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9",
    "minus", "equal", "comma", "period", "bracketleft", "bracketright", "semicolon", "apostrophe"};
// clang-format on
constexpr int kControlShiftKeys = 13;

std::string modifierNames(unsigned modifiers) {
    std::string names;
    for (const auto& [bit, name] : {std::pair{kShift, "shift"}, std::pair{kControl, "ctrl"},
                                    std::pair{kAlt, "alt"}, std::pair{kSuper, "super"}}) {
        if ((modifiers & bit) != 0) {
            names += (names.empty() ? "" : "+") + std::string(name);
        }
    }
    return names.empty() ? "none" : names;
}

} // namespace

Step drawStep(std::mt19937& random) {
    const auto uniform = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const auto chance = [&random](double share) {
        return std::bernoulli_distribution(share)(random);
    };
    const auto modifiers = [&chance](double share) {
        unsigned held = 0;
        for (const unsigned bit : {kShift, kControl, kAlt, kSuper}) {
            held |= chance(share) ? bit : 0U;
        }
        return held;
    };
    Step step;
    int draw = uniform(0, 99);
    for (const auto& [kind, weight] : kWeights) {
        if (draw < weight) {
            step.kind = kind;
            break;
        }
        draw -= weight;
    }
    step.window = static_cast<unsigned>(uniform(0, 63));
    step.modifiers = modifiers(0.35);
    step.byClick = chance(0.5);
    // Twice in three Control-Shift, where the halves and quarters are.
    step.key = chance(0.67) ? uniform(0, kControlShiftKeys - 1) : uniform(0, kKeys.size() - 1);
    step.gapMs = chance(0.33) ? uniform(0, 190) : -1; // a third during the animation
    step.grip = uniform(0, 7);
    step.dx = uniform(-160, 160);
    step.dy = uniform(-160, 160);
    step.moves = uniform(3, 8);
    step.switchAt = uniform(1, step.moves);
    step.pressedLater = modifiers(0.2);
    step.releasedLater = modifiers(0.5);
    step.linger = chance(0.2);
    step.setting = static_cast<std::uint32_t>(random());
    return step;
}

StepKind fitKind(StepKind kind, std::size_t windows, std::size_t maxWindows) {
    const std::size_t spare = std::min<std::size_t>(2, maxWindows);
    const bool opens = kind == StepKind::openWindow;
    const bool closes = kind == StepKind::closeWindow || kind == StepKind::zoomThenClose;
    if (windows < spare || (closes && windows <= spare && windows < maxWindows)) {
        return StepKind::openWindow;
    }
    if (opens && windows >= maxWindows) {
        return windows > spare ? StepKind::closeWindow : StepKind::zoomTwice;
    }
    return closes && windows <= spare ? StepKind::zoomTwice : kind;
}

Shortcut shortcutOf(const Step& step) {
    return {kKeys[static_cast<std::size_t>(step.key)],
            step.key < kControlShiftKeys ? kControl | kShift : kSuper | kAlt | kShift};
}

std::string describe(const Step& step) {
    const Shortcut shortcut = shortcutOf(step);
    const std::string keys = "key " + modifierNames(shortcut.modifiers) + "+" + shortcut.key;
    const std::string held = " with " + modifierNames(step.modifiers & kPointerModifiers);
    switch (step.kind) {
    case StepKind::zoomTwice:
        return (step.byClick ? "maximize clicked" + held : keys) + " twice, " +
               (step.byClick || step.gapMs < 0 ? "settled" : std::to_string(step.gapMs) + " ms") +
               " apart";
    case StepKind::drag:
        return "drag of grip " + std::to_string(step.grip) + " by " + std::to_string(step.dx) +
               "," + std::to_string(step.dy) + held + "; after motion " +
               std::to_string(step.switchAt) + " of " + std::to_string(step.moves) + " " +
               modifierNames(step.pressedLater & kPointerModifiers) + " pressed, " +
               modifierNames(step.releasedLater) + " released";
    case StepKind::openWindow:
        return std::string(step.byClick ? "New Window clicked" : "ctrl+n") + " with " +
               modifierNames(step.modifiers & ~kSuper & (step.byClick ? kPointerModifiers : ~0U));
    case StepKind::closeWindow:
        return step.byClick ? "close clicked" : "alt+F4";
    case StepKind::zoomThenClose:
        return keys + ", alt+F4 " + std::to_string(std::max(step.gapMs, 0) * 3) + " ms later";
    case StepKind::setting:
        return "setting changed";
    }
    return "?";
}

} // namespace vantro::soak
