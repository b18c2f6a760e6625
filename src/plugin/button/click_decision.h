#pragma once

// What a click on a window's title-bar button does, decided at the release:
// whether the click is the plug-in's at all, and then whether it pops up the
// zoom options menu, zooms straight to the default behaviour's layout, or is
// left to the application's own handling of the button.

#include "platform/geometry.h"
#include "platform/modifier_flags.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vantro::button {

enum class ClickOutcome { showMenu, zoomByBehavior, passOn };

// "VantroDefaultZoomBehavior": element 0 enables it, the last element is the
// layout (0 the menu, 1 to 5 a maximize feature).
struct DefaultZoomBehavior {
    bool enabled = false;
    std::int64_t layout = 0;
};

// The held keys that count for a click; any other bit is ignored.
inline constexpr platform::ModifierFlags kClickModifiers =
    platform::kFunctionKeyMask | platform::kShiftKeyMask | platform::kControlKeyMask |
    platform::kAlternateKeyMask | platform::kCommandKeyMask;

// The outcome of a left click released on the button with `held` keys. The
// rules are tried in order: a plain click with the behaviour enabled (the
// menu for layout 0, else the layout); Control without Shift when no zoom
// feature claims Control; Function with the behaviour disabled; Function
// with a layout other than 0; anything else passes on.
ClickOutcome leftClickOutcome(DefaultZoomBehavior behavior, platform::ModifierFlags held,
                              bool controlKeyHasFeature);

// The feature a plain click zooms with for `layout`; none outside 1 to 5.
std::optional<std::string_view> behaviorFeature(std::int64_t layout);

// Browsers that draw their own title bar: their zoom button is found by
// where the click lands rather than by which button received it.
inline constexpr std::string_view kChromeBrowserWindowClass = "ChromeBrowserWindow";
inline constexpr std::array<std::string_view, 2> kChromeStyleWindowClasses = {
    kChromeBrowserWindowClass, "CTBrowserWindow"};

// Such a browser's zoom button area: the button's frame one point lower.
Rect chromeZoomButtonArea(const Rect& zoomButtonFrame);

// Whether a click is the plug-in's to decide.
struct ClickOwnership {
    bool chromeStyle = false; // a Chrome-style window class exists
    bool chromeBrowserWindowExists = false;
    bool inChromeZoomButtonArea = false; // where the click landed, for Chrome-style
    bool isZoomButton = false;           // the receiver is its window's zoom button
};
bool clickIsThePluginsToDecide(const ClickOwnership& click);

} // namespace vantro::button
