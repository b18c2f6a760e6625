#pragma once

// xsettingsd's configuration: one setting a line, a name followed by its
// value (an integer, a string in double quotes with backslash escapes, or a
// colour in parentheses), '#' starting a comment. The loader edits only the
// Gtk/Modules line and leaves every other byte as it was.

#include <string>
#include <string_view>
#include <vector>

namespace vantro::loader_app {

inline constexpr std::string_view kGtkModulesSetting = "Gtk/Modules";

struct XsettingsdConfigEdit {
    enum class Outcome {
        alreadyNames, // Gtk/Modules names the module: leave the file alone
        edited,       // `config` is the new text
        unreadable,   // the Gtk/Modules line is not a string setting: `error` says why
    };
    Outcome outcome = Outcome::unreadable;
    std::string config;
    std::string error;
};

// The configuration `config` with Gtk/Modules naming `modulePath`: the
// module appended to the setting's value, or a Gtk/Modules line added at the
// end. `home` expands a "~/" in the value, as GTK does.
XsettingsdConfigEdit configNamingModule(std::string_view config, std::string_view modulePath,
                                        std::string_view home);

// The file a running xsettingsd reads, from its command line (`arguments`,
// the program's name first): the last -c/--config option, relative to its
// working directory, else `home`'s ".xsettingsd".
std::string xsettingsdConfigPath(const std::vector<std::string>& arguments,
                                 std::string_view workingDirectory, std::string_view home);

} // namespace vantro::loader_app
