#pragma once

// The zoom options menu's item titles and the features they command.

#include <array>
#include <optional>
#include <string_view>
#include <utility>

namespace vantro::zoom {

inline constexpr std::string_view kStandardZoomFeature = "VantroStandardZoom";

// Most titles begin with a space (the menu indents them under headings); the
// two smallest resolutions use the multiplication sign, the others the
// letter x.
inline constexpr std::array<std::pair<std::string_view, std::string_view>, 47> kMenuTitles = {{
    {" Standard Zoom", kStandardZoomFeature},
    {" Whole Screen", "VantroMaximizeWholeScreen"},
    {" Left Half", "VantroMaximizeLeftHalf"},
    {" Right Half", "VantroMaximizeRightHalf"},
    {" Top Half", "VantroMaximizeTopHalf"},
    {" Bottom Half", "VantroMaximizeBottomHalf"},
    {" Left Third", "VantroMaximizeVerticalLeftThird"},
    {" Vertical Middle Third", "VantroMaximizeVerticalMiddleThird"},
    {" Right Third", "VantroMaximizeVerticalRightThird"},
    {" Top Third", "VantroMaximizeHorizontalTopThird"},
    {" Horizontal Middle Third", "VantroMaximizeHorizontalMiddleThird"},
    {" Bottom Third", "VantroMaximizeHorizontalBottomThird"},
    {" Left Two-Thirds", "VantroMaximizeLeftTwoThirds"},
    {" Right Two-Thirds", "VantroMaximizeRightTwoThirds"},
    {" Top Two-Thirds", "VantroMaximizeTopTwoThirds"},
    {" Bottom Two-Thirds", "VantroMaximizeBottomTwoThirds"},
    {" Top Left Quarter", "VantroMaximizeTopLeftQuarter"},
    {" Top Right Quarter", "VantroMaximizeTopRightQuarter"},
    {" Bottom Left Quarter", "VantroMaximizeBottomLeftQuarter"},
    {" Bottom Right Quarter", "VantroMaximizeBottomRightQuarter"},
    {" 320 \u00d7 480", "VantroResolutioniOSOrig"},
    {" 640 \u00d7 960", "VantroResolutioniOSRetina"},
    {" 640 x 480", "VantroResolutionVGA"},
    {" 800 x 600", "VantroResolutionSVGA"},
    {" 1024 x 768", "VantroResolutionXGA"},
    {" 1280 x 720", "VantroResolutionHD720"},
    {" 1280 x 800", "VantroResolutionWXGA"},
    {" 1280 x 1024", "VantroResolutionSXGA"},
    {" 1366 x 768", "VantroResolutionHD"},
    {" 1440 x 900", "VantroResolutionWSXGA"},
    {" 1600 x 1200", "VantroResolutionUXGA"},
    {" 1680 x 1050", "VantroResolutionWSXGA+"},
    {" 1920 x 1080", "VantroResolutionHD1080"},
    {" 1920 x 1200", "VantroResolutionWUXGA"},
    {"Zoom Whole Window to Resolution", "VantroSetZoomWholeWindowToResolution"},
    {"Zoom Window's Content to Resolution", "VantroSetZoomWidowsContentToResolution"},
    {"Next Screen", "VantroNextScreen"},
    {"Previous Screen", "VantroPreviousScreen"},
    {" Center", "VantroPositionCenter"},
    {" Left Edge", "VantroPositionLeftEdge"},
    {" Right Edge", "VantroPositionRightEdge"},
    {" Top Edge", "VantroPositionTopEdge"},
    {" Bottom Edge", "VantroPositionBottomEdge"},
    {" Top Left Corner", "VantroPositionTopLeftCorner"},
    {" Top Right Corner", "VantroPositionTopRightCorner"},
    {" Bottom Left Corner", "VantroPositionBottomLeftCorner"},
    {" Bottom Right Corner", "VantroPositionBottomRightCorner"},
}};

// The feature of a menu item title; none for a title that is not in the menu.
std::optional<std::string_view> featureForMenuTitle(std::string_view title);

} // namespace vantro::zoom
