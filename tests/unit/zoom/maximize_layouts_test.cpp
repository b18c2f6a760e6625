#include "plugin/zoom/maximize_layouts.h"

#include <gtest/gtest.h>

namespace vantro::zoom {
namespace {

struct Case {
    Rect visible;
    const char* feature;
    Rect expected;
};

TEST(MaximizeLayouts, ShareTheVisibleFrame) {
    const Rect main(0, 0, 1440, 878);
    const Rect odd(0, 0, 1279, 777);
    const Rect lower(1440, -180, 1920, 1174); // right of and below the main screen
    const Case cases[] = {
        {main, "VantroMaximizeWholeScreen", Rect(0, 0, 1440, 878)},
        {main, "VantroMaximizeLeftHalf", Rect(0, 0, 720, 878)},
        {main, "VantroMaximizeRightHalf", Rect(720, 0, 720, 878)},
        {main, "VantroMaximizeTopHalf", Rect(0, 439, 1440, 439)},
        {main, "VantroMaximizeBottomHalf", Rect(0, 0, 1440, 439)},
        {main, "VantroMaximizeVerticalMiddleThird", Rect(480, 0, 480, 878)},
        {main, "VantroMaximizeHorizontalTopThird", Rect(0, 586, 1440, 292)},
        {main, "VantroMaximizeHorizontalMiddleThird", Rect(0, 293, 1440, 292)},
        {main, "VantroMaximizeTopTwoThirds", Rect(0, 293, 1440, 585)},
        {main, "VantroMaximizeBottomRightQuarter", Rect(720, 0, 720, 439)},
        {main, "VantroMaximizeTopLeftQuarter", Rect(0, 439, 720, 439)},
        {odd, "VantroMaximizeLeftHalf", Rect(0, 0, 639, 777)},
        {odd, "VantroMaximizeRightHalf", Rect(640, 0, 639, 777)},
        {odd, "VantroMaximizeTopHalf", Rect(0, 389, 1279, 388)},
        {odd, "VantroMaximizeVerticalMiddleThird", Rect(426, 0, 426, 777)},
        {odd, "VantroMaximizeVerticalRightThird", Rect(853, 0, 426, 777)},
        {odd, "VantroMaximizeRightTwoThirds", Rect(427, 0, 852, 777)},
        {odd, "VantroMaximizeHorizontalMiddleThird", Rect(0, 259, 1279, 259)},
        {lower, "VantroMaximizeRightHalf", Rect(2400, -180, 960, 1174)},
        {lower, "VantroMaximizeTopHalf", Rect(1440, 407, 1920, 587)},
        {lower, "VantroMaximizeVerticalMiddleThird", Rect(2080, -180, 640, 1174)},
        {lower, "VantroMaximizeHorizontalMiddleThird", Rect(1440, 211, 1920, 391)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(maximizeTarget(c.feature, c.visible, nullptr), c.expected) << c.feature;
    }
}

TEST(MaximizeLayouts, PlaceTheAllowedSizeAgainstTheRequestedEdges) {
    const Rect main(0, 0, 1440, 878);
    int checks = 0;
    const SizeCheck maxWidth500 = [&checks](Size s) {
        ++checks;
        return Size{std::min(s.width, 500.0), s.height};
    };
    EXPECT_EQ(maximizeTarget("VantroMaximizeWholeScreen", main, maxWidth500),
              Rect(470, 0, 500, 878)); // centred
    EXPECT_EQ(maximizeTarget("VantroMaximizeRightHalf", main, maxWidth500),
              Rect(940, 0, 500, 878)); // flush right
    EXPECT_EQ(checks, 2);              // exactly once per layout
    // Centring rounds down, negative values too: -853.5 becomes -854.
    const SizeCheck width853 = [](Size s) { return Size{853, s.height}; };
    EXPECT_EQ(maximizeTarget("VantroMaximizeVerticalMiddleThird", Rect(-427, 0, 0, 100), width853)
                  ->minX(),
              -854);
    EXPECT_FALSE(maximizeTarget("VantroPositionCenter", main, nullptr).has_value());
}

} // namespace
} // namespace vantro::zoom
