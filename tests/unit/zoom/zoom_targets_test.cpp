// The target frame of each family of zoom features, with figures on screens
// as the platform reports them: main screen first, global coordinates with
// y up. Layout shares of visible frames on every side of the main screen,
// held to a window's limits, are the user-action model's; here are the
// roundings, the other families and the refusals and the menu titles of the
// features.

#include "plugin/core/feature_keys.h"
#include "plugin/zoom/layouts.h"
#include "plugin/zoom/menu_titles.h"
#include "plugin/zoom/positions.h"
#include "plugin/zoom/resolutions.h"
#include "plugin/zoom/screens.h"
#include "plugin/zoom/zoom_targets.h"
#include "support/geometry_printers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantro::zoom {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The main screen with a 22-point panel along its top; a larger screen to its
// right reaching lower; one on top of it; one left of it.
constexpr Screen kMain{Rect(0, 0, 1440, 900), Rect(0, 0, 1440, 878)};
constexpr Screen kRight{Rect(1440, -180, 1920, 1200), Rect(1440, -180, 1920, 1200)};
constexpr Screen kAbove{Rect(0, 900, 1280, 1024), Rect(0, 900, 1280, 1024)};
constexpr Screen kLeft{Rect(-1680, 0, 1680, 1050), Rect(-1680, 0, 1680, 1050)};
constexpr Screen kUnplugged{Rect(3360, 0, 0, 0), Rect(3360, 0, 0, 0)};
constexpr Rect kVisible = kMain.visibleFrame;
constexpr Rect kPlain(100, 100, 800, 600);

Size unchanged(Size size) {
    return size;
}
// A check that limits the size to a box, as a window's maximum size does.
SizeCheck clampTo(Size box) {
    return [box](Size size) {
        return Size{std::min(size.width, box.width), std::min(size.height, box.height)};
    };
}

TEST(ZoomTargets, LayoutsRoundDownThroughFloatAndPlaceTheCheckedSize) {
    // A half just under a whole number rounds up to it in float before the
    // floor (centring on negative coordinates is the user-action model's).
    EXPECT_EQ(maximizeTarget("VantroMaximizeLeftHalf", Rect(0, 0, 1439.9999999, 878), unchanged)
                  ->size.width,
              720);
    // The check runs once, and its size is placed against the layout's edges.
    int checks = 0;
    const SizeCheck counted = [&checks](Size size) {
        ++checks;
        return clampTo({10000, 101})(size);
    };
    EXPECT_EQ(maximizeTarget("VantroMaximizeHorizontalMiddleThird", kVisible, counted),
              Rect(0, 388, 1440, 101));
    EXPECT_EQ(checks, 1);
}

