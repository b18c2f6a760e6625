#include "row_writer.h"
#include "setting_groups.h"
#include "settings/memory_backend.h"
#include "settings/plist_text.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

namespace vantro::settings_app {
namespace {

using settings::MemoryBackend;
using settings::MemoryDomainData;
using settings::PlistValue;

// Stores in memory, but cannot announce: a write that reached the
// database while the session bus went away.
class UnannouncedBackend final : public settings::SettingsBackend {
  public:
    explicit UnannouncedBackend(std::shared_ptr<MemoryDomainData> data) : stored_(data) {}
    settings::Dictionary readAll(std::string_view domain) override {
        return stored_.readAll(domain);
    }
    settings::WriteResult write(std::string_view domain, std::string_view key,
                                const PlistValue* value) override {
        return stored_.write(domain, key, value);
    }
    void synchronize(std::string_view /*domain*/) override {}
    settings::WriteResult postChange(std::string_view /*objectString*/) override {
        return {"the session bus went away"};
    }
    void subscribe(std::string_view /*domain*/, std::function<void()> /*onChange*/) override {}

  private:
    MemoryBackend stored_;
};

struct Store {
    std::shared_ptr<MemoryDomainData> data = std::make_shared<MemoryDomainData>();
    settings::VantroUserDefaults defaults;

    explicit Store(bool announces = true)
        : defaults(announces ? std::unique_ptr<settings::SettingsBackend>(
                                   std::make_unique<MemoryBackend>(data))
                             : std::make_unique<UnannouncedBackend>(data),
                   settings::BroadcastObject::prefPane, settings::kDomain) {
        defaults.registerDefaults(settings::defaultSettings());
    }
    [[nodiscard]] std::string stored(std::string_view key) const {
        const auto& domain = data->domains[std::string(settings::kDomain)];
        const auto found = domain.find(key);
        return found != domain.end() ? settings::toText(found->second) : "(nothing)";
    }
};

TEST(RowWriter, StoresTheRowsShapeAndAnnouncesAsThePrefPane) {
    const struct {
        std::string_view key;
        RowState state;
        const char* stored;
    } cases[] = {
        {"VantroPluginEnabled", {false, 0, {}}, "false"},
        {"VantroKeepCentered", {true, 3, {}}, "[true, 3]"},
        {"VantroMaximizeRightHalf", {false, -1, {}}, "[false, -1]"},
        {"VantroShowDimensionsAfterZooms", {true, 0, {}}, "[true, 0]"},
        {"VantroShowZoomHudAlert", {false, -1, {}}, "[false, -1]"},
        {"VantroDefaultZoomBehavior", {true, 4, {}}, "[true, 4]"},
        {"VantroResolutionZoomMode", {false, 1, {}}, "1"},
        {"VantroApplicationBlacklist",
         {false, 0, {"org.gnome.Nautilus"}},
         R"(["org.gnome.Nautilus"])"},
        {"VantroApplicationBlacklist", {false, 0, {}}, "[]"},
        {"VantroResolutionWSXGA+", {true, 1, {}}, "[true, 1]"},
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

TEST(RowWriter, AFailedWriteReportsAndShowsTheStoredValueAgain) {
    Store store;
    const SettingRow& row = *rowForKey("VantroKeepAspectRatio");
    ASSERT_EQ(writeRowState(store.defaults, row, {true, 3, {}}).error, "");
    store.data->failWrites = true;
    const testing::LogCapture log;

    const WriteOutcome outcome = writeRowState(store.defaults, row, {false, 0, {}});
    EXPECT_EQ(outcome.error, "Could not save “Keep the aspect ratio”: the settings storage is "
                             "not available");
    EXPECT_EQ(outcome.shown, (RowState{true, 3, {}}));
    EXPECT_EQ(store.stored("VantroKeepAspectRatio"), "[true, 3]");
    EXPECT_EQ(store.data->postedObjects.size(), 1U);
    EXPECT_EQ(log.lines().size(), 1U); // and once in the system log
}

TEST(RowWriter, AWriteNobodyHeardOfSaysSo) {
    Store store(false);
    const testing::LogCapture log;

    const WriteOutcome outcome =
        writeRowState(store.defaults, *rowForKey("VantroAnimateZooms"), {false, -1, {}});
    EXPECT_EQ(outcome.error, "“Animate zooms” was saved, but running applications were not "
                             "told: the session bus went away");
    EXPECT_EQ(outcome.shown, (RowState{false, -1, {}}));
    EXPECT_EQ(store.stored("VantroAnimateZooms"), "[false, -1]");
}

} // namespace
} // namespace vantro::settings_app
