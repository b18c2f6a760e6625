#pragma once

// Whether a zoom undoes the previous one: the same feature applied again to
// a window that nothing else touched since, on an unchanged visible frame,
// returns it to the frame it had before.

#include "platform/geometry.h"

#include <functional>
#include <optional>
#include <string>

namespace vantro::zoom {

// The zoom history of a window as its per-window entry holds it. Rectangles
// are decoded (zero when missing or malformed); strings are null when absent.
struct ZoomHistory {
    Rect previousRect;
    Rect previousVisibleFrame;
    Rect zoomedToFrame;
    const std::string* selectedFeature = nullptr;      // this zoom's undo identity
    const std::string* lastFeaturePerformed = nullptr; // the previous zoom's
};

inline constexpr const char* kUndoZoomMessage = "Undo Zoom";

struct UndoDecision {
    bool isUndo = false;
    Rect target;
    // The heads-up message: "Undo Zoom" on undo, otherwise the constraint
    // message of this zoom's size checks, if any.
    std::optional<std::string> message;
};

// All four must hold for an undo, in this order: the visible frame is the one
// of the last zoom, the earlier frame differs from the target, the window is
// still where the last zoom put it, and the same feature is asked again (an
// absent identity matches nothing, not even another absent one). On undo the
// target is the earlier frame's origin with its size passed through
// `checkSize`.
UndoDecision decideUndo(const ZoomHistory& history, const Rect& target, const Rect& currentFrame,
                        const Rect& visibleFrame, const std::string* hitConstraint,
                        const std::function<Size(Size)>& checkSize);

} // namespace vantro::zoom
