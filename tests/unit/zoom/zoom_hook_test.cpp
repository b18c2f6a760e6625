// Zooms as a host runs them: the plug-in's methods grafted onto the fake
// window class and its zoom hooks installed, then zoom: sent to a window.

#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_window.h"
#include "platform/window.h"
#include "plugin/core/window_state.h"
#include "plugin/entry/window_hooks.h"
#include "plugin/feedback/dimension_overlay.h"
#include "plugin/feedback/hud_alert.h"
#include "plugin/zoom/zoom_execution.h"
#include "settings/catalogue.h"
#include "settings/memory_backend.h"
#include "settings/vantro_user_defaults.h"

#include <gtest/gtest.h>

namespace vantro::zoom {
namespace {

using namespace platform;
using fake::FakePlatform;
using fake::FakeWindow;
using runtime::Selector;
using settings::PlistValue;

const Rect kLeftHalf(0, 0, 720, 878);
const Rect kStart(100, 100, 800, 600);

PlistValue pair(bool on, std::int64_t second) {
    return PlistValue::array({PlistValue::boolean(on), PlistValue::integer(second)});
}

class ZoomHook : public ::testing::Test {
  public:
    ZoomHook() {
        auto memoryStore = std::make_unique<settings::VantroUserDefaults>(
            std::make_unique<settings::MemoryBackend>(), settings::BroadcastObject::plugin,
            settings::kDomain);
        defaults = memoryStore.get();
        previous =
            settings::VantroUserDefaults::installStandardUserDefaults(std::move(memoryStore));
        defaults->registerDefaults(settings::defaultSettings());
        entry::installWindowHooks(FakeWindow::windowClass());
        platform.screenList = {{Rect(0, 0, 1440, 900), Rect(0, 0, 1440, 878)},
                               {Rect(1440, -180, 1920, 1200), Rect(1440, -180, 1920, 1200)}};
        window.frame = kStart;
        store("VantroAnimateZooms", pair(false, -1));
    }
    ~ZoomHook() override {
        platform.clock.runUntilIdle();
        core::vantroFakeIvars().removeEntry(&window);
        delete settings::VantroUserDefaults::installStandardUserDefaults(
            std::unique_ptr<settings::VantroUserDefaults>(previous));
    }
    ZoomHook(const ZoomHook&) = delete;
    ZoomHook& operator=(const ZoomHook&) = delete;

    void store(std::string_view key, const PlistValue& value) {
        ASSERT_TRUE(defaults->setObject(&value, key).ok());
    }
    void zoomWith(ModifierFlags flags) {
        platform.holdModifiers(flags);
        platform::zoom(&window, nullptr);
    }

