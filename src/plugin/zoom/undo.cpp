#include "plugin/zoom/undo.h"

namespace vantro::zoom {

namespace {

bool sameIdentity(const std::string* a, const std::string* b) {
    return a != nullptr && b != nullptr && *a == *b;
}

} // namespace

UndoDecision decideUndo(const ZoomHistory& history, const Rect& target, const Rect& currentFrame,
                        const Rect& visibleFrame, const std::string* hitConstraint,
                        const std::function<Size(Size)>& checkSize) {
    const bool undo = history.previousVisibleFrame == visibleFrame &&
                      !(history.previousRect == target) && history.zoomedToFrame == currentFrame &&
                      sameIdentity(history.selectedFeature, history.lastFeaturePerformed);
    if (!undo) {
        UndoDecision decision{false, target, std::nullopt};
        if (hitConstraint != nullptr) {
            decision.message = *hitConstraint;
        }
        return decision;
    }
    const Size size = checkSize ? checkSize(history.previousRect.size) : history.previousRect.size;
    return {true, Rect(history.previousRect.origin, size), std::string(kUndoZoomMessage)};
}

} // namespace vantro::zoom
