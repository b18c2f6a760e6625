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

// In the order the zoom asks them; the menu lists them the same way.
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

// The two features that switch the resolution zoom mode instead of zooming.
inline constexpr std::string_view kWholeWindowModeFeature = "VantroSetZoomWholeWindowToResolution";
inline constexpr std::string_view kContentModeFeature = "VantroSetZoomWidowsContentToResolution";
inline constexpr std::int64_t kWholeWindowMode = 0;
inline constexpr std::int64_t kContentMode = 1;

// The height a window's chrome adds in `mode`: none in whole-window mode (0),
// the frame height less the content height in any other mode. A difference
// that is not a finite positive number (content reported taller than the
// frame, or NaN) counts as no chrome.
double chromeHeight(std::int64_t mode, double frameHeight, double contentHeight);

// The target of a resolution feature: the table's width, its height plus
// `chrome` (taken as 0 when not a finite positive number), through the check,
// centred on `visible`. None for another key, for a visible frame with no
// area or non-finite numbers, and for a check that answers an impossible size.
std::optional<Rect> resolutionTarget(std::string_view feature, double chrome, const Rect& visible,
                                     const SizeCheck& check);

// The mode a mode feature sets; none for another key.
std::optional<std::int64_t> modeSetBy(std::string_view feature);

} // namespace vantro::zoom
