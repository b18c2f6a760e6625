// Writing a row's state. That a change in the window is stored in its key's
// shape and announced, and that a refused write puts the widget back, is
// driven through the real application by tests/e2e/settings_app.sh.

#include "row_writer.h"
#include "setting_groups.h"
#include "settings/memory_backend.h"
#include "settings/plist_text.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

namespace vantro::settings_app {
namespace {

struct Store {
    std::shared_ptr<settings::MemoryDomainData> data =
        std::make_shared<settings::MemoryDomainData>();
    settings::VantroUserDefaults defaults{std::make_unique<settings::MemoryBackend>(data),
                                          settings::BroadcastObject::prefPane, settings::kDomain};
    [[nodiscard]] std::string stored(std::string_view key) const {
        const auto& domain = data->domains[std::string(settings::kDomain)];
        const auto found = domain.find(key);
        return found != domain.end() ? settings::toText(found->second) : "(nothing)";
    }
};

TEST(RowWriter, StoresEachShapeAndAnnouncesAsThePrefPane) {
    const struct {
        std::string_view key;
        RowState state;
        const char* stored;
    } cases[] = {
        {"VantroPluginEnabled", {false, 0, {}}, "false"},
        {"VantroMaximizeRightHalf", {false, -1, {}}, "[false, -1]"},
        {"VantroResolutionZoomMode", {false, 1, {}}, "1"},
        {"VantroApplicationBlacklist", {false, 0, {"a.b"}}, R"(["a.b"])"},
    };
    for (const auto& c : cases) {
        Store store;
        const WriteOutcome outcome = writeRowState(store.defaults, *rowForKey(c.key), c.state);
        EXPECT_EQ(outcome.error, "") << c.key;
        EXPECT_EQ(outcome.shown, c.state) << c.key;
        EXPECT_EQ(store.stored(c.key), c.stored) << c.key;
        EXPECT_EQ(store.data->postedObjects, std::vector<std::string>{"VantroPrefPane"}) << c.key;
    }
}

TEST(RowWriter, AFailedOrUnannouncedWriteSaysWhatHappened) {
    Store store;
    const SettingRow& row = *rowForKey("VantroKeepAspectRatio");
    ASSERT_EQ(writeRowState(store.defaults, row, {true, 3, {}}).error, "");
    store.data->failWrites = true;
    const testing::LogCapture log;
    WriteOutcome outcome = writeRowState(store.defaults, row, {false, 0, {}});
    EXPECT_EQ(outcome.error, "Could not save “Keep the aspect ratio”: the settings storage is "
                             "not available");
    EXPECT_EQ(outcome.shown, (RowState{true, 3, {}}));
    EXPECT_EQ(store.stored("VantroKeepAspectRatio"), "[true, 3]");
    EXPECT_EQ(log.lines().size(), 1U); // and once in the system log

    store.data->failWrites = false;
    store.data->failPosts = true;
    outcome = writeRowState(store.defaults, row, {false, 0, {}});
    EXPECT_EQ(outcome.error.rfind("“Keep the aspect ratio” was saved, but running applications "
                                  "were not told: ",
                                  0),
              0U)
        << outcome.error;
    EXPECT_EQ(outcome.shown, (RowState{false, 0, {}}));
    EXPECT_EQ(store.stored("VantroKeepAspectRatio"), "[false, 0]");
}

} // namespace
} // namespace vantro::settings_app
