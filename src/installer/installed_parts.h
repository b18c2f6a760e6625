#pragma once

// What the installer carries, what is installed where, and which versions
// both are. The installer carries the settings pane (which holds the
// plug-in and the loader program) and the loader module, in the resources
// folder beside its executable.

#include "installer/install_locations.h"

#include <optional>
#include <string>

namespace vantro::installer {

inline constexpr std::string_view kPluginInPrefPane = "/Contents/Resources/Vantro.bundle";
inline constexpr std::string_view kLoaderInPrefPane = "/Contents/Resources/Vantro Loader.app";
inline constexpr std::string_view kLoaderModuleFile = "/Contents/Linux/libvantro-loader-module.so";

struct CarriedParts {
    std::string prefPane;     // <resources>/Vantro.prefPane
    std::string plugin;       // the plug-in inside that pane
    std::string loaderModule; // <resources>/SIMBL.osax

    static CarriedParts in(const std::string& resourcesFolder);
};

// The root location when something is there, else the user location when
// something is there, else the marker.
std::string prefPaneInstallLocation(const InstallLocations& locations);
std::string pluginInstallLocation(const InstallLocations& locations);
// The loader module the applications load: the system's first. Empty when
// none is installed.
std::string loaderModuleInstallLocation(const InstallLocations& locations);

struct Versions {
    std::optional<std::string> internalPrefPane; // CFBundleShortVersionString
    std::optional<std::string> internalPlugin;   // CFBundleVersion
    std::optional<std::string> installedPrefPane;
    std::optional<std::string> installedPlugin;

    static Versions of(const CarriedParts& carried, const InstallLocations& locations);
    // Reads the installed versions again, from where the lookups above find
    // the installed copies.
    void rereadInstalled(const InstallLocations& locations);
};

} // namespace vantro::installer
