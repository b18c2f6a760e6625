// The plug-in bundle's code: a shared object whose one exported function,
// vantro_gtk_bundle_load, the loader module calls after loading it. It makes
// the GTK backend current, then runs the plug-in's entries and starts the
// bridge from GTK's events. Everything else of the plug-in is linked in
// behind it.

#include "bundle/host_bus.h"
#include "platform/gtk/client_title_bar.h"
#include "platform/gtk/event_bridge.h"
#include "platform/gtk/gtk_platform.h"
#include "platform/gtk/menu_host_methods.h"
#include "platform/gtk/window_host_methods.h"
#include "platform/gtk/window_proxy.h"
#include "plugin/core/common_gate.h"
#include "plugin/entry/plugin_entry.h"
#include "runtime/class_dump.h"
#include "runtime/system_log.h"
#include "runtime/trace_log.h"
#include "settings/catalogue.h"
#include "settings/vantro_user_defaults.h"

#include <dlfcn.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

extern "C" G_MODULE_EXPORT void vantro_gtk_bundle_load();

namespace {

// The bundle folder holding this code: …/Vantro.bundle/Contents/Linux/Vantro.so.
std::string bundlePath() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&vantro_gtk_bundle_load), &info) == 0 ||
        info.dli_fname == nullptr) {
        return {};
    }
    std::error_code error;
    const std::filesystem::path code = std::filesystem::canonical(info.dli_fname, error);
    return error ? std::string() : code.parent_path().parent_path().parent_path().string();
}

// Read as each window opens: switching the setting off leaves the title bars
// already given in place, so no window loses its buttons.
bool clientTitleBarsWanted() {
    const auto& store = vantro::settings::VantroUserDefaults::standardUserDefaults();
    return vantro::settings::readBoolean(store.objectForKey("VantroClientTitleBars")) &&
           vantro::core::gateIsOpen(nullptr);
}

// The debugging aids a user asks for in the host's environment, run once
// the plug-in's classes exist: VANTRO_DUMP_CLASS=NAME[,NAME...] writes those
// classes' interfaces, VANTRO_DUMP_CLASSES=1 the classes of the dumped
// module; either also writes the version tests' answers. Read at load only.
void runRequestedDumps() {
    // NOLINTNEXTLINE(concurrency-mt-unsafe): read once at load, on the main thread
    const char* classes = std::getenv("VANTRO_DUMP_CLASS");
    // NOLINTNEXTLINE(concurrency-mt-unsafe): as above
    const char* all = std::getenv("VANTRO_DUMP_CLASSES");
    const bool listAll = all != nullptr && vantro::runtime::switchValueIsTrue(all);
    if ((classes == nullptr || *classes == '\0') && !listAll) {
        return;
    }
    vantro::runtime::systemLogFormat("isLeopard %s, isSnowLeopard %s", isLeopard() ? "yes" : "no",
                                     isSnowLeopard() ? "yes" : "no");
    std::string_view names = classes != nullptr ? classes : "";
    while (!names.empty()) {
        const std::size_t comma = names.find(',');
        const std::string name(names.substr(0, comma));
        names = comma == std::string_view::npos ? std::string_view() : names.substr(comma + 1);
        if (!name.empty()) {
            dumpClass(name.c_str());
        }
    }
    if (listAll) {
        dumpClasses();
    }
}

void startOn(GdkDisplay* display) {
    static bool started = false;
    if (started) {
        return;
    }
    started = true;
    if (!GDK_IS_X11_DISPLAY(display)) {
        vantro::runtime::systemLog(
            "The display is not an X11 display; the plug-in stays off (run with GDK_BACKEND=x11)");
        return;
    }
    // Before the settings store first reaches the bus through libdconf.
    keepBusLossFromEndingHost();
    // Lives as long as the process: hooks and delayed calls refer to it.
    auto* platform = new vantro::gtk::GtkPlatform(display, bundlePath());
    vantro::platform::setCurrentPlatform(platform);
    vantro::gtk::defineKnownWindowClasses();
    vantro::gtk::titleButtonClass();
    vantro::gtk::addMenuHostMethods();
    vantro::entry::runClassLoadEntries();
    vantro::gtk::installEventBridge(*platform);
    vantro::gtk::installClientTitleBars(clientTitleBarsWanted);
    runRequestedDumps();
}

void displayOpened(GdkDisplayManager* /*manager*/, GdkDisplay* display, gpointer /*data*/) {
    startOn(display);
}

} // namespace

// Loaded by the module while GTK starts, the display may not be open yet:
// the plug-in then starts when it opens.
extern "C" void vantro_gtk_bundle_load() {
    GdkDisplayManager* manager = gdk_display_manager_get();
    if (GdkDisplay* display = gdk_display_manager_get_default_display(manager)) {
        startOn(display);
        return;
    }
    static gulong waiting = 0;
    if (waiting == 0) {
        waiting = g_signal_connect(manager, "display-opened", G_CALLBACK(displayOpened), nullptr);
    }
}
