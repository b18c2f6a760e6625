// Feature selection as a host runs it: VantroWindow's methods grafted onto
// the fake window class and sent through the runtime, reading the settings
// store and the current event.

#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_window.h"
#include "plugin/core/vantro_window.h"
#include "plugin/core/window_state.h"
#include "runtime/message_send.h"
#include "runtime/swizzle_kit.h"
#include "settings/catalogue.h"
#include "support/memory_settings.h"

#include <gtest/gtest.h>

namespace vantro::core {
namespace {

using namespace platform;
using runtime::Selector;
using settings::PlistValue;

class GraftedWindow : public ::testing::Test {
  public:
    GraftedWindow() {
        runtime::SwizzleKit::extendClass(fake::FakeWindow::windowClass(), vantroWindowClass());
    }
    ~GraftedWindow() override {
        vantroFakeIvars().removeEntry(&window);
        vantroFakeIvars().removeActiveMenuFeature();
    }
    GraftedWindow(const GraftedWindow&) = delete;
    GraftedWindow& operator=(const GraftedWindow&) = delete;

    bool shouldDo(std::string_view key) {
        return runtime::send<bool>(&window, Selector::named("vantroShouldDoFeature:"), key);
    }
    const std::string* recorded() {
        return readString(vantroFakeIvars().entryFor(&window), state_key::kThisShouldDoFeature);
    }
    void store(std::string_view key, const PlistValue& value) {
        EXPECT_TRUE(settings.set(key, value));
    }

    vantro::testing::MemorySettings settings;
    fake::FakePlatform platform;
    fake::FakeWindow window{platform, "GtkApplicationWindow"};
};

TEST_F(GraftedWindow, HeldKeysOfTheCurrentEventSelectAndRecord) {
    platform.holdModifiers(kControlKeyMask);
    EXPECT_TRUE(shouldDo("VantroMaximizeLeftHalf"));
    EXPECT_EQ(recorded(), nullptr); // no entry yet: nothing is recorded, none created
    EXPECT_EQ(vantroFakeIvars().entryFor(&window), nullptr);

    vantroFakeIvars().ensureEntry(&window);
    EXPECT_TRUE(shouldDo("VantroMaximizeLeftHalf"));
    EXPECT_EQ(*recorded(), "VantroMaximizeLeftHalf");
    EXPECT_FALSE(shouldDo("VantroMaximizeRightHalf"));
    EXPECT_EQ(*recorded(), "VantroMaximizeLeftHalf"); // only a yes overwrites

    platform.event.reset(); // no event: no keys held
    EXPECT_FALSE(shouldDo("VantroMaximizeLeftHalf"));
}

TEST_F(GraftedWindow, MenuChoiceAndResolutionModeShapeTheRecord) {
    vantroFakeIvars().ensureEntry(&window);
    store("VantroResolutionZoomMode", PlistValue::integer(1));
    vantroFakeIvars().setActiveMenuFeature("VantroResolutionVGA");
    platform.holdModifiers(kControlKeyMask);
    EXPECT_FALSE(shouldDo("VantroMaximizeLeftHalf"));
    EXPECT_TRUE(shouldDo("VantroResolutionVGA"));
    EXPECT_EQ(*recorded(), "VantroResolutionVGA-1");

    vantroFakeIvars().removeActiveMenuFeature();
    EXPECT_TRUE(shouldDo("VantroMaximizeLeftHalf"));
}

TEST_F(GraftedWindow, StoredSettingsOfTheWrongShapeReadAsOff) {
    vantroFakeIvars().ensureEntry(&window);
    platform.holdModifiers(kControlKeyMask);
    store("VantroMaximizeLeftHalf", PlistValue::string("on"));
    EXPECT_FALSE(shouldDo("VantroMaximizeLeftHalf"));
    store("VantroDefaultZoomBehavior", PlistValue::dictionary({}));
    store("VantroMaximizeLeftHalf",
          PlistValue::array({PlistValue::boolean(true), PlistValue::integer(1)}));
    EXPECT_TRUE(shouldDo("VantroMaximizeLeftHalf"));
    EXPECT_TRUE(runtime::send<bool>(&window, Selector::named("vantroControlKeyHasFeature")));
}

} // namespace
} // namespace vantro::core
