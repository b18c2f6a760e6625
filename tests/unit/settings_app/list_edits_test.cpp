// Adding and removing a list's items. A plain add, trimmed, and a remove are
// driven through the window by tests/e2e/settings_app.sh.

#include "list_edits.h"

#include <gtest/gtest.h>

namespace vantro::settings_app {
namespace {

TEST(ListEdits, RefusesBlanksDuplicatesAndAbsentItemsRemovesEveryCopy) {
    using Items = std::vector<std::string>;
    const std::tuple<bool, Items, const char*, std::optional<Items>> cases[] = {
        {true, {"a"}, " \t ", std::nullopt},
        {true, {"a", "b"}, " b ", std::nullopt},
        {true, {"a"}, "A", Items{"a", "A"}}, // case counts
        {false, {"a", "b", "c", "a"}, "a", Items{"b", "c"}},
        {false, {"a"}, "A", std::nullopt},
        {false, {"a"}, "", std::nullopt}, // no selection
    };
    for (const auto& [adding, before, item, after] : cases) {
        const RowState list{false, 0, before};
        const std::optional<RowState> edited =
            adding ? withItemAdded(list, item) : withItemRemoved(list, item);
        EXPECT_EQ(edited ? std::optional(edited->items) : std::nullopt, after)
            << adding << " '" << item << "'";
    }
}

} // namespace
} // namespace vantro::settings_app
