#include "action_mix.h"

#include <algorithm>
#include <array>

namespace vantro::soak {

namespace {

// Clicks and drags most, where the plug-in does most; opening and closing
// windows often enough that per-window state comes and goes hundreds of
// times in a long run.
struct Weighted {
    ActionKind kind;
    int weight;
};
constexpr std::array<Weighted, kActionKindCount> kActionWeights = {{
    {ActionKind::titleButtonClick, 32},
    {ActionKind::zoomShortcut, 20},
    {ActionKind::edgeDrag, 32},
    {ActionKind::openWindow, 8},
    {ActionKind::closeWindow, 8},
}};

constexpr std::size_t kSpareWindows = 2;

} // namespace

std::string_view actionName(ActionKind kind) {
    switch (kind) {
    case ActionKind::titleButtonClick:
        return "title-button click";
    case ActionKind::zoomShortcut:
        return "zoom shortcut";
    case ActionKind::edgeDrag:
        return "edge drag";
    case ActionKind::openWindow:
        return "window opened";
    case ActionKind::closeWindow:
        return "window closed";
    }
    return "?";
}

ActionKind chooseAction(std::mt19937& random, std::size_t windows, std::size_t maxWindows) {
    int total = 0;
    for (const Weighted& entry : kActionWeights) {
        total += entry.weight;
    }
    int draw = std::uniform_int_distribution<int>(0, total - 1)(random);
    ActionKind chosen = ActionKind::titleButtonClick;
    for (const Weighted& entry : kActionWeights) {
        if (draw < entry.weight) {
            chosen = entry.kind;
            break;
        }
        draw -= entry.weight;
    }
    // A spare window: a click meant for a window that moves under it can
    // land on its close button, and closing the last one quits.
    const std::size_t spare = std::min<std::size_t>(kSpareWindows, maxWindows);
    if (windows < spare) {
        return ActionKind::openWindow;
    }
    if (chosen == ActionKind::openWindow && windows >= maxWindows) {
        return windows > spare ? ActionKind::closeWindow : ActionKind::titleButtonClick;
    }
    if (chosen == ActionKind::closeWindow && windows <= spare) {
        return windows < maxWindows ? ActionKind::openWindow : ActionKind::titleButtonClick;
    }
    return chosen;
}

unsigned chooseModifiers(std::mt19937& random, unsigned typeable, double share) {
    unsigned chosen = kNoModifier;
    std::bernoulli_distribution held(std::clamp(share, 0.0, 1.0));
    for (unsigned bit = 1; bit <= kLevel3; bit <<= 1) {
        // Drawn for every bit, so that the keymap does not shift the sequence.
        if (held(random) && (typeable & bit) != 0) {
            chosen |= bit;
        }
    }
    return chosen;
}

} // namespace vantro::soak
