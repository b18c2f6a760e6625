#include "plugin/zoom/zoom_targets.h"

#include "plugin/zoom/layouts.h"
#include "plugin/zoom/positions.h"
#include "plugin/zoom/resolutions.h"
#include "plugin/zoom/screens.h"

namespace vantro::zoom {

std::optional<Rect> zoomVisibleFrame(int screen, std::span<const Screen> screens) {
    if (screen >= 0 && static_cast<std::size_t>(screen) < screens.size()) {
        return screens[static_cast<std::size_t>(screen)].visibleFrame;
    }
    if (!screens.empty()) {
        return screens.front().visibleFrame;
    }
    return std::nullopt;
}

std::optional<Rect> zoomTarget(std::string_view feature, const TargetInputs& inputs,
                               const SizeCheck& check) {
    if (auto target = maximizeTarget(feature, inputs.visibleFrame, check)) {
        return target;
    }
    if (auto target = resolutionTarget(feature, inputs.chromeHeight, inputs.visibleFrame, check)) {
        return target;
    }
    if (auto target = positionTarget(feature, inputs.frame, inputs.visibleFrame)) {
        return target;
    }
    return screenTarget(feature, inputs.frame, inputs.screen, inputs.screens, check);
}

} // namespace vantro::zoom
