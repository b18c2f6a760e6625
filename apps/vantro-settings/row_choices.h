#pragma once

// The choices the rows' choosers offer, named after what the plug-in does
// with each stored code.

#include "setting_row.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace vantro::settings_app {

// Modifier keys of a feature setting. The plug-in takes code 2 as Super for
// the maximize features and as Alt for every other feature, and any code
// but 0 to 3 as AltGr; so Super is offered as 3, AltGr as -1, and a
// maximize feature is not offered Super twice.
std::vector<Choice> modifierChoices(std::string_view key);
// The offered code that selects the same modifier key as `code` does.
std::int64_t offeredModifierCode(std::string_view key, std::int64_t code);

// Modes of "VantroShowDimensionsDuringResizing" and
// "VantroShowDimensionsAfterZooms"; the plug-in shows nothing for other modes.
std::vector<Choice> displayModeChoices(std::string_view key);

// "VantroDefaultZoomBehavior": 0 pops up the zoom options menu, 1 to 5 zoom
// with the maximize feature of that layout number.
std::vector<Choice> layoutChoices();

// "VantroResolutionZoomMode": 0 sizes the window's frame, 1 its content.
std::vector<Choice> resolutionModeChoices();

// The choice that shows a stored code, or -1 when none does (a display
// mode, layout or integer outside those offered: the chooser then shows
// nothing, and the code is kept until the user picks another).
int choiceIndexForCode(const SettingRow& row, std::int64_t code);

} // namespace vantro::settings_app
