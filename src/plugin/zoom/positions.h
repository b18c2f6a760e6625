#pragma once

// Zoom targets that move a window without resizing it: the centre, the four
// edges and the four corners of its screen's visible frame.

#include "platform/geometry.h"

#include <optional>
#include <string_view>

namespace vantro::zoom {

// The target of a position feature for a window at `frame`: the same size,
// moved against `visible`. An edge moves the window along one axis only, even
// when it sticks out of the screen on the other. Positions make no size
// check, so they never hit a limit. None for a key that is not a position,
// for a visible frame with no area or non-finite numbers, and for a frame
// with non-finite numbers or a negative length.
std::optional<Rect> positionTarget(std::string_view feature, const Rect& frame,
                                   const Rect& visible);

} // namespace vantro::zoom
