#pragma once

// The zoom button's click handlers, replacing the title-bar button class's
// mouseDown: and rightMouseDown:, and the window's command that opens the
// settings.
//
//   VTmouseDown:             tracks the press to its release, then pops up
//                            the zoom options menu, zooms by the default
//                            behaviour, or leaves the click to the toolkit
//   VTrightMouseDown:        pops up the zoom options menu
//   vantroOpenPreferences    (window) starts the settings application

#include "runtime/class.h"

#include <string>
#include <string_view>

namespace vantro::button {

inline constexpr std::string_view kPreferencePaneName = "Vantro.prefPane";
// The system-wide pane; the user's is under their data folder.
inline constexpr std::string_view kSystemPreferencePanes = "/usr/local/share/PreferencePanes";

// The user's pane path, then the system's.
std::string userPreferencePanePath();
std::string systemPreferencePanePath();

// Adds the two click handlers to the provider grafted onto the title-bar
// button class.
void addTitleButtonMethods(runtime::Class* provider);
// Adds vantroOpenPreferences to the provider grafted onto the window class.
void addPreferencesMethod(runtime::Class* provider);

} // namespace vantro::button
