// The loader module: a GTK 3 module that every GTK 3 application of the user
// loads (GTK_MODULES, settings.ini or the session's XSETTINGS). Loaded at
// start it loads the plug-in bundles of the plug-in folders at once; loaded
// into an application already running (the loader changed Gtk/Modules) it
// loads them when the loader's LoadPlugins call arrives. Either way it then
// answers load requests (load_request.h). VANTRO_PLUGIN_FOLDERS (folders
// separated by ':') replaces the plug-in folders, for running the build
// tree's bundle without installing it.

#include "loader/bundle_loader.h"
#include "loader/load_request.h"
#include "runtime/system_log.h"

#include <gtk/gtk.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> foldersToSearch() {
    // Read on the main thread, at initialisation and on requests; the module
    // never changes the environment.
    const char* override = std::getenv("VANTRO_PLUGIN_FOLDERS"); // NOLINT(concurrency-mt-unsafe)
    if (override == nullptr || *override == '\0') {
        return vantro::loader::pluginFolders(g_get_user_data_dir());
    }
    std::vector<std::string> folders;
    std::istringstream list(override);
    for (std::string folder; std::getline(list, folder, ':');) {
        if (!folder.empty()) {
            folders.push_back(folder);
        }
    }
    return folders;
}

void logLine(std::string_view line) {
    vantro::runtime::systemLog(line);
}

vantro::loader::BundleLoader& bundleLoader() {
    static auto* loader = new vantro::loader::BundleLoader(&logLine);
    return *loader;
}

unsigned loadBundles() {
    const auto bundles = bundleLoader().loadFrom(foldersToSearch());
    for (const auto& bundle : bundles) {
        g_debug("Loaded the plug-in bundle %s (%s)", bundle.path.c_str(),
                bundle.identifier.c_str());
    }
    return static_cast<unsigned>(bundles.size());
}

// Set on the display manager by the first initialisation in the process.
// Later ones find it and do nothing: a second copy of the module at another
// path (GTK_MODULES and Gtk/Modules naming different files: each copy has its
// own statics, so only a mark outside them is seen by both), and this copy
// initialised again (GTK does that when Gtk/Modules drops the module and names
// it again). The display manager is one per process and, unlike an
// environment variable, is not inherited by the application's children.
constexpr const char* kInitialisedMark = "vantro-loader-module-initialised";

bool markProcessInitialised() {
    GObject* manager = G_OBJECT(gdk_display_manager_get());
    if (g_object_get_data(manager, kInitialisedMark) != nullptr) {
        return false;
    }
    g_object_set_data(manager, kInitialisedMark, manager);
    return true;
}

// A module named at start (GTK_MODULES, settings.ini, or XSETTINGS when the
// display opens) is initialised inside gtk_init, before the application runs
// its main loop: depth 0. A Gtk/Modules change reaches GTK as an X event, so
// a module it loads is initialised while that event is dispatched: depth 1,
// also in a GtkApplication, whose gtk_main_level() stays 0.
bool initialisedInRunningApplication() {
    return g_main_depth() > 0;
}

} // namespace

// The two entries below are found by name (GModule and GTK look them up), so
// they keep GLib's spelling.

// GTK closes a module when Gtk/Modules stops naming it; this one must stay
// mapped, as the session bus and the loaded bundles go on calling into it.
// NOLINTNEXTLINE(readability-identifier-naming)
extern "C" G_MODULE_EXPORT const gchar* g_module_check_init(GModule* module) {
    g_module_make_resident(module);
    return nullptr;
}

// NOLINTNEXTLINE(readability-identifier-naming)
extern "C" G_MODULE_EXPORT void gtk_module_init(gint* /*argc*/, gchar*** /*argv*/) {
    if (!markProcessInitialised()) {
        g_debug("The loader module is already initialised in this process");
        return;
    }
    if (initialisedInRunningApplication()) {
        g_debug("The loader module was loaded into the running application: "
                "its bundles load on a load request");
    } else {
        loadBundles();
    }
    vantro::loader::answerLoadRequests({&loadBundles, &logLine});
}
