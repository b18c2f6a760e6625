// Window geometry of the GTK platform without a display: the two coordinate
// spaces, edge drags, the frame before a managed maximize, and what
// _NET_FRAME_EXTENTS, struts and WM_SIZE_HINTS make of frames.

#include "platform/gtk/coordinate_space.h"
#include "platform/gtk/edge_drag.h"
#include "platform/gtk/frame_extents.h"
#include "platform/gtk/managed_maximize.h"
#include "platform/gtk/monitor_work_area.h"
#include "platform/gtk/size_hints.h"

#include "support/geometry_printers.h"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <array>
#include <optional>
#include <vector>

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

TEST(FrameExtents, ReadFromThePropertyInLogicalPixels) {
    const std::tuple<std::vector<long>, int, std::optional<FrameExtents>> cases[] = {
        // GTK 3.24's default theme under a compositor.
        {{26, 26, 23, 29}, 1, FrameExtents{26, 26, 23, 29}},
        // openbox's border at scale 2: 0.5, 0.5, 10, 2.5 kept to whole
        // pixels, each pair keeping its rounded sum.
        {{1, 1, 20, 5}, 2, FrameExtents{0, 1, 10, 3}},
        {{4, 5, 3, 3}, 3, FrameExtents{1, 2, 1, 1}},
        {{1, 2, 3}, 1, std::nullopt},
        {{1, 2, 3, 4, 5}, 1, std::nullopt},
        {{1, -2, 3, 4}, 1, std::nullopt},
        {{1, 2, 3, 4}, 0, std::nullopt},
    };
    for (const auto& [values, scale, extents] : cases) {
        EXPECT_EQ(frameExtentsFromProperty(values, scale), extents) << values.size() << scale;
    }
}

// Core coordinates: y grows upwards, so a title bar 24 high of a frame whose
// top is at 600 spans y 576 to 600.
TEST(ManagedMaximize, TheFrameWhoseTitleBarWasClicked) {
    const Rect area{0, 0, 1920, 1056};
    const Rect window{100, 300, 800, 300};
    const Point onTitle{500, 590};
    const std::tuple<const char*, ManagedMaximize, std::optional<Rect>> cases[] = {
        {"the state before the maximized frame", {window, Rect{}, area, 24, onTitle}, window},
        {"the maximized frame before the state", {area, window, area, 24, onTitle}, window},
        {"a key binding: the pointer in the client", {window, Rect{}, area, 24, {500, 560}}, {}},
        {"the pointer right of the frame", {window, Rect{}, area, 24, {900, 590}}, {}},
        {"the pointer on the top edge", {window, Rect{}, area, 24, {500, 600}}, window},
        {"the pointer just under the title bar", {window, Rect{}, area, 24, {500, 576}}, {}},
        {"no title bar of the window manager's", {window, Rect{}, area, 0, onTitle}, {}},
        {"maximized with no frame seen before", {area, std::nullopt, area, 24, onTitle}, {}},
        {"no monitor: the last frame is taken",
         {window, Rect{}, std::nullopt, 24, onTitle},
         window},
    };
    for (const auto& [what, seen, before] : cases) {
        EXPECT_EQ(frameBeforeManagedMaximize(seen), before) << what;
    }
}

// Side by side: a 1920x1080 primary on the left, a 1280x1024 monitor to its
// right, on a 3200x1080 X screen.
constexpr Rect kLeftMonitor{0, 0, 1920, 1080};
constexpr Rect kRightMonitor{1920, 0, 1280, 1024};
constexpr Size kScreen{3200, 1080};

Strut topPanel(double height, double firstX, double lastX) {
    return {.top = height, .topStartX = firstX, .topEndX = lastX};
}

TEST(WorkAreaLessStruts, TakesOffOnlyTheStripsOnTheMonitor) {
    const Strut bottom{.bottom = 40, .bottomEndX = 3199};
    const Strut left{.left = 48, .leftEndY = 1079};
    const Strut right{.right = 64, .rightEndY = 1023};
    const std::tuple<Rect, std::vector<Strut>, Rect> cases[] = {
        {kLeftMonitor, {topPanel(30, 1920, 3199)}, kLeftMonitor},
        // The strip's last column is inclusive: 1920 is the right monitor's.
        {kLeftMonitor, {topPanel(30, 0, 1919)}, {0, 30, 1920, 1050}},
        {kRightMonitor, {topPanel(30, 0, 1920)}, {1920, 30, 1280, 994}},
        // Bottom struts count from the X screen's bottom: 1080 - 40 = 1040
        // lies below the shorter right monitor, so nothing is taken there.
        {kLeftMonitor, {bottom}, {0, 0, 1920, 1040}},
        {kRightMonitor, {bottom}, kRightMonitor},
        {kLeftMonitor, {left}, {48, 0, 1872, 1080}},
        {kRightMonitor, {left}, kRightMonitor},
        {kRightMonitor, {right}, {1920, 0, 1216, 1024}},
        {kRightMonitor,
         {topPanel(30, 1920, 3199), topPanel(50, 2000, 2100)},
         {1920, 50, 1280, 974}},
        // A strut taller than the monitor would leave it nothing: ignored.
        {kRightMonitor, {topPanel(2000, 1920, 3199)}, kRightMonitor},
    };
    for (const auto& [monitor, struts, area] : cases) {
        EXPECT_EQ(workAreaLessStruts(monitor, struts, kScreen), area)
            << testing::PrintToString(area);
    }
}

TEST(StrutFromPartial, ReadsTheTwelveFieldsDividedByTheScaleAndRefusesTheRest) {
    EXPECT_EQ(strutFromPartial(std::vector<long>{0, 0, 60, 0, 0, 0, 0, 0, 3840, 6399, 0, 0}, 2),
              topPanel(30, 1920, 3199.5));
    EXPECT_EQ(strutFromPartial(std::vector<long>{0, 0, 30, 0}, 1), std::nullopt); // _NET_WM_STRUT
    EXPECT_EQ(strutFromPartial(std::vector<long>(12, 0), 1), std::nullopt);
    EXPECT_EQ(strutFromPartial(std::vector<long>{0, 0, -30, 0, 0, 0, 0, 0, 0, 9, 0, 0}, 1),
              std::nullopt);
    EXPECT_EQ(strutFromPartial(std::vector<long>{0, 0, 30, 0, 0, 0, 0, 0, 0, 9, 0, 0}, 0),
              std::nullopt);
}

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