    FakePlatform platform;
    FakeWindow window{platform};
    settings::VantroUserDefaults* defaults = nullptr;
    settings::VantroUserDefaults* previous = nullptr;
};

TEST_F(ZoomHook, RepeatingAFeatureUndoesIt) {
    zoomWith(kControlKeyMask);
    EXPECT_EQ(window.frame, kLeftHalf);
    EXPECT_FALSE(feedback::hudAlertWindow().isVisible()); // nothing hit, nothing to say
    zoomWith(kControlKeyMask);
    EXPECT_EQ(window.frame, kStart);
    EXPECT_TRUE(feedback::hudAlertWindow().isVisible());
    EXPECT_EQ(feedback::hudAlertWindow().surface().text(), "Undo Zoom");
    platform.clock.advance(2);
    zoomWith(kControlKeyMask);
    EXPECT_EQ(window.frame, kLeftHalf);
    EXPECT_EQ(window.countOf("zoom:"), 0U); // the host's zoom never ran
}

TEST_F(ZoomHook, EachModifierSetPicksItsFeature) {
    struct Case {
        ModifierFlags held;
        Rect expected;
    };
    const Case cases[] = {
        {kShiftKeyMask, Rect(0, 0, 1440, 878)},
        {kCommandKeyMask, Rect(720, 0, 720, 878)},
        {kShiftKeyMask | kControlKeyMask, Rect(0, 439, 1440, 439)},
        {kShiftKeyMask | kCommandKeyMask, Rect(0, 0, 1440, 439)},
    };
    for (const Case& c : cases) {
        core::vantroFakeIvars().removeEntry(&window);
        window.frame = kStart;
        zoomWith(c.held);
        EXPECT_EQ(window.frame, c.expected) << std::hex << c.held;
    }
}

TEST_F(ZoomHook, NoFeatureOrAClosedGateRunsTheHostZoom) {
    zoomWith(0);
    EXPECT_EQ(window.countOf("zoom:"), 1U);
    EXPECT_EQ(window.frame, Rect(0, 0, 1440, 878)); // the fake host's own zoom
    store("VantroPluginEnabled", PlistValue::boolean(false));
    zoomWith(kControlKeyMask);
    EXPECT_EQ(window.countOf("zoom:"), 2U);
    EXPECT_EQ(window.frame, kStart);
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

TEST_F(ZoomHook, HiddenAndShownAgainStartsOver) {
    zoomWith(kControlKeyMask);
    orderOut(&window, nullptr);
    window.visible = true;
    zoomWith(kControlKeyMask);
    EXPECT_EQ(window.frame, kLeftHalf);
}

TEST_F(ZoomHook, AChangedVisibleFrameBreaksTheUndo) {
    zoomWith(kControlKeyMask);
    platform.screenList[0].visibleFrame = Rect(0, 0, 1440, 900);
    zoomWith(kControlKeyMask);
    EXPECT_EQ(window.frame, Rect(0, 0, 720, 900));
}

TEST_F(ZoomHook, MenuCommandForcesItsFeatureForOneTenthOfASecond) {
    platform.holdModifiers(kControlKeyMask);
    runtime::send<void>(&window, Selector::named("vantroZoomWithFeature:"),
                        std::string_view("VantroMaximizeVerticalLeftThird"));
    EXPECT_EQ(window.frame, Rect(0, 0, 480, 878));
    EXPECT_EQ(window.countOf("performZoom:"), 1U); // through the host's performZoom:
    EXPECT_TRUE(core::vantroFakeIvars().activeMenuFeature().has_value());
    platform.clock.advance(static_cast<double>(0.1F));
    EXPECT_FALSE(core::vantroFakeIvars().activeMenuFeature().has_value());
}

TEST_F(ZoomHook, ResolutionModeCommandChangesTheSettingOnly) {
    runtime::send<void>(&window, Selector::named("vantroZoomWithFeature:"),
                        std::string_view("VantroSetZoomWidowsContentToResolution"));
    EXPECT_EQ(defaults->integerForKey("VantroResolutionZoomMode"), 1);
    EXPECT_EQ(window.frame, kStart);
    EXPECT_EQ(core::readString(core::vantroFakeIvars().entryFor(&window),
                               core::state_key::kLastZoomFeaturePerformed),
              nullptr);
    // In content mode the content area takes the resolution.
    platform.clock.advance(1);
    runtime::send<void>(&window, Selector::named("vantroZoomWithFeature:"),
                        std::string_view("VantroResolutionXGA"));
    EXPECT_EQ(window.frame, Rect(208, 44, 1024, 768 + window.titleBarHeight));
}

TEST_F(ZoomHook, NextScreenCentresOnTheOtherScreen) {
    runtime::send<void>(&window, Selector::named("vantroZoomWithFeature:"),
                        std::string_view("VantroNextScreen"));
    EXPECT_EQ(window.frame, Rect(2000, 120, 800, 600));
}

TEST_F(ZoomHook, AnimatedZoomFinishesItsBookkeepingWhenTheAnimationEnds) {
    store("VantroAnimateZooms", pair(true, -1));
    zoomWith(kControlKeyMask);
    EXPECT_NE(window.frame, kLeftHalf); // still animating
    EXPECT_TRUE(core::readFlag(core::vantroFakeIvars().entryFor(&window), core::state_key::kZoom));
    platform.clock.advance(kZoomAnimationDuration + 0.02);
    EXPECT_EQ(window.frame, kLeftHalf);
    EXPECT_FALSE(core::readFlag(core::vantroFakeIvars().entryFor(&window), core::state_key::kZoom));
    EXPECT_EQ(
        core::readRect(core::vantroFakeIvars().entryFor(&window), core::state_key::kZoomedToFrame),
        kLeftHalf);

    // The newest generation hands the animation to the host.
    platform.appKitVersion = 1138;
    zoomWith(kControlKeyMask);
    EXPECT_EQ(window.frame, kStart);
    EXPECT_TRUE(window.actions.back().animate);
}

TEST_F(ZoomHook, DimensionTabFollowsTheKindsOfZoomAskedFor) {
    struct Case {
        std::int64_t mode;
        ModifierFlags held; // Control: a plug-in zoom; none: the host's
        bool shown;
    };
    const Case cases[] = {{2, kControlKeyMask, true},
                          {2, 0, true},
                          {1, kControlKeyMask, true},
                          {1, 0, false},
                          {0, 0, true},
                          {0, kControlKeyMask, false},
                          {5, 0, false}};
    for (const Case& c : cases) {
        store("VantroShowDimensionsAfterZooms", pair(true, c.mode));
        core::vantroFakeIvars().removeEntry(&window);
        window.frame = kStart;
        window.zoomedByHost = false;
        zoomWith(c.held);
        EXPECT_EQ(feedback::dimensionsBox().isAttached(), c.shown) << c.mode << " " << c.held;
        platform.clock.advance(kDimensionsAfterZoomDuration + 0.2);
        EXPECT_FALSE(feedback::dimensionsBox().isAttached());
    }
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

} // namespace
} // namespace vantro::zoom
