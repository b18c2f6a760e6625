#include "platform/gtk/monitor_work_area.h"

#include "support/geometry_printers.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace vantro::gtk {
namespace {

// Side by side: a 1920x1080 primary on the left, a 1280x1024 monitor to its
// right, on a 3200x1080 X screen.
const Rect kLeftMonitor{0, 0, 1920, 1080};
const Rect kRightMonitor{1920, 0, 1280, 1024};
const Size kScreen{3200, 1080};

Strut topPanel(double height, double firstX, double lastX) {
    Strut strut;
    strut.top = height;
    strut.topStartX = firstX;
    strut.topEndX = lastX;
    return strut;
}

struct AreaCase {
    std::string name;
    Rect monitor;
    std::vector<Strut> struts;
    Rect workArea;
    friend void PrintTo(const AreaCase& c, std::ostream* out) { *out << c.name; }
};

class WorkAreaLessStruts : public testing::TestWithParam<AreaCase> {};

TEST_P(WorkAreaLessStruts, TakesOffOnlyTheStripsOnTheMonitor) {
    const AreaCase& c = GetParam();
    EXPECT_EQ(workAreaLessStruts(c.monitor, c.struts, kScreen), c.workArea);
}

Strut bottomPanel(double height, double firstX, double lastX) {
    Strut strut;
    strut.bottom = height;
    strut.bottomStartX = firstX;
    strut.bottomEndX = lastX;
    return strut;
}

Strut leftDock(double width, double firstY, double lastY) {
    Strut strut;
    strut.left = width;
    strut.leftStartY = firstY;
    strut.leftEndY = lastY;
    return strut;
}

Strut rightDock(double width, double firstY, double lastY) {
    Strut strut;
    strut.right = width;
    strut.rightStartY = firstY;
    strut.rightEndY = lastY;
    return strut;
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, WorkAreaLessStruts,
    testing::Values(
        AreaCase{"NoStruts", kRightMonitor, {}, kRightMonitor},
        AreaCase{"PanelOnTheOtherMonitor", kLeftMonitor, {topPanel(30, 1920, 3199)}, kLeftMonitor},
        AreaCase{
            "PanelOnThisMonitor", kRightMonitor, {topPanel(30, 1920, 3199)}, {1920, 30, 1280, 994}},
        // The strip's last column is inclusive: 1920 is the right monitor's.
        AreaCase{
            "PanelEndingOnTheBoundary", kLeftMonitor, {topPanel(30, 0, 1919)}, {0, 30, 1920, 1050}},
        AreaCase{"PanelReachingOneColumnIn",
                 kRightMonitor,
                 {topPanel(30, 0, 1920)},
                 {1920, 30, 1280, 994}},
        // Bottom struts count from the X screen's bottom: 1080 - 40 = 1040
        // lies below the shorter right monitor, so nothing is taken there.
        AreaCase{"BottomPanelOnTheTallerMonitor",
                 kLeftMonitor,
                 {bottomPanel(40, 0, 3199)},
                 {0, 0, 1920, 1040}},
        AreaCase{"BottomPanelBelowTheShorterMonitor",
                 kRightMonitor,
                 {bottomPanel(40, 0, 3199)},
                 kRightMonitor},
        AreaCase{"LeftDock", kLeftMonitor, {leftDock(48, 0, 1079)}, {48, 0, 1872, 1080}},
        AreaCase{"LeftDockDoesNotReachTheRightMonitor",
                 kRightMonitor,
                 {leftDock(48, 0, 1079)},
                 kRightMonitor},
        AreaCase{"RightDock", kRightMonitor, {rightDock(64, 0, 1023)}, {1920, 0, 1216, 1024}},
        AreaCase{"TwoPanelsTheThickerWins",
                 kRightMonitor,
                 {topPanel(30, 1920, 3199), topPanel(50, 2000, 2100)},
                 {1920, 50, 1280, 974}},
        // A strut taller than the monitor would leave it nothing: ignored.
        AreaCase{"StrutCoveringTheMonitor",
                 kRightMonitor,
                 {topPanel(2000, 1920, 3199)},
                 kRightMonitor}));

TEST(StrutFromPartial, ReadsTheTwelveFieldsAndDividesByTheScale) {
    const std::vector<long> values{0, 0, 60, 0, 0, 0, 0, 0, 3840, 6399, 0, 0};
    const std::optional<Strut> strut = strutFromPartial(values, 2);
    ASSERT_TRUE(strut.has_value());
    EXPECT_EQ(*strut, topPanel(30, 1920, 3199.5));
}

TEST(StrutFromPartial, RefusesWhatIsNoStrut) {
    EXPECT_EQ(strutFromPartial(std::vector<long>{0, 0, 30, 0}, 1), std::nullopt); // _NET_WM_STRUT
    EXPECT_EQ(strutFromPartial(std::vector<long>(12, 0), 1), std::nullopt);
    EXPECT_EQ(strutFromPartial(std::vector<long>{0, 0, -30, 0, 0, 0, 0, 0, 0, 9, 0, 0}, 1),
              std::nullopt);
    EXPECT_EQ(strutFromPartial(std::vector<long>{0, 0, 30, 0, 0, 0, 0, 0, 0, 9, 0, 0}, 0),
              std::nullopt);
}

X11Monitor monitorAt(const Rect& geometry, bool primary) {
    return {geometry, geometry, primary};
}

TEST(WithServerMonitors, TakesTheServersListWhenGdkLeftMonitorsOut) {
    int reads = 0;
    const auto struts = [&reads] {
        ++reads;
        return std::pair{std::vector<Strut>{topPanel(30, 1920, 3199)}, kScreen};
    };
    const std::vector<X11Monitor> chosen = withServerMonitors(
        {monitorAt(kLeftMonitor, true)},
        {monitorAt(kLeftMonitor, true), monitorAt(kRightMonitor, false)}, struts);
    ASSERT_EQ(chosen.size(), 2U);
    EXPECT_EQ(chosen[0].workarea, kLeftMonitor);
    EXPECT_EQ(chosen[1].workarea, (Rect{1920, 30, 1280, 994}));
    EXPECT_TRUE(chosen[0].primary);
    EXPECT_EQ(reads, 1);
}

TEST(WithServerMonitors, KeepsGdksWorkAreaForOneMonitorWithoutReadingStruts) {
    X11Monitor gdk = monitorAt(kLeftMonitor, true);
    gdk.workarea = {0, 30, 1920, 1050}; // _NET_WORKAREA as GDK gives it
    int reads = 0;
    const std::vector<X11Monitor> chosen =
        withServerMonitors({gdk}, {monitorAt(kLeftMonitor, true)}, [&reads] {
            ++reads;
            return std::pair{std::vector<Strut>{}, kScreen};
        });
    ASSERT_EQ(chosen.size(), 1U);
    EXPECT_EQ(chosen[0].workarea, gdk.workarea);
    EXPECT_EQ(reads, 0);
}

TEST(WithServerMonitors, KeepsGdksListWhenItHasAsMany) {
    const X11Monitor wide = monitorAt({0, 0, 3200, 1080}, true);
    const std::vector<X11Monitor> chosen = withServerMonitors(
        {monitorAt(kLeftMonitor, true), monitorAt(kRightMonitor, false)}, {wide}, [] {
            return std::pair{std::vector<Strut>{}, kScreen};
        });
    ASSERT_EQ(chosen.size(), 2U);
    EXPECT_EQ(chosen[1].geometry, kRightMonitor);
}

} // namespace
} // namespace vantro::gtk
