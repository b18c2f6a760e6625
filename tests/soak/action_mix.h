#pragma once

// What a soak run does next, drawn from one seeded generator so that a
// seed replays the same sequence of decisions: the kind of action, with
// limits on the number of windows, and the modifier keys held. Pure.

#include "modifier_set.h"

#include <cstddef>
#include <random>
#include <string_view>

namespace vantro::soak {

enum class ActionKind {
    titleButtonClick,
    zoomShortcut,
    edgeDrag,
    openWindow,
    closeWindow,
};
inline constexpr std::size_t kActionKindCount = 5;

std::string_view actionName(ActionKind kind);

// The next action for a desktop showing `windows` test windows: a window is
// opened only below `maxWindows`, and closed only while more than two are
// open; with fewer than two (and more allowed) one is opened. Closing the
// last window quits the application, and a click can land on a close button
// by mistake when its window moves under it (an animated zoom).
ActionKind chooseAction(std::mt19937& random, std::size_t windows, std::size_t maxWindows);

// A random subset of `typeable`, each modifier held with probability `share`.
unsigned chooseModifiers(std::mt19937& random, unsigned typeable, double share);

} // namespace vantro::soak
