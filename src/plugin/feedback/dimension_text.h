#pragma once

// The dimension tab's text: the window's size, a " (Max)" or " (Min)" mark
// where a dimension sits on its limit, and the content height; long labels
// only for windows wider than 400 points. Numbers are in the larger type,
// labels in the smaller one.

#include "platform/feedback_surface.h"
#include "platform/geometry.h"

#include <vector>

namespace vantro::feedback {

// Fills `runs` (reusing its storage) for a frame of `size` with content
// height `contentHeight`, against the window's limits.
void composeDimensionText(Size size, double contentHeight, Size minSize, Size maxSize,
                          std::vector<platform::TextRun>& runs);

} // namespace vantro::feedback
