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
    EXPECT_EQ(screenHoldingMostOf(Rect(1200, 100, 640, 480), screens), 1); // 240 px vs 400
    EXPECT_EQ(screenHoldingMostOf(Rect(1120, 100, 640, 480), screens), 0); // a tie: the first
    EXPECT_EQ(screenHoldingMostOf(Rect(3000, 3000, 640, 480), screens), -1);
    EXPECT_EQ(screenHoldingMostOf(Rect(100, 100, 0, 0), screens), -1);
    EXPECT_EQ(screenHoldingMostOf(Rect(std::nan(""), 100, 640, 480), screens), -1);
}

TEST(Geometry, SinglePrecisionFloorRoundsThroughFloat) {
    EXPECT_EQ(singlePrecisionFloor(-0.5), -1);
    EXPECT_EQ(singlePrecisionFloor(16777217.0), 16777216); // rounds to even, then floors
    EXPECT_EQ(singlePrecisionFloor(0.99999999999), 1);     // the nearest float is 1.0
    EXPECT_EQ(singlePrecisionFloor(1e300), 1e300);         // beyond float range: in double
    EXPECT_TRUE(std::isnan(singlePrecisionFloor(std::nan(""))));
}

} // namespace
} // namespace vantro::platform
