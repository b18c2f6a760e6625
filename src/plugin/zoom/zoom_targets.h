#pragma once

// The target frame of any zoom feature, from values the zoom gathers once
// when it starts. The families (layouts, positions, screens, resolutions)
// each answer their own keys; this picks the one that knows the key.

#include "platform/geometry.h"
#include "plugin/zoom/size_check.h"

#include <optional>
#include <span>
#include <string_view>

namespace vantro::zoom {

struct TargetInputs {
    Rect frame;                      // the window's frame as the zoom starts
    Rect visibleFrame;               // where the window is zoomed in, see zoomVisibleFrame
    int screen = -1;                 // index of the window's screen in `screens`, -1 for none
    std::span<const Screen> screens; // the platform's list, main screen first; not owned
    double chromeHeight = 0;         // what a resolution adds to its height
};

// The visible frame a zoom works in: that of screen `screen`, or the main
// screen's (the first) for a window on no screen, so that the zoom brings it
// back into view. None when there are no screens at all.
std::optional<Rect> zoomVisibleFrame(int screen, std::span<const Screen> screens);

// The target of `feature`. None for a key with no frame (the two resolution
// mode features, "VantroStandardZoom", unknown keys) and for inputs no
// target can be computed from (see each family); the zoom then leaves the
// window to the host's own zoom.
std::optional<Rect> zoomTarget(std::string_view feature, const TargetInputs& inputs,
                               const SizeCheck& check);

} // namespace vantro::zoom
