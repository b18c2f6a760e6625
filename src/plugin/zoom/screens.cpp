#include "plugin/zoom/screens.h"

#include "plugin/zoom/placement.h"
#include "plugin/zoom/zoom_features.h"

#include <array>

namespace vantro::zoom {

namespace {

struct ScreenStep {
    std::string_view feature;
    int step;
};

constexpr std::array<ScreenStep, 2> kScreenSteps = {{
    {"VantroNextScreen", 1},
    {"VantroPreviousScreen", -1},
}};
static_assert(allAreZoomFeatures(kScreenSteps));

} // namespace

std::optional<std::size_t> adjacentScreen(std::span<const Screen> screens, int current, int step) {
    if (current < 0 || static_cast<std::size_t>(current) >= screens.size()) {
        return std::nullopt;
    }
    const std::size_t count = screens.size();
    const auto from = static_cast<std::size_t>(current);
    // Adding count - 1 steps back by one without going below zero.
    const std::size_t stride = step >= 0 ? 1 : count - 1;
    std::size_t index = from;
    // At most one round: the loop ends at the first usable screen or back
    // at the current one.
    for (std::size_t tried = 1; tried < count; ++tried) {
        index = (index + stride) % count;
        if (canHoldWindows(screens[index].visibleFrame)) {
            return index;
        }
    }
    return from;
}

std::optional<Rect> screenTarget(std::string_view feature, const Rect& frame, int current,
                                 std::span<const Screen> screens, const SizeCheck& check) {
    for (const ScreenStep& screenStep : kScreenSteps) {
        if (screenStep.feature != feature) {
            continue;
        }
        if (!isPlaceableFrame(frame)) {
            return std::nullopt;
        }
        const std::optional<std::size_t> target = adjacentScreen(screens, current, screenStep.step);
        if (!target || *target == static_cast<std::size_t>(current)) {
            return frame;
        }
        const Rect& destination = screens[*target].visibleFrame;
        // A length equal to the other screen's stays as it is.
        const Size proposed{frame.size.width > destination.size.width ? destination.size.width
                                                                      : frame.size.width,
                            frame.size.height > destination.size.height ? destination.size.height
                                                                        : frame.size.height};
        const std::optional<Size> allowed = allowedSize(check, proposed);
        if (!allowed) {
            return std::nullopt;
        }
        return Rect(centredOrigin(*allowed, destination), *allowed);
    }
    return std::nullopt;
}

} // namespace vantro::zoom
