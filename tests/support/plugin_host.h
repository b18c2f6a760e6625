#pragma once

// A window of the fake host with the plug-in's hooks installed on its class,
// the plug-in's settings in memory (zooms not animated) and the host's
// current event set by the test; what the plug-in left behind goes after.

#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_window.h"
#include "platform/window.h"
#include "plugin/core/window_state.h"
#include "plugin/entry/window_hooks.h"
#include "plugin/feedback/resize_indicator.h"
#include "support/geometry_printers.h"
#include "support/memory_settings.h"

#include <gtest/gtest.h>

#include <string_view>

namespace vantro::testing {

class PluginHost : public ::testing::Test {
  public:
    PluginHost() {
        entry::installWindowHooks(platform::fake::FakeWindow::windowClass());
        store("VantroAnimateZooms", settingPair(false, -1));
    }
    ~PluginHost() override {
        feedback::topLeftResizeIndicator().remove();
        platform.clock.runUntilIdle();
        core::vantroFakeIvars().removeEntry(&window);
    }
    PluginHost(const PluginHost&) = delete;
    PluginHost& operator=(const PluginHost&) = delete;

    void store(std::string_view key, const settings::PlistValue& value) {
        EXPECT_TRUE(settings.set(key, value)) << key;
    }
    void setEvent(platform::EventType type, Point mouse, platform::ModifierFlags keys,
                  int clickCount = 0) {
        platform.mouse = mouse;
        platform::Event event;
        event.type = type;
        event.clickCount = clickCount;
        event.locationOnScreen = mouse;
        event.locationInWindow = mouse;
        event.modifierFlags = keys;
        platform.event = event;
    }

    MemorySettings settings;
    platform::fake::FakePlatform platform;
    platform::fake::FakeWindow window{platform};
};

} // namespace vantro::testing
