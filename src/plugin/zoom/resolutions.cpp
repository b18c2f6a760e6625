#include "plugin/zoom/resolutions.h"

#include "plugin/zoom/placement.h"
#include "plugin/zoom/zoom_features.h"

#include <cmath>

namespace vantro::zoom {

namespace {

static_assert(allAreZoomFeatures(kResolutions));

struct ModeFeature {
    std::string_view feature;
    std::int64_t mode;
};

constexpr std::array<ModeFeature, 2> kModeFeatures = {{
    {kWholeWindowModeFeature, kWholeWindowMode},
    {kContentModeFeature, kContentMode},
}};
static_assert(allAreZoomFeatures(kModeFeatures));

double usableChrome(double chrome) {
    return std::isfinite(chrome) && chrome > 0 ? chrome : 0;
}

} // namespace

double chromeHeight(std::int64_t mode, double frameHeight, double contentHeight) {
    return mode == kWholeWindowMode ? 0 : usableChrome(frameHeight - contentHeight);
}

std::optional<Rect> resolutionTarget(std::string_view feature, double chrome, const Rect& visible,
                                     const SizeCheck& check) {
    for (const Resolution& resolution : kResolutions) {
        if (resolution.feature != feature) {
            continue;
        }
        if (!canHoldWindows(visible)) {
            return std::nullopt;
        }
        // Only the height gets the allowance: the chrome is a title bar.
        const Size proposed{resolution.width, resolution.height + usableChrome(chrome)};
        const std::optional<Size> allowed = allowedSize(check, proposed);
        if (!allowed) {
            return std::nullopt;
        }
        return Rect(centredOrigin(*allowed, visible), *allowed);
    }
    return std::nullopt;
}

std::optional<std::int64_t> modeSetBy(std::string_view feature) {
    for (const ModeFeature& modeFeature : kModeFeatures) {
        if (modeFeature.feature == feature) {
            return modeFeature.mode;
        }
    }
    return std::nullopt;
}

} // namespace vantro::zoom
