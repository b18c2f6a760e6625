#pragma once

// Zoom targets that move a window to the next or the previous screen of the
// platform's screen list, centred on that screen's visible frame.

#include "platform/geometry.h"
#include "plugin/zoom/size_check.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace vantro::zoom {

// The screen `step` places after `current` (1 the next, -1 the previous),
// wrapping at both ends of the list and passing over screens whose visible
// frame can hold no window (a monitor being unplugged reports no area).
// `current` itself when no other screen qualifies; none when `current` is
// not an index of `screens` (a window on no screen, or an empty list).
std::optional<std::size_t> adjacentScreen(std::span<const Screen> screens, int current, int step);

// The target of "VantroNextScreen" or "VantroPreviousScreen" for a window at
// `frame` on screen `current`. The window is centred on the other screen's
// visible frame; its place relative to the old screen is not carried over.
// A length larger than the other screen's visible one is cut to it and the
// result passes through `check`. The window stays where it is (`frame`) when
// there is no other screen, and when it is on no screen: without a current
// screen there is no "next" one. None for another key, for a frame with
// non-finite numbers or a negative length, and for a check that answers an
// impossible size.
std::optional<Rect> screenTarget(std::string_view feature, const Rect& frame, int current,
                                 std::span<const Screen> screens, const SizeCheck& check);

} // namespace vantro::zoom
