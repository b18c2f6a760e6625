#pragma once

// Every settings key the plug-in knows: its shape, its registered default if
// it has one, and the readers that take a stored value of any shape and
// answer what the plug-in acts on.

#include "settings/plist_value.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace vantro::settings {

inline constexpr std::string_view kDomain = "com.quillworks.vantro";

// The feature keys that have no registered default, in the order zooms ask
// them (after the five maximize features that have one): they read as
// disabled until a setting is stored and are reached through the menu.
inline constexpr std::array<std::string_view, 41> kFeatureKeysWithoutDefault = {
    "VantroMaximizeVerticalLeftThird",
    "VantroMaximizeVerticalMiddleThird",
    "VantroMaximizeVerticalRightThird",
    "VantroMaximizeHorizontalTopThird",
    "VantroMaximizeHorizontalMiddleThird",
    "VantroMaximizeHorizontalBottomThird",
    "VantroMaximizeLeftTwoThirds",
    "VantroMaximizeRightTwoThirds",
    "VantroMaximizeTopTwoThirds",
    "VantroMaximizeBottomTwoThirds",
    "VantroMaximizeTopLeftQuarter",
    "VantroMaximizeTopRightQuarter",
    "VantroMaximizeBottomLeftQuarter",
    "VantroMaximizeBottomRightQuarter",
    "VantroResolutioniOSOrig",
    "VantroResolutioniOSRetina",
    "VantroResolutionVGA",
    "VantroResolutionSVGA",
    "VantroResolutionXGA",
    "VantroResolutionHD720",
    "VantroResolutionWXGA",
    "VantroResolutionSXGA",
    "VantroResolutionHD",
    "VantroResolutionWSXGA",
    "VantroResolutionUXGA",
    "VantroResolutionWSXGA+",
    "VantroResolutionHD1080",
    "VantroResolutionWUXGA",
    "VantroSetZoomWholeWindowToResolution",
    "VantroSetZoomWidowsContentToResolution",
    "VantroPositionCenter",
    "VantroPositionLeftEdge",
    "VantroPositionRightEdge",
    "VantroPositionTopEdge",
    "VantroPositionBottomEdge",
    "VantroPositionTopLeftCorner",
    "VantroPositionTopRightCorner",
    "VantroPositionBottomLeftCorner",
    "VantroPositionBottomRightCorner",
    "VantroNextScreen",
    "VantroPreviousScreen",
};

enum class Shape {
    boolean,        // a boolean
    integer,        // an integer
    stringList,     // an array of strings
    featureSetting, // [enabled, modifier code]
    optionSetting,  // [enabled, -1]; only the flag is read
    displaySetting, // [enabled, display mode 0, 1 or 2]
    layoutChoice,   // [enabled, layout number]
};

struct KeyInfo {
    std::string_view key;
    Shape shape;
    bool hasDefault;
};

// The registered keys in the order of the defaults table, then the feature
// keys that have no default.
const std::vector<KeyInfo>& knownKeys();
const KeyInfo* findKey(std::string_view key);
std::string_view shapeName(Shape shape);

// A new dictionary of the registered defaults, exactly the registered keys.
Dictionary defaultSettings();

// Whether a value has the shape a tool may write for the key. Two-element
// settings must be arrays of exactly two numbers, the first a boolean (or
// the integer 0 or 1), the second an integer; booleans accept the integers 0
// and 1 too; a string list holds strings only.
bool valueHasShape(const PlistValue& value, Shape shape);

// --- Readers: tolerant of any stored value, nothing included. ---------------

// Element 0 is the flag, the last element the code (or layout number). Not
// an array, or an empty one, reads as disabled with code 0; a one-element
// array gives its element as both flag and code.
struct FeatureSetting {
    bool enabled = false;
    std::int64_t code = 0;
};
FeatureSetting readFeatureSetting(const PlistValue* value);

// Element 0 is the flag, element 1 the display mode. A missing mode reads as
// -1, which is no mode at all.
struct DisplaySetting {
    bool enabled = false;
    std::int64_t mode = -1;
};
DisplaySetting readDisplaySetting(const PlistValue* value);

bool readBoolean(const PlistValue* value);
std::int64_t readInteger(const PlistValue* value);
// Exact, case-sensitive membership; anything but an array contains nothing.
bool stringListContains(const PlistValue* value, std::string_view item);

} // namespace vantro::settings
