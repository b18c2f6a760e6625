#include "plugin/zoom/resolutions.h"

#include "screen_sets.h"

#include <gtest/gtest.h>
#include <limits>

namespace vantro::zoom {
namespace {

using namespace testing;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

TEST(Resolutions, CentreOnTheVisibleFrame) {
    struct Case {
        const char* feature = nullptr;
        double chrome = 0;
        Size limit;
        Rect expected;
    };
    const Size none{10000, 10000};
    const Size screen = kPanelScreen.visibleFrame.size;
    const Case cases[] = {
        {"VantroResolutionXGA", 0, none, Rect(208, 55, 1024, 768)},
        {"VantroResolutionXGA", 22, none, Rect(208, 44, 1024, 790)},
        {"VantroResolutioniOSOrig", 0, none, Rect(560, 199, 320, 480)},
        {"VantroResolutioniOSOrig", 22, none, Rect(560, 188, 320, 502)},
        {"VantroResolutionHD", 0, none, Rect(37, 55, 1366, 768)},
        // Larger than the screen: limited to its visible frame, which it fills.
        {"VantroResolutionHD1080", 0, screen, Rect(0, 0, 1440, 878)},
        {"VantroResolutionWUXGA", 22, screen, Rect(0, 0, 1440, 878)},
        // Limited in one direction only: centred in the other.
        {"VantroResolutionWSXGA", 0, screen, Rect(0, 0, 1440, 878)},
        {"VantroResolutionSXGA", 0, screen, Rect(80, 0, 1280, 878)},
        // A chrome height no window can have counts as none.
        {"VantroResolutionXGA", kNaN, none, Rect(208, 55, 1024, 768)},
        {"VantroResolutionXGA", -22, none, Rect(208, 55, 1024, 768)},
        {"VantroResolutionXGA", kInfinity, none, Rect(208, 55, 1024, 768)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(
            resolutionTarget(c.feature, c.chrome, kPanelScreen.visibleFrame, clampTo(c.limit)),
            c.expected)
            << c.feature << " with chrome " << c.chrome;
    }
    EXPECT_EQ(resolutionTarget("VantroResolutionVGA", 0, kRightScreen.visibleFrame, unchanged),
              Rect(2080, 180, 640, 480));
}

TEST(Resolutions, AnswerNoneWithoutAUsableVisibleFrameOrSize) {
    EXPECT_FALSE(resolutionTarget("VantroResolutionXGA", 0, Rect(), unchanged));
    EXPECT_FALSE(resolutionTarget("VantroResolutionXGA", 0, Rect(kNaN, 0, 1440, 878), unchanged));
    const SizeCheck faulty = [](Size) { return Size{-1, 768}; };
    EXPECT_FALSE(resolutionTarget("VantroResolutionXGA", 0, kPanelScreen.visibleFrame, faulty));
    EXPECT_FALSE(resolutionTarget(kContentModeFeature, 0, kPanelScreen.visibleFrame, unchanged));
    EXPECT_FALSE(
        resolutionTarget("VantroMaximizeLeftHalf", 0, kPanelScreen.visibleFrame, unchanged));
}

TEST(Resolutions, ChromeIsTheTitleBarInContentModeOnly) {
    struct Case {
        std::int64_t mode;
        double frameHeight;
        double contentHeight;
        double expected;
    };
    const Case cases[] = {
        {0, 790, 768, 0},   {1, 790, 768, 22},
        {5, 790, 768, 22}, // any mode but 0 is content mode
        {-1, 790, 768, 22}, {1, 768, 768, 0},
        {1, 768, 790, 0}, // content reported taller than the frame
        {1, kNaN, 768, 0},  {1, kInfinity, 768, 0},
        {0, kNaN, kNaN, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(chromeHeight(c.mode, c.frameHeight, c.contentHeight), c.expected)
            << c.mode << ": " << c.frameHeight << " over " << c.contentHeight;
    }
}

TEST(Resolutions, ModeFeaturesNameTheirMode) {
    EXPECT_EQ(modeSetBy("VantroSetZoomWholeWindowToResolution"), 0);
    EXPECT_EQ(modeSetBy("VantroSetZoomWidowsContentToResolution"), 1);
    EXPECT_FALSE(modeSetBy("VantroResolutionVGA"));
    EXPECT_FALSE(modeSetBy("VantroSetZoomWindowsContentToResolution")); // the key keeps its typo
}

} // namespace
} // namespace vantro::zoom
