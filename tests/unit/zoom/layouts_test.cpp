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

TEST(MaximizeLayouts, OddSizesRoundDownAndEndFlush) {
    // Shares of even sizes are the user-action model's.
    const Rect odd(0, 0, 1279, 777);
    const std::pair<const char*, Rect> cases[] = {
        {"VantroMaximizeLeftHalf", Rect(0, 0, 639, 777)},
        {"VantroMaximizeRightHalf", Rect(640, 0, 639, 777)},
        {"VantroMaximizeTopHalf", Rect(0, 389, 1279, 388)},
        {"VantroMaximizeVerticalMiddleThird", Rect(426, 0, 426, 777)}, // 426.5 -> 426
        {"VantroMaximizeVerticalRightThird", Rect(853, 0, 426, 777)},
        {"VantroMaximizeRightTwoThirds", Rect(427, 0, 852, 777)},
        {"VantroMaximizeHorizontalMiddleThird", Rect(0, 259, 1279, 259)},
    };
    for (const auto& [feature, expected] : cases) {
        EXPECT_EQ(maximizeTarget(feature, odd, unchanged), expected) << feature;
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
