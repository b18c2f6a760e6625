#include "plugin/zoom/positions.h"

namespace vantro::zoom {

Point centredOrigin(Size size, const Rect& visible) {
    return {
        singlePrecisionFloor((0.5 * visible.size.width + visible.minX()) + (-0.5 * size.width)),
        singlePrecisionFloor((0.5 * visible.size.height + visible.minY()) + (-0.5 * size.height))};
}

std::optional<Rect> positionTarget(std::string_view feature, const Rect& frame,
                                   const Rect& visible) {
    const double left = visible.minX();
    const double right = (visible.size.width - frame.size.width) + visible.minX();
    const double top = (visible.size.height - frame.size.height) + visible.minY();
    const double bottom = visible.minY();
    const auto at = [&frame](double x, double y) {
        return Rect(x, y, frame.size.width, frame.size.height);
    };

    if (feature == "VantroPositionCenter") {
        return Rect(centredOrigin(frame.size, visible), frame.size);
    }
    if (feature == "VantroPositionLeftEdge") {
        return at(left, frame.minY());
    }
    if (feature == "VantroPositionRightEdge") {
        return at(right, frame.minY());
    }
    if (feature == "VantroPositionTopEdge") {
        return at(frame.minX(), top);
    }
    if (feature == "VantroPositionBottomEdge") {
        return at(frame.minX(), bottom);
    }
    if (feature == "VantroPositionTopLeftCorner") {
        return at(left, top);
    }
    if (feature == "VantroPositionTopRightCorner") {
        return at(right, top);
    }
    if (feature == "VantroPositionBottomLeftCorner") {
        return at(left, bottom);
    }
    if (feature == "VantroPositionBottomRightCorner") {
        return at(right, bottom);
    }
    return std::nullopt;
}

std::optional<Rect> screenTarget(std::string_view feature, const Rect& frame, int current,
                                 const std::vector<Screen>& screens, const SizeCheck& check) {
    const bool next = feature == "VantroNextScreen";
    if (!next && feature != "VantroPreviousScreen") {
        return std::nullopt;
    }
    const int count = static_cast<int>(screens.size());
    if (current < 0 || current >= count) {
        return frame;
    }
    int target = next ? current + 1 : current - 1;
    if (target == count) {
        target = 0;
    } else if (target < 0) {
        target = count - 1;
    }
    if (target == current) {
        return frame;
    }
    const Rect& destination = screens[static_cast<std::size_t>(target)].visibleFrame;
    const Size proposed{
        frame.size.width > destination.size.width ? destination.size.width : frame.size.width,
        frame.size.height > destination.size.height ? destination.size.height : frame.size.height};
    const Size allowed = check ? check(proposed) : proposed;
    return Rect(centredOrigin(allowed, destination), allowed);
}

} // namespace vantro::zoom
