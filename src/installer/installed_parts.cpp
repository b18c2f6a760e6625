#include "installer/installed_parts.h"

#include "installer/bundle_versions.h"

namespace vantro::installer {

namespace {

std::string firstInstalled(const std::string& root, const std::string& user,
                           std::string_view marker) {
    if (somethingExistsAt(root)) {
        return root;
    }
    if (somethingExistsAt(user)) {
        return user;
    }
    return std::string(marker);
}

} // namespace

CarriedParts CarriedParts::in(const std::string& resourcesFolder) {
    const std::string pane = resourcesFolder + "/" + std::string(kPrefPaneName);
    return {pane, pane + std::string(kPluginInPrefPane),
            resourcesFolder + "/" + std::string(kLoaderModuleName)};
}

std::string prefPaneInstallLocation(const InstallLocations& locations) {
    return firstInstalled(locations.rootPrefPane, locations.userPrefPane, kPrefPaneNotFound);
}

std::string pluginInstallLocation(const InstallLocations& locations) {
    return firstInstalled(locations.rootPlugin, locations.userPlugin, kPluginNotFound);
}

std::string loaderModuleInstallLocation(const InstallLocations& locations) {
    return firstInstalled(locations.rootLoaderModule, locations.userLoaderModule, "");
}

Versions Versions::of(const CarriedParts& carried, const InstallLocations& locations) {
    Versions versions{bundleVersion(carried.prefPane, kShortVersionKey),
                      bundleVersion(carried.plugin, kVersionKey), std::nullopt, std::nullopt};
    versions.rereadInstalled(locations);
    return versions;
}

namespace {

std::optional<std::string> installedVersion(const std::string& location, std::string_view marker,
                                            std::string_view key) {
    if (location == marker) {
        return std::nullopt;
    }
    return bundleVersion(location, key);
}

} // namespace

void Versions::rereadInstalled(const InstallLocations& locations) {
    installedPrefPane =
        installedVersion(prefPaneInstallLocation(locations), kPrefPaneNotFound, kShortVersionKey);
    installedPlugin =
        installedVersion(pluginInstallLocation(locations), kPluginNotFound, kVersionKey);
}

} // namespace vantro::installer
