#pragma once

// The geometry of a resize drag on a window edge, in X11 root coordinates:
// which edges a press took hold of, and the frame that following the pointer
// gives. Pure.

#include "platform/geometry.h"

namespace vantro::gtk {

enum EdgeMask : unsigned {
    kNoEdge = 0,
    kLeftEdge = 1U << 0,
    kRightEdge = 1U << 1,
    kTopEdge = 1U << 2,
    kBottomEdge = 1U << 3,
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

// Whether the plug-in's resize features can shape a drag of `edges`: they
// size the window from the pointer as it holds the bottom-right corner and
// keep the top-left corner in place, which fits the right edge, the bottom
// edge and the corner between them. Drags of the other edges and corners are
// plain resizes.
bool featuresShapeDragOf(unsigned edges);

// The pointer as the features read it during a drag of `edges` that they
// shape (X11 root coordinates): where it is along each dragged edge's axis,
// and a fixed `gripOffset` inside the bottom-right corner of `frame` along
// the axis the drag leaves alone, so that length follows the frame.
Point featurePointer(const Rect& frame, unsigned edges, Point pointer, double gripOffset);

} // namespace vantro::gtk
