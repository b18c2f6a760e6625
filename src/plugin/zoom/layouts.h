#pragma once

// Zoom targets that fill a share of the screen's visible frame: the whole of
// it, halves, thirds, two thirds and quarters, placed against the matching
// edges. The proposed size goes through the size check first and the
// position is computed from the size it allows, so a window that cannot take
// the whole share still sits against the requested edges.

#include "platform/geometry.h"
#include "plugin/zoom/size_check.h"

#include <optional>
#include <string_view>

namespace vantro::zoom {

// The target frame of a maximize feature on visible frame `visible`. None for
// a key that is not a maximize feature, for a visible frame with no area or
// non-finite numbers, and for a check that answers an impossible size. The
// check runs exactly once for a maximize feature on a usable frame.
std::optional<Rect> maximizeTarget(std::string_view feature, const Rect& visible,
                                   const SizeCheck& check);

} // namespace vantro::zoom
