#include "plugin/zoom/zoom_targets.h"

#include "plugin/core/feature_keys.h"
#include "screen_sets.h"

#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <string_view>

namespace vantro::zoom {
namespace {

using namespace testing;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(ZoomTargets, KeysWithoutAFrame) {
    const std::vector<Screen> screens = sideBySide();
    const TargetInputs inputs{kPlainWindow, kPanelScreen.visibleFrame, 0, screens, 0};
    for (const char* key : {"VantroStandardZoom", "", "VantroKeepCentered", "Next Screen"}) {
        EXPECT_FALSE(zoomTarget(key, inputs, unchanged)) << key;
    }
}

TEST(ZoomTargets, EachKindOfFeatureReachesItsTarget) {
    const std::vector<Screen> screens = sideBySide();
    const TargetInputs inputs{kPlainWindow, kPanelScreen.visibleFrame, 0, screens, 0};
    EXPECT_EQ(zoomTarget("VantroMaximizeBottomHalf", inputs, unchanged), Rect(0, 0, 1440, 439));
    EXPECT_EQ(zoomTarget("VantroResolutionSXGA", inputs, unchanged), Rect(80, -73, 1280, 1024));
    EXPECT_EQ(zoomTarget("VantroPositionTopEdge", inputs, unchanged), Rect(100, 278, 800, 600));
    EXPECT_EQ(zoomTarget("VantroPreviousScreen", inputs, unchanged), Rect(2000, 120, 800, 600));
    EXPECT_FALSE(zoomTarget("VantroSetZoomWholeWindowToResolution", inputs, unchanged));
}

TEST(ZoomTargets, ContentModeAddsTheTitleBarToResolutionsOnly) {
    const std::vector<Screen> screens = sideBySide();
    const TargetInputs inputs{kPlainWindow, kPanelScreen.visibleFrame, 0, screens, 22};
    EXPECT_EQ(zoomTarget("VantroResolutionXGA", inputs, unchanged), Rect(208, 44, 1024, 790));
    EXPECT_EQ(zoomTarget("VantroMaximizeLeftHalf", inputs, unchanged), Rect(0, 0, 720, 878));
    EXPECT_EQ(zoomTarget("VantroPositionCenter", inputs, unchanged), Rect(320, 139, 800, 600));
}

TEST(ZoomTargets, VisibleFrameOfTheWindowsScreenOrTheMainOne) {
    struct Case {
        std::vector<Screen> screens;
        int screen;
        std::optional<Rect> expected;
    };
    const Case cases[] = {
        {sideBySide(), 0, kPanelScreen.visibleFrame},
        {sideBySide(), 1, kRightScreen.visibleFrame},
        {mainNotLeftmost(), 1, kLeftScreen.visibleFrame},
        {sideBySide(), -1, kPanelScreen.visibleFrame}, // on no screen: the main one
        {sideBySide(), 2, kPanelScreen.visibleFrame},  // the list shrank under it
        {{}, -1, std::nullopt},
        {{}, 0, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(zoomVisibleFrame(c.screen, c.screens), c.expected)
            << c.screen << " of " << c.screens.size();
    }
}

TEST(ZoomTargets, AWindowOnNoScreenIsBroughtToTheMainOneExceptByScreenFeatures) {
    const std::vector<Screen> screens = sideBySide();
    const Rect offScreen(5000, 5000, 800, 600);
    const TargetInputs inputs{offScreen, *zoomVisibleFrame(-1, screens), -1, screens, 0};
    EXPECT_EQ(zoomTarget("VantroMaximizeLeftHalf", inputs, unchanged), Rect(0, 0, 720, 878));
    EXPECT_EQ(zoomTarget("VantroPositionCenter", inputs, unchanged), Rect(320, 139, 800, 600));
    EXPECT_EQ(zoomTarget("VantroNextScreen", inputs, unchanged), offScreen);
    EXPECT_EQ(zoomTarget("VantroPreviousScreen", inputs, unchanged), offScreen);
}

TEST(ZoomTargets, WithNoScreensOnlyTheScreenFeaturesAnswerAndKeepTheFrame) {
    const TargetInputs inputs{kPlainWindow, Rect(), -1, {}, 0};
    for (std::string_view feature : core::feature::kZoomOrder) {
        const bool screenFeature =
            feature == "VantroNextScreen" || feature == "VantroPreviousScreen";
        EXPECT_EQ(zoomTarget(feature, inputs, unchanged),
                  screenFeature ? std::optional<Rect>(kPlainWindow) : std::nullopt)
            << feature;
    }
}

TEST(ZoomTargets, AWindowWithNaNOrNoSizeStillMaximizes) {
    const std::vector<Screen> screens = sideBySide();
    struct Case {
        Rect frame;
        std::string_view feature;
        std::optional<Rect> expected;
    };
    const Rect broken(kNaN, kNaN, kNaN, kNaN);
    const Case cases[] = {
        // Shares and resolutions do not depend on the window's frame.
        {broken, "VantroMaximizeRightHalf", Rect(720, 0, 720, 878)},
        {broken, "VantroResolutionXGA", Rect(208, 55, 1024, 768)},
        // Moves do, and a frame of NaN has nowhere to move from.
        {broken, "VantroPositionCenter", std::nullopt},
        {broken, "VantroNextScreen", std::nullopt},
        {Rect(100, 100, 0, 0), "VantroMaximizeRightHalf", Rect(720, 0, 720, 878)},
        {Rect(100, 100, 0, 0), "VantroPositionBottomRightCorner", Rect(1440, 0, 0, 0)},
        {Rect(100, 100, 0, 0), "VantroNextScreen", Rect(2400, 420, 0, 0)},
    };
    for (const Case& c : cases) {
        const TargetInputs inputs{c.frame, kPanelScreen.visibleFrame, 0, screens, 0};
        EXPECT_EQ(zoomTarget(c.feature, inputs, unchanged), c.expected) << c.feature;
    }
}

} // namespace
} // namespace vantro::zoom
