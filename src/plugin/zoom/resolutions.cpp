#include "plugin/zoom/resolutions.h"

#include "plugin/zoom/positions.h"

namespace vantro::zoom {

double chromeHeight(std::int64_t mode, double frameHeight, double contentHeight) {
    return mode == 0 ? 0 : frameHeight - contentHeight;
}

std::optional<Rect> resolutionTarget(std::string_view feature, double chrome, const Rect& visible,
                                     const SizeCheck& check) {
    for (const Resolution& resolution : kResolutions) {
        if (resolution.feature == feature) {
            const Size proposed{resolution.width, resolution.height + chrome};
            const Size allowed = check ? check(proposed) : proposed;
            return Rect(centredOrigin(allowed, visible), allowed);
        }
    }
    return std::nullopt;
}

std::optional<std::int64_t> modeSetBy(std::string_view feature) {
    if (feature == kWholeWindowModeFeature) {
        return 0;
    }
    if (feature == kContentModeFeature) {
        return 1;
    }
    return std::nullopt;
}

} // namespace vantro::zoom
