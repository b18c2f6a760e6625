#pragma once

// What a row's widgets show, and how it maps to the value stored under the
// row's key and back. Values are read as the plug-in reads them, so a value
// of the wrong shape shows what the plug-in makes of it (nothing usable
// reads as off, code 0, an empty list); a state is always written in the
// row's own shape.

#include "setting_row.h"
#include "settings/plist_value.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vantro::settings_app {

struct RowState {
    bool enabled = false; // the switch
    // The chooser's code: a modifier code, display mode, layout number or
    // the integer itself. Kept as stored, even when no choice shows it, so
    // that flipping the switch alone changes nothing else.
    std::int64_t code = 0;
    std::vector<std::string> items; // a string list's entries, in order

    friend bool operator==(const RowState&, const RowState&) = default;
};

// `value` may be null (nothing stored and no default).
RowState stateFromValue(const SettingRow& row, const settings::PlistValue* value);
settings::PlistValue valueFromState(const SettingRow& row, const RowState& state);

} // namespace vantro::settings_app
