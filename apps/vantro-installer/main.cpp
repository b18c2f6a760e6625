// vantro-installer: installs, updates and removes Vantro for the user or
// for every user of the computer. It carries what it installs in the
// folder "Resources" beside its executable: the window layout, the settings
// pane (which holds the plug-in and the loader program) and the loader
// module.

#include "helper_authorization.h"
#include "installer/install_locations.h"
#include "installer/privileged_operations.h"
#include "installer/scripted_authorization.h"
#include "installer_window.h"
#include "settings_pane_control.h"
#include "system_services.h"
#include "widget_test_hooks.h"

#include <gtk/gtk.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using vantro::installer_app::InstallerWindow;

constexpr const char* kApplicationId = "com.quillworks.VantroInstaller";
constexpr const char* kTestHooksVariable = "VANTRO_INSTALLER_TEST_HOOKS";
// "yes", "no" or "cancel": the answer to every request for administrator
// rights, for tests; the password dialog is not shown.
constexpr const char* kTestAuthorizationVariable = "VANTRO_INSTALLER_TEST_AUTHORIZATION";
constexpr const char* kHelperProgram = "/vantro-install-helper";
constexpr int kExitRefused = 2;
constexpr const char* kUsage = "Usage: vantro-installer\n"
                               "Installs, updates or removes Vantro.\n";

// The executable's folder, found through /proc so that a symbolic link to
// the program (as in /usr/bin) still leads to its resources and helper.
std::string installerFolder() {
    gchar* executable = g_file_read_link("/proc/self/exe", nullptr);
    if (executable == nullptr) {
        return ".";
    }
    gchar* folder = g_path_get_dirname(executable);
    std::string found = folder;
    g_free(folder);
    g_free(executable);
    return found;
}

std::unique_ptr<vantro::installer::Authorization>
authorizationForThisRun(const vantro::installer::InstallLocations& locations) {
    using vantro::installer::ScriptedAuthorization;
    if (const char* answer = g_getenv(kTestAuthorizationVariable)) {
        if (const auto scripted = ScriptedAuthorization::answerNamed(answer)) {
            return std::make_unique<ScriptedAuthorization>(
                *scripted,
                vantro::installer::PrivilegedOperations(
                    locations,
                    vantro::installer::CarriedParts::in(installerFolder() + "/Resources"),
                    getuid()));
        }
        g_printerr("vantro-installer: %s=%s is not yes, no or cancel; asking for the password\n",
                   kTestAuthorizationVariable, answer);
    }
    return std::make_unique<vantro::installer_app::HelperAuthorization>(installerFolder() +
                                                                        kHelperProgram);
}

struct InstallerApplication {
    std::unique_ptr<vantro::installer_app::SystemServices> services;
    vantro::installer_app::SessionSettingsPane settingsPane;
    std::unique_ptr<InstallerWindow> window;
    bool testHooks = false;
};

void activate(GApplication* application, gpointer data) {
    auto* app = static_cast<InstallerApplication*>(data);
    if (app->window == nullptr) {
        const vantro::installer::InstallLocations locations =
            vantro::installer::InstallLocations::in(
                vantro::installer::LibraryFolders::ofThisUser());
        app->services = std::make_unique<vantro::installer_app::SystemServices>(
            authorizationForThisRun(locations), locations);
        app->window = std::make_unique<InstallerWindow>(GTK_APPLICATION(application),
                                                        installerFolder() + "/Resources",
                                                        *app->services, app->settingsPane);
        if (!app->window->loaded()) {
            g_application_quit(application);
            return;
        }
    }
    app->window->present();
}

std::vector<std::string> argumentsOf(GApplicationCommandLine* line) {
    int count = 0;
    g_auto(GStrv) argv = g_application_command_line_get_arguments(line, &count);
    return {argv, argv + count};
}

int commandLine(GApplication* application, GApplicationCommandLine* line, gpointer data) {
    auto* app = static_cast<InstallerApplication*>(data);
    const std::vector<std::string> arguments = argumentsOf(line);
    if (arguments.size() <= 1) {
        g_application_activate(application);
        return 0;
    }
    if (arguments[1] == "--help" || arguments[1] == "-h") {
        g_application_command_line_print(line, "%s", kUsage);
        return 0;
    }
    if (app->testHooks && vantro::apps::isTestHookCommand(arguments)) {
        return vantro::apps::answerTestHook(
            line, app->window != nullptr ? app->window->windows() : std::vector<GtkWindow*>{},
            arguments);
    }
    g_application_command_line_printerr(line, "%s", kUsage);
    return kExitRefused;
}

} // namespace

int main(int argc, char** argv) {
    InstallerApplication app;
    app.testHooks = g_strcmp0(g_getenv(kTestHooksVariable), "1") == 0;
    GtkApplication* application =
        gtk_application_new(kApplicationId, vantro::apps::applicationFlagsFor(argc, argv));
    g_signal_connect(application, "activate", G_CALLBACK(activate), &app);
    g_signal_connect(application, "command-line", G_CALLBACK(commandLine), &app);
    const int status = g_application_run(G_APPLICATION(application), argc, argv);
    app.window.reset();
    g_object_unref(application);
    return status;
}
