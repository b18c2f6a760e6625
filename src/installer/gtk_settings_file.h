#pragma once

// The loader module named in, or taken out of, a GTK 3 settings file
// (settings.ini): the "gtk-modules" key of its [Settings] group, which GTK
// reads at every application's start. Everything else in the file (other
// keys, other groups, comments) is kept as it is. A file GTK could not read
// either is left alone: the edit reports it, and nothing the user wrote is
// lost.

#include <optional>
#include <string>
#include <string_view>

namespace vantro::installer {

inline constexpr std::string_view kGtkSettingsGroup = "Settings";
inline constexpr std::string_view kGtkModulesKey = "gtk-modules";

struct GtkSettingsEdit {
    enum class Outcome {
        unchanged, // the file already says what was asked
        write,     // `text` is the file's new content
        remove,    // nothing is left in the file: take it away
        unreadable // the file is not a key file; `error` says why
    } outcome = Outcome::unchanged;
    std::string text;
    std::string error;
};

// `current` is the file's content, none when there is no file.
GtkSettingsEdit gtkSettingsNaming(const std::optional<std::string>& current,
                                  std::string_view modulePath, std::string_view home);
GtkSettingsEdit gtkSettingsWithout(const std::optional<std::string>& current,
                                   std::string_view modulePath, std::string_view home);

// The user's settings file: $XDG_CONFIG_HOME/gtk-3.0/settings.ini (by default
// ~/.config/gtk-3.0/settings.ini).
std::string userGtkSettingsFile();

} // namespace vantro::installer
