// vantro-loader: makes the applications that were already running when the
// plug-in was installed load it now, then quits. Started by the installer
// after an install and, when the user chose so, at login. See --help.

#include "load_requests.h"
#include "module_registration.h"
#include "presence.h"
#include "processes.h"
#include "report.h"
#include "request_targets.h"
#include "x11_clients.h"

#include <X11/Xlib.h>
#include <gio/gio.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

namespace {

using namespace vantro::loader_app;
using std::chrono::milliseconds;

constexpr int kExitUsage = 2;

// After a Gtk/Modules change every GTK 3 application loads the module and
// owns its name within milliseconds here; the limit leaves room for a busy
// machine and only runs out when an application never answers.
constexpr milliseconds kNameWaitAfterChange{5000};
// With Gtk/Modules unchanged the names are there already, but for an
// application that started a moment ago.
constexpr milliseconds kNameWaitUnchanged{500};
constexpr milliseconds kLoadPluginsTimeout{2000};

constexpr const char* kUsage =
    "Usage: vantro-loader [--verbose]\n"
    "Makes the running GTK 3 applications load the Vantro plug-in, then quits.\n"
    "\n"
    "Step one names the loader module in the session's XSETTINGS setting\n"
    "Gtk/Modules (xsettingsd, xfsettingsd, the GNOME or Cinnamon settings daemon),\n"
    "which makes every running GTK 3 application load it; step two asks each\n"
    "application's module over the session bus to load the plug-in bundles.\n"
    "The installer is never asked. Without an installed loader module\n"
    "(ScriptingAdditions/SIMBL.osax in /usr/local/share or $XDG_DATA_HOME)\n"
    "it quits at once.\n"
    "\n"
    "  -v, --verbose   print what it did\n"
    "  -h, --help      this text\n"
    "\n"
    "Environment: VANTRO_SCRIPTING_ADDITIONS, folders separated by ':', replaces\n"
    "the two ScriptingAdditions folders.\n"
    "Exit status: 0, also when applications could not be reached (one line on\n"
    "standard error says why); 2 for bad usage.\n";

bool isFolder(const std::string& path) {
    return g_file_test(path.c_str(), G_FILE_TEST_IS_DIR) != FALSE;
}

bool isInstaller(pid_t pid) {
    return isInstallerProcess(processes::executablePath(pid), processes::commandName(pid));
}

std::string joined(const std::vector<std::string>& folders) {
    std::string text;
    for (const std::string& folder : folders) {
        text += (text.empty() ? "" : ", ") + folder;
    }
    return text;
}

// Step one, and the applications to wait for in step two.
struct Reach {
    ModuleRegistration registration = ModuleRegistration::unreachable;
    std::set<pid_t> expected;
};

Reach makeRunningApplicationsLoadModule(const InstalledModule& installed, const Report& report) {
    if (!g_file_test(installed.module.c_str(), G_FILE_TEST_IS_REGULAR)) {
        report.problem(installed.scriptingAddition + " holds no loader module (" +
                       installed.module + "): running applications cannot be reached");
        return {};
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        report.problem("No X display: running applications cannot be reached");
        return {};
    }
    Reach reach;
    // Listed before the change, so that each is waited for; the installer
    // is never asked, so it is not waited for either.
    for (const pid_t pid : gtk3ClientProcesses(display)) {
        if (!isInstaller(pid)) {
            reach.expected.insert(pid);
        }
    }
    report.did(std::to_string(reach.expected.size()) + " GTK 3 application(s) on " +
               DisplayString(display));
    reach.registration = registerLoaderModule(display, installed.module, report);
    XCloseDisplay(display);
    return reach;
}

void askRunningApplications(const Reach& reach, const Report& report) {
    g_autoptr(GError) error = nullptr;
    g_autoptr(GDBusConnection) bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    if (bus == nullptr) {
        report.problem(std::string("No session bus (") + error->message +
                       "): running applications cannot be asked to load the plug-ins");
        return;
    }
    // The bus closing under us is no reason to exit before reporting.
    g_dbus_connection_set_exit_on_close(bus, FALSE);
    const NameWait wait{reach.expected, reach.registration == ModuleRegistration::changed
                                            ? kNameWaitAfterChange
                                            : kNameWaitUnchanged};
    const LoadRequestChoice choice = waitForLoadRequestNames(bus, wait, &isInstaller, report);
    for (const LoadRequestTarget& installer : choice.installers) {
        report.did("Skipped the installer, process " + std::to_string(installer.pid) + " (" +
                   installer.busName + ")");
    }
    askEachToLoadPlugins(bus, choice.toAsk, kLoadPluginsTimeout, report);
}

} // namespace

int main(int argc, char** argv) {
    bool verbose = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-v" || argument == "--verbose") {
            verbose = true;
        } else if (argument == "-h" || argument == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        } else {
            std::fprintf(stderr, "vantro-loader: unknown argument '%s'\n%s", argv[i], kUsage);
            return kExitUsage;
        }
    }
    const Report report(verbose);

    // Read before any thread starts; the loader never changes its environment.
    const std::string variable(kScriptingAdditionsVariable);
    const char* override = std::getenv(variable.c_str()); // NOLINT(concurrency-mt-unsafe)
    const auto folders = scriptingAdditionsFolders(override, g_get_user_data_dir());
    const auto installed = findInstalledModule(folders, &isFolder);
    if (!installed) {
        report.did("The loader module is not installed (no " + std::string(kScriptingAdditionName) +
                   " in " + joined(folders) + "): nothing to do");
        return 0;
    }
    report.did("The loader module is installed: " + installed->module);

    const Reach reach = makeRunningApplicationsLoadModule(*installed, report);
    askRunningApplications(reach, report);
    return 0;
}
