#pragma once

// Feature names as the plug-in's behaviours use them: each is the settings
// key of the behaviour, and the orders in which the hooks ask for them.

#include "settings/catalogue.h"

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

// The order in which a zoom asks the features; the first that answers wins:
// the halves that need two keys first, then the other maximize features with
// a default, then every feature without one.
inline constexpr std::array<std::string_view, 5 + settings::kFeatureKeysWithoutDefault.size()>
    kZoomOrder = [] {
        std::array<std::string_view, 5 + settings::kFeatureKeysWithoutDefault.size()> order{
            kTopHalf, kBottomHalf, kWholeScreen, kLeftHalf, kRightHalf};
        for (std::size_t i = 0; i < settings::kFeatureKeysWithoutDefault.size(); ++i) {
            order[5 + i] = settings::kFeatureKeysWithoutDefault[i];
        }
        return order;
    }();

// The order in which a drag step asks the resize features; all that answer
// apply together.
inline constexpr std::array<std::string_view, 4> kResizeOrder = {
    kPinBottomRight,
    kKeepCentered,
    kKeepAspectRatio,
    kKeepWidthHeight,
};

} // namespace vantro::core::feature
