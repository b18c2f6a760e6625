// Writing a row's state. That a change in the window is stored in its key's
// shape and announced, and that a refused write shows an error and puts the
// widget back, is driven through the real application by
// tests/e2e/settings_app.sh.

#include "row_writer.h"
#include "setting_groups.h"
#include "settings/memory_backend.h"
#include "settings/plist_text.h"

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

// Stored, but not announced: the error says so and the widget keeps the
// new state, which is what the store holds.
TEST(RowWriter, AnUnannouncedWriteSaysSoAndKeepsTheNewState) {
    Store store;
    store.data->failPosts = true;
    const WriteOutcome outcome =
        writeRowState(store.defaults, *rowForKey("VantroKeepAspectRatio"), {true, 3, {}});
    EXPECT_EQ(outcome.error.rfind("“Keep the aspect ratio” was saved, but running applications "
                                  "were not told: ",
                                  0),
              0U)
        << outcome.error;
    EXPECT_EQ(outcome.shown, (RowState{true, 3, {}}));
    EXPECT_EQ(store.stored("VantroKeepAspectRatio"), "[true, 3]");
}

} // namespace
} // namespace vantro::settings_app
