// The feedback hooks as a host runs them: grafted onto the fake window class,
// the host's resignKeyWindow and orderOut: replaced, everything sent.

#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_window.h"
#include "platform/window.h"
#include "plugin/core/saved_implementations.h"
#include "plugin/core/vantro_window.h"
#include "plugin/core/window_state.h"
#include "plugin/feedback/dimension_overlay.h"
#include "plugin/feedback/feedback_methods.h"
#include "plugin/feedback/hud_alert.h"
#include "runtime/message_send.h"
#include "runtime/swizzle_kit.h"

#include <gtest/gtest.h>

namespace vantro::feedback {
namespace {

using platform::fake::FakePlatform;
using platform::fake::FakeWindow;
using runtime::Selector;

// Installed once for the whole test program, as the plug-in's entry does.
void installHooksOnce() {
    static const bool installed = [] {
        runtime::Class* provider = core::vantroWindowClass();
        addFeedbackMethods(provider);
        runtime::Class* windows = FakeWindow::windowClass();
        runtime::SwizzleKit::extendClass(windows, provider);
        core::savedImplementations().resignKeyWindow =
            runtime::SwizzleKit::swizzleInstanceMethod("resignKeyWindow", windows);
        core::savedImplementations().orderOut =
            runtime::SwizzleKit::swizzleInstanceMethod("orderOut:", windows);
        return true;
    }();
    (void)installed;
}

struct Hooks : ::testing::Test {
    FakePlatform platform;
    FakeWindow window{platform, "GtkDialog"};
    Hooks() { installHooksOnce(); }
    ~Hooks() override { core::vantroFakeIvars().removeEntry(&window); }
};

TEST_F(Hooks, OrderingOutForgetsTheWindowAndStillHidesIt) {
    core::writeFlag(core::vantroFakeIvars().ensureEntry(&window), core::state_key::kZoom, true);
    platform::orderOut(&window, nullptr);
    EXPECT_EQ(core::vantroFakeIvars().entryFor(&window), nullptr);
    EXPECT_FALSE(window.visible); // the host's orderOut: ran
    EXPECT_EQ(window.countOf("orderOut:"), 1U);
}

TEST_F(Hooks, ResigningKeyHidesThePanelOfAnyWindow) {
    FakeWindow other{platform};
    runtime::send<void>(&other, Selector::named("vantroShowHudAlertWindowWithMessage:forFrame:"),
                        std::string_view("Undo Zoom"), other.frame);
    ASSERT_TRUE(hudAlertWindow().isVisible());
    runtime::send<void>(&window, Selector::named("resignKeyWindow"));
    EXPECT_FALSE(hudAlertWindow().isVisible());
    EXPECT_FALSE(window.keyWindow);
}

TEST_F(Hooks, TabRemovalReadsTheZoomFlagOfTheWindow) {
    const Selector add =
        Selector::named("vantroAddDimensionsToWindowWithFrame:contentFrameHeight:");
    const Selector remove = Selector::named("vantroRemoveDimensionsFromWindow");
    runtime::send<void>(&window, add, window.frame, 458.0);
    ASSERT_TRUE(dimensionsBox().isAttached());
    core::writeFlag(core::vantroFakeIvars().ensureEntry(&window), core::state_key::kZoom, true);
    runtime::send<void>(&window, remove);
    EXPECT_FALSE(dimensionsBox().isAttached()); // at once: a zoom is applying its frame
}

} // namespace
} // namespace vantro::feedback
