#pragma once

// The geometry of a resize drag on a window edge, in X11 root coordinates:
// which edges a press took hold of, and the frame that following the pointer
// gives. Pure.

#include "platform/geometry.h"
#include "platform/platform.h"

namespace vantro::gtk {

// The same bits as platform::ResizeEdge, so that a mask passes as it is.
enum EdgeMask : unsigned {
    kNoEdge = 0,
    kLeftEdge = platform::kResizeLeftEdge,
    kRightEdge = platform::kResizeRightEdge,
    kTopEdge = platform::kResizeTopEdge,
    kBottomEdge = platform::kResizeBottomEdge,
};

// The edges one of GTK's resize border windows stands for, from its place
// (`border`, in the toplevel's coordinates) in a toplevel of `toplevel`
// size: the strips along the sides are one edge each, the squares at the
// corners two. kNoEdge for a toplevel without area.
unsigned edgesOfBorderWindow(const Rect& border, const Size& toplevel);

// The frame `start` takes when the pointer that took hold of `edges` at
// `pressedAt` is at `now`: the held edges follow the pointer, the others
// stay, and no length goes below one pixel (the far edge stays put then).
Rect draggedFrame(const Rect& start, unsigned edges, Point pressedAt, Point now);

} // namespace vantro::gtk
