#include "platform/gtk/size_hints.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>

namespace vantro::gtk {
namespace {

// WM_SIZE_HINTS flags.
constexpr long kMin = 1L << 4;
constexpr long kMax = 1L << 5;
constexpr long kIncrement = 1L << 6;
constexpr long kAspect = 1L << 7;
constexpr long kBase = 1L << 8;

struct Hints {
    long flags = 0;
    long minWidth = 0, minHeight = 0, maxWidth = 0, maxHeight = 0;
    long widthIncrement = 0, heightIncrement = 0;
    long minAspectX = 0, minAspectY = 0, maxAspectX = 0, maxAspectY = 0;
    long baseWidth = 0, baseHeight = 0;

    [[nodiscard]] std::array<long, 18> values() const {
        return {flags,           0,          0,          0,          0,
                minWidth,        minHeight,  maxWidth,   maxHeight,  widthIncrement,
                heightIncrement, minAspectX, minAspectY, maxAspectX, maxAspectY,
                baseWidth,       baseHeight, 0};
    }
};

struct LimitsCase {
    std::string name;
    Hints hints;
    int scale;
    FrameExtents shadow;
    FrameExtents decorations;
    WindowSizeLimits expected;
    friend void PrintTo(const LimitsCase& c, std::ostream* out) { *out << c.name; }
};

class SizeLimitsFromHints : public testing::TestWithParam<LimitsCase> {};

TEST_P(SizeLimitsFromHints, GiveTheFramesLimits) {
    const LimitsCase& c = GetParam();
    const auto values = c.hints.values();
    EXPECT_EQ(sizeLimitsFromHints(values, c.scale, c.shadow, c.decorations), c.expected);
}

constexpr double kNone = WindowSizeLimits::kNoMaximum;

INSTANTIATE_TEST_SUITE_P(
    Hints, SizeLimitsFromHints,
    testing::Values(
        LimitsCase{"NoFlagsGiveTheDefaults", {}, 1, {}, {}, {}},
        LimitsCase{"MinimumAndMaximum",
                   {kMin | kMax, 420, 160, 520, 430},
                   1,
                   {},
                   {},
                   {{420, 160}, {520, 430}, {1, 1}, {0, 0}, {420, 160}}},
        // A client-side shadow lies outside the frame; the window manager's
        // title bar and borders are part of it.
        LimitsCase{"ShadowTakenOffDecorationsAdded",
                   {kMin | kMax, 472, 212, 572, 482},
                   1,
                   {26, 26, 23, 29},
                   {},
                   {{420, 160}, {520, 430}, {1, 1}, {0, 0}, {420, 160}}},
        LimitsCase{"DecorationsAdded",
                   {kMin, 400, 300},
                   1,
                   {},
                   {1, 1, 24, 1},
                   {{402, 325}, {kNone, kNone}, {1, 1}, {0, 0}, {402, 325}}},
        // A terminal: 9 x 17 character cells, in device pixels at scale 2.
        LimitsCase{"IncrementsInDevicePixels",
                   {kIncrement, 0, 0, 0, 0, 18, 34},
                   2,
                   {},
                   {},
                   {{0, 0}, {kNone, kNone}, {9, 17}, {0, 0}}},
        // A terminal's grid counts from its base size (padding and scroll bar).
        LimitsCase{"IncrementsFromTheBaseSize",
                   {kMin | kIncrement | kBase, 100, 50, 0, 0, 8, 17, 0, 0, 0, 0, 36, 15},
                   1,
                   {},
                   {2, 2, 25, 2},
                   {{104, 77}, {kNone, kNone}, {8, 17}, {0, 0}, {40, 42}}},
        // As a VTE terminal sets them, window gravity included.
        LimitsCase{
            "TerminalHints",
            {kMin | kIncrement | kBase | (1L << 9), 171, 79, 0, 0, 8, 17, 0, 0, 0, 0, 16, 28},
            1,
            {},
            {},
            {{171, 79}, {kNone, kNone}, {8, 17}, {0, 0}, {16, 28}}},
        LimitsCase{"OneRatioWhenBothBoundsAgree",
                   {kAspect, 0, 0, 0, 0, 0, 0, 16, 9, 32, 18},
                   1,
                   {},
                   {},
                   {{0, 0}, {kNone, kNone}, {1, 1}, {16, 9}}},
        LimitsCase{
            "ARangeOfRatiosKeepsNone", {kAspect, 0, 0, 0, 0, 0, 0, 1, 1, 2, 1}, 1, {}, {}, {}},
        // Nonsense in the property is ignored field by field.
        LimitsCase{"NonsenseIgnored",
                   {kMin | kMax | kIncrement | kAspect, -5, 10, 0, 300, 0, -3, 4, 0, 4, 0},
                   1,
                   {},
                   {},
                   {}},
        // A shadow larger than the hinted minimum cannot make it negative.
        LimitsCase{"MinimumNeverNegative",
                   {kMin, 10, 10},
                   1,
                   {26, 26, 23, 29},
                   {},
                   {{0, 0}, {kNone, kNone}, {1, 1}, {0, 0}}}));

struct GridCase {
    std::string name;
    Size asked;
    Size given;
    friend void PrintTo(const GridCase& c, std::ostream* out) { *out << c.name; }
};

class SizeOnIncrementGrid : public testing::TestWithParam<GridCase> {};

// A terminal frame: 8 x 17 cells from a 40 x 42 base, at least 104 x 77,
// at most 1000 x 900.
TEST_P(SizeOnIncrementGrid, IsWhatTheWindowManagerGives) {
    WindowSizeLimits limits;
    limits.minSize = {104, 77};
    limits.maxSize = {1000, 900};
    limits.resizeIncrements = {8, 17};
    limits.incrementBase = {40, 42};
    EXPECT_EQ(sizeOnIncrementGrid(GetParam().asked, limits), GetParam().given);
}

INSTANTIATE_TEST_SUITE_P(Grid, SizeOnIncrementGrid,
                         testing::Values(GridCase{"OnTheGridStays", {640, 450}, {640, 450}},
                                         GridCase{"BetweenGoesDown", {647, 466}, {640, 450}},
                                         GridCase{"TallerThanTheMost", {960, 1080}, {960, 900}},
                                         GridCase{"BelowTheMinimum", {50, 20}, {104, 77}},
                                         GridCase{"AboveTheMaximum", {5000, 5000}, {1000, 900}}));

TEST(SizeOnIncrementGridShape, WithoutIncrementsOnlyLimitsApply) {
    WindowSizeLimits limits;
    limits.minSize = {100, 100};
    limits.maxSize = {500, 500};
    EXPECT_EQ(sizeOnIncrementGrid({333.5, 50}, limits), (Size{333.5, 100}));
    // A minimum above the maximum wins, as the window manager's does.
    limits.maxSize = {50, 50};
    EXPECT_EQ(sizeOnIncrementGrid({70, 70}, limits), (Size{100, 100}));
}

TEST(SizeLimitsFromHintsShape, MalformedPropertiesGiveNothing) {
    const std::array<long, 17> tooShort{};
    const std::array<long, 18> complete{};
    EXPECT_FALSE(sizeLimitsFromHints(tooShort, 1, {}, {}));
    EXPECT_FALSE(sizeLimitsFromHints(complete, 0, {}, {}));
    EXPECT_TRUE(sizeLimitsFromHints(complete, 1, {}, {}));
}

} // namespace
} // namespace vantro::gtk
