#include "platform/gtk/coordinate_space.h"

#include "support/geometry_printers.h"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

namespace vantro::gtk {
namespace {

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

// The figures for real monitors are checked by tests/e2e/gtk_frame_test.cpp.
TEST(CoordinateSpace, WithoutAFlaggedPrimaryTheFirstMonitorCounts) {
    const std::vector<X11Monitor> unflagged{{{5, 0, 10, 10}, {5, 0, 10, 10}, false},
                                            {{0, 0, 5, 5}, {0, 0, 5, 5}, false}};
    EXPECT_EQ(coordinateSpaceOf(unflagged).primaryX11(), (Rect{5, 0, 10, 10}));
    EXPECT_TRUE(screensInCoreCoordinates({}).empty());
    EXPECT_EQ(primaryMonitor({}), nullptr);
}

} // namespace
} // namespace vantro::gtk
