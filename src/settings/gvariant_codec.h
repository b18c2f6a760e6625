#pragma once

// Settings values in dconf, so that `dconf read`, `dconf write` and
// dconf-editor are real clients of the domain: booleans are `b`, integers
// `i` (`x` when they do not fit in 32 bits), reals `d`, strings `s`, arrays
// `av`, dictionaries `a{sv}`. Reading accepts what any client may have
// written: every number type, typed arrays such as `as` and `ai`, tuples
// (as arrays), maybes (as arrays of zero or one element), object paths and
// signatures (as strings), and dictionaries with keys of any basic type
// (keys in their text form).

#include "settings/plist_value.h"

#include <glib.h>

namespace vantro::settings {

// A new floating GVariant.
GVariant* toGVariant(const PlistValue& value);
PlistValue fromGVariant(GVariant* value);

} // namespace vantro::settings
