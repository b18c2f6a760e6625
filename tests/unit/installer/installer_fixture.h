#pragma once

// A temporary machine for installer tests: a user's and a system's library
// folder, and an installer's resources folder carrying a settings pane
// (version 1.2, its plug-in 12) and the loader module.

#include "installer/install_locations.h"
#include "installer/installed_parts.h"
#include "installer/installer_services.h"

#include <string>
#include <vector>

namespace vantro::installer::testing {

void writeFile(const std::string& path, const std::string& contents);
// A bundle folder whose Info.plist states `key` = `version`.
void makeBundle(const std::string& path, std::string_view key, const std::string& version);

class InstallerMachine {
  public:
    InstallerMachine();
    ~InstallerMachine();
    InstallerMachine(const InstallerMachine&) = delete;
    InstallerMachine& operator=(const InstallerMachine&) = delete;

    [[nodiscard]] const InstallLocations& locations() const { return locations_; }
    [[nodiscard]] const CarriedParts& carried() const { return carried_; }
    [[nodiscard]] const std::string& root() const { return root_; }
    // An installed pane (with its loader) or plug-in of the given version.
    void installPrefPane(const std::string& location, const std::string& version) const;
    void installPlugin(const std::string& location, const std::string& version) const;

  private:
    std::string root_;
    InstallLocations locations_;
    CarriedParts carried_;
};

// Services that act on the temporary folders and remember what was asked.
// Operations with administrator rights succeed only while `authorized`.
class RecordingServices : public InstallerServices {
  public:
    bool authorized = true;
    int authorizedCalls = 0;
    std::vector<std::string> settingsWritten; // "key=true"
    std::vector<std::string> loginItems;
    std::vector<std::string> loadersLaunched;
    std::vector<std::string> registeredModules; // "path (system)" or "path (user)"
    int trashed = 0;
    int beeps = 0;

    bool getAuthorization() override {
        ++authorizedCalls;
        return authorized;
    }
    bool authorizedCopy(const std::string& source, const std::string& destination) override;
    bool authorizedRemove(const std::string& path) override;
    void writeSetting(std::string_view key, bool value) override;
    bool trashSettings() override;
    void synchronizeSettings() override {}
    bool inLoginItems(const std::string& loader) override;
    void addToLoginItems(const std::string& loader) override;
    void removeFromLoginItems(const std::string& loader) override;
    void launchLoader(const std::string& loader) override;
    bool registerLoaderModule(const std::string& moduleFile, bool systemWide) override;
    bool unregisterLoaderModule(const std::string& moduleFile, bool systemWide) override;
    void beep() override { ++beeps; }
};

} // namespace vantro::installer::testing
