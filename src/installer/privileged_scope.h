#pragma once

// What the privileged helper agrees to run with administrator rights: the
// four tool runs of the file operations, each with exactly its fixed first
// arguments, and only on the system-wide install locations (the settings
// pane, the plug-in, the loader module and the system's GTK settings file).
// Paths are judged after symbolic links and ".." are resolved, so neither a
// link planted in a library folder nor a path that climbs out of it reaches
// anything else. Refusing is the helper's whole defence: it runs as root for
// whoever could authenticate, and serves nothing but the installer.

#include "installer/install_locations.h"
#include "installer/tool_run.h"

#include <string>
#include <string_view>
#include <vector>

namespace vantro::installer {

// The GTK 3 settings file every user's applications read at start.
inline constexpr std::string_view kSystemGtkSettingsFolder = "/etc/xdg";
inline constexpr std::string_view kGtkSettingsFileName = "gtk-3.0/settings.ini";

class PrivilegedScope {
  public:
    // A location is a folder that must exist (resolved through its links)
    // and a path below it taken literally: a link anywhere in that path
    // leads out of the scope.
    struct Location {
        std::string base;
        std::string below;
    };

    explicit PrivilegedScope(const std::vector<Location>& locations);

    // The three system-wide install locations and the system's GTK settings
    // file.
    static PrivilegedScope ofSystem(const InstallLocations& locations,
                                    std::string_view gtkSettingsFolder = kSystemGtkSettingsFolder);

    // Empty when `run` may run with rights; otherwise why it may not.
    [[nodiscard]] std::string refusalOf(const ToolRun& run) const;

  private:
    [[nodiscard]] bool isLocation(const std::string& path) const;
    [[nodiscard]] bool isParentOfLocation(const std::string& path) const;

    std::vector<std::string> locations_; // resolved
    std::vector<std::string> parents_;   // resolved
};

// `path` with symbolic links and "." and ".." resolved in its parent folder
// (as far as it exists; the rest taken as written) and its last component
// kept as written, so that a link there is judged as the link itself. Empty
// when `path` is not absolute or its last component is "." or "..".
std::string resolvedLocation(std::string_view path);

} // namespace vantro::installer
