#pragma once

// Where the installer puts what it installs. Every location is a fixed path
// below one of two library folders: the user's ($XDG_DATA_HOME, by default
// ~/.local/share) and the system's (/usr/local/share, shared by every user
// and writable only with administrator rights). The installer and its
// helper with administrator rights both build every path from this table.

#include <string>
#include <string_view>
#include <vector>

namespace vantro::installer {

inline constexpr std::string_view kSystemLibraryFolder = "/usr/local/share";
inline constexpr std::string_view kPrefPaneName = "Vantro.prefPane";
inline constexpr std::string_view kPluginName = "Vantro.bundle";
inline constexpr std::string_view kLoaderModuleName = "SIMBL.osax";
// The folder of the GTK 3 settings file every user's applications read at
// start, and that file below it.
inline constexpr std::string_view kSystemConfigFolder = "/etc/xdg";
inline constexpr std::string_view kGtkSettingsFileName = "gtk-3.0/settings.ini";
// The marker answers of the lookups below when nothing is installed.
inline constexpr std::string_view kPrefPaneNotFound = "VantroPrefPaneNotFound";
inline constexpr std::string_view kPluginNotFound = "VantroPluginNotFound";

struct LibraryFolders {
    std::string user;
    std::string system{kSystemLibraryFolder};
    std::string systemConfig{kSystemConfigFolder};

    // The user's folder from XDG_DATA_HOME (when absolute) or HOME, the
    // temporary folder when neither gives one; the system's is fixed.
    static LibraryFolders ofThisUser();
};

struct InstallLocations {
    std::string userPrefPane; // <user>/PreferencePanes/Vantro.prefPane
    std::string rootPrefPane; // <system>/PreferencePanes/Vantro.prefPane
    std::string userPlugin;   // <user>/SIMBL/Plugins/Vantro.bundle
    std::string rootPlugin;   // <system>/SIMBL/Plugins/Vantro.bundle
    // The loader module every GTK 3 application loads at start.
    std::string userLoaderModule; // <user>/ScriptingAdditions/SIMBL.osax
    std::string rootLoaderModule; // <system>/ScriptingAdditions/SIMBL.osax
    std::string systemFolder;     // the system library folder itself
    std::string systemConfigFolder;
    std::string systemGtkSettings; // <system config>/gtk-3.0/settings.ini

    static InstallLocations in(const LibraryFolders& folders);

    // The system-wide location of a part.
    enum class Part { prefPane, plugin, loaderModule };
    [[nodiscard]] const std::string& rootLocationOf(Part part) const;

    // The six locations above, in that order.
    [[nodiscard]] std::vector<std::string> all() const;
    // Whether `path` lies in the system library folder: the installer's
    // counterpart of "begins with /Library" (a marker or a user path never
    // does).
    [[nodiscard]] bool isRootPath(std::string_view path) const;
};

} // namespace vantro::installer
