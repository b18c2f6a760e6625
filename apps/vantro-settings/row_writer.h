#pragma once

// Storing a row's new state: through the store, in the row's shape, and
// announced as the command-line tool announces its writes ("VantroPrefPane").

#include "row_state.h"
#include "settings/vantro_user_defaults.h"

#include <string>

namespace vantro::settings_app {

struct WriteOutcome {
    // What the row shows now: the value read back from the store, which is
    // the old one when the write failed.
    RowState shown;
    // For the user; empty when the value was written and announced.
    std::string error;
};

WriteOutcome writeRowState(settings::VantroUserDefaults& store, const SettingRow& row,
                           const RowState& state);

} // namespace vantro::settings_app
