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

struct Hints {
    long flags = 0;
    long minWidth = 0, minHeight = 0, maxWidth = 0, maxHeight = 0;
    long widthIncrement = 0, heightIncrement = 0;
    long minAspectX = 0, minAspectY = 0, maxAspectX = 0, maxAspectY = 0;

    [[nodiscard]] std::array<long, 18> values() const {
        return {flags,
                0,
                0,
                0,
                0,
                minWidth,
                minHeight,
                maxWidth,
                maxHeight,
                widthIncrement,
                heightIncrement,
                minAspectX,
                minAspectY,
                maxAspectX,
                maxAspectY,
                0,
                0,
                0};
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
                   {{420, 160}, {520, 430}, {1, 1}, {0, 0}}},
        // A client-side shadow lies outside the frame; the window manager's
        // title bar and borders are part of it.
        LimitsCase{"ShadowTakenOffDecorationsAdded",
                   {kMin | kMax, 472, 212, 572, 482},
                   1,
                   {26, 26, 23, 29},
                   {},
                   {{420, 160}, {520, 430}, {1, 1}, {0, 0}}},
        LimitsCase{"DecorationsAdded",
                   {kMin, 400, 300},
                   1,
                   {},
                   {1, 1, 24, 1},
                   {{402, 325}, {kNone, kNone}, {1, 1}, {0, 0}}},
        // A terminal: 9 x 17 character cells, in device pixels at scale 2.
        LimitsCase{"IncrementsInDevicePixels",
                   {kIncrement, 0, 0, 0, 0, 18, 34},
                   2,
                   {},
                   {},
                   {{0, 0}, {kNone, kNone}, {9, 17}, {0, 0}}},
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

TEST(SizeLimitsFromHintsShape, MalformedPropertiesGiveNothing) {
    const std::array<long, 17> tooShort{};
    const std::array<long, 18> complete{};
    EXPECT_FALSE(sizeLimitsFromHints(tooShort, 1, {}, {}));
    EXPECT_FALSE(sizeLimitsFromHints(complete, 0, {}, {}));
    EXPECT_TRUE(sizeLimitsFromHints(complete, 1, {}, {}));
}

} // namespace
} // namespace vantro::gtk
