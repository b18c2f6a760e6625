#pragma once

// The settings window's content: every settings key as one row, in the
// groups the window shows them in, top to bottom.

#include "setting_row.h"

#include <string_view>
#include <vector>

namespace vantro::settings_app {

const std::vector<SettingGroup>& settingGroups();
// The row of a key, or null for a key the window does not show.
const SettingRow* rowForKey(std::string_view key);

} // namespace vantro::settings_app
