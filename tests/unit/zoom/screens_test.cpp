#include "plugin/zoom/screens.h"

#include "screen_sets.h"

#include <gtest/gtest.h>
#include <limits>
#include <optional>

namespace vantro::zoom {
namespace {

using namespace testing;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr Screen kUnplugged{Rect(3360, 0, 0, 0), Rect(3360, 0, 0, 0)};

TEST(Screens, CentreTheWindowOnTheNextOrPreviousScreen) {
    struct Case {
        std::vector<Screen> screens;
        const char* feature = nullptr;
        Rect frame;
        int current;
        Rect expected;
    };
    const Case cases[] = {
        {sideBySide(), "VantroNextScreen", kPlainWindow, 0, Rect(2000, 120, 800, 600)},
        {sideBySide(), "VantroNextScreen", Rect(0, 0, 1440, 878), 0, Rect(1680, -19, 1440, 878)},
        // Larger than the main screen's visible frame: cut to it.
        {sideBySide(), "VantroPreviousScreen", Rect(1440, -180, 1920, 1200), 1,
         Rect(0, 0, 1440, 878)},
        // Two screens: next from the last wraps to the first, previous from
        // the first to the last.
        {sideBySide(), "VantroNextScreen", Rect(1440, -180, 1920, 1200), 1, Rect(0, 0, 1440, 878)},
        {sideBySide(), "VantroPreviousScreen", kPlainWindow, 0, Rect(2000, 120, 800, 600)},
        {stacked(), "VantroNextScreen", kPlainWindow, 0, Rect(240, 1112, 800, 600)},
        {stacked(), "VantroPreviousScreen", Rect(0, 900, 1280, 1024), 1, Rect(80, 0, 1280, 878)},
        {mainNotLeftmost(), "VantroNextScreen", kPlainWindow, 0, Rect(-1240, 225, 800, 600)},
        {mainNotLeftmost(), "VantroPreviousScreen", Rect(-1500, 100, 1680, 1050), 1,
         Rect(0, 0, 1440, 878)},
        // A window of no size lands on the other screen's centre.
        {sideBySide(), "VantroNextScreen", Rect(10, 10, 0, 0), 0, Rect(2400, 420, 0, 0)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(screenTarget(c.feature, c.frame, c.current, c.screens, unchanged), c.expected)
            << c.feature << " from " << c.current << " of " << c.screens.size();
    }
}

TEST(Screens, PassTheCutSizeThroughTheCheck) {
    int checks = 0;
    Size seen;
    const SizeCheck maximum = [&checks, &seen](Size size) {
        ++checks;
        seen = size;
        return clampTo({1000, 700})(size);
    };
    EXPECT_EQ(screenTarget("VantroPreviousScreen", Rect(1440, -180, 1920, 1200), 1, sideBySide(),
                           maximum),
              Rect(220, 89, 1000, 700));
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(seen, (Size{1440, 878}));
}

TEST(Screens, StepThroughTheListWrappingAndPassingOverScreensWithNoArea) {
    struct Case {
        std::vector<Screen> screens;
        int current;
        int step;
        std::optional<std::size_t> expected;
    };
    const std::vector<Screen> three{kPanelScreen, kRightScreen, kLeftScreen};
    const std::vector<Screen> gap{kPanelScreen, kUnplugged, kLeftScreen};
    const Case cases[] = {
        {three, 0, 1, 1},
        {three, 1, 1, 2},
        {three, 2, 1, 0},  // wraps to the first
        {three, 0, -1, 2}, // wraps to the last
        {three, 2, -1, 1},
        {gap, 0, 1, 2},
        {gap, 2, -1, 0},
        {gap, 1, 1, 2}, // leaving a screen with no area is fine
        {{kPanelScreen, kUnplugged, kUnplugged}, 0, 1, 0},
        {{kPanelScreen}, 0, 1, 0},
        {{kPanelScreen}, 0, -1, 0},
        {three, -1, 1, std::nullopt}, // on no screen
        {three, 3, -1, std::nullopt}, // an index the list no longer has
        {{}, 0, 1, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(adjacentScreen(c.screens, c.current, c.step), c.expected)
            << "from " << c.current << " by " << c.step << " of " << c.screens.size();
    }
}

TEST(Screens, LeaveTheWindowWhereItIsWithoutAnotherScreen) {
    struct Case {
        std::vector<Screen> screens;
        int current;
    };
    const Case cases[] = {
        {{kPanelScreen}, 0},             // a single screen
        {{kPanelScreen, kUnplugged}, 0}, // the other has no area
        {sideBySide(), -1},              // a window on no screen
        {sideBySide(), 2},               // the list shrank under it
        {{}, -1},                        // no screens at all
    };
    for (const Case& c : cases) {
        for (const char* feature : {"VantroNextScreen", "VantroPreviousScreen"}) {
            EXPECT_EQ(screenTarget(feature, kPlainWindow, c.current, c.screens, unchanged),
                      kPlainWindow)
                << feature << " from " << c.current << " of " << c.screens.size();
        }
    }
}

TEST(Screens, AnswerNoneForFramesOrSizesThatCannotBePlaced) {
    const Rect frames[] = {Rect(kNaN, 0, 800, 600), Rect(0, 0, 800, kNaN), Rect(0, 0, -800, 600)};
    for (const Rect& frame : frames) {
        EXPECT_FALSE(screenTarget("VantroNextScreen", frame, 0, sideBySide(), unchanged));
    }
    const SizeCheck faulty = [](Size) { return Size{kNaN, kNaN}; };
    EXPECT_FALSE(screenTarget("VantroNextScreen", kPlainWindow, 0, sideBySide(), faulty));
    EXPECT_FALSE(screenTarget("VantroPositionCenter", kPlainWindow, 0, sideBySide(), unchanged));
}

} // namespace
} // namespace vantro::zoom
