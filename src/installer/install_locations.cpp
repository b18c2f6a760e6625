#include "installer/install_locations.h"

#include <glib.h>

namespace vantro::installer {

namespace {

std::string joined(std::string_view folder, std::string_view rest) {
    std::string path(folder);
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    path += '/';
    path += rest;
    return path;
}

} // namespace

LibraryFolders LibraryFolders::ofThisUser() {
    LibraryFolders folders;
    const char* dataHome = g_getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && g_path_is_absolute(dataHome)) {
        folders.user = dataHome;
    } else if (const char* home = g_getenv("HOME"); home != nullptr && g_path_is_absolute(home)) {
        folders.user = joined(home, ".local/share");
    } else {
        folders.user = g_get_tmp_dir();
    }
    return folders;
}

InstallLocations InstallLocations::in(const LibraryFolders& folders) {
    const std::string pane = joined("PreferencePanes", kPrefPaneName);
    const std::string plugin = joined("SIMBL/Plugins", kPluginName);
    const std::string module = joined("ScriptingAdditions", kLoaderModuleName);
    return InstallLocations{
        .userPrefPane = joined(folders.user, pane),
        .rootPrefPane = joined(folders.system, pane),
        .userPlugin = joined(folders.user, plugin),
        .rootPlugin = joined(folders.system, plugin),
        .userLoaderModule = joined(folders.user, module),
        .rootLoaderModule = joined(folders.system, module),
        .systemFolder = folders.system,
        .systemConfigFolder = folders.systemConfig,
        .systemGtkSettings = joined(folders.systemConfig, kGtkSettingsFileName),
    };
}

const std::string& InstallLocations::rootLocationOf(Part part) const {
    switch (part) {
    case Part::prefPane:
        return rootPrefPane;
    case Part::plugin:
        return rootPlugin;
    case Part::loaderModule:
        break;
    }
    return rootLoaderModule;
}

std::vector<std::string> InstallLocations::all() const {
    return {userPrefPane, rootPrefPane, userPlugin, rootPlugin, userLoaderModule, rootLoaderModule};
}

bool InstallLocations::isRootPath(std::string_view path) const {
    std::string folder = systemFolder;
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return path.size() > folder.size() && path.starts_with(folder) && path[folder.size()] == '/';
}

} // namespace vantro::installer
