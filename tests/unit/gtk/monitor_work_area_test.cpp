#include "platform/gtk/monitor_work_area.h"

#include "support/geometry_printers.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace vantro::gtk {
namespace {

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

} // namespace
} // namespace vantro::gtk
