#include "platform/gtk/edge_drag.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace vantro::gtk {
namespace {

// GTK 3.24's border windows around a 510 x 456 toplevel without a
// compositor: 5 px strips along the sides, 25 px squares at the corners.
struct BorderCase {
    std::string name;
    Rect border;
    unsigned edges;
    friend void PrintTo(const BorderCase& c, std::ostream* out) { *out << c.name; }
};

class EdgesOfBorderWindow : public testing::TestWithParam<BorderCase> {};

TEST_P(EdgesOfBorderWindow, NameTheSidesTheyLieOn) {
    EXPECT_EQ(edgesOfBorderWindow(GetParam().border, {510, 456}), GetParam().edges);
}

INSTANTIATE_TEST_SUITE_P(
    Borders, EdgesOfBorderWindow,
    testing::Values(BorderCase{"Right", {505, 25, 5, 406}, kRightEdge},
                    BorderCase{"Left", {0, 25, 5, 406}, kLeftEdge},
                    BorderCase{"Bottom", {25, 451, 460, 5}, kBottomEdge},
                    BorderCase{"Top", {25, 0, 460, 5}, kTopEdge},
                    BorderCase{"BottomRight", {485, 431, 25, 25}, kRightEdge | kBottomEdge},
                    BorderCase{"TopLeft", {0, 0, 25, 25}, kLeftEdge | kTopEdge},
                    BorderCase{"Middle", {200, 200, 10, 10}, kNoEdge}));

TEST(EdgesOfBorderWindowShape, AToplevelWithoutAreaHasNoEdges) {
    EXPECT_EQ(edgesOfBorderWindow({0, 0, 5, 5}, {0, 456}), kNoEdge);
    EXPECT_EQ(edgesOfBorderWindow({0, 0, 5, 5}, {510, 0}), kNoEdge);
}

struct DragCase {
    std::string name;
    unsigned edges;
    Point now;
    Rect expected;
    friend void PrintTo(const DragCase& c, std::ostream* out) { *out << c.name; }
};

class DraggedFrame : public testing::TestWithParam<DragCase> {};

// Pressed at (500, 300) on a window at (100, 100), 400 x 300 (X11 orientation).
TEST_P(DraggedFrame, MovesOnlyTheHeldEdges) {
    const DragCase& c = GetParam();
    EXPECT_EQ(draggedFrame({100, 100, 400, 300}, c.edges, {500, 300}, c.now), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Drags, DraggedFrame,
    testing::Values(DragCase{"RightWider", kRightEdge, {550, 320}, {100, 100, 450, 300}},
                    DragCase{"BottomTaller", kBottomEdge, {550, 320}, {100, 100, 400, 320}},
                    DragCase{
                        "CornerBoth", kRightEdge | kBottomEdge, {450, 260}, {100, 100, 350, 260}},
                    DragCase{"LeftKeepsTheRightEdge", kLeftEdge, {450, 300}, {50, 100, 450, 300}},
                    DragCase{"TopKeepsTheBottomEdge", kTopEdge, {500, 340}, {100, 140, 400, 260}},
                    // Past the opposite edge, one pixel is left and that edge stays.
                    DragCase{"RightPastTheLeft", kRightEdge, {0, 300}, {100, 100, 1, 300}},
                    DragCase{"LeftPastTheRight", kLeftEdge, {1000, 300}, {499, 100, 1, 300}},
                    DragCase{"TopPastTheBottom", kTopEdge, {500, 900}, {100, 399, 400, 1}}));

} // namespace
} // namespace vantro::gtk
