#pragma once

// Zoom targets of a fixed size taken from a list of display resolutions,
// centred on the screen's visible frame. In content mode the height also
// covers the title bar, so that the content area takes the resolution.

#include "platform/geometry.h"
#include "plugin/zoom/size_check.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vantro::zoom {

struct Resolution {
    std::string_view feature;
    double width;
    double height;
};

inline constexpr std::array<Resolution, 14> kResolutions = {{
    {"VantroResolutioniOSOrig", 320, 480},
    {"VantroResolutioniOSRetina", 640, 960},
    {"VantroResolutionVGA", 640, 480},
    {"VantroResolutionSVGA", 800, 600},
    {"VantroResolutionXGA", 1024, 768},
    {"VantroResolutionHD720", 1280, 720},
    {"VantroResolutionWXGA", 1280, 800},
    {"VantroResolutionSXGA", 1280, 1024},
    {"VantroResolutionHD", 1366, 768},
    {"VantroResolutionWSXGA", 1440, 900},
    {"VantroResolutionUXGA", 1600, 1200},
    {"VantroResolutionWSXGA+", 1680, 1050},
    {"VantroResolutionHD1080", 1920, 1080},
    {"VantroResolutionWUXGA", 1920, 1200},
}};

inline constexpr std::string_view kWholeWindowModeFeature = "VantroSetZoomWholeWindowToResolution";
inline constexpr std::string_view kContentModeFeature = "VantroSetZoomWidowsContentToResolution";

// The height a window's chrome adds in the given mode: none in whole-window
// mode (0), the frame height less the content height in any other mode.
double chromeHeight(std::int64_t mode, double frameHeight, double contentHeight);

// The target of a resolution feature; none for another key.
std::optional<Rect> resolutionTarget(std::string_view feature, double chrome, const Rect& visible,
                                     const SizeCheck& check);

// The mode a mode feature sets (0 or 1); none for another key.
std::optional<std::int64_t> modeSetBy(std::string_view feature);

} // namespace vantro::zoom
