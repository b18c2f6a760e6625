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

struct Expected {
    std::string_view feature;
    std::optional<Rect> target;
};

// Every key the zoom asks, in its order, for kPlainWindow on the main screen
// (visible frame (0, 0, 1440, 878)) with a larger screen to its right.
constexpr Expected kPlainWindowTargets[] = {
    {"VantroMaximizeTopHalf", Rect(0, 439, 1440, 439)},
    {"VantroMaximizeBottomHalf", Rect(0, 0, 1440, 439)},
    {"VantroMaximizeWholeScreen", Rect(0, 0, 1440, 878)},
    {"VantroMaximizeLeftHalf", Rect(0, 0, 720, 878)},
    {"VantroMaximizeRightHalf", Rect(720, 0, 720, 878)},
    {"VantroMaximizeVerticalLeftThird", Rect(0, 0, 480, 878)},
    {"VantroMaximizeVerticalMiddleThird", Rect(480, 0, 480, 878)},
    {"VantroMaximizeVerticalRightThird", Rect(960, 0, 480, 878)},
    {"VantroMaximizeHorizontalTopThird", Rect(0, 586, 1440, 292)},
    {"VantroMaximizeHorizontalMiddleThird", Rect(0, 293, 1440, 292)},
    {"VantroMaximizeHorizontalBottomThird", Rect(0, 0, 1440, 292)},
    {"VantroMaximizeLeftTwoThirds", Rect(0, 0, 960, 878)},
    {"VantroMaximizeRightTwoThirds", Rect(480, 0, 960, 878)},
    {"VantroMaximizeTopTwoThirds", Rect(0, 293, 1440, 585)},
    {"VantroMaximizeBottomTwoThirds", Rect(0, 0, 1440, 585)},
    {"VantroMaximizeTopLeftQuarter", Rect(0, 439, 720, 439)},
    {"VantroMaximizeTopRightQuarter", Rect(720, 439, 720, 439)},
    {"VantroMaximizeBottomLeftQuarter", Rect(0, 0, 720, 439)},
    {"VantroMaximizeBottomRightQuarter", Rect(720, 0, 720, 439)},
    {"VantroResolutioniOSOrig", Rect(560, 199, 320, 480)},
    {"VantroResolutioniOSRetina", Rect(400, -41, 640, 960)},
    {"VantroResolutionVGA", Rect(400, 199, 640, 480)},
    {"VantroResolutionSVGA", Rect(320, 139, 800, 600)},
    {"VantroResolutionXGA", Rect(208, 55, 1024, 768)},
    {"VantroResolutionHD720", Rect(80, 79, 1280, 720)},
    {"VantroResolutionWXGA", Rect(80, 39, 1280, 800)},
    {"VantroResolutionSXGA", Rect(80, -73, 1280, 1024)},
    {"VantroResolutionHD", Rect(37, 55, 1366, 768)},
    {"VantroResolutionWSXGA", Rect(0, -11, 1440, 900)},
    {"VantroResolutionUXGA", Rect(-80, -161, 1600, 1200)},
    {"VantroResolutionWSXGA+", Rect(-120, -86, 1680, 1050)},
    {"VantroResolutionHD1080", Rect(-240, -101, 1920, 1080)},
    {"VantroResolutionWUXGA", Rect(-240, -161, 1920, 1200)},
    {"VantroSetZoomWholeWindowToResolution", std::nullopt}, // a setting, no frame
    {"VantroSetZoomWidowsContentToResolution", std::nullopt},
    {"VantroPositionCenter", Rect(320, 139, 800, 600)},
    {"VantroPositionLeftEdge", Rect(0, 100, 800, 600)},
    {"VantroPositionRightEdge", Rect(640, 100, 800, 600)},
    {"VantroPositionTopEdge", Rect(100, 278, 800, 600)},
    {"VantroPositionBottomEdge", Rect(100, 0, 800, 600)},
    {"VantroPositionTopLeftCorner", Rect(0, 278, 800, 600)},
    {"VantroPositionTopRightCorner", Rect(640, 278, 800, 600)},
    {"VantroPositionBottomLeftCorner", Rect(0, 0, 800, 600)},
    {"VantroPositionBottomRightCorner", Rect(640, 0, 800, 600)},
    {"VantroNextScreen", Rect(2000, 120, 800, 600)},
    {"VantroPreviousScreen", Rect(2000, 120, 800, 600)}, // two screens: the same one
};

TEST(ZoomTargets, EveryFeatureOfAPlainWindow) {
    const std::vector<Screen> screens = sideBySide();
    const TargetInputs inputs{kPlainWindow, kPanelScreen.visibleFrame, 0, screens, 0};
    ASSERT_EQ(std::size(kPlainWindowTargets), core::feature::kZoomOrder.size());
    for (std::size_t i = 0; i < core::feature::kZoomOrder.size(); ++i) {
        const Expected& expected = kPlainWindowTargets[i];
        ASSERT_EQ(expected.feature, core::feature::kZoomOrder[i]) << "at " << i;
        EXPECT_EQ(zoomTarget(expected.feature, inputs, unchanged), expected.target)
            << expected.feature;
    }
}

TEST(ZoomTargets, KeysWithoutAFrame) {
    const std::vector<Screen> screens = sideBySide();
    const TargetInputs inputs{kPlainWindow, kPanelScreen.visibleFrame, 0, screens, 0};
    for (const char* key : {"VantroStandardZoom", "", "VantroKeepCentered", "Next Screen"}) {
        EXPECT_FALSE(zoomTarget(key, inputs, unchanged)) << key;
    }
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
    for (const Expected& expected : kPlainWindowTargets) {
        const bool screenFeature =
            expected.feature == "VantroNextScreen" || expected.feature == "VantroPreviousScreen";
        EXPECT_EQ(zoomTarget(expected.feature, inputs, unchanged),
                  screenFeature ? std::optional<Rect>(kPlainWindow) : std::nullopt)
            << expected.feature;
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
