#include "list_edits.h"

#include <algorithm>

namespace vantro::settings_app {

namespace {

std::string_view trimmed(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

} // namespace

std::optional<RowState> withItemAdded(const RowState& state, std::string_view item) {
    const std::string_view entry = trimmed(item);
    if (entry.empty() ||
        std::find(state.items.begin(), state.items.end(), entry) != state.items.end()) {
        return std::nullopt;
    }
    RowState added = state;
    added.items.emplace_back(entry);
    return added;
}

std::optional<RowState> withItemRemoved(const RowState& state, std::string_view item) {
    RowState removed = state;
    // A stored list may hold an entry twice; none of them may survive.
    std::erase(removed.items, item);
    if (removed.items.size() == state.items.size()) {
        return std::nullopt;
    }
    return removed;
}

} // namespace vantro::settings_app
