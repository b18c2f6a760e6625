#include "platform/gtk/edge_drag.h"

#include <algorithm>

namespace vantro::gtk {

unsigned edgesOfBorderWindow(const Rect& border, const Size& toplevel) {
    if (!(toplevel.width > 0) || !(toplevel.height > 0)) {
        return kNoEdge;
    }
    // A strip's centre is near the middle of its side; a corner's centre is
    // in the outer third both ways.
    const double x = (border.origin.x + border.size.width / 2) / toplevel.width;
    const double y = (border.origin.y + border.size.height / 2) / toplevel.height;
    unsigned edges = kNoEdge;
    if (x < 1.0 / 3) {
        edges |= kLeftEdge;
    } else if (x > 2.0 / 3) {
        edges |= kRightEdge;
    }
    if (y < 1.0 / 3) {
        edges |= kTopEdge;
    } else if (y > 2.0 / 3) {
        edges |= kBottomEdge;
    }
    return edges;
}

Rect draggedFrame(const Rect& start, unsigned edges, Point pressedAt, Point now) {
    const double dx = now.x - pressedAt.x;
    const double dy = now.y - pressedAt.y;
    double left = start.minX();
    double right = start.maxX();
    double top = start.minY();
    double bottom = start.maxY();
    if ((edges & kLeftEdge) != 0) {
        left = std::min(left + dx, right - 1);
    } else if ((edges & kRightEdge) != 0) {
        right = std::max(right + dx, left + 1);
    }
    if ((edges & kTopEdge) != 0) {
        top = std::min(top + dy, bottom - 1);
    } else if ((edges & kBottomEdge) != 0) {
        bottom = std::max(bottom + dy, top + 1);
    }
    return {left, top, right - left, bottom - top};
}

} // namespace vantro::gtk
