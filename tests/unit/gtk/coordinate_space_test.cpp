#include "platform/gtk/coordinate_space.h"

#include <gtest/gtest.h>

#include <ostream>

#include <string>
#include <vector>

namespace vantro::gtk {
namespace {

struct RectCase {
    std::string name;
    Rect primaryX11;
    Rect x11;
    Rect core;
    // Test listings show the case by its name.
    friend void PrintTo(const RectCase& c, std::ostream* out) { *out << c.name; }
};

class RectConversion : public testing::TestWithParam<RectCase> {};

TEST_P(RectConversion, ConvertsBothWays) {
    const RectCase& c = GetParam();
    const CoordinateSpace space(c.primaryX11);
    EXPECT_EQ(space.toCore(c.x11), c.core);
    EXPECT_EQ(space.toX11(c.core), c.x11);
}

// Figures: a 1920x1080 primary at the X origin; a 1280x800 primary right of a
// 1024x768 monitor; a 1920x1080 primary below a 1280x1024 monitor.
INSTANTIATE_TEST_SUITE_P(
    Layouts, RectConversion,
    testing::Values(RectCase{"PrimaryAtOriginWindowAtTopLeft",
                             {0, 0, 1920, 1080},
                             {0, 0, 640, 480},
                             {0, 600, 640, 480}},
                    RectCase{"PrimaryAtOriginWindowAtBottomLeft",
                             {0, 0, 1920, 1080},
                             {0, 600, 640, 480},
                             {0, 0, 640, 480}},
                    RectCase{"PrimaryAtOriginWholeScreen",
                             {0, 0, 1920, 1080},
                             {0, 0, 1920, 1080},
                             {0, 0, 1920, 1080}},
                    RectCase{"PrimaryOnTheRightWindowOnPrimary",
                             {1024, 0, 1280, 800},
                             {1124, 100, 500, 300},
                             {100, 400, 500, 300}},
                    RectCase{"PrimaryOnTheRightWindowOnLeftMonitor",
                             {1024, 0, 1280, 800},
                             {10, 20, 500, 300},
                             {-1014, 480, 500, 300}},
                    RectCase{"PrimaryBelowAnotherWindowOnUpperMonitor",
                             {0, 1024, 1920, 1080},
                             {100, 100, 400, 200},
                             {100, 1804, 400, 200}},
                    RectCase{"PrimaryBelowAnotherWindowOnPrimary",
                             {0, 1024, 1920, 1080},
                             {100, 1500, 400, 200},
                             {100, 404, 400, 200}},
                    RectCase{"OffScreenBeyondTheRightAndBottom",
                             {0, 0, 1920, 1080},
                             {5000, 3000, 640, 480},
                             {5000, -2400, 640, 480}},
                    RectCase{"OffScreenNegativeX11Origin",
                             {0, 0, 1920, 1080},
                             {-700, -500, 640, 480},
                             {-700, 1100, 640, 480}},
                    RectCase{
                        "ZeroSizeRect", {0, 0, 1920, 1080}, {300, 200, 0, 0}, {300, 880, 0, 0}},
                    RectCase{"ZeroSizePrimary", {0, 0, 0, 0}, {10, 20, 30, 40}, {10, -60, 30, 40}}),
    [](const testing::TestParamInfo<RectCase>& param) { return param.param.name; });

struct PointCase {
    std::string name;
    Rect primaryX11;
    Point x11;
    Point core;
    // Test listings show the case by its name.
    friend void PrintTo(const PointCase& c, std::ostream* out) { *out << c.name; }
};

class PointConversion : public testing::TestWithParam<PointCase> {};

TEST_P(PointConversion, ConvertsBothWays) {
    const PointCase& c = GetParam();
    const CoordinateSpace space(c.primaryX11);
    EXPECT_EQ(space.toCore(c.x11), c.core);
    EXPECT_EQ(space.toX11(c.core), c.x11);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, PointConversion,
    testing::Values(
        PointCase{"PrimaryAtOriginTopLeftCorner", {0, 0, 1920, 1080}, {0, 0}, {0, 1080}},
        PointCase{"PrimaryAtOriginBottomLeftCorner", {0, 0, 1920, 1080}, {0, 1080}, {0, 0}},
        PointCase{"PrimaryOnTheRight", {1024, 0, 1280, 800}, {1024, 800}, {0, 0}},
        PointCase{
            "PrimaryOnTheRightPointOnLeftMonitor", {1024, 0, 1280, 800}, {0, 0}, {-1024, 800}},
        PointCase{"PrimaryBelowAnother", {0, 1024, 1920, 1080}, {50, 0}, {50, 2104}},
        PointCase{"OffScreen", {0, 0, 1920, 1080}, {-10, 2000}, {-10, -920}}),
    [](const testing::TestParamInfo<PointCase>& param) { return param.param.name; });

// A point and a zero-size rect at the same place convert alike: the rect's
// origin is its bottom-left corner in core coordinates.
TEST(CoordinateSpace, ZeroSizeRectMatchesPoint) {
    const CoordinateSpace space({1024, 0, 1280, 800});
    const Rect rect = space.toCore(Rect{1500, 300, 0, 0});
    EXPECT_EQ(rect.origin, space.toCore(Point{1500, 300}));
}

struct ScreensCase {
    std::string name;
    std::vector<X11Monitor> monitors;
    std::vector<Screen> screens;
    // Test listings show the case by its name.
    friend void PrintTo(const ScreensCase& c, std::ostream* out) { *out << c.name; }
};

class ScreensFromMonitors : public testing::TestWithParam<ScreensCase> {};

TEST_P(ScreensFromMonitors, PutsPrimaryFirstInCoreCoordinates) {
    const ScreensCase& c = GetParam();
    EXPECT_EQ(screensInCoreCoordinates(c.monitors), c.screens);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ScreensFromMonitors,
    testing::Values(ScreensCase{"None", {}, {}},
                    ScreensCase{"OneWithPanelOnTop",
                                {{{0, 0, 1920, 1080}, {0, 30, 1920, 1050}, true}},
                                {{{0, 0, 1920, 1080}, {0, 0, 1920, 1050}}}},
                    ScreensCase{"PrimarySecondInGdkOrder",
                                {{{0, 0, 1024, 768}, {0, 0, 1024, 768}, false},
                                 {{1024, 0, 1280, 800}, {1024, 0, 1280, 770}, true}},
                                {{{0, 0, 1280, 800}, {0, 30, 1280, 770}},
                                 {{-1024, 32, 1024, 768}, {-1024, 32, 1024, 768}}}},
                    ScreensCase{"NoPrimaryFlaggedFirstCounts",
                                {{{0, 0, 1280, 800}, {0, 0, 1280, 800}, false},
                                 {{1280, 0, 1024, 768}, {1280, 0, 1024, 768}, false}},
                                {{{0, 0, 1280, 800}, {0, 0, 1280, 800}},
                                 {{1280, 32, 1024, 768}, {1280, 32, 1024, 768}}}},
                    ScreensCase{"ThreeKeepGdkOrderAfterPrimary",
                                {{{0, 0, 100, 100}, {0, 0, 100, 100}, false},
                                 {{100, 0, 100, 100}, {100, 0, 100, 100}, false},
                                 {{200, 0, 100, 100}, {200, 0, 100, 100}, true}},
                                {{{0, 0, 100, 100}, {0, 0, 100, 100}},
                                 {{-200, 0, 100, 100}, {-200, 0, 100, 100}},
                                 {{-100, 0, 100, 100}, {-100, 0, 100, 100}}}}),
    [](const testing::TestParamInfo<ScreensCase>& param) { return param.param.name; });

TEST(CoordinateSpace, SpaceOfMonitorsUsesPrimary) {
    const std::vector<X11Monitor> monitors{{{0, 0, 1024, 768}, {0, 0, 1024, 768}, false},
                                           {{1024, 0, 1280, 800}, {1024, 0, 1280, 800}, true}};
    EXPECT_EQ(coordinateSpaceOf(monitors).primaryX11(), (Rect{1024, 0, 1280, 800}));
    EXPECT_EQ(coordinateSpaceOf(std::vector<X11Monitor>{}).primaryX11(), Rect{});
    EXPECT_EQ(primaryMonitor({}), nullptr);
}

} // namespace
} // namespace vantro::gtk
