#include "installer_fixture.h"

#include <glib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace vantro::installer::testing {

namespace fs = std::filesystem;

void writeFile(const std::string& path, const std::string& contents) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path) << contents;
}

void makeBundle(const std::string& path, std::string_view key, const std::string& version) {
    writeFile(path + "/Contents/Info.plist",
              "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>" + std::string(key) +
                  "</key><string>" + version + "</string></dict></plist>");
}

InstallerMachine::InstallerMachine() {
    gchar* folder = g_dir_make_tmp("vantro-installer-XXXXXX", nullptr);
    root_ = folder;
    g_free(folder);
    locations_ =
        InstallLocations::in({.user = root_ + "/home/.local/share", .system = root_ + "/usr"});
    carried_ = CarriedParts::in(root_ + "/installer/Resources");
    installPrefPane(carried_.prefPane, "1.2");
    makeBundle(carried_.plugin, "CFBundleVersion", "12");
    writeFile(carried_.loaderModule + std::string(kLoaderModuleFile), "module");
}

InstallerMachine::~InstallerMachine() {
    std::error_code error;
    fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(root_, error);
}

void InstallerMachine::installPrefPane(const std::string& location,
                                       const std::string& version) const {
    makeBundle(location, "CFBundleShortVersionString", version);
    writeFile(location + std::string(kLoaderInPrefPane) + "/vantro-loader", "loader");
}

void InstallerMachine::installPlugin(const std::string& location,
                                     const std::string& version) const {
    makeBundle(location, "CFBundleVersion", version);
}

bool RecordingServices::authorizedCopy(const std::string& source, const std::string& destination) {
    ++authorizedCalls;
    if (!authorized || fs::exists(fs::symlink_status(destination))) {
        return false;
    }
    std::error_code error;
    fs::create_directories(fs::path(destination).parent_path(), error);
    fs::copy(source, destination, fs::copy_options::recursive, error);
    return !error;
}

bool RecordingServices::authorizedRemove(const std::string& path) {
    ++authorizedCalls;
    if (!authorized) {
        return false;
    }
    std::error_code error;
    fs::remove_all(path, error);
    return !error;
}

void RecordingServices::writeSetting(std::string_view key, bool value) {
    settingsWritten.push_back(std::string(key) + (value ? "=true" : "=false"));
}

bool RecordingServices::trashSettings() {
    ++trashed;
    return true;
}

bool RecordingServices::inLoginItems(const std::string& loader) {
    return std::ranges::find(loginItems, loader) != loginItems.end();
}

void RecordingServices::addToLoginItems(const std::string& loader) {
    loginItems.push_back(loader);
}

void RecordingServices::removeFromLoginItems(const std::string& loader) {
    std::erase(loginItems, loader);
}

void RecordingServices::launchLoader(const std::string& loader) {
    loadersLaunched.push_back(loader);
}

bool RecordingServices::registerLoaderModule(const std::string& moduleFile, bool systemWide) {
    registeredModules.push_back(moduleFile + (systemWide ? " (system)" : " (user)"));
    return true;
}

bool RecordingServices::unregisterLoaderModule(const std::string& moduleFile, bool systemWide) {
    std::erase(registeredModules, moduleFile + (systemWide ? " (system)" : " (user)"));
    return true;
}

} // namespace vantro::installer::testing
