#pragma once

// What the install flow asks of the system beyond reading the file system:
// administrator-rights file operations, the settings store, login items,
// the loader module's registration, the loader and the alert sound. The
// installer application gives the real ones; tests give recording ones.

#include <string>
#include <string_view>

namespace vantro::installer {

class InstallerServices {
  public:
    virtual ~InstallerServices() = default;

    // Whether administrator rights are held, asking for them when not.
    virtual bool getAuthorization() = 0;
    // With administrator rights (asked for at most once per run); false
    // when refused or when the operation failed.
    virtual bool authorizedCopy(const std::string& source, const std::string& destination) = 0;
    virtual bool authorizedRemove(const std::string& path) = 0;

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
    // start: the system's when `systemWide`, else the user's.
    virtual bool registerLoaderModule(const std::string& moduleFile, bool systemWide) = 0;
    virtual bool unregisterLoaderModule(const std::string& moduleFile, bool systemWide) = 0;

    virtual void beep() = 0;
};

} // namespace vantro::installer
