#pragma once

// A window's size limits as its WM_NORMAL_HINTS property states them (GTK
// writes there what gtk_window_set_geometry_hints and the content's own
// minimum ask), turned into the sizes of the frame the user sees. Pure.

#include "platform/geometry.h"
#include "platform/gtk/frame_extents.h"

#include <optional>
#include <span>

namespace vantro::gtk {

struct WindowSizeLimits {
    Size minSize{0, 0};
    Size maxSize{kNoMaximum, kNoMaximum};
    Size resizeIncrements{1, 1};
    Size aspectRatio{0, 0}; // zero when no ratio is kept
    // The frame size that the increments count from: the hints' base size
    // (their minimum where they give none), as a frame size.
    Size incrementBase{0, 0};

    static constexpr double kNoMaximum = 3.4028234663852886e38; // the largest float
    friend bool operator==(const WindowSizeLimits&, const WindowSizeLimits&) = default;
};

// The limits that WM_NORMAL_HINTS' values give (its eighteen CARDINALs, in
// device pixels, for the client window) for a frame that differs from the
// client window by `shadow` (outside the frame) and `decorations` (part of
// it). Fields the hints' flags leave out keep their defaults; values that
// make no sense (a negative minimum, a maximum of zero, an increment below
// one, a ratio with a zero side) are ignored. Nothing for a property of
// another length or a scale below 1.
std::optional<WindowSizeLimits> sizeLimitsFromHints(std::span<const long> values, int scale,
                                                    const FrameExtents& shadow,
                                                    const FrameExtents& decorations);

// The size the window manager gives a window asked to take `size`: whole
// increments above the base, within the minimum and maximum. A size without
// increments (one pixel or less) only keeps to the limits.
Size sizeOnIncrementGrid(Size size, const WindowSizeLimits& limits);

} // namespace vantro::gtk
