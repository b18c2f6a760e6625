#pragma once

// A temporary machine for installer tests: a user's and a system's library
// folder, and an installer's resources folder carrying a settings pane
// (version 1.2, its plug-in 12) and the loader module.

#include "installer/install_locations.h"
#include "installer/installed_parts.h"
#include "installer/installer_services.h"
#include "installer/privileged_operations.h"

#include <glib.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace vantro::installer::testing {

inline void writeFile(const std::string& path, const std::string& contents) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path) << contents;
}

// A bundle folder whose Info.plist states `key` = `version`.
inline void makeBundle(const std::string& path, std::string_view key, const std::string& version) {
    writeFile(path + "/Contents/Info.plist",
              R"(<?xml version="1.0"?><plist version="1.0"><dict><key>)" + std::string(key) +
                  "</key><string>" + version + "</string></dict></plist>");
}

class InstallerMachine {
  public:
    InstallerMachine() {
        gchar* folder = g_dir_make_tmp("vantro-installer-XXXXXX", nullptr);
        root_ = folder;
        g_free(folder);
        locations_ =
            InstallLocations::in({.user = root_ + "/home/.local/share", .system = root_ + "/usr"});
        carried_ = CarriedParts::in(root_ + "/installer/Resources");
        std::filesystem::create_directories(root_ + "/usr");
        installPrefPane(carried_.prefPane, "1.2");
        installPlugin(carried_.plugin, "12");
        writeFile(carried_.loaderModule + std::string(kLoaderModuleFile), "module");
    }
    ~InstallerMachine() {
        std::error_code error;
        std::filesystem::permissions(root_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
        std::filesystem::remove_all(root_, error);
    }
    InstallerMachine(const InstallerMachine&) = delete;
    InstallerMachine& operator=(const InstallerMachine&) = delete;

    [[nodiscard]] const InstallLocations& locations() const { return locations_; }
    [[nodiscard]] const CarriedParts& carried() const { return carried_; }
    [[nodiscard]] const std::string& root() const { return root_; }
    // An installed pane (with its loader) or plug-in of the given version.
    void installPrefPane(const std::string& location, const std::string& version) const {
        makeBundle(location, "CFBundleShortVersionString", version);
        writeFile(location + std::string(kLoaderInPrefPane) + "/vantro-loader", "loader");
    }
    void installPlugin(const std::string& location, const std::string& version) const {
        makeBundle(location, "CFBundleVersion", version);
    }

  private:
    std::string root_;
    InstallLocations locations_;
    CarriedParts carried_;
};

// Services that act on the temporary folders and remember what was asked.
// Operations with administrator rights are done by the helper's own code
// on the machine's system folders, only while `authorized`.
class RecordingServices : public InstallerServices {
  public:
    explicit RecordingServices(const InstallerMachine& machine)
        : helper_(machine.locations(), machine.carried(), getuid()) {}

    bool authorized = true;
    int authorizedCalls = 0;
    std::map<std::string, std::string> packageOwned; // location -> package
    std::vector<std::string> settingsWritten;        // "key=true"
    std::vector<std::string> loginItems;
    std::vector<std::string> loadersLaunched;
    std::vector<std::string> registeredModules; // "path (system)" or "path (user)"
    int trashed = 0;
    int beeps = 0;

    bool getAuthorization() override { return ++authorizedCalls, authorized; }
    bool authorizedInstall(InstallLocations::Part part) override {
        ++authorizedCalls;
        return authorized &&
               !std::filesystem::exists(
                   std::filesystem::symlink_status(helper_.locations().rootLocationOf(part))) &&
               helper_.install(part).ok();
    }
    bool authorizedRemove(InstallLocations::Part part) override {
        return ++authorizedCalls, authorized && helper_.remove(part).ok();
    }
    std::optional<std::string> owningPackage(const std::string& location) override {
        const auto found = packageOwned.find(location);
        return found != packageOwned.end() ? std::optional(found->second) : std::nullopt;
    }
    void writeSetting(std::string_view key, bool value) override {
        settingsWritten.push_back(std::string(key) + (value ? "=true" : "=false"));
    }
    bool trashSettings() override { return ++trashed, true; }
    void synchronizeSettings() override {}
    bool inLoginItems(const std::string& loader) override {
        return std::ranges::find(loginItems, loader) != loginItems.end();
    }
    void addToLoginItems(const std::string& loader) override { loginItems.push_back(loader); }
    void removeFromLoginItems(const std::string& loader) override {
        std::erase(loginItems, loader);
    }
    void launchLoader(const std::string& loader) override { loadersLaunched.push_back(loader); }
    bool registerLoaderModule(const std::string& moduleFile, bool systemWide) override {
        registeredModules.push_back(moduleFile + (systemWide ? " (system)" : " (user)"));
        return true;
    }
    bool unregisterLoaderModule(const std::string& moduleFile, bool systemWide) override {
        std::erase(registeredModules, moduleFile + (systemWide ? " (system)" : " (user)"));
        return true;
    }
    void beep() override { ++beeps; }

  private:
    PrivilegedOperations helper_;
};

} // namespace vantro::installer::testing
