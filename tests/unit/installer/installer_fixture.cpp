#include "installer_fixture.h"

#include <glib.h>
#include <unistd.h>

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
              R"(<?xml version="1.0"?><plist version="1.0"><dict><key>)" + std::string(key) +
                  "</key><string>" + version + "</string></dict></plist>");
}

InstallerMachine::InstallerMachine() {
    gchar* folder = g_dir_make_tmp("vantro-installer-XXXXXX", nullptr);
    root_ = folder;
    g_free(folder);
    locations_ =
        InstallLocations::in({.user = root_ + "/home/.local/share", .system = root_ + "/usr"});
    carried_ = CarriedParts::in(root_ + "/installer/Resources");
    fs::create_directories(root_ + "/usr");
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

RecordingServices::RecordingServices(const InstallerMachine& machine)
    : helper_(machine.locations(), machine.carried(), getuid()) {}

bool RecordingServices::authorizedInstall(InstallLocations::Part part) {
    ++authorizedCalls;
    return authorized &&
           !fs::exists(fs::symlink_status(helper_.locations().rootLocationOf(part))) &&
           helper_.install(part).ok();
}

} // namespace vantro::installer::testing
