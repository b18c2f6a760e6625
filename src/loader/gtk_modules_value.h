#pragma once

// The value of the XSETTINGS setting Gtk/Modules, read as GTK reads it:
// module names or paths separated by ':', each trimmed of white space,
// empty ones skipped, a leading "~/" standing for the home folder.

#include <string>
#include <string_view>
#include <vector>

namespace vantro::loader {

// The entries GTK loads from `value`, with "~/" expanded to `home`.
std::vector<std::string> gtkModuleEntries(std::string_view value, std::string_view home);

// Whether one of the entries is exactly `modulePath`. Another copy of the
// module at another path does not count: the installed one is what the
// applications are to load.
bool gtkModulesNames(std::string_view value, std::string_view modulePath, std::string_view home);

// Whether GTK can be told to load `modulePath` at all: an absolute path, with
// no ':' (the separator) and no white space at its ends (trimmed away).
bool isNameableModulePath(std::string_view modulePath);

// `value` with `modulePath` appended, the other entries kept as written.
std::string gtkModulesWith(std::string_view value, std::string_view modulePath);

// `value` without the entries that name `modulePath` (as written or through
// "~/"), the other entries kept as written; empty when none is left.
std::string gtkModulesWithout(std::string_view value, std::string_view modulePath,
                              std::string_view home);

} // namespace vantro::loader
