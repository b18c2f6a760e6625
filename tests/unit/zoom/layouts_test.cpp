#include "plugin/zoom/layouts.h"

#include "screen_sets.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace vantro::zoom {
namespace {

using namespace testing;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

TEST(MaximizeLayouts, ShareTheVisibleFrame) {
    struct Case {
        Rect visible;
        const char* feature = nullptr;
        Rect expected;
    };
    const Rect main = kPanelScreen.visibleFrame;
    const Rect odd(0, 0, 1279, 777);
    const Rect lower(1440, -180, 1920, 1174); // right of and below the main screen
    const Rect left = kLeftScreen.visibleFrame;
    const Case cases[] = {
        {main, "VantroMaximizeWholeScreen", Rect(0, 0, 1440, 878)},
        {main, "VantroMaximizeLeftHalf", Rect(0, 0, 720, 878)},
        {main, "VantroMaximizeRightHalf", Rect(720, 0, 720, 878)},
        {main, "VantroMaximizeTopHalf", Rect(0, 439, 1440, 439)},
        {main, "VantroMaximizeVerticalMiddleThird", Rect(480, 0, 480, 878)},
        {main, "VantroMaximizeHorizontalTopThird", Rect(0, 586, 1440, 292)},
        {main, "VantroMaximizeHorizontalMiddleThird", Rect(0, 293, 1440, 292)},
        {main, "VantroMaximizeTopTwoThirds", Rect(0, 293, 1440, 585)},
        {main, "VantroMaximizeBottomRightQuarter", Rect(720, 0, 720, 439)},
        // Odd sizes: halves round down, and the right half ends flush.
        {odd, "VantroMaximizeLeftHalf", Rect(0, 0, 639, 777)},
        {odd, "VantroMaximizeRightHalf", Rect(640, 0, 639, 777)},
        {odd, "VantroMaximizeTopHalf", Rect(0, 389, 1279, 388)},
        {odd, "VantroMaximizeVerticalMiddleThird", Rect(426, 0, 426, 777)}, // 426.5 -> 426
        {odd, "VantroMaximizeVerticalRightThird", Rect(853, 0, 426, 777)},
        {odd, "VantroMaximizeRightTwoThirds", Rect(427, 0, 852, 777)},
        {odd, "VantroMaximizeHorizontalMiddleThird", Rect(0, 259, 1279, 259)},
        {lower, "VantroMaximizeRightHalf", Rect(2400, -180, 960, 1174)},
        {lower, "VantroMaximizeTopHalf", Rect(1440, 407, 1920, 587)},
        {lower, "VantroMaximizeVerticalMiddleThird", Rect(2080, -180, 640, 1174)},
        {lower, "VantroMaximizeHorizontalMiddleThird", Rect(1440, 211, 1920, 391)},
        // A screen left of the main one has negative x throughout.
        {left, "VantroMaximizeLeftHalf", Rect(-1680, 0, 840, 1050)},
        {left, "VantroMaximizeRightHalf", Rect(-840, 0, 840, 1050)},
        {left, "VantroMaximizeVerticalMiddleThird", Rect(-1120, 0, 560, 1050)},
        {left, "VantroMaximizeTopRightQuarter", Rect(-840, 525, 840, 525)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(maximizeTarget(c.feature, c.visible, unchanged), c.expected) << c.feature;
    }
}

TEST(MaximizeLayouts, PlaceTheAllowedSizeAgainstTheRequestedEdges) {
    struct Case {
        const char* feature = nullptr;
        Size limit;
        Rect expected;
    };
    const Case cases[] = {
        {"VantroMaximizeWholeScreen", {500, 10000}, Rect(470, 0, 500, 878)}, // centred
        {"VantroMaximizeRightHalf", {500, 10000}, Rect(940, 0, 500, 878)},   // flush right
        {"VantroMaximizeTopHalf", {10000, 300}, Rect(0, 578, 1440, 300)},    // flush top
        {"VantroMaximizeHorizontalMiddleThird", {10000, 101}, Rect(0, 388, 1440, 101)},
        {"VantroMaximizeBottomRightQuarter", {600, 400}, Rect(840, 0, 600, 400)},
    };
    for (const Case& c : cases) {
        int checks = 0;
        const SizeCheck counted = [&checks, limit = c.limit](Size size) {
            ++checks;
            return clampTo(limit)(size);
        };
        EXPECT_EQ(maximizeTarget(c.feature, kPanelScreen.visibleFrame, counted), c.expected)
            << c.feature;
        EXPECT_EQ(checks, 1) << c.feature;
    }
}

TEST(MaximizeLayouts, RoundDownThroughFloat) {
    // A half just under a whole number rounds up to it in float before the
    // floor; a double floor would lose a point.
    EXPECT_EQ(maximizeTarget("VantroMaximizeLeftHalf", Rect(0, 0, 1439.9999999, 878), unchanged)
                  ->size.width,
              720);
    // Centring rounds down on negative coordinates too: -853.5 becomes -854.
    EXPECT_EQ(
        maximizeTarget("VantroMaximizeWholeScreen", Rect(-1706, 0, 1706, 800), clampTo({1, 800}))
            ->minX(),
        -854);
}

TEST(MaximizeLayouts, AnswerNoneWithoutAUsableVisibleFrameOrSize) {
    const Rect visibles[] = {
        Rect(0, 0, 0, 878),    Rect(0, 0, 1440, -1),          Rect(kNaN, 0, 1440, 878),
        Rect(0, 0, kNaN, 878), Rect(0, kInfinity, 1440, 878), Rect(0, 0, 1440, kInfinity),
    };
    for (const Rect& visible : visibles) {
        int checks = 0;
        const SizeCheck counted = [&checks](Size size) {
            ++checks;
            return size;
        };
        EXPECT_FALSE(maximizeTarget("VantroMaximizeLeftHalf", visible, counted));
        EXPECT_EQ(checks, 0);
    }
    const SizeCheck faulty[] = {
        [](Size) {
            return Size{kNaN, 100};
        },
        [](Size) {
            return Size{100, -1};
        },
        [](Size) {
            return Size{kInfinity, 100};
        },
    };
    for (const SizeCheck& check : faulty) {
        EXPECT_FALSE(maximizeTarget("VantroMaximizeWholeScreen", kPanelScreen.visibleFrame, check));
    }
    // An empty check allows the proposed size.
    EXPECT_EQ(maximizeTarget("VantroMaximizeLeftHalf", kPanelScreen.visibleFrame, nullptr),
              Rect(0, 0, 720, 878));
    EXPECT_FALSE(maximizeTarget("VantroPositionCenter", kPanelScreen.visibleFrame, unchanged));
}

} // namespace
} // namespace vantro::zoom
