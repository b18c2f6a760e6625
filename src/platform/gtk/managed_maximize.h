#pragma once

// A maximize the window manager ran from the title bar it draws. Some window
// managers (xfwm4) maximize on a click of their button whatever keys are
// held; the plug-in then sees the new state with the keys still down and can
// run the zoom those keys select instead. Pure: the frames, the monitor's
// visible frame and the pointer are passed in, in core coordinates.

#include "platform/geometry.h"

#include <optional>

namespace vantro::gtk {

struct ManagedMaximize {
    Rect lastFrame;                        // the frame last configured
    std::optional<Rect> frameBeforeResize; // the one before the last change of size
    std::optional<Rect> maximizedArea;     // the visible frame of the last frame's monitor
    double titleBarHeight = 0;             // the window manager's decoration above the client
    Point pointer;
};

// The frame the window had when the click landed on its title bar, or none
// when the pointer is not on the title bar of that frame (the maximize came
// from a key binding or elsewhere). The window manager may configure the
// maximized frame before or after it announces the state: a last frame that
// fills its monitor's visible frame is the maximized one.
std::optional<Rect> frameBeforeManagedMaximize(const ManagedMaximize& seen);

} // namespace vantro::gtk
