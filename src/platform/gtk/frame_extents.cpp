#include "platform/gtk/frame_extents.h"

#include <algorithm>
#include <cmath>

namespace vantro::gtk {

std::optional<FrameExtents> frameExtentsFromProperty(std::span<const long> values, int scale) {
    if (values.size() != 4 || scale < 1) {
        return std::nullopt;
    }
    if (std::any_of(values.begin(), values.end(), [](long value) { return value < 0; })) {
        return std::nullopt;
    }
    const auto points = [scale](long value) {
        return static_cast<double>(value) / static_cast<double>(scale);
    };
    const double left = std::floor(points(values[0]));
    const double top = std::floor(points(values[2]));
    return FrameExtents{left, std::round(points(values[0] + values[1])) - left, top,
                        std::round(points(values[2] + values[3])) - top};
}

Rect outset(const Rect& rect, const FrameExtents& extents) {
    return {rect.origin.x - extents.left, rect.origin.y - extents.top,
            rect.size.width + extents.left + extents.right,
            rect.size.height + extents.top + extents.bottom};
}

Rect inset(const Rect& rect, const FrameExtents& extents) {
    return {rect.origin.x + extents.left, rect.origin.y + extents.top,
            std::max(0.0, rect.size.width - extents.left - extents.right),
            std::max(0.0, rect.size.height - extents.top - extents.bottom)};
}

Rect visibleFrameFromClient(const Rect& client, const FrameExtents& shadow,
                            const FrameExtents& decorations) {
    return outset(inset(client, shadow), decorations);
}

} // namespace vantro::gtk
