#pragma once

// Feature names as the plug-in's behaviours use them: each is the settings
// key of the behaviour, and the orders in which the hooks ask for them.

#include <array>
#include <string_view>

namespace vantro::core::feature {

inline constexpr std::string_view kWholeScreen = "VantroMaximizeWholeScreen";
inline constexpr std::string_view kLeftHalf = "VantroMaximizeLeftHalf";
inline constexpr std::string_view kRightHalf = "VantroMaximizeRightHalf";
inline constexpr std::string_view kTopHalf = "VantroMaximizeTopHalf";
inline constexpr std::string_view kBottomHalf = "VantroMaximizeBottomHalf";

inline constexpr std::string_view kKeepWidthHeight = "VantroKeepWidthHeight";
inline constexpr std::string_view kKeepAspectRatio = "VantroKeepAspectRatio";
inline constexpr std::string_view kKeepCentered = "VantroKeepCentered";
inline constexpr std::string_view kPinBottomRight = "VantroPinBottomRight";

inline constexpr std::string_view kDefaultZoomBehavior = "VantroDefaultZoomBehavior";
inline constexpr std::string_view kResolutionZoomMode = "VantroResolutionZoomMode";

// A key containing this names a maximize feature (its modifier code 2 means
// Command rather than Option).
inline constexpr std::string_view kMaximizeMarker = "Maximize";
// A key containing this names a resolution feature (its undo identity carries
// the resolution zoom mode).
inline constexpr std::string_view kResolutionMarker = "Resolution";

// Layout numbers of the default zoom behaviour, and the maximize feature
// each of 1 to 5 stands for (0 is the window's own zoom).
inline constexpr std::array<std::string_view, 6> kDefaultBehaviorLayouts = {
    "", kWholeScreen, kLeftHalf, kRightHalf, kTopHalf, kBottomHalf,
};

// The order in which a zoom asks the features; the first that answers wins.
inline constexpr std::array<std::string_view, 46> kZoomOrder = {
    kTopHalf,
    kBottomHalf,
    kWholeScreen,
    kLeftHalf,
    kRightHalf,
    "VantroMaximizeVerticalLeftThird",
    "VantroMaximizeVerticalMiddleThird",
    "VantroMaximizeVerticalRightThird",
    "VantroMaximizeHorizontalTopThird",
    "VantroMaximizeHorizontalMiddleThird",
    "VantroMaximizeHorizontalBottomThird",
    "VantroMaximizeLeftTwoThirds",
    "VantroMaximizeRightTwoThirds",
    "VantroMaximizeTopTwoThirds",
    "VantroMaximizeBottomTwoThirds",
    "VantroMaximizeTopLeftQuarter",
    "VantroMaximizeTopRightQuarter",
    "VantroMaximizeBottomLeftQuarter",
    "VantroMaximizeBottomRightQuarter",
    "VantroResolutioniOSOrig",
    "VantroResolutioniOSRetina",
    "VantroResolutionVGA",
    "VantroResolutionSVGA",
    "VantroResolutionXGA",
    "VantroResolutionHD720",
    "VantroResolutionWXGA",
    "VantroResolutionSXGA",
    "VantroResolutionHD",
    "VantroResolutionWSXGA",
    "VantroResolutionUXGA",
    "VantroResolutionWSXGA+",
    "VantroResolutionHD1080",
    "VantroResolutionWUXGA",
    "VantroSetZoomWholeWindowToResolution",
    "VantroSetZoomWidowsContentToResolution",
    "VantroPositionCenter",
    "VantroPositionLeftEdge",
    "VantroPositionRightEdge",
    "VantroPositionTopEdge",
    "VantroPositionBottomEdge",
    "VantroPositionTopLeftCorner",
    "VantroPositionTopRightCorner",
    "VantroPositionBottomLeftCorner",
    "VantroPositionBottomRightCorner",
    "VantroNextScreen",
    "VantroPreviousScreen",
};

// The order in which a drag step asks the resize features; all that answer
// apply together.
inline constexpr std::array<std::string_view, 4> kResizeOrder = {
    kPinBottomRight,
    kKeepCentered,
    kKeepAspectRatio,
    kKeepWidthHeight,
};

} // namespace vantro::core::feature
