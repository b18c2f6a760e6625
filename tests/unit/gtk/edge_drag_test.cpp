#include "platform/gtk/edge_drag.h"

#include "support/geometry_printers.h"

#include <gtest/gtest.h>

namespace vantro::gtk {
namespace {

// Pressed at (500, 300) on a window at (100, 100), 400 x 300: past the
// opposite edge one pixel is left and that edge stays.
TEST(EdgeDrag, OnlyTheHeldEdgesMoveAndNeverPastTheOpposite) {
    const Rect start{100, 100, 400, 300};
    const std::tuple<unsigned, Point, Rect> drags[] = {
        {kRightEdge | kBottomEdge, {450, 260}, {100, 100, 350, 260}},
        {kLeftEdge, {450, 300}, {50, 100, 450, 300}},
        {kTopEdge, {500, 340}, {100, 140, 400, 260}},
        {kRightEdge, {0, 300}, {100, 100, 1, 300}},
        {kLeftEdge, {1000, 300}, {499, 100, 1, 300}},
        {kTopEdge, {500, 900}, {100, 399, 400, 1}},
    };
    for (const auto& [edges, now, expected] : drags) {
        EXPECT_EQ(draggedFrame(start, edges, {500, 300}, now), expected) << edges;
    }
}

} // namespace
} // namespace vantro::gtk
