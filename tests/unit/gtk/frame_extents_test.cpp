#include "platform/gtk/frame_extents.h"

#include <gtest/gtest.h>

#include <ostream>

#include <optional>
#include <string>
#include <vector>

namespace vantro::gtk {
namespace {

struct PropertyCase {
    std::string name;
    std::vector<long> values;
    int scale;
    std::optional<FrameExtents> extents;
    // Test listings show the case by its name.
    friend void PrintTo(const PropertyCase& c, std::ostream* out) { *out << c.name; }
};

class ExtentsFromProperty : public testing::TestWithParam<PropertyCase> {};

TEST_P(ExtentsFromProperty, ReadsLeftRightTopBottom) {
    const PropertyCase& c = GetParam();
    EXPECT_EQ(frameExtentsFromProperty(c.values, c.scale), c.extents);
}

// 26, 26, 23, 29 is what GTK 3.24's default theme sets under a compositor.
INSTANTIATE_TEST_SUITE_P(
    Values, ExtentsFromProperty,
    testing::Values(PropertyCase{"Shadow", {26, 26, 23, 29}, 1, FrameExtents{26, 26, 23, 29}},
                    PropertyCase{"Zero", {0, 0, 0, 0}, 1, FrameExtents{}},
                    PropertyCase{
                        "ScaleTwoHalves", {52, 52, 46, 58}, 2, FrameExtents{26, 26, 23, 29}},
                    // openbox's border at scale 2: 0.5, 0.5, 10, 2.5 kept to whole
                    // pixels, each pair keeping its rounded sum.
                    PropertyCase{"OpenboxAtScaleTwo", {1, 1, 20, 5}, 2, FrameExtents{0, 1, 10, 3}},
                    PropertyCase{"ThirdsAtScaleThree", {4, 5, 3, 3}, 3, FrameExtents{1, 2, 1, 1}},
                    PropertyCase{"TooFew", {1, 2, 3}, 1, std::nullopt},
                    PropertyCase{"TooMany", {1, 2, 3, 4, 5}, 1, std::nullopt},
                    PropertyCase{"Empty", {}, 1, std::nullopt},
                    PropertyCase{"Negative", {1, -2, 3, 4}, 1, std::nullopt},
                    PropertyCase{"ScaleZero", {1, 2, 3, 4}, 0, std::nullopt}),
    [](const testing::TestParamInfo<PropertyCase>& param) { return param.param.name; });

struct VisibleCase {
    std::string name;
    Rect client;
    FrameExtents shadow;
    FrameExtents decorations;
    Rect visible;
    // Test listings show the case by its name.
    friend void PrintTo(const VisibleCase& c, std::ostream* out) { *out << c.name; }
};

class VisibleFrame : public testing::TestWithParam<VisibleCase> {};

TEST_P(VisibleFrame, FromClientWindow) {
    const VisibleCase& c = GetParam();
    EXPECT_EQ(visibleFrameFromClient(c.client, c.shadow, c.decorations), c.visible);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, VisibleFrame,
    testing::Values(
        VisibleCase{"NoExtents", {95, 95, 510, 356}, {}, {}, {95, 95, 510, 356}},
        VisibleCase{
            "ClientSideShadow", {74, 77, 552, 399}, {26, 26, 23, 29}, {}, {100, 100, 500, 347}},
        VisibleCase{
            "ServerSideDecorations", {104, 125, 500, 300}, {}, {4, 4, 25, 4}, {100, 100, 508, 329}},
        VisibleCase{"ShadowLargerThanWindowGivesZeroSize",
                    {0, 0, 30, 30},
                    {26, 26, 23, 29},
                    {},
                    {26, 23, 0, 0}}),
    [](const testing::TestParamInfo<VisibleCase>& param) { return param.param.name; });

TEST(FrameExtents, OutsetUndoesInset) {
    const Rect rect{10, 20, 300, 200};
    const FrameExtents extents{1, 2, 3, 4};
    EXPECT_EQ(outset(inset(rect, extents), extents), rect);
    EXPECT_EQ(outset(rect, extents), (Rect{9, 17, 303, 207}));
    EXPECT_TRUE(FrameExtents{}.isZero());
    EXPECT_FALSE((FrameExtents{0, 0, 0, 1}).isZero());
}

} // namespace
} // namespace vantro::gtk
