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

// The limits of hints given as flags, then min, max, increment, min aspect,
// max aspect and base as the property lays them out.
std::optional<WindowSizeLimits> limitsOf(long flags, std::array<long, 12> fields, int scale = 1,
                                         FrameExtents shadow = {}, FrameExtents decorations = {}) {
    std::array<long, 18> values{flags};
    std::copy(fields.begin(), fields.end(), values.begin() + 5);
    return sizeLimitsFromHints(values, scale, shadow, decorations);
}

TEST(SizeLimitsFromHints, GiveTheFramesLimits) {
    using Limits = WindowSizeLimits;
    const FrameExtents shadow{26, 26, 23, 29};
    EXPECT_EQ(limitsOf(0, {}), Limits{});
    // A client-side shadow lies outside the frame; the window manager's title
    // bar and borders (the terminal below) are part of it.
    EXPECT_EQ(limitsOf(kMin | kMax, {472, 212, 572, 482}, 1, shadow),
              (Limits{{420, 160}, {520, 430}, {1, 1}, {0, 0}, {420, 160}}));
    // A terminal's 9 x 17 cells in device pixels at scale 2.
    EXPECT_EQ(limitsOf(kIncrement, {0, 0, 0, 0, 18, 34}, 2),
              (Limits{{0, 0}, {kNone, kNone}, {9, 17}, {0, 0}}));
    // A terminal's grid counts from its base size.
    EXPECT_EQ(limitsOf(kMin | kIncrement | kBase, {100, 50, 0, 0, 8, 17, 0, 0, 0, 0, 36, 15}, 1, {},
                       {2, 2, 25, 2}),
              (Limits{{104, 77}, {kNone, kNone}, {8, 17}, {0, 0}, {40, 42}}));
    EXPECT_EQ(limitsOf(kAspect, {0, 0, 0, 0, 0, 0, 16, 9, 32, 18}),
              (Limits{{0, 0}, {kNone, kNone}, {1, 1}, {16, 9}}));
    // A range of ratios keeps none; nonsense is ignored field by field.
    EXPECT_EQ(limitsOf(kAspect, {0, 0, 0, 0, 0, 0, 1, 1, 2, 1}), Limits{});
    EXPECT_EQ(limitsOf(kMin | kMax | kIncrement | kAspect, {-5, 10, 0, 300, 0, -3, 4, 0, 4, 0}),
              Limits{});
    // A shadow larger than the hinted minimum cannot make it negative.
    EXPECT_EQ(limitsOf(kMin, {10, 10}, 1, shadow), Limits{});
    EXPECT_FALSE(sizeLimitsFromHints(std::array<long, 17>{}, 1, {}, {}));
    EXPECT_FALSE(limitsOf(0, {}, 0));
}

// A terminal frame: 8 x 17 cells from a 40 x 42 base, at least 104 x 77,
// at most 1000 x 900.
TEST(SizeOnIncrementGrid, IsWhatTheWindowManagerGives) {
    const WindowSizeLimits limits{{104, 77}, {1000, 900}, {8, 17}, {0, 0}, {40, 42}};
    EXPECT_EQ(sizeOnIncrementGrid({647, 466}, limits), (Size{640, 450}));
    EXPECT_EQ(sizeOnIncrementGrid({960, 1080}, limits), (Size{960, 900}));
    EXPECT_EQ(sizeOnIncrementGrid({50, 20}, limits), (Size{104, 77}));
    // Without increments only the limits apply; a minimum above the maximum
    // wins, as the window manager's does.
    WindowSizeLimits plain{{100, 100}, {500, 500}};
    EXPECT_EQ(sizeOnIncrementGrid({333.5, 50}, plain), (Size{333.5, 100}));
    plain.maxSize = {50, 50};
    EXPECT_EQ(sizeOnIncrementGrid({70, 70}, plain), (Size{100, 100}));
}

} // namespace
} // namespace vantro::gtk
