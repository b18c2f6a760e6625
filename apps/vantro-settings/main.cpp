// vantro-settings: the window in which users change the Vantro plug-in's
// settings. One instance per session: starting it again (as the plug-in's
// "Preferences…" command does, through the pane's desktop entry) brings the
// open window to the front.

#include "settings/catalogue.h"
#include "settings/dconf_backend.h"
#include "settings/vantro_user_defaults.h"
#include "settings_window.h"
#include "widget_test_hooks.h"

#include <gtk/gtk.h>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace vantro::settings;
using vantro::settings_app::SettingsWindow;

constexpr const char* kApplicationId = "com.quillworks.VantroSettings";
constexpr const char* kTestHooksVariable = "VANTRO_SETTINGS_TEST_HOOKS";
constexpr int kExitRefused = 2;
constexpr const char* kUsage = "Usage: vantro-settings\n"
                               "Opens the Vantro settings window, or brings it to the front.\n";

// Lives from the primary instance's startup to the end of main.
struct SettingsApplication {
    std::unique_ptr<VantroUserDefaults> store;
    std::unique_ptr<SettingsWindow> window;
    bool testHooks = false;
};

void startup(GApplication* application, gpointer data) {
    auto* app = static_cast<SettingsApplication*>(data);
    // The same store, defaults and announcement as vantro-prefs: the
    // plug-in cannot tell the two writers apart.
    app->store = std::make_unique<VantroUserDefaults>(std::make_unique<DconfBackend>(),
                                                      BroadcastObject::prefPane, kDomain);
    app->store->registerDefaults(defaultSettings());
    app->store->setChangeHandler([app] {
        if (app->window != nullptr) {
            app->window->showStoredValues();
        }
    });
    app->store->subscribeToChanges();
    // The installer asks a running window to close before it replaces or
    // removes the pane it runs from (org.gtk.Actions, action "quit").
    GSimpleAction* quit = g_simple_action_new("quit", nullptr);
    g_signal_connect_swapped(quit, "activate", G_CALLBACK(g_application_quit), application);
    g_action_map_add_action(G_ACTION_MAP(application), G_ACTION(quit));
    g_object_unref(quit);
    app->testHooks = g_strcmp0(g_getenv(kTestHooksVariable), "1") == 0;
}

void activate(GApplication* application, gpointer data) {
    auto* app = static_cast<SettingsApplication*>(data);
    if (app->window == nullptr || app->window->window() == nullptr) {
        app->window = std::make_unique<SettingsWindow>(GTK_APPLICATION(application), *app->store);
    }
    gtk_window_present(app->window->window());
}

std::vector<std::string> argumentsOf(GApplicationCommandLine* line) {
    int count = 0;
    g_auto(GStrv) argv = g_application_command_line_get_arguments(line, &count);
    return {argv, argv + count};
}

// Every start ends here, in the primary instance: the first one's own and
// each later one's, forwarded.
int commandLine(GApplication* application, GApplicationCommandLine* line, gpointer data) {
    auto* app = static_cast<SettingsApplication*>(data);
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
        std::vector<GtkWindow*> windows;
        if (app->window != nullptr && app->window->window() != nullptr) {
            windows.push_back(app->window->window());
        }
        return vantro::apps::answerTestHook(line, windows, arguments);
    }
    g_application_command_line_printerr(line, "%s", kUsage);
    return kExitRefused;
}

} // namespace

int main(int argc, char** argv) {
    SettingsApplication app;
    // Arguments go to the primary instance unparsed, so that a second start
    // with test hooks reaches the open window.
    GtkApplication* application =
        gtk_application_new(kApplicationId, vantro::apps::applicationFlagsFor(argc, argv));
    g_signal_connect(application, "startup", G_CALLBACK(startup), &app);
    g_signal_connect(application, "activate", G_CALLBACK(activate), &app);
    g_signal_connect(application, "command-line", G_CALLBACK(commandLine), &app);
    const int status = g_application_run(G_APPLICATION(application), argc, argv);
    g_object_unref(application);
    return status;
}
