#pragma once

// Screens the zoom target tests share, as the platform reports them: main
// screen first, global coordinates with y up.

#include "platform/geometry.h"
#include "plugin/zoom/size_check.h"

#include <algorithm>
#include <vector>

namespace vantro::zoom::testing {

// The main screen with a 22-point panel along its top.
inline constexpr Screen kPanelScreen{Rect(0, 0, 1440, 900), Rect(0, 0, 1440, 878)};
// A larger screen to the right of the main one, reaching lower.
inline constexpr Screen kRightScreen{Rect(1440, -180, 1920, 1200), Rect(1440, -180, 1920, 1200)};
// A screen standing on top of the main one.
inline constexpr Screen kAboveScreen{Rect(0, 900, 1280, 1024), Rect(0, 900, 1280, 1024)};
// A screen left of the main one, so the main screen is not the leftmost.
inline constexpr Screen kLeftScreen{Rect(-1680, 0, 1680, 1050), Rect(-1680, 0, 1680, 1050)};

inline std::vector<Screen> sideBySide() {
    return {kPanelScreen, kRightScreen};
}
inline std::vector<Screen> stacked() {
    return {kPanelScreen, kAboveScreen};
}
inline std::vector<Screen> mainNotLeftmost() {
    return {kPanelScreen, kLeftScreen};
}

// A plain window on the main screen.
inline constexpr Rect kPlainWindow(100, 100, 800, 600);

inline Size unchanged(Size size) {
    return size;
}

// A check that limits the size to a box, as a window's maximum size does.
inline SizeCheck clampTo(Size box) {
    return [box](Size size) {
        return Size{std::min(size.width, box.width), std::min(size.height, box.height)};
    };
}

} // namespace vantro::zoom::testing
