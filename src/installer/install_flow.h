#pragma once

// What the installer does when its action button is pressed: install or
// update the settings pane and, when chosen, the plug-in (with the loader
// module every GTK 3 application loads it through), or remove them all.
// Every step runs on the caller's thread and blocks it, as the window's
// progress indicator tells the user.

#include "installer/install_locations.h"
#include "installer/installed_parts.h"
#include "installer/installer_services.h"

#include <optional>
#include <string>

namespace vantro::installer {

struct InstallChoices {
    bool install = true;    // the pane's check box: install (or update), else remove
    bool plugin = true;     // the plug-in's check box
    int prefPaneRow = 0;    // 0 the user's location, 1 the system's
    int pluginRow = 0;      // likewise for the plug-in
    bool loginItem = false; // start the loader at login
};

class InstallFlow {
  public:
    InstallFlow(InstallLocations locations, CarriedParts carried, InstallerServices& services);

    [[nodiscard]] const InstallLocations& locations() const { return locations_; }
    [[nodiscard]] const Versions& versions() const { return versions_; }
    void rereadVersions() { versions_.rereadInstalled(locations_); }

    void installVantro(const InstallChoices& choices);
    void uninstallVantro();
    bool removeInstalledPrefPane();
    bool removeInstalledPlugin();

    // Whether the last install left a loader module installed and named in
    // the GTK settings (without it the plug-in reaches no application).
    [[nodiscard]] bool loaderModuleReady() const { return loaderModuleReady_; }

    // The package that installed the system-wide copy, when a package did;
    // the flow then leaves the system-wide locations alone.
    [[nodiscard]] std::optional<std::string> packageManagedInstall() const;

  private:
    using Part = InstallLocations::Part;

    // Copies `source` to `destination`: the part installed with
    // administrator rights into the system's folder; plainly into the
    // user's, once more after `removeAgain` when the plain copy fails.
    bool copyInto(Part part, const std::string& source, const std::string& destination, bool root,
                  bool (InstallFlow::*removeAgain)());
    // Removes `location`, where `part` is (a marker or empty: nothing to
    // do); a copy a package installed is left alone (false).
    bool removeFound(const std::string& location, std::string_view marker, Part part);
    bool installLoaderModule(int row);
    void removeInstalledLoaderModule();

    InstallLocations locations_;
    CarriedParts carried_;
    InstallerServices& services_;
    Versions versions_;
    bool loaderModuleReady_ = false;
};

} // namespace vantro::installer