TEST(ZoomTargets, PositionsKeepTheSizeAndMoveAgainstTheVisibleFrame) {
    struct Case {
        const char* feature;
        Rect frame;
        Rect visible;
        Rect expected;
    };
    const Rect left = kLeft.visibleFrame;
    const Case cases[] = {
        {"VantroPositionCenter", kPlain, kVisible, Rect(320, 139, 800, 600)},
        {"VantroPositionRightEdge", kPlain, kVisible, Rect(640, 100, 800, 600)},
        {"VantroPositionTopEdge", kPlain, kVisible, Rect(100, 278, 800, 600)},
        {"VantroPositionBottomRightCorner", kPlain, kVisible, Rect(640, 0, 800, 600)},
        // An edge moves along one axis only, even for a window sticking out.
        {"VantroPositionLeftEdge", Rect(500, -300, 800, 600), kVisible, Rect(0, -300, 800, 600)},
        {"VantroPositionTopEdge", Rect(-900, 10, 800, 600), kVisible, Rect(-900, 278, 800, 600)},
        // A window larger than the screen sticks out past the far edge.
        {"VantroPositionRightEdge", Rect(0, 0, 1600, 600), kVisible, Rect(-160, 0, 1600, 600)},
        {"VantroPositionBottomRightCorner", kPlain, left, Rect(-800, 0, 800, 600)},
        // Centring rounds down through float: -853.5 becomes -854.
        {"VantroPositionCenter", Rect(0, 0, 1, 0), Rect(-1706, 0, 1706, 800),
         Rect(-854, 400, 1, 0)},
        // A window of no size is placed as a point.
        {"VantroPositionCenter", Rect(5, 5, 0, 0), kVisible, Rect(720, 439, 0, 0)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(positionTarget(c.feature, c.frame, c.visible), c.expected) << c.feature;
    }
}

TEST(ZoomTargets, ResolutionsCentreTheWindowOrItsContent) {
    struct Case {
        const char* feature;
        double chrome;
        Size limit;
        Rect expected;
    };
    const Size none{10000, 10000};
    const Size screen = kVisible.size;
    const Case cases[] = {
        {"VantroResolutionXGA", 0, none, Rect(208, 55, 1024, 768)},
        {"VantroResolutionXGA", 22, none, Rect(208, 44, 1024, 790)},
        // Larger than the screen: limited to its visible frame, which it fills.
        {"VantroResolutionWUXGA", 22, screen, Rect(0, 0, 1440, 878)},
        // Limited in one direction only: centred in the other.
        {"VantroResolutionSXGA", 0, screen, Rect(80, 0, 1280, 878)},
        // A chrome height no window can have counts as none.
        {"VantroResolutionXGA", kNaN, none, Rect(208, 55, 1024, 768)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(resolutionTarget(c.feature, c.chrome, kVisible, clampTo(c.limit)), c.expected)
            << c.feature << " with chrome " << c.chrome;
    }
    // Each resolution is the size its menu title reads, content mode adding
    // the title bar to the height only.
    const Rect wall(0, 0, 4000, 3000);
    int resolutions = 0;
    for (const auto& [title, feature] : kMenuTitles) {
        double width = 0;
        double height = 0;
        const std::string text(title);
        if (std::sscanf(text.c_str(), " %lf %*[^0-9]%lf", &width, &height) == 2) {
            ++resolutions;
            EXPECT_EQ(resolutionTarget(feature, 0, wall, unchanged)->size, Size(width, height));
            EXPECT_EQ(resolutionTarget(feature, 22, wall, unchanged)->size,
                      Size(width, height + 22));
        }
    }
    EXPECT_EQ(resolutions, 14);
    // The title bar is the chrome in content mode (any mode but 0) only.
    struct Chrome {
        std::int64_t mode;
        double frameHeight, contentHeight, expected;
    };
    for (const Chrome& c :
         {Chrome{0, 790, 768, 0}, Chrome{5, 790, 768, 22}, Chrome{-1, 790, 768, 22},
          Chrome{1, 768, 790, 0}, Chrome{1, kNaN, 768, 0}, Chrome{1, kInfinity, 768, 0}}) {
        EXPECT_EQ(chromeHeight(c.mode, c.frameHeight, c.contentHeight), c.expected)
            << c.mode << ": " << c.frameHeight << " over " << c.contentHeight;
    }
    EXPECT_EQ(modeSetBy("VantroSetZoomWholeWindowToResolution"), 0);
    EXPECT_EQ(modeSetBy("VantroSetZoomWidowsContentToResolution"), 1); // the key keeps its typo
    EXPECT_FALSE(modeSetBy("VantroResolutionVGA"));
}

TEST(ZoomTargets, ScreensCentreTheWindowOnTheNextOrPrevious) {
    const std::vector<Screen> sideBySide{kMain, kRight};
    const std::vector<Screen> stacked{kMain, kAbove};
    const std::vector<Screen> three{kMain, kRight, kLeft};
    const std::vector<Screen> gap{kMain, kUnplugged, kLeft};
    struct Case {
        const std::vector<Screen>& screens;
        const char* feature;
        Rect frame;
        int current;
        Rect expected;
    };
    const Case cases[] = {
        {sideBySide, "VantroNextScreen", kPlain, 0, Rect(2000, 120, 800, 600)},
        // Larger than the main screen's visible frame: cut to it. Two
        // screens: next from the last wraps to the first, and back.
        {sideBySide, "VantroPreviousScreen", Rect(1440, -180, 1920, 1200), 1, kVisible},
        {sideBySide, "VantroNextScreen", Rect(1440, -180, 1920, 1200), 1, kVisible},
        {stacked, "VantroNextScreen", kPlain, 0, Rect(240, 1112, 800, 600)},
        {stacked, "VantroPreviousScreen", Rect(0, 900, 1280, 1024), 1, Rect(80, 0, 1280, 878)},
        // Three screens: previous wraps backwards; a screen with no area is passed over.
        {three, "VantroPreviousScreen", kPlain, 0, Rect(-1240, 225, 800, 600)},
        {three, "VantroNextScreen", Rect(-1500, 100, 1680, 1050), 2, kVisible},
        {gap, "VantroNextScreen", kPlain, 0, Rect(-1240, 225, 800, 600)},
        {{kMain, kUnplugged, kUnplugged}, "VantroNextScreen", kPlain, 0, kPlain},
        // A window of no size lands on the other screen's centre.
        {sideBySide, "VantroNextScreen", Rect(10, 10, 0, 0), 0, Rect(2400, 420, 0, 0)},
        // Without another screen with an area the window stays.
        {sideBySide, "VantroNextScreen", kPlain, -1, kPlain},    // on no screen
        {sideBySide, "VantroPreviousScreen", kPlain, 2, kPlain}, // the list shrank under it
    };
    for (const Case& c : cases) {
        EXPECT_EQ(screenTarget(c.feature, c.frame, c.current, c.screens, unchanged), c.expected)
            << c.feature << " from " << c.current << " of " << c.screens.size();
    }
    // The cut size passes through the check, once.
    int checks = 0;
    Size seen;
    const SizeCheck maximum = [&checks, &seen](Size size) {
        ++checks;
        seen = size;
        return clampTo({1000, 700})(size);
    };
    EXPECT_EQ(
        screenTarget("VantroPreviousScreen", Rect(1440, -180, 1920, 1200), 1, sideBySide, maximum),
        Rect(220, 89, 1000, 700));
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(seen, (Size{1440, 878}));
}

TEST(ZoomTargets, DispatchTheFeatureToItsFamilyWithTheZoomsInputs) {
    const std::vector<Screen> screens{kMain, kRight};
    const TargetInputs inputs{kPlain, kVisible, 0, screens, 22};
    // The zoom hook's tests reach the other families through this dispatch.
    EXPECT_EQ(zoomTarget("VantroPositionCenter", inputs, unchanged), Rect(320, 139, 800, 600));
    for (const char* key : {"VantroStandardZoom", "VantroKeepCentered", "Next Screen"}) {
        EXPECT_FALSE(zoomTarget(key, inputs, unchanged)) << key;
    }
    // The main screen's visible frame once the list shrank under the window's.
    EXPECT_EQ(zoomVisibleFrame(2, screens), kVisible);
    // A window on no screen is brought to the main one, except by the
    // screen features.
    const Rect away(5000, 5000, 800, 600);
    const TargetInputs off{away, kVisible, -1, screens, 0};
    EXPECT_EQ(zoomTarget("VantroPositionCenter", off, unchanged), Rect(320, 139, 800, 600));
    EXPECT_EQ(zoomTarget("VantroPreviousScreen", off, unchanged), away);
    // With no screens only the screen features answer, keeping the frame.
    const TargetInputs none{kPlain, Rect(), -1, {}, 0};
    for (std::string_view feature : core::feature::kZoomOrder) {
        const bool screen = feature == "VantroNextScreen" || feature == "VantroPreviousScreen";
        EXPECT_EQ(zoomTarget(feature, none, unchanged),
                  screen ? std::optional<Rect>(kPlain) : std::nullopt)
            << feature;
    }
}

TEST(ZoomTargets, NoneFromFramesAndSizesThatCannotBePlaced) {
    const std::vector<Screen> screens{kMain, kRight};
    // Shares and resolutions do not depend on the window's frame; moves do.
    const Rect broken(kNaN, kNaN, kNaN, kNaN);
    const TargetInputs nan{broken, kVisible, 0, screens, 0};
    EXPECT_EQ(zoomTarget("VantroMaximizeRightHalf", nan, unchanged), Rect(720, 0, 720, 878));
    EXPECT_EQ(zoomTarget("VantroResolutionXGA", nan, unchanged), Rect(208, 55, 1024, 768));
    for (const Rect& frame : {broken, Rect(100, 100, -1, 600), Rect(100, 100, 800, -600)}) {
        const TargetInputs inputs{frame, kVisible, 0, screens, 0};
        for (const char* feature :
             {"VantroPositionCenter", "VantroPositionLeftEdge", "VantroNextScreen"}) {
            EXPECT_FALSE(zoomTarget(feature, inputs, unchanged)) << feature << " " << frame.minX();
        }
    }
    for (const Rect& visible :
         {Rect(0, 0, 0, 878), Rect(kNaN, 0, 1440, 878), Rect(0, 0, 1440, kInfinity)}) {
        int checks = 0;
        const SizeCheck counted = [&checks](Size size) {
            ++checks;
            return size;
        };
        EXPECT_FALSE(maximizeTarget("VantroMaximizeLeftHalf", visible, counted));
        EXPECT_EQ(checks, 0);
        EXPECT_FALSE(resolutionTarget("VantroResolutionXGA", 0, visible, unchanged));
        EXPECT_FALSE(positionTarget("VantroPositionCenter", kPlain, visible));
    }
    for (const Size faulty : {Size{kNaN, 100}, Size{100, -1}, Size{kInfinity, 100}}) {
        const SizeCheck answering = [faulty](Size) { return faulty; };
        EXPECT_FALSE(maximizeTarget("VantroMaximizeWholeScreen", kVisible, answering));
        EXPECT_FALSE(resolutionTarget("VantroResolutionXGA", 0, kVisible, answering));
        EXPECT_FALSE(screenTarget("VantroNextScreen", kPlain, 0, screens, answering));
    }
    // An empty check allows the proposed size.
    EXPECT_EQ(maximizeTarget("VantroMaximizeLeftHalf", kVisible, nullptr), Rect(0, 0, 720, 878));
}

// That the menu's commands map to their features through these titles is the
// zoom options menu test's; every feature the zoom asks has exactly one.
TEST(MenuTitles, OneForEveryFeature) {
    for (std::string_view key : core::feature::kZoomOrder) {
        const auto count = std::count_if(kMenuTitles.begin(), kMenuTitles.end(),
                                         [&](const auto& entry) { return entry.second == key; });
        EXPECT_EQ(count, 1) << key;
    }
}

} // namespace
} // namespace vantro::zoom
