#include "plugin/zoom/positions.h"

#include "plugin/zoom/placement.h"
#include "plugin/zoom/zoom_features.h"

#include <array>

namespace vantro::zoom {

namespace {

// No placement on an axis keeps the window's own coordinate there.
struct Position {
    std::string_view feature;
    std::optional<Horizontal> x;
    std::optional<Vertical> y;
};

constexpr std::array<Position, 9> kPositions = {{
    {"VantroPositionCenter", Horizontal::centre, Vertical::centre},
    {"VantroPositionLeftEdge", Horizontal::left, std::nullopt},
    {"VantroPositionRightEdge", Horizontal::right, std::nullopt},
    {"VantroPositionTopEdge", std::nullopt, Vertical::top},
    {"VantroPositionBottomEdge", std::nullopt, Vertical::bottom},
    {"VantroPositionTopLeftCorner", Horizontal::left, Vertical::top},
    {"VantroPositionTopRightCorner", Horizontal::right, Vertical::top},
    {"VantroPositionBottomLeftCorner", Horizontal::left, Vertical::bottom},
    {"VantroPositionBottomRightCorner", Horizontal::right, Vertical::bottom},
}};
static_assert(allAreZoomFeatures(kPositions));

} // namespace

std::optional<Rect> positionTarget(std::string_view feature, const Rect& frame,
                                   const Rect& visible) {
    for (const Position& position : kPositions) {
        if (position.feature != feature) {
            continue;
        }
        if (!canHoldWindows(visible) || !isPlaceableFrame(frame)) {
            return std::nullopt;
        }
        const double x = position.x ? placeX(*position.x, visible, frame.size.width) : frame.minX();
        const double y =
            position.y ? placeY(*position.y, visible, frame.size.height) : frame.minY();
        return Rect(Point{x, y}, frame.size);
    }
    return std::nullopt;
}

} // namespace vantro::zoom
