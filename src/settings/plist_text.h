#pragma once

// The text form in which tools print and accept settings values:
//   true  false            booleans
//   1  -3                  integers
//   1.5  2e3  nan  inf     reals (always printed with a '.' or an exponent)
//   "text"                 strings, with JSON escapes
//   [true, 1]              arrays
//   {"width": 4}           dictionaries (keys are strings)
// Blanks between tokens are ignored.

#include "settings/plist_value.h"

#include <optional>
#include <string>
#include <string_view>

namespace vantro::settings {

std::string toText(const PlistValue& value);

struct TextParseResult {
    std::optional<PlistValue> value;
    std::string error; // with the offset where parsing stopped; empty on success
};

TextParseResult parseText(std::string_view text);

} // namespace vantro::settings
