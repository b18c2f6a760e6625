#include "plugin/zoom/positions.h"

#include "screen_sets.h"

#include <gtest/gtest.h>
#include <limits>

namespace vantro::zoom {
namespace {

using namespace testing;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(Positions, KeepTheSizeAndMoveAgainstTheVisibleFrame) {
    struct Case {
        const char* feature = nullptr;
        Rect frame;
        Rect visible;
        Rect expected;
    };
    const Rect f = kPlainWindow;
    const Rect main = kPanelScreen.visibleFrame;
    const Rect left = kLeftScreen.visibleFrame;
    const Case cases[] = {
        {"VantroPositionCenter", f, main, Rect(320, 139, 800, 600)},
        {"VantroPositionCenter", Rect(100, 100, 801, 601), main, Rect(319, 138, 801, 601)},
        {"VantroPositionLeftEdge", f, main, Rect(0, 100, 800, 600)},
        {"VantroPositionRightEdge", f, main, Rect(640, 100, 800, 600)},
        {"VantroPositionTopEdge", f, main, Rect(100, 278, 800, 600)},
        {"VantroPositionBottomEdge", f, main, Rect(100, 0, 800, 600)},
        {"VantroPositionTopLeftCorner", f, main, Rect(0, 278, 800, 600)},
        {"VantroPositionTopRightCorner", f, main, Rect(640, 278, 800, 600)},
        {"VantroPositionBottomLeftCorner", f, main, Rect(0, 0, 800, 600)},
        {"VantroPositionBottomRightCorner", f, main, Rect(640, 0, 800, 600)},
        // An edge moves along one axis only, even for a window sticking out.
        {"VantroPositionLeftEdge", Rect(500, -300, 800, 600), main, Rect(0, -300, 800, 600)},
        {"VantroPositionTopEdge", Rect(-900, 10, 800, 600), main, Rect(-900, 278, 800, 600)},
        // A window larger than the screen sticks out past the far edge.
        {"VantroPositionRightEdge", Rect(0, 0, 1600, 600), main, Rect(-160, 0, 1600, 600)},
        {"VantroPositionCenter", f, left, Rect(-1240, 225, 800, 600)},
        {"VantroPositionBottomRightCorner", f, left, Rect(-800, 0, 800, 600)},
        // Centring rounds down through float: -853.5 becomes -854.
        {"VantroPositionCenter", Rect(0, 0, 1, 0), Rect(-1706, 0, 1706, 800),
         Rect(-854, 400, 1, 0)},
        // A window of no size is placed as a point.
        {"VantroPositionCenter", Rect(5, 5, 0, 0), main, Rect(720, 439, 0, 0)},
        {"VantroPositionTopRightCorner", Rect(5, 5, 0, 0), main, Rect(1440, 878, 0, 0)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(positionTarget(c.feature, c.frame, c.visible), c.expected) << c.feature;
    }
}

TEST(Positions, AnswerNoneForFramesThatCannotBePlaced) {
    struct Case {
        Rect frame;
        Rect visible;
    };
    const Rect main = kPanelScreen.visibleFrame;
    const Case cases[] = {
        {Rect(kNaN, 100, 800, 600), main},
        {Rect(100, 100, kNaN, 600), main},
        {Rect(100, 100, -1, 600), main},
        {Rect(100, 100, 800, -600), main},
        {kPlainWindow, Rect()},
        {kPlainWindow, Rect(0, kNaN, 1440, 878)},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(positionTarget("VantroPositionCenter", c.frame, c.visible));
        EXPECT_FALSE(positionTarget("VantroPositionLeftEdge", c.frame, c.visible));
    }
    EXPECT_FALSE(positionTarget("VantroNextScreen", kPlainWindow, main));
    EXPECT_FALSE(positionTarget("VantroMaximizeLeftHalf", kPlainWindow, main));
}

} // namespace
} // namespace vantro::zoom
