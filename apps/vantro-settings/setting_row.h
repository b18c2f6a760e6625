#pragma once

// One row of the settings window: the settings key it edits, the shape the
// value is stored in, the title the user reads and, for rows with a chooser,
// the choices it offers. The window builds a row's widgets from the shape:
// a switch for the enabled flag, a chooser when there are choices, a list
// editor for string lists.

#include "settings/catalogue.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantro::settings_app {

struct Choice {
    std::int64_t code; // what is stored: a modifier code, display mode or layout number
    std::string label;
};

struct SettingRow {
    std::string_view key;
    settings::Shape shape;
    std::string_view title;
    std::vector<Choice> choices;
};

struct SettingGroup {
    std::string_view title;
    std::string_view note; // one line under the title; may be empty
    // Folded away by default: the keys of the zoom menu's other commands,
    // which most users never bind to a modifier.
    bool folded;
    std::vector<SettingRow> rows;
};

// Every shape but integers and string lists carries an enabled flag.
inline bool rowHasSwitch(const SettingRow& row) {
    return row.shape != settings::Shape::integer && row.shape != settings::Shape::stringList;
}

} // namespace vantro::settings_app
