#pragma once

// What the install flow asks of the system beyond reading the file system:
// administrator-rights file operations, the settings store, login items,
// the loader module's registration, the loader and the alert sound. The
// installer application gives the real ones; tests give recording ones.

#include "installer/install_locations.h"

#include <optional>
#include <string>
#include <string_view>

namespace vantro::installer {

class InstallerServices {
  public:
    virtual ~InstallerServices() = default;

    // Whether administrator rights are held, asking for them when not.
    virtual bool getAuthorization() = 0;
    // With administrator rights (asked for at most once per run), at the
    // part's system-wide location, from the installer's own copy; false
    // when refused or when the operation failed. Installing answers false
    // when something is at the location; removing answers true when
    // nothing is.
    virtual bool authorizedInstall(InstallLocations::Part part) = 0;
    virtual bool authorizedRemove(InstallLocations::Part part) = 0;
    // The Debian package that installed `location`, if one did: the
    // installer leaves such a copy alone.
    virtual std::optional<std::string> owningPackage(const std::string& location) = 0;

    virtual void writeSetting(std::string_view key, bool value) = 0;
    // Moves the user's stored settings to the trash, recoverable, and
    // clears them; true when done or when nothing was stored.
    virtual bool trashSettings() = 0;
    virtual void synchronizeSettings() = 0;

    // `loader` is the loader program's folder ("Vantro Loader.app").
    virtual bool inLoginItems(const std::string& loader) = 0;
    virtual void addToLoginItems(const std::string& loader) = 0;
    virtual void removeFromLoginItems(const std::string& loader) = 0;
    virtual void launchLoader(const std::string& loader) = 0;

    // Names the module file in the GTK settings that applications read at
    // start: the system's when `systemWide` (with administrator rights, the
    // system-wide module whatever `moduleFile` says), else the user's.
    virtual bool registerLoaderModule(const std::string& moduleFile, bool systemWide) = 0;
    virtual bool unregisterLoaderModule(const std::string& moduleFile, bool systemWide) = 0;

    virtual void beep() = 0;
};

} // namespace vantro::installer
