#pragma once

// The fake host with the plug-in's hooks installed on its window class, the
// plug-in's settings in memory (zooms not animated) and the host's current
// event set by the test; the process's popups and pending actions go after.

#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_window.h"
#include "platform/window.h"
#include "plugin/core/window_state.h"
#include "plugin/entry/window_hooks.h"
#include "plugin/feedback/hud_alert.h"
#include "plugin/feedback/resize_indicator.h"
#include "support/geometry_printers.h"
#include "support/memory_settings.h"

#include <gtest/gtest.h>

#include <memory>
#include <string_view>
#include <utility>

namespace vantro::testing {

class PluginSession {
  public:
    // `data` is shared with the stores of other processes a test plays.
    explicit PluginSession(std::shared_ptr<settings::MemoryDomainData> domain =
                               std::make_shared<settings::MemoryDomainData>())
        : data(std::move(domain)) {
        entry::installWindowHooks(platform::fake::FakeWindow::windowClass());
        store("VantroAnimateZooms", settingPair(false, -1));
    }
    // Runs after the windows of a derived class are gone, which took their
    // state and their pending actions with them.
    ~PluginSession() {
        feedback::topLeftResizeIndicator().remove();
        feedback::hudAlertWindow().orderOutNow();
        platform.clock.runUntilIdle();
    }
    PluginSession(const PluginSession&) = delete;
    PluginSession& operator=(const PluginSession&) = delete;

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

    std::shared_ptr<settings::MemoryDomainData> data;
    MemorySettings settings{true, data};
    platform::fake::FakePlatform platform;
};

// One window of the fake host, for example-based tests.
class PluginHost : public ::testing::Test, public PluginSession {
  public:
    platform::fake::FakeWindow window{platform};
};

} // namespace vantro::testing
