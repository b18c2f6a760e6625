// The loader module: a GTK 3 module that every GTK 3 application of the user
// loads (GTK_MODULES, settings.ini or the session's XSETTINGS). At start it
// loads the plug-in bundles of the plug-in folders; VANTRO_PLUGIN_FOLDERS
// (folders separated by ':') replaces those folders, for running the build
// tree's bundle without installing it.

#include "loader/bundle_loader.h"
#include "runtime/system_log.h"

#include <gtk/gtk.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> foldersToSearch() {
    if (const char* override = std::getenv("VANTRO_PLUGIN_FOLDERS");
        override != nullptr && *override != '\0') {
        std::vector<std::string> folders;
        std::istringstream list(override);
        for (std::string folder; std::getline(list, folder, ':');) {
            if (!folder.empty()) {
                folders.push_back(folder);
            }
        }
        return folders;
    }
    return vantro::loader::pluginFolders(g_get_user_data_dir());
}

vantro::loader::BundleLoader& bundleLoader() {
    static auto* loader = new vantro::loader::BundleLoader(
        [](std::string_view line) { vantro::runtime::systemLog(line); });
    return *loader;
}

} // namespace

extern "C" G_MODULE_EXPORT void gtk_module_init(gint* /*argc*/, gchar*** /*argv*/) {
    for (const auto& bundle : bundleLoader().loadFrom(foldersToSearch())) {
        g_debug("Loaded the plug-in bundle %s (%s)", bundle.path.c_str(),
                bundle.identifier.c_str());
    }
}
