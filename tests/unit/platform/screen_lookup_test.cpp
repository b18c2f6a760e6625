#include "platform/screen_lookup.h"

#include <cmath>
#include <gtest/gtest.h>

namespace vantro::platform {
namespace {

TEST(ScreenLookup, PicksTheScreenHoldingMostOfTheWindow) {
    // A main screen and a smaller one to its right, their bottoms aligned.
    const std::vector<Screen> screens{
        {Rect(0, 0, 1440, 900), Rect(0, 0, 1440, 878)},
        {Rect(1440, 0, 1024, 768), Rect(1440, 0, 1024, 768)},
    };
    const double nan = std::nan("");
    struct Case {
        Rect frame;
        int expected;
    };
    const Case cases[] = {
        {Rect(100, 100, 640, 480), 0},    {Rect(1500, 100, 640, 480), 1},
        {Rect(1200, 100, 640, 480), 1},   // 240 px on the main screen, 400 on the other
        {Rect(1120, 100, 640, 480), 0},   // exactly half on each: the first wins
        {Rect(3000, 3000, 640, 480), -1}, // on no screen
        {Rect(100, 100, 0, 0), -1},       // no area
        {Rect(nan, 100, 640, 480), -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(screenHoldingMostOf(c.frame, screens), c.expected)
            << c.frame.minX() << "," << c.frame.minY();
    }
    EXPECT_EQ(screenHoldingMostOf(Rect(0, 0, 10, 10), {}), -1);
}

TEST(Geometry, SinglePrecisionFloorRoundsThroughFloat) {
    struct Case {
        double value;
        double expected;
    };
    const Case cases[] = {
        {439.5, 439},           {-0.5, -1},
        {16777217.0, 16777216}, // not representable as a float: rounds to even, then floors
        {0.99999999999, 1},     // the nearest float is 1.0
        {1e300, 1e300},         // beyond float range: floored in double instead
    };
    for (const Case& c : cases) {
        EXPECT_EQ(singlePrecisionFloor(c.value), c.expected) << c.value;
    }
    EXPECT_TRUE(std::isnan(singlePrecisionFloor(std::nan(""))));
}

} // namespace
} // namespace vantro::platform
