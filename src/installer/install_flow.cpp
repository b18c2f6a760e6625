#include "installer/install_flow.h"

#include "installer/bundle_versions.h"

#include <glib.h>
#include <glib/gstdio.h>

#include <filesystem>
#include <system_error>

namespace vantro::installer {

namespace {

std::string parentOf(const std::string& path) {
    return std::filesystem::path(path).parent_path().string();
}

// A copy as the user: folders created as needed, nothing overwritten, and
// nothing left behind when it fails half way.
bool plainCopy(const std::string& source, const std::string& destination) {
    std::error_code error;
    std::filesystem::create_directories(parentOf(destination), error);
    if (error || somethingExistsAt(destination)) {
        return false;
    }
    std::filesystem::copy(source, destination,
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::copy_symlinks,
                          error);
    if (error) {
        std::filesystem::remove_all(destination, error);
        return false;
    }
    return true;
}

bool plainRemove(const std::string& path) {
    std::error_code error;
    std::filesystem::remove_all(path, error);
    return !error && !somethingExistsAt(path);
}

} // namespace

InstallFlow::InstallFlow(InstallLocations locations, CarriedParts carried,
                         InstallerServices& services)
    : locations_(std::move(locations)), carried_(std::move(carried)), services_(services),
      versions_(Versions::of(carried_, locations_)) {}

bool InstallFlow::copyInto(Part part, const std::string& source, const std::string& destination,
                           bool root, bool (InstallFlow::*removeAgain)()) {
    if (root) {
        return !services_.owningPackage(destination) && services_.authorizedInstall(part);
    }
    if (plainCopy(source, destination)) {
        return true;
    }
    // A copy still at the user's location, when the lookup took the
    // system's first: take it away too and copy again. The user's own
    // library is always written as the user, never with rights.
    (this->*removeAgain)();
    return plainCopy(source, destination);
}

std::optional<std::string> InstallFlow::packageManagedInstall() const {
    for (const std::string* location :
         {&locations_.rootPrefPane, &locations_.rootPlugin, &locations_.rootLoaderModule}) {
        if (somethingExistsAt(*location)) {
            if (auto package = services_.owningPackage(*location)) {
                return package;
            }
        }
    }
    return std::nullopt;
}

void InstallFlow::installVantro(const InstallChoices& choices) {
    loaderModuleReady_ = false;
    const bool paneRoot = choices.prefPaneRow == 1;
    const bool pluginRoot = choices.pluginRow == 1;
    const std::string paneDestination =
        paneRoot ? locations_.rootPrefPane : locations_.userPrefPane;
    const std::string pluginDestination =
        pluginRoot ? locations_.rootPlugin : locations_.userPlugin;

    const auto finish = [this] { versions_.rereadInstalled(locations_); };
    // Rights first: removing the copies already installed and then being
    // refused the copy to the system would leave the user with none.
    // A package's copy is the package manager's: nothing is changed.
    if ((paneRoot || (choices.plugin && pluginRoot)) &&
        (packageManagedInstall() || !services_.getAuthorization())) {
        services_.beep();
        return finish();
    }
    if (!removeInstalledPrefPane()) {
        return finish();
    }
    copyInto(Part::prefPane, carried_.prefPane, paneDestination, paneRoot,
             &InstallFlow::removeInstalledPrefPane);
    if (!somethingExistsAt(paneDestination)) {
        services_.beep();
        return finish();
    }
    if (!choices.plugin) {
        return finish();
    }
    if (!removeInstalledPlugin()) {
        return finish();
    }
    copyInto(Part::plugin, carried_.plugin, pluginDestination, pluginRoot,
             &InstallFlow::removeInstalledPlugin);
    if (!somethingExistsAt(pluginDestination)) {
        services_.beep();
        return finish();
    }
    if (!installLoaderModule(choices.pluginRow)) {
        services_.beep();
        return finish();
    }
    services_.writeSetting("VantroPluginEnabled", true);
    const std::string loader = paneDestination + std::string(kLoaderInPrefPane);
    if (choices.loginItem && somethingExistsAt(loader) && !services_.inLoginItems(loader)) {
        services_.addToLoginItems(loader);
    }
    services_.launchLoader(loader);
    finish();
}

bool InstallFlow::installLoaderModule(int row) {
    std::string installed = loaderModuleInstallLocation(locations_);
    if (installed.empty()) {
        const bool root = row == 1;
        installed = root ? locations_.rootLoaderModule : locations_.userLoaderModule;
        const bool copied = root ? !services_.owningPackage(installed) &&
                                       services_.authorizedInstall(Part::loaderModule)
                                 : plainCopy(carried_.loaderModule, installed);
        if (!copied || !somethingExistsAt(installed)) {
            return false;
        }
    }
    loaderModuleReady_ = services_.registerLoaderModule(installed + std::string(kLoaderModuleFile),
                                                        locations_.isRootPath(installed));
    return loaderModuleReady_;
}

void InstallFlow::uninstallVantro() {
    if (removeInstalledPlugin()) {
        // The module only serves the plug-in; a copy of the plug-in left at
        // the other location still needs it.
        if (pluginInstallLocation(locations_) == kPluginNotFound) {
            removeInstalledLoaderModule();
        }
        services_.trashSettings();
        services_.synchronizeSettings();
        removeInstalledPrefPane();
    } else {
        services_.beep();
    }
    versions_.rereadInstalled(locations_);
}

bool InstallFlow::removeFound(const std::string& location, std::string_view marker, Part part) {
    if (location == marker) {
        return true;
    }
    if (locations_.isRootPath(location)) {
        return !services_.owningPackage(location) && services_.authorizedRemove(part);
    }
    return plainRemove(location);
}

bool InstallFlow::removeInstalledPrefPane() {
    const std::string location = prefPaneInstallLocation(locations_);
    if (location != kPrefPaneNotFound) {
        const std::string loader = location + std::string(kLoaderInPrefPane);
        if (somethingExistsAt(loader) && services_.inLoginItems(loader)) {
            services_.removeFromLoginItems(loader);
        }
    }
    return removeFound(location, kPrefPaneNotFound, Part::prefPane);
}

bool InstallFlow::removeInstalledPlugin() {
    return removeFound(pluginInstallLocation(locations_), kPluginNotFound, Part::plugin);
}

void InstallFlow::removeInstalledLoaderModule() {
    const std::string installed = loaderModuleInstallLocation(locations_);
    if (installed.empty()) {
        return;
    }
    const bool root = locations_.isRootPath(installed);
    if (root && services_.owningPackage(installed)) {
        return;
    }
    services_.unregisterLoaderModule(installed + std::string(kLoaderModuleFile), root);
    removeFound(installed, "", Part::loaderModule);
}

} // namespace vantro::installer
