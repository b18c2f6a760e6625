#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_window.h"
#include "plugin/core/common_gate.h"
#include "plugin/core/vantro_window.h"
#include "runtime/swizzle_kit.h"
#include "support/memory_settings.h"

#include <functional>
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
    struct Case {
        const char* what;
        std::function<void(Gate&)> arrange;
        runtime::Object* (*window)(Gate&);
        GateResult expected;
    };
    auto extendedWindow = [](Gate& g) -> runtime::Object* { return &g.extended; };
    auto plainWindow = [](Gate& g) -> runtime::Object* { return &g.plain; };
    auto noWindow = [](Gate&) -> runtime::Object* { return nullptr; };
    const Case cases[] = {
        {"defaults", [](Gate&) {}, extendedWindow, GateResult::open},
        {"window of another class", [](Gate&) {}, plainWindow, GateResult::windowNotExtended},
        {"no window asked (menu hooks)", [](Gate&) {}, noWindow, GateResult::open},
        {"disabled, even for another class",
         [](Gate& g) { g.store("VantroPluginEnabled", PlistValue::boolean(false)); }, plainWindow,
         GateResult::pluginDisabled},
        {"disabled as a string",
         [](Gate& g) { g.store("VantroPluginEnabled", PlistValue::string("no")); }, extendedWindow,
         GateResult::pluginDisabled},
        {"blacklisted",
         [](Gate& g) {
             g.store("VantroApplicationBlacklist",
                     PlistValue::array({PlistValue::string("org.example.TestHost")}));
         },
         extendedWindow, GateResult::applicationExcluded},
        {"blacklist compares whole strings",
         [](Gate& g) {
             g.store("VantroApplicationBlacklist",
                     PlistValue::array({PlistValue::string("org.example.testhost")}));
         },
         extendedWindow, GateResult::open},
        {"host without identifier is never excluded",
         [](Gate& g) {
             g.platform.bundleIdentifier.reset();
             g.store("VantroApplicationBlacklist", PlistValue::array({PlistValue::string("")}));
         },
         extendedWindow, GateResult::open},
        {"bundle deleted while running", [](Gate& g) { g.platform.existingPaths.clear(); },
         extendedWindow, GateResult::bundleRemoved},
    };
    for (const Case& c : cases) {
        settings.emplace();
        platform.bundleIdentifier = "org.example.TestHost";
        platform.existingPaths = {platform.bundlePath};
        c.arrange(*this);
        EXPECT_EQ(commonGate(c.window(*this)), c.expected) << c.what;
    }
}

} // namespace
} // namespace vantro::core
