// The decision a zoom-button click comes to at its release, for every
// combination of the default behaviour and the held keys that the rules tell
// apart.

#include "plugin/button/click_decision.h"

#include <gtest/gtest.h>

namespace vantro::button {
namespace {

using namespace platform;

TEST(LeftClick, Outcome) {
    const DefaultZoomBehavior menu{true, 0};
    const DefaultZoomBehavior whole{true, 1};
    const DefaultZoomBehavior off{false, 0};
    const ModifierFlags control = kControlKeyMask;
    const auto showMenu = ClickOutcome::showMenu;
    const auto passOn = ClickOutcome::passOn;
    const auto zoom = ClickOutcome::zoomByBehavior;
    struct Case {
        DefaultZoomBehavior behavior;
        ModifierFlags held;
        bool controlKeyHasFeature;
        ClickOutcome outcome;
    };
    const Case cases[] = {
        {menu, 0, false, showMenu},
        {menu, kShiftKeyMask, false, passOn},
        {menu, control, false, showMenu},
        {menu, control, true, passOn}, // Control claimed by a feature
        {menu, control | kShiftKeyMask, false, passOn},
        {menu, kFunctionKeyMask, false, passOn},
        {whole, 0, false, zoom},
        {whole, kFunctionKeyMask, false, showMenu},
        {whole, control, false, showMenu},
        {whole, control, true, passOn},
        {off, 0, false, passOn},
        {off, kFunctionKeyMask, false, showMenu},
        {DefaultZoomBehavior{false, 3}, 0, false, passOn}, // a layout while off is ignored
        {whole, 1U << 16, false, zoom},                    // Caps Lock and others do not count
    };
    for (const Case& c : cases) {
        EXPECT_EQ(leftClickOutcome(c.behavior, c.held, c.controlKeyHasFeature), c.outcome)
            << c.behavior.enabled << c.behavior.layout << " keys " << std::hex << c.held
            << (c.controlKeyHasFeature ? " claimed" : "");
    }
}

TEST(BehaviorFeature, TheFiveLayoutsAndNothingElse) {
    EXPECT_EQ(behaviorFeature(1), "VantroMaximizeWholeScreen");
    EXPECT_EQ(behaviorFeature(5), "VantroMaximizeBottomHalf");
    for (const std::int64_t other :
         {std::int64_t{0}, std::int64_t{6}, std::int64_t{-1}, std::int64_t{1} << 40}) {
        EXPECT_FALSE(behaviorFeature(other)) << other;
    }
}

TEST(ClickOwnership, ZoomButtonOrChromeStyleArea) {
    struct Case {
        ClickOwnership click;
        bool plugins;
    };
    const Case cases[] = {
        {{false, false, false, true}, true},   // the zoom button
        {{false, false, false, false}, false}, // close or minimize
        {{true, true, true, false}, true},     // a browser's own title bar, in the area
        {{true, true, false, true}, false},    // that browser, elsewhere: its own
        {{true, false, false, true}, true},    // another Chrome-style one: by the button
        {{true, false, false, false}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(clickIsThePluginsToDecide(c.click), c.plugins)
            << c.click.chromeStyle << c.click.chromeBrowserWindowExists
            << c.click.inChromeZoomButtonArea << c.click.isZoomButton;
    }
    EXPECT_EQ(chromeZoomButtonArea(Rect(60, 400, 14, 16)), Rect(60, 399, 14, 16));
}

} // namespace
} // namespace vantro::button
