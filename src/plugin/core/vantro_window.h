#pragma once

// VantroWindow: the provider class whose methods the plug-in grafts onto the
// host's window class. This part holds the default settings table and the
// feature selection; the zoom and live-resize hooks add theirs.

#include "runtime/class.h"
#include "runtime/type_encoding.h"
#include "settings/plist_value.h"

namespace vantro::core {

inline constexpr const char* kVantroWindowClassName = "VantroWindow";

// The provider class, registered on first use with:
//   +vantroDefaults                    a new dictionary of the registered defaults
//   -vantroModifierForFeature:         the modifier mask that selects a feature
//   -vantroShouldDoFeature:            whether a feature applies now; records
//                                      its undo identity in the window's entry
//   -vantroControlKeyHasFeature        whether Control selects a maximize feature
//   -vantroRectToArray:, -vantroArrayToRect:   the per-window rectangle encoding
runtime::Class* vantroWindowClass();

} // namespace vantro::core

VANTRO_TYPE_ENCODING(vantro::settings::Dictionary, "{Dictionary}");
VANTRO_TYPE_ENCODING(vantro::settings::PlistValue, "{PlistValue}");
