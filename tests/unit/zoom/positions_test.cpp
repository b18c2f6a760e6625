#include "plugin/zoom/positions.h"
#include "plugin/zoom/resolutions.h"

#include <gtest/gtest.h>

namespace vantro::zoom {
namespace {

const Rect kMain(0, 0, 1440, 878);

TEST(Positions, KeepTheSizeAndMoveAgainstTheVisibleFrame) {
    struct Case {
        const char* feature;
        Rect frame;
        Rect expected;
    };
    const Rect f(100, 100, 800, 600);
    const Case cases[] = {
        {"VantroPositionCenter", f, Rect(320, 139, 800, 600)},
        {"VantroPositionCenter", Rect(100, 100, 801, 601), Rect(319, 138, 801, 601)},
        {"VantroPositionLeftEdge", f, Rect(0, 100, 800, 600)},
        {"VantroPositionRightEdge", f, Rect(640, 100, 800, 600)},
        {"VantroPositionTopEdge", f, Rect(100, 278, 800, 600)},
        {"VantroPositionBottomEdge", f, Rect(100, 0, 800, 600)},
        {"VantroPositionTopLeftCorner", f, Rect(0, 278, 800, 600)},
        {"VantroPositionTopRightCorner", f, Rect(640, 278, 800, 600)},
        {"VantroPositionBottomLeftCorner", f, Rect(0, 0, 800, 600)},
        {"VantroPositionBottomRightCorner", f, Rect(640, 0, 800, 600)},
        // An edge moves along one axis only, even for a window sticking out.
        {"VantroPositionLeftEdge", Rect(500, -300, 800, 600), Rect(0, -300, 800, 600)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(positionTarget(c.feature, c.frame, kMain), c.expected) << c.feature;
    }
    EXPECT_FALSE(positionTarget("VantroNextScreen", Rect(), kMain));
}

TEST(Screens, NextAndPreviousWrapAndCentre) {
    const std::vector<Screen> two{{Rect(0, 0, 1440, 900), kMain},
                                  {Rect(1440, -180, 1920, 1200), Rect(1440, -180, 1920, 1200)}};
    struct Case {
        const char* feature;
        Rect frame;
        int current;
        Rect expected;
    };
    const Case cases[] = {
        {"VantroNextScreen", Rect(100, 100, 800, 600), 0, Rect(2000, 120, 800, 600)},
        {"VantroNextScreen", Rect(0, 0, 1440, 878), 0, Rect(1680, -19, 1440, 878)},
        {"VantroPreviousScreen", Rect(1440, -180, 1920, 1200), 1, Rect(0, 0, 1440, 878)},
        {"VantroNextScreen", Rect(1440, -180, 1920, 1200), 1, Rect(0, 0, 1440, 878)}, // wraps
        {"VantroPreviousScreen", Rect(100, 100, 800, 600), 0, Rect(2000, 120, 800, 600)},
        {"VantroNextScreen", Rect(100, 100, 800, 600), -1, Rect(100, 100, 800, 600)}, // on none
        {"VantroNextScreen", Rect(100, 100, 800, 600), 7, Rect(100, 100, 800, 600)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(screenTarget(c.feature, c.frame, c.current, two, nullptr), c.expected)
            << c.feature << " from " << c.current;
    }
    const std::vector<Screen> one{two[0]};
    EXPECT_EQ(screenTarget("VantroNextScreen", Rect(1, 2, 3, 4), 0, one, nullptr),
              Rect(1, 2, 3, 4));
    EXPECT_EQ(screenTarget("VantroNextScreen", Rect(1, 2, 3, 4), 0, {}, nullptr), Rect(1, 2, 3, 4));
}

TEST(Screens, ThreeScreensWrapBothWays) {
    const std::vector<Screen> three{{kMain, kMain},
                                    {Rect(1440, 0, 1000, 800), Rect(1440, 0, 1000, 800)},
                                    {Rect(-1000, 0, 1000, 800), Rect(-1000, 0, 1000, 800)}};
    const Rect frame(0, 0, 400, 200);
    EXPECT_EQ(screenTarget("VantroNextScreen", frame, 2, three, nullptr)->minX(), 520);
    EXPECT_EQ(screenTarget("VantroPreviousScreen", frame, 0, three, nullptr)->minX(), -700);
}

TEST(Resolutions, CentreTheResolutionOrItsContent) {
    struct Case {
        const char* feature;
        double chrome;
        Rect expected;
    };
    const Case cases[] = {
        {"VantroResolutionXGA", 0, Rect(208, 55, 1024, 768)},
        {"VantroResolutionXGA", 22, Rect(208, 44, 1024, 790)},
        {"VantroResolutioniOSOrig", 0, Rect(560, 199, 320, 480)},
        {"VantroResolutionHD", 0, Rect(37, 55, 1366, 768)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(resolutionTarget(c.feature, c.chrome, kMain, nullptr), c.expected) << c.feature;
    }
    const SizeCheck toScreen = [](Size s) {
        return Size{std::min(s.width, 1440.0), std::min(s.height, 878.0)};
    };
    EXPECT_EQ(resolutionTarget("VantroResolutionHD1080", 0, kMain, toScreen), kMain);
    EXPECT_EQ(chromeHeight(0, 790, 768), 0);
    EXPECT_EQ(chromeHeight(1, 790, 768), 22);
    EXPECT_EQ(chromeHeight(5, 790, 768), 22); // any mode but 0 is content mode
    EXPECT_EQ(modeSetBy(kContentModeFeature), 1);
    EXPECT_EQ(modeSetBy(kWholeWindowModeFeature), 0);
    EXPECT_FALSE(modeSetBy("VantroResolutionVGA"));
}

} // namespace
} // namespace vantro::zoom
