// Zooms as a host runs them: the plug-in's methods grafted onto the fake
// window class and its zoom hooks installed, then zoom: sent to a window.
// Layouts, undo by repeating and what breaks it, animations and windows
// closed while they run are the user-action model's.

#include "platform/screen_lookup.h"
#include "plugin/feedback/dimension_overlay.h"
#include "plugin/feedback/hud_alert.h"
#include "plugin/zoom/zoom_execution.h"
#include "support/plugin_host.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace vantro::zoom {
namespace {

using namespace platform;
using fake::FakeWindow;
using runtime::Selector;
using settings::PlistValue;
using vantro::testing::settingPair;

const Rect kLeftHalf(0, 0, 720, 878);
const Rect kStart(100, 100, 800, 600);

class ZoomHook : public vantro::testing::PluginHost {
  public:
    ZoomHook() {
        platform.screenList = {{Rect(0, 0, 1440, 900), Rect(0, 0, 1440, 878)},
                               {Rect(1440, -180, 1920, 1200), Rect(1440, -180, 1920, 1200)}};
        window.frame = kStart;
    }
    void zoomWith(ModifierFlags flags) {
        platform.holdModifiers(flags);
        platform::zoom(&window, nullptr);
    }
    void zoomBy(std::string_view feature) {
        runtime::send<void>(&window, Selector::named("vantroZoomWithFeature:"), feature);
    }
};

TEST_F(ZoomHook, NoFeatureOrAClosedGateRunsTheHostZoom) {
    zoomWith(0);
    EXPECT_EQ(window.countOf("zoom:"), 1U);
    EXPECT_EQ(window.frame, Rect(0, 0, 1440, 878)); // the fake host's own zoom
    store("VantroPluginEnabled", PlistValue::boolean(false));
    zoomWith(kControlKeyMask);
    EXPECT_EQ(window.countOf("zoom:"), 2U);
    EXPECT_EQ(window.frame, kStart);
    store("VantroPluginEnabled", PlistValue::boolean(true));
    platform.event.reset(); // no current event: no keys held
    platform::zoom(&window, nullptr);
    EXPECT_EQ(window.countOf("zoom:"), 3U);
}

TEST_F(ZoomHook, AUserMoveAwayForgetsTheHistory) {
    zoomWith(kControlKeyMask);
    window.frame.origin.x += 1;
    runtime::send<void>(&window, sel::setFrameAfterMove(), window.frame);
    EXPECT_EQ(core::vantroFakeIvars().entryFor(&window), nullptr);
    zoomWith(kControlKeyMask);
    EXPECT_EQ(window.frame, kLeftHalf); // zooms again instead of undoing

    // Dropped back exactly where the zoom put it, the history survives.
    runtime::send<void>(&window, sel::setFrameAfterMove(), window.frame);
    zoomWith(kControlKeyMask);
    EXPECT_EQ(window.frame, Rect(1, 0, 720, 878)); // undone to where the user had put it
}

TEST_F(ZoomHook, MenuCommandForcesItsFeatureForOneTenthOfASecond) {
    platform.holdModifiers(kControlKeyMask);
    zoomBy("VantroMaximizeVerticalLeftThird");
    EXPECT_EQ(window.frame, Rect(0, 0, 480, 878));
    EXPECT_EQ(window.countOf("performZoom:"), 1U); // through the host's performZoom:
    EXPECT_TRUE(core::vantroFakeIvars().activeMenuFeature().has_value());
    platform.clock.advance(static_cast<double>(0.1F));
    EXPECT_FALSE(core::vantroFakeIvars().activeMenuFeature().has_value());
}

TEST_F(ZoomHook, ResolutionModeCommandChangesTheSettingOnly) {
    zoomBy("VantroSetZoomWidowsContentToResolution");
    EXPECT_EQ(settings.store().integerForKey("VantroResolutionZoomMode"), 1);
    EXPECT_EQ(window.frame, kStart);
    EXPECT_EQ(core::readString(core::vantroFakeIvars().entryFor(&window),
                               core::state_key::kLastZoomFeaturePerformed),
              nullptr);
    // In content mode the content area takes the resolution.
    platform.clock.advance(1);
    zoomBy("VantroResolutionXGA");
    EXPECT_EQ(window.frame, Rect(208, 44, 1024, 768 + window.titleBarHeight));
}

TEST_F(ZoomHook, NextScreenAgainGoesOnInsteadOfUndoing) {
    zoomBy("VantroNextScreen");
    EXPECT_EQ(window.frame, Rect(2000, 120, 800, 600));
    // On the other screen the visible frame differs from the one the zoom
    // left, so the repeat is a new zoom: on to the next screen, which with
    // two screens is the main one again, centred.
    platform.clock.advance(1);
    zoomBy("VantroNextScreen");
    EXPECT_EQ(window.frame, Rect(320, 139, 800, 600));
}

// Half-way from beyond the second screen to the main screen's left half, the
// window is over the second screen; the same command then still undoes the
// zoom, which first takes its end frame.
TEST_F(ZoomHook, TheSameCommandDuringAnAnimationAcrossScreensUndoes) {
    store("VantroAnimateZooms", settingPair(true, -1));
    const Rect beyond(3400, 100, 800, 600);
    window.frame = beyond;
    zoomWith(kControlKeyMask);
    platform.clock.advance(kZoomAnimationDuration / 2);
    ASSERT_EQ(screenHoldingMostOf(window.frame, platform.screenList), 1);
    zoomWith(kControlKeyMask);
    platform.clock.advance(kZoomAnimationDuration + 0.02);
    EXPECT_EQ(window.frame, beyond);
}

TEST_F(ZoomHook, DimensionTabFollowsTheKindsOfZoomAskedFor) {
    struct Case {
        std::int64_t mode;
        ModifierFlags held; // Control: a plug-in zoom; none: the host's
        bool shown;
    };
    const Case cases[] = {{2, 0, true}, {1, kControlKeyMask, true},  {1, 0, false},
                          {0, 0, true}, {0, kControlKeyMask, false}, {5, 0, false}};
    for (const Case& c : cases) {
        store("VantroShowDimensionsAfterZooms", settingPair(true, c.mode));
        core::vantroFakeIvars().removeEntry(&window);
        window.frame = kStart;
        window.zoomedByHost = false;
        zoomWith(c.held);
        EXPECT_EQ(feedback::dimensionsBox().isAttached(), c.shown) << c.mode << " " << c.held;
        platform.clock.advance(kDimensionsAfterZoomDuration + 0.2);
        EXPECT_FALSE(feedback::dimensionsBox().isAttached());
    }
}

// The tab goes at once, without its fade, while a zoom applies the window's frame.
TEST_F(ZoomHook, TabRemovalReadsTheZoomFlagOfTheWindow) {
    runtime::send<void>(&window,
                        Selector::named("vantroAddDimensionsToWindowWithFrame:contentFrameHeight:"),
                        window.frame, 458.0);
    ASSERT_TRUE(feedback::dimensionsBox().isAttached());
    core::writeFlag(core::vantroFakeIvars().ensureEntry(&window), core::state_key::kZoom, true);
    runtime::send<void>(&window, Selector::named("vantroRemoveDimensionsFromWindow"));
    EXPECT_FALSE(feedback::dimensionsBox().isAttached());
}

TEST_F(ZoomHook, AWindowOnNoScreenIsZoomedOnTheMainScreen) {
    window.frame = Rect(9000, 9000, 800, 600);
    zoomWith(kControlKeyMask);
    EXPECT_EQ(window.frame, kLeftHalf);
    platform.screenList.clear();
    window.frame = Rect(9000, 9000, 800, 600);
    zoomWith(kControlKeyMask); // no screen at all: the host decides
    EXPECT_EQ(window.countOf("zoom:"), 1U);
}

TEST_F(ZoomHook, ADelegateAnsweringNaNLeavesTheZoomToTheHost) {
    static platform::fake::FakeResizeDelegate nanDelegate([](Size /*size*/) {
        return Size{std::numeric_limits<double>::quiet_NaN(), 600};
    });
    window.delegateObject = &nanDelegate;
    zoomWith(kControlKeyMask);
    EXPECT_EQ(window.countOf("zoom:"), 1U);
    EXPECT_TRUE(std::isfinite(window.frame.size.width));
}

TEST_F(ZoomHook, BadWindowsAndSettingsZoomSoundly) {
    // A window of no size is maximized like any other.
    window.frame = Rect(100, 100, 0, 0);
    zoomWith(kControlKeyMask);
    EXPECT_EQ(window.frame, kLeftHalf);

    // A feature setting of the wrong shape selects nothing: the host zooms.
    store("VantroMaximizeLeftHalf", PlistValue::string("Control"));
    const std::size_t hostZooms = window.countOf("zoom:");
    zoomWith(kControlKeyMask);
    EXPECT_EQ(window.countOf("zoom:"), hostZooms + 1);
}

// A window as hosts have them, zoomed to the whole screen by a menu command,
// then the same command again: the HUD names what held the window, then the
// undo. Windows held by their minimum and maximum are the user-action model's.
TEST_F(ZoomHook, EveryWindowKindZoomsThenUndoesToTheExactFrame) {
    static fake::FakeResizeDelegate capping([](Size size) {
        return Size{std::min(size.width, 1300.0), size.height};
    });
    struct Case {
        Size increments;
        fake::FakeResizeDelegate* delegate;
        Rect target;
        std::string message; // empty for none
    };
    // A terminal: 9 x 17 cells inside a 2 px border; 4 + 159 x 9 and
    // 4 + 51 x 17 are whole cells inside the visible frame.
    const std::string cells = "Width Incremented 1435px\nHeight Incremented 871px";
    const Case cases[] = {
        {{9, 17}, nullptr, Rect(2, 7, 1435, 871), cells},
        {{1, 1}, &capping, Rect(70, 0, 1300, 878), "Width Restricted 1300px"},
    };
    for (const Case& c : cases) {
        window.resizeIncrements = c.increments;
        window.delegateObject = c.delegate;
        window.frame = c.increments.width == 9 ? Rect(100, 100, 724, 412) : kStart;
        const Rect before = window.frame;
        zoomBy("VantroMaximizeWholeScreen");
        EXPECT_EQ(window.frame, c.target) << c.message;
        auto& hud = feedback::hudAlertWindow();
        EXPECT_EQ(hud.isVisible() ? std::string(hud.surface().text()) : "", c.message);
        EXPECT_EQ(window.countOf("zoom:"), 0U); // the host's zoom never ran
        platform.clock.advance(1);              // past the menu command's hold and the HUD
        zoomBy("VantroMaximizeWholeScreen");
        EXPECT_EQ(window.frame, before) << c.message;
        EXPECT_EQ(hud.surface().text(), "Undo Zoom");
        platform.clock.advance(1);
        core::vantroFakeIvars().removeEntry(&window);
    }
}

} // namespace
} // namespace vantro::zoom
