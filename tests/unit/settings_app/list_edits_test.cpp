#include "list_edits.h"

#include <gtest/gtest.h>

namespace vantro::settings_app {
namespace {

RowState listOf(std::vector<std::string> items) {
    return {false, 0, std::move(items)};
}

TEST(ListEdits, Adding) {
    const struct {
        const char* what;
        std::vector<std::string> before;
        const char* item;
        std::optional<std::vector<std::string>> after;
    } cases[] = {
        {"trims blanks, keeps inner ones", {"a"}, " my app\t\n", {{"a", "my app"}}},
        {"refuses blanks only", {"a"}, " \t ", std::nullopt},
        {"refuses a duplicate", {"a", "b"}, " b ", std::nullopt},
        {"case counts", {"a"}, "A", {{"a", "A"}}},
    };
    for (const auto& c : cases) {
        const std::optional<RowState> added = withItemAdded(listOf(c.before), c.item);
        ASSERT_EQ(added.has_value(), c.after.has_value()) << c.what;
        if (added) {
            EXPECT_EQ(added->items, *c.after) << c.what;
        }
    }
}

TEST(ListEdits, Removing) {
    const struct {
        const char* what;
        std::vector<std::string> before;
        const char* item;
        std::optional<std::vector<std::string>> after;
    } cases[] = {
        {"every copy, in order", {"a", "b", "c", "a"}, "a", {{"b", "c"}}},
        {"nothing to remove", {"a"}, "A", std::nullopt},
        {"no selection", {"a"}, "", std::nullopt},
    };
    for (const auto& c : cases) {
        const std::optional<RowState> removed = withItemRemoved(listOf(c.before), c.item);
        ASSERT_EQ(removed.has_value(), c.after.has_value()) << c.what;
        if (removed) {
            EXPECT_EQ(removed->items, *c.after) << c.what;
        }
    }
}

} // namespace
} // namespace vantro::settings_app
