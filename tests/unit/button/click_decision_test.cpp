// The decision a zoom-button click comes to at its release, for every
// combination of the default behaviour and the held keys that the rules tell
// apart.

#include "plugin/button/click_decision.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace vantro::button {
namespace {

using namespace platform;

struct ClickCase {
    std::string name;
    DefaultZoomBehavior behavior;
    ModifierFlags held;
    bool controlKeyHasFeature;
    ClickOutcome outcome;
    friend void PrintTo(const ClickCase& c, std::ostream* out) { *out << c.name; }
};

class LeftClick : public ::testing::TestWithParam<ClickCase> {};

TEST_P(LeftClick, Outcome) {
    const ClickCase& c = GetParam();
    EXPECT_EQ(leftClickOutcome(c.behavior, c.held, c.controlKeyHasFeature), c.outcome);
}

constexpr DefaultZoomBehavior kMenuByDefault{true, 0};
constexpr DefaultZoomBehavior kWholeScreenByDefault{true, 1};
constexpr DefaultZoomBehavior kOff{false, 0};
constexpr DefaultZoomBehavior kOffWithLayout{false, 3};

INSTANTIATE_TEST_SUITE_P(
    Rules, LeftClick,
    ::testing::Values(
        ClickCase{"PlainClickShowsTheMenu", kMenuByDefault, 0, false, ClickOutcome::showMenu},
        ClickCase{"ShiftPassesOn", kMenuByDefault, kShiftKeyMask, false, ClickOutcome::passOn},
        ClickCase{"OptionPassesOn", kMenuByDefault, kAlternateKeyMask, false, ClickOutcome::passOn},
        ClickCase{"CommandPassesOn", kMenuByDefault, kCommandKeyMask, false, ClickOutcome::passOn},
        ClickCase{"ControlShowsTheMenu", kMenuByDefault, kControlKeyMask, false,
                  ClickOutcome::showMenu},
        ClickCase{"ControlClaimedByAFeaturePassesOn", kMenuByDefault, kControlKeyMask, true,
                  ClickOutcome::passOn},
        ClickCase{"ControlWithShiftPassesOn", kMenuByDefault, kControlKeyMask | kShiftKeyMask,
                  false, ClickOutcome::passOn},
        ClickCase{"FunctionWithLayoutZeroPassesOn", kMenuByDefault, kFunctionKeyMask, false,
                  ClickOutcome::passOn},
        ClickCase{"PlainClickZoomsByTheLayout", kWholeScreenByDefault, 0, false,
                  ClickOutcome::zoomByBehavior},
        ClickCase{"FunctionWithALayoutShowsTheMenu", kWholeScreenByDefault, kFunctionKeyMask, false,
                  ClickOutcome::showMenu},
        ClickCase{"ControlWithALayoutShowsTheMenu", kWholeScreenByDefault, kControlKeyMask, false,
                  ClickOutcome::showMenu},
        ClickCase{"ControlClaimedWithALayoutPassesOn", kWholeScreenByDefault, kControlKeyMask, true,
                  ClickOutcome::passOn},
        ClickCase{"DisabledPlainClickPassesOn", kOff, 0, false, ClickOutcome::passOn},
        ClickCase{"DisabledFunctionShowsTheMenu", kOff, kFunctionKeyMask, false,
                  ClickOutcome::showMenu},
        ClickCase{"DisabledLayoutIsIgnored", kOffWithLayout, 0, false, ClickOutcome::passOn},
        // Caps Lock and other bits are not keys that count.
        ClickCase{"OtherBitsAreIgnored", kWholeScreenByDefault, 1U << 16, false,
                  ClickOutcome::zoomByBehavior}),
    [](const auto& row) { return row.param.name; });

TEST(BehaviorFeature, TheFiveLayoutsAndNothingElse) {
    EXPECT_EQ(behaviorFeature(1), "VantroMaximizeWholeScreen");
    EXPECT_EQ(behaviorFeature(2), "VantroMaximizeLeftHalf");
    EXPECT_EQ(behaviorFeature(3), "VantroMaximizeRightHalf");
    EXPECT_EQ(behaviorFeature(4), "VantroMaximizeTopHalf");
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
