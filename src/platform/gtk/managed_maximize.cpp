#include "platform/gtk/managed_maximize.h"

#include <cmath>

namespace vantro::gtk {

namespace {

bool fills(const Rect& frame, const Rect& area) {
    return std::fabs(frame.minX() - area.minX()) < 1 && std::fabs(frame.maxX() - area.maxX()) < 1 &&
           std::fabs(frame.minY() - area.minY()) < 1 && std::fabs(frame.maxY() - area.maxY()) < 1;
}

// Core coordinates grow upwards: the title bar is the frame's top strip.
bool onTitleBar(const Rect& frame, double titleBarHeight, Point pointer) {
    return titleBarHeight > 0 && pointer.x >= frame.minX() && pointer.x < frame.maxX() &&
           pointer.y <= frame.maxY() && pointer.y > frame.maxY() - titleBarHeight;
}

} // namespace

std::optional<Rect> frameBeforeManagedMaximize(const ManagedMaximize& seen) {
    const bool alreadyMaximized = seen.maximizedArea && fills(seen.lastFrame, *seen.maximizedArea);
    const std::optional<Rect> before =
        alreadyMaximized ? seen.frameBeforeResize : std::optional<Rect>(seen.lastFrame);
    if (!before || !onTitleBar(*before, seen.titleBarHeight, seen.pointer)) {
        return std::nullopt;
    }
    return before;
}

} // namespace vantro::gtk
