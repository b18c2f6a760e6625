#include "settings/catalogue.h"
#include "settings/memory_backend.h"
#include "settings/vantro_user_defaults.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

namespace vantro::settings {
namespace {

struct Store {
    explicit Store(BroadcastObject object = BroadcastObject::plugin)
        : defaults(std::make_unique<MemoryBackend>(data), object, kDomain) {
        defaults.registerDefaults(defaultSettings());
    }
    std::shared_ptr<MemoryDomainData> data = std::make_shared<MemoryDomainData>();
    VantroUserDefaults defaults;
};

// A stored value of any shape hides the default: value_properties_test.cpp;
// whether a key is stored, and a failed write's one line in the log,
// tests/integration/settings; a reset reaching the plug-in, which then takes
// the default, tests/e2e/zoom_button.sh.
TEST(VantroUserDefaults, PrefPaneCopyAnnouncesItselfAndIgnoresTheHandler) {
    Store pane(BroadcastObject::prefPane);
    int handled = 0;
    pane.defaults.setChangeHandler([&] { ++handled; });
    const PlistValue on = PlistValue::boolean(true);
    pane.defaults.setObject(&on, "VantroPluginEnabled");
    pane.defaults.vantroPreferencesDidChange();
    EXPECT_EQ(handled, 0);
    EXPECT_EQ(pane.data->postedObjects, std::vector<std::string>{"VantroPrefPane"});
}

TEST(VantroUserDefaults, RegistrationReplacesAndRepresentationHoldsOnlyStoredKeys) {
    Store s;
    EXPECT_TRUE(s.defaults.dictionaryRepresentation().empty());
    s.defaults.registerDefaults({{"VantroOnlyKey", PlistValue::integer(4)}});
    EXPECT_EQ(s.defaults.objectForKey("VantroPluginEnabled"), nullptr);
    EXPECT_EQ(s.defaults.integerForKey("VantroOnlyKey"), 4);
    const PlistValue v = PlistValue::integer(9);
    s.defaults.setObject(&v, "VantroResolutionZoomMode");
    EXPECT_EQ(s.defaults.dictionaryRepresentation(),
              (Dictionary{{"VantroResolutionZoomMode", PlistValue::integer(9)}}));
}

TEST(VantroUserDefaults, FailedWriteAnnouncesNothing) {
    Store s;
    s.data->failWrites = true;
    const testing::LogCapture log;
    const PlistValue off = PlistValue::boolean(false);
    const WriteResult result = s.defaults.setObject(&off, "VantroPluginEnabled");
    EXPECT_FALSE(result.ok());
    EXPECT_FALSE(result.stored);
    EXPECT_TRUE(s.data->postedObjects.empty());

    // Stored, and only the announcement failed: the result says so.
    s.data->failWrites = false;
    s.data->failPosts = true;
    const WriteResult unannounced = s.defaults.setObject(&off, "VantroPluginEnabled");
    EXPECT_FALSE(unannounced.ok());
    EXPECT_TRUE(unannounced.stored);
    EXPECT_FALSE(s.defaults.boolForKey("VantroPluginEnabled"));
}

} // namespace
} // namespace vantro::settings
