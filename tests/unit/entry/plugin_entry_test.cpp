// The plug-in's start in a host: the bundle's exported entry runs the four
// class-load entries, which decline Java processes, choose the window class
// to extend and install the hooks. Each test runs in a process of its own
// under ctest, since the entries change the process's classes for good.

#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_window.h"
#include "platform/title_button.h"
#include "platform/window.h"
#include "plugin/core/saved_implementations.h"
#include "plugin/core/window_state.h"
#include "plugin/entry/plugin_entry.h"
#include "plugin/feedback/hud_alert.h"
#include "settings/catalogue.h"
#include "settings/memory_backend.h"
#include "settings/vantro_user_defaults.h"
#include "support/geometry_printers.h"
#include "support/memory_settings.h"

#include <gtest/gtest.h>

namespace vantro::entry {
namespace {

using namespace platform;
using fake::FakePlatform;
using fake::FakeWindow;

// The entries register the defaults themselves.
class PluginEntry : public ::testing::Test {
  public:
    PluginEntry() = default;
    ~PluginEntry() override { platform.clock.runUntilIdle(); }
    PluginEntry(const PluginEntry&) = delete;
    PluginEntry& operator=(const PluginEntry&) = delete;

    vantro::testing::MemorySettings settings{false};
    settings::VantroUserDefaults* defaults = &settings.store();
    FakePlatform platform;
};

// Declared first: once another test has run the entries in this process,
// their hooks stay.
TEST_F(PluginEntry, AJavaProcessGetsNothing) {
    platform.javaProcess = true;
    FakeWindow window(platform);
    vantro_bundle_load();
    EXPECT_TRUE(defaults->registeredDefaults().empty());
    const core::SavedImplementations& saved = core::savedImplementations();
    EXPECT_EQ(saved.zoom, nullptr);
    EXPECT_EQ(saved.mouseDown, nullptr);
    EXPECT_EQ(saved.update, nullptr);
    EXPECT_FALSE(runtime::respondsToSelector(&window, Selector::named("vantroShouldDoFeature:")));
}

TEST_F(PluginEntry, TheFirstPreferredClassThatExistsIsChosen) {
    EXPECT_EQ(chooseWindowClass(), FakeWindow::windowClass());
    runtime::Class* mm = FakeWindow::windowClass("MMWindow");
    EXPECT_EQ(chooseWindowClass(), mm);
    runtime::Class* px = FakeWindow::windowClass("PXCustomWindow");
    EXPECT_EQ(chooseWindowClass(), px);
}

TEST_F(PluginEntry, InstallsEveryHookOnceAndGatesOtherClassesOut) {
    FakeWindow::windowClass("PXCustomWindow");
    FakeWindow extended(platform, "PXCustomWindow");
    FakeWindow other(platform, "MMWindow");
    fake::addHostMenuMethods();
    vantro_bundle_load();
    vantro_bundle_load(); // a second load request changes nothing

    EXPECT_FALSE(defaults->registeredDefaults().empty());
    const core::SavedImplementations& saved = core::savedImplementations();
    for (const runtime::Imp imp :
         {saved.setFrame, saved.setFrameDisplay, saved.performZoom, saved.zoom,
          saved.windowMovedToRect, saved.setFrameAfterMove, saved.startLiveResize,
          saved.endLiveResize, saved.resignKeyWindow, saved.orderOut, saved.mouseDown,
          saved.rightMouseDown}) {
        EXPECT_NE(imp, nullptr);
    }
    EXPECT_TRUE(runtime::respondsToSelector(&extended, Selector::named("vantroShouldDoFeature:")));
    EXPECT_FALSE(runtime::respondsToSelector(&other, Selector::named("vantroShouldDoFeature:")));

    // Control selects the left half; only the extended class acts on it.
    platform.holdModifiers(kControlKeyMask);
    const settings::PlistValue noAnimation = vantro::testing::settingPair(false, -1);
    ASSERT_TRUE(defaults->setObject(&noAnimation, "VantroAnimateZooms").ok());
    extended.frame = other.frame = Rect(100, 100, 800, 600);
    zoom(&extended, nullptr);
    zoom(&other, nullptr);
    EXPECT_EQ(extended.frame, Rect(0, 0, 720, 878));
    EXPECT_EQ(extended.countOf("zoom:"), 0U);
    EXPECT_EQ(other.countOf("zoom:"), 1U); // the host's own zoom
    core::vantroFakeIvars().removeEntry(&extended);
    core::vantroFakeIvars().removeEntry(&other);
}

TEST_F(PluginEntry, AnExcludedApplicationStillForgetsHiddenWindowsAndHidesTheHud) {
    FakeWindow window(platform);
    vantro_bundle_load();
    const settings::PlistValue excluded =
        settings::PlistValue::array({settings::PlistValue::string("org.example.TestHost")});
    ASSERT_TRUE(defaults->setObject(&excluded, "VantroApplicationBlacklist").ok());
    platform.holdModifiers(kControlKeyMask);
    zoom(&window, nullptr);
    EXPECT_EQ(window.countOf("zoom:"), 1U); // the host's zoom, as without the plug-in

    core::vantroFakeIvars().ensureEntry(&window);
    feedback::hudAlertWindow().show(&window, "Undo Zoom", window.frame);
    runtime::send<void>(&window, sel::resignKeyWindow());
    EXPECT_FALSE(feedback::hudAlertWindow().isVisible());
    EXPECT_FALSE(window.keyWindow); // the host's own resignKeyWindow ran
    orderOut(&window, nullptr);
    EXPECT_EQ(core::vantroFakeIvars().entryFor(&window), nullptr);
    EXPECT_FALSE(window.visible); // and its orderOut:
}

} // namespace
} // namespace vantro::entry
