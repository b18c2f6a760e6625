#pragma once

// Adding an entry to a string list and removing one, as the list editor
// offers them.

#include "row_state.h"

#include <optional>
#include <string_view>

namespace vantro::settings_app {

// The list with `item`, blanks around it trimmed, appended; nothing when
// that leaves it empty or the list already holds it (membership is exact,
// so "org.gnome.Nautilus" and "org.gnome.nautilus" are two entries).
std::optional<RowState> withItemAdded(const RowState& state, std::string_view item);
// The list without any entry equal to `item`; nothing when it holds none.
std::optional<RowState> withItemRemoved(const RowState& state, std::string_view item);

} // namespace vantro::settings_app
