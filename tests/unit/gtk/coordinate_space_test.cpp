#include "platform/gtk/coordinate_space.h"

#include "support/geometry_printers.h"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

namespace vantro::gtk {
namespace {

// Core coordinates start at the primary monitor's bottom-left corner, y up.
TEST(CoordinateSpace, FlipsAroundThePrimaryMonitorsBottomLeft) {
    // A 1280x800 primary right of a 1024x768 monitor.
    const CoordinateSpace right({1024, 0, 1280, 800});
    EXPECT_EQ(right.toCore(Rect{1124, 100, 500, 300}), (Rect{100, 400, 500, 300}));
    EXPECT_EQ(right.toCore(Rect{10, 20, 500, 300}), (Rect{-1014, 480, 500, 300}));
    EXPECT_EQ(right.toCore(Point{1024, 800}), (Point{0, 0}));
    // A 1920x1080 primary below a 1280x1024 monitor.
    EXPECT_EQ(CoordinateSpace({0, 1024, 1920, 1080}).toCore(Point{50, 0}), (Point{50, 2104}));
}

RC_GTEST_PROP(CoordinateSpace, BothWaysUndoEachOtherAndRectsAgreeWithPoints, ()) {
    const auto at = [] { return static_cast<double>(*rc::gen::inRange(-5000, 5000)); };
    const auto length = [] { return static_cast<double>(*rc::gen::inRange(0, 4000)); };
    const CoordinateSpace space(Rect{at(), at(), length(), length()});
    const Rect rect{at(), at(), length(), length()};
    RC_ASSERT(space.toX11(space.toCore(rect)) == rect);
    RC_ASSERT(space.toCore(space.toX11(rect)) == rect);
    RC_ASSERT(space.toX11(space.toCore(rect.origin)) == rect.origin);
    // A rect's core origin is its bottom-left corner.
    const Point bottomLeft{rect.origin.x, rect.origin.y + rect.size.height};
    RC_ASSERT(space.toCore(rect) == Rect(space.toCore(bottomLeft), rect.size));
}

TEST(CoordinateSpace, ScreensPutThePrimaryFirstInCoreCoordinates) {
    const std::vector<X11Monitor> primarySecond{{{0, 0, 1024, 768}, {0, 0, 1024, 768}, false},
                                                {{1024, 0, 1280, 800}, {1024, 0, 1280, 770}, true},
                                                {{2304, 0, 100, 100}, {2304, 0, 100, 100}, false}};
    EXPECT_EQ(screensInCoreCoordinates(primarySecond),
              (std::vector<Screen>{{{0, 0, 1280, 800}, {0, 30, 1280, 770}},
                                   {{-1024, 32, 1024, 768}, {-1024, 32, 1024, 768}},
                                   {{1280, 700, 100, 100}, {1280, 700, 100, 100}}}));
    EXPECT_EQ(coordinateSpaceOf(primarySecond).primaryX11(), (Rect{1024, 0, 1280, 800}));
    // Without a flagged primary the first monitor counts.
    const std::vector<X11Monitor> unflagged{{{5, 0, 10, 10}, {5, 0, 10, 10}, false},
                                            {{0, 0, 5, 5}, {0, 0, 5, 5}, false}};
    EXPECT_EQ(coordinateSpaceOf(unflagged).primaryX11(), (Rect{5, 0, 10, 10}));
    EXPECT_TRUE(screensInCoreCoordinates({}).empty());
    EXPECT_EQ(primaryMonitor({}), nullptr);
}

} // namespace
} // namespace vantro::gtk
