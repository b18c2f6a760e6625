#pragma once

// Zoom targets that move a window without resizing it: the centre, the four
// edges and the four corners of its screen's visible frame, and the next or
// previous screen (where it is centred, its size limited to that screen).

#include "platform/geometry.h"
#include "plugin/zoom/size_check.h"

#include <optional>
#include <string_view>
#include <vector>

namespace vantro::zoom {

// The target of a position feature for a window at `frame`; none for a key
// that is not a position. Positions keep the size and make no size check.
std::optional<Rect> positionTarget(std::string_view feature, const Rect& frame,
                                   const Rect& visible);

// The target of "VantroNextScreen" or "VantroPreviousScreen" for a window
// at `frame` on screen `current` of `screens`; none for another key. With a
// single screen the window stays where it is; a window on no screen (index
// out of the list) stays where it is too.
std::optional<Rect> screenTarget(std::string_view feature, const Rect& frame, int current,
                                 const std::vector<Screen>& screens, const SizeCheck& check);

// The origin that centres a size on a visible frame, rounded down through
// float, as every centred zoom target is placed.
Point centredOrigin(Size size, const Rect& visible);

} // namespace vantro::zoom
