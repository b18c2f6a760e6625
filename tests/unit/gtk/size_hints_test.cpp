#include "platform/gtk/size_hints.h"

#include "support/geometry_printers.h"

#include <gtest/gtest.h>

#include <array>

namespace vantro::gtk {
namespace {

// WM_SIZE_HINTS flags.
constexpr long kMin = 1L << 4;
constexpr long kMax = 1L << 5;
constexpr long kIncrement = 1L << 6;
constexpr long kAspect = 1L << 7;
constexpr long kBase = 1L << 8;
constexpr double kNone = WindowSizeLimits::kNoMaximum;

// flags, min, max, increment, min aspect, max aspect, base: as the property
// lays them out.
std::array<long, 18> hints(long flags, std::array<long, 12> fields) {
    std::array<long, 18> values{flags};
    std::copy(fields.begin(), fields.end(), values.begin() + 5);
    return values;
}

TEST(SizeLimitsFromHints, GiveTheFramesLimits) {
    const std::tuple<std::array<long, 18>, int, FrameExtents, FrameExtents, WindowSizeLimits>
        cases[] = {
            {hints(0, {}), 1, {}, {}, {}},
            // A client-side shadow lies outside the frame; the window
            // manager's title bar and borders (the terminal below) are part of it.
            {hints(kMin | kMax, {472, 212, 572, 482}),
             1,
             {26, 26, 23, 29},
             {},
             {{420, 160}, {520, 430}, {1, 1}, {0, 0}, {420, 160}}},
            // A terminal's 9 x 17 cells in device pixels at scale 2.
            {hints(kIncrement, {0, 0, 0, 0, 18, 34}),
             2,
             {},
             {},
             {{0, 0}, {kNone, kNone}, {9, 17}, {0, 0}}},
            // A terminal's grid counts from its base size.
            {hints(kMin | kIncrement | kBase, {100, 50, 0, 0, 8, 17, 0, 0, 0, 0, 36, 15}),
             1,
             {},
             {2, 2, 25, 2},
             {{104, 77}, {kNone, kNone}, {8, 17}, {0, 0}, {40, 42}}},
            {hints(kAspect, {0, 0, 0, 0, 0, 0, 16, 9, 32, 18}),
             1,
             {},
             {},
             {{0, 0}, {kNone, kNone}, {1, 1}, {16, 9}}},
            // A range of ratios keeps none; nonsense is ignored field by field.
            {hints(kAspect, {0, 0, 0, 0, 0, 0, 1, 1, 2, 1}), 1, {}, {}, {}},
            {hints(kMin | kMax | kIncrement | kAspect, {-5, 10, 0, 300, 0, -3, 4, 0, 4, 0}),
             1,
             {},
             {},
             {}},
            // A shadow larger than the hinted minimum cannot make it negative.
            {hints(kMin, {10, 10}),
             1,
             {26, 26, 23, 29},
             {},
             {{0, 0}, {kNone, kNone}, {1, 1}, {0, 0}}},
        };
    for (const auto& [values, scale, shadow, decorations, expected] : cases) {
        EXPECT_EQ(sizeLimitsFromHints(values, scale, shadow, decorations), expected)
            << values[0] << " " << values[5];
    }
    EXPECT_FALSE(sizeLimitsFromHints(std::array<long, 17>{}, 1, {}, {}));
    EXPECT_FALSE(sizeLimitsFromHints(std::array<long, 18>{}, 0, {}, {}));
}

// A terminal frame: 8 x 17 cells from a 40 x 42 base, at least 104 x 77,
// at most 1000 x 900.
TEST(SizeOnIncrementGrid, IsWhatTheWindowManagerGives) {
    WindowSizeLimits limits;
    limits.minSize = {104, 77};
    limits.maxSize = {1000, 900};
    limits.resizeIncrements = {8, 17};
    limits.incrementBase = {40, 42};
    EXPECT_EQ(sizeOnIncrementGrid({647, 466}, limits), (Size{640, 450}));
    EXPECT_EQ(sizeOnIncrementGrid({960, 1080}, limits), (Size{960, 900}));
    EXPECT_EQ(sizeOnIncrementGrid({50, 20}, limits), (Size{104, 77}));
    // Without increments only the limits apply; a minimum above the maximum
    // wins, as the window manager's does.
    WindowSizeLimits plain;
    plain.minSize = {100, 100};
    plain.maxSize = {500, 500};
    EXPECT_EQ(sizeOnIncrementGrid({333.5, 50}, plain), (Size{333.5, 100}));
    plain.maxSize = {50, 50};
    EXPECT_EQ(sizeOnIncrementGrid({70, 70}, plain), (Size{100, 100}));
}

} // namespace
} // namespace vantro::gtk
