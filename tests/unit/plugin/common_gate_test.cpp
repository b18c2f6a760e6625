#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_window.h"
#include "plugin/core/common_gate.h"
#include "plugin/core/vantro_window.h"
#include "runtime/swizzle_kit.h"
#include "support/memory_settings.h"

#include <gtest/gtest.h>
#include <optional>

namespace vantro::core {
namespace {

using platform::fake::FakePlatform;
using platform::fake::FakeWindow;
using settings::PlistValue;

class Gate : public ::testing::Test {
  public:
    Gate() {
        // The extended class is a subclass; its superclass stays plain.
        runtime::SwizzleKit::extendClass(FakeWindow::windowClass("GateExtendedWindow"),
                                         vantroWindowClass());
    }
    void store(std::string_view key, const PlistValue& value) {
        EXPECT_TRUE(settings->set(key, value));
    }

    FakePlatform platform;
    FakeWindow extended{platform, "GateExtendedWindow"};
    FakeWindow plain{platform, "GatePlainWindow"};
    std::optional<vantro::testing::MemorySettings> settings;
};

TEST_F(Gate, TestsRunInOrderAndTheFirstFailureNamesItself) {
    const auto fresh = [this] {
        settings.emplace();
        platform.bundleIdentifier = "org.example.TestHost";
        platform.existingPaths = {platform.bundlePath};
    };
    const auto excluding = [this](const char* identifier) {
        store("VantroApplicationBlacklist", PlistValue::array({PlistValue::string(identifier)}));
    };
    fresh();
    EXPECT_EQ(commonGate(&extended), GateResult::open);
    EXPECT_EQ(commonGate(&plain), GateResult::windowNotExtended);
    EXPECT_EQ(commonGate(nullptr), GateResult::open); // no window asked (menu hooks)
    // Disabled comes first, even for another class; a string is not a yes.
    store("VantroPluginEnabled", PlistValue::boolean(false));
    EXPECT_EQ(commonGate(&plain), GateResult::pluginDisabled);
    store("VantroPluginEnabled", PlistValue::string("no"));
    EXPECT_EQ(commonGate(&extended), GateResult::pluginDisabled);
    fresh();
    excluding("org.example.TestHost");
    EXPECT_EQ(commonGate(&extended), GateResult::applicationExcluded);
    excluding("org.example.testhost"); // whole strings compared
    EXPECT_EQ(commonGate(&extended), GateResult::open);
    platform.bundleIdentifier.reset(); // a host without identifier is never excluded
    excluding("");
    EXPECT_EQ(commonGate(&extended), GateResult::open);
    fresh();
    platform.existingPaths.clear(); // the bundle deleted while running
    EXPECT_EQ(commonGate(&extended), GateResult::bundleRemoved);
}

} // namespace
} // namespace vantro::core
