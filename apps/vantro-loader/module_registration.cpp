#include "module_registration.h"

#include "loader/gtk_modules_value.h"
#include "processes.h"
#include "xsettings_manager.h"
#include "xsettingsd_config.h"

#include <gio/gio.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdlib>
#include <optional>
#include <vector>

namespace vantro::loader_app {

using loader::gtkModulesNames;
using loader::gtkModulesWith;
using loader::isNameableModulePath;

namespace {

constexpr const char* kUnreachable = "running applications cannot be reached; they load the "
                                     "plug-ins when they start again";

std::string home() {
    return g_get_home_dir();
}

// Symbolic links are followed so that a linked config (a dotfiles folder)
// stays linked: the new text replaces the file it points to.
std::string resolvedPath(const std::string& path) {
    char* resolved = realpath(path.c_str(), nullptr);
    if (resolved == nullptr) {
        return path;
    }
    std::string result(resolved);
    free(resolved); // NOLINT(cppcoreguidelines-no-malloc): realpath's own allocation
    return result;
}

ModuleRegistration registerWithXsettingsd(const XSettingsManager& manager,
                                          const std::string& modulePath, const Report& report) {
    const std::string configHome =
        processes::environmentVariable(manager.pid, "HOME").value_or(home());
    const std::string config = resolvedPath(xsettingsdConfigPath(
        processes::commandLine(manager.pid), processes::workingDirectory(manager.pid), configHome));

    g_autofree gchar* text = nullptr;
    g_autoptr(GError) error = nullptr;
    if (!g_file_get_contents(config.c_str(), &text, nullptr, &error) &&
        !g_error_matches(error, G_FILE_ERROR, G_FILE_ERROR_NOENT)) {
        report.problem("Cannot read xsettingsd's config " + config + " (" + error->message +
                       "): " + kUnreachable);
        return ModuleRegistration::unreachable;
    }
    const XsettingsdConfigEdit edit =
        configNamingModule(text != nullptr ? text : "", modulePath, home());
    switch (edit.outcome) {
    case XsettingsdConfigEdit::Outcome::alreadyNames:
        report.did("Gtk/Modules of xsettingsd (" + config + ") already names " + modulePath);
        return ModuleRegistration::alreadyNamed;
    case XsettingsdConfigEdit::Outcome::unreadable:
        report.problem("Cannot change xsettingsd's config " + config + " (" + edit.error +
                       "): " + kUnreachable);
        return ModuleRegistration::unreachable;
    case XsettingsdConfigEdit::Outcome::edited:
        break;
    }

    struct stat existing {};
    const int mode =
        stat(config.c_str(), &existing) == 0 ? static_cast<int>(existing.st_mode & 07777) : 0644;
    g_clear_error(&error);
    if (!g_file_set_contents_full(config.c_str(), edit.config.data(),
                                  static_cast<gssize>(edit.config.size()),
                                  G_FILE_SET_CONTENTS_CONSISTENT, mode, &error)) {
        report.problem("Cannot write xsettingsd's config " + config + " (" + error->message +
                       "): " + kUnreachable);
        return ModuleRegistration::unreachable;
    }
    // SIGHUP makes xsettingsd read the file again and publish the change.
    if (kill(manager.pid, SIGHUP) != 0) {
        report.problem("Cannot signal xsettingsd (process " + std::to_string(manager.pid) +
                       "): " + kUnreachable);
        return ModuleRegistration::unreachable;
    }
    report.did("Gtk/Modules of xsettingsd (" + config + ") now names " + modulePath);
    return ModuleRegistration::changed;
}

// Runs a tool and answers its standard output, or nothing when it could not
// run or exited with another status than 0.
std::optional<std::string> runTool(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    g_autofree gchar* out = nullptr;
    gint status = 0;
    if (!g_spawn_sync(nullptr, argv.data(), nullptr, G_SPAWN_STDERR_TO_DEV_NULL, nullptr, nullptr,
                      &out, nullptr, &status, nullptr) ||
        !g_spawn_check_wait_status(status, nullptr)) {
        return std::nullopt;
    }
    std::string text = out != nullptr ? out : "";
    while (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }
    return text;
}

// xfsettingsd publishes the xfconf channel "xsettings"; a change made with
// xfconf-query reaches it at once.
ModuleRegistration registerWithXfconf(const std::string& modulePath, const Report& report) {
    g_autofree gchar* tool = g_find_program_in_path("xfconf-query");
    if (tool == nullptr) {
        report.problem(std::string("xfsettingsd runs but xfconf-query is missing: ") +
                       kUnreachable);
        return ModuleRegistration::unreachable;
    }
    const std::vector<std::string> property = {tool, "-c", "xsettings", "-p", "/Gtk/Modules"};
    // An unset property makes xfconf-query fail: no modules yet.
    const std::string value = runTool(property).value_or("");
    if (gtkModulesNames(value, modulePath, home())) {
        report.did("Gtk/Modules of xfsettingsd already names " + modulePath);
        return ModuleRegistration::alreadyNamed;
    }
    std::vector<std::string> set = property;
    set.insert(set.end(), {"-n", "-t", "string", "-s", gtkModulesWith(value, modulePath)});
    if (!runTool(set)) {
        report.problem(std::string("xfconf-query could not set /Gtk/Modules: ") + kUnreachable);
        return ModuleRegistration::unreachable;
    }
    report.did("Gtk/Modules of xfsettingsd now names " + modulePath);
    return ModuleRegistration::changed;
}

bool listNames(char** list, const std::string& modulePath) {
    for (char** entry = list; entry != nullptr && *entry != nullptr; ++entry) {
        if (gtkModulesNames(*entry, modulePath, home())) {
            return true;
        }
    }
    return false;
}

// The GNOME and Cinnamon settings daemons build Gtk/Modules from the
// modules their gtk-modules folder registers plus "enabled-gtk-modules",
// less "disabled-gtk-modules", and follow the keys as they change.
ModuleRegistration registerWithSettingsDaemon(const char* schemaId, const std::string& modulePath,
                                              const Report& report) {
    constexpr const char* kEnabled = "enabled-gtk-modules";
    constexpr const char* kDisabled = "disabled-gtk-modules";
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    g_autoptr(GSettingsSchema) schema =
        source != nullptr ? g_settings_schema_source_lookup(source, schemaId, TRUE) : nullptr;
    if (schema == nullptr || !g_settings_schema_has_key(schema, kEnabled)) {
        report.problem(std::string("The settings schema ") + schemaId +
                       " is not installed: " + kUnreachable);
        return ModuleRegistration::unreachable;
    }
    g_autoptr(GSettings) settings = g_settings_new_full(schema, nullptr, nullptr);
    g_auto(GStrv) disabled = g_settings_schema_has_key(schema, kDisabled)
                                 ? g_settings_get_strv(settings, kDisabled)
                                 : nullptr;
    if (listNames(disabled, modulePath)) {
        report.problem(std::string("The loader module is among the ") + kDisabled + " of " +
                       schemaId + ", left as the user set it: " + kUnreachable);
        return ModuleRegistration::unreachable;
    }
    g_auto(GStrv) enabled = g_settings_get_strv(settings, kEnabled);
    if (listNames(enabled, modulePath)) {
        report.did(std::string(kEnabled) + " of " + schemaId + " already names " + modulePath);
        return ModuleRegistration::alreadyNamed;
    }
    std::vector<const char*> changed(enabled, enabled + g_strv_length(enabled));
    changed.push_back(modulePath.c_str());
    changed.push_back(nullptr);
    if (!g_settings_set_strv(settings, kEnabled, changed.data())) {
        report.problem(std::string("Cannot change ") + kEnabled + " of " + schemaId + ": " +
                       kUnreachable);
        return ModuleRegistration::unreachable;
    }
    g_settings_sync();
    report.did(std::string(kEnabled) + " of " + schemaId + " now names " + modulePath);
    return ModuleRegistration::changed;
}

} // namespace

ModuleRegistration registerLoaderModule(Display* display, const std::string& modulePath,
                                        const Report& report) {
    if (!isNameableModulePath(modulePath)) {
        report.problem(
            "The loader module's path " + modulePath +
            " cannot be named in Gtk/Modules (it must be absolute, without ':'): " + kUnreachable);
        return ModuleRegistration::unreachable;
    }
    const XSettingsManager manager = findXSettingsManager(display);
    switch (manager.kind) {
    case XSettingsManagerKind::none:
        report.problem(std::string("No XSETTINGS manager runs on ") + DisplayString(display) +
                       ": " + kUnreachable);
        return ModuleRegistration::unreachable;
    case XSettingsManagerKind::xsettingsd:
        return registerWithXsettingsd(manager, modulePath, report);
    case XSettingsManagerKind::xfce:
        return registerWithXfconf(modulePath, report);
    case XSettingsManagerKind::gnome:
        return registerWithSettingsDaemon("org.gnome.settings-daemon.plugins.xsettings", modulePath,
                                          report);
    case XSettingsManagerKind::cinnamon:
        return registerWithSettingsDaemon("org.cinnamon.settings-daemon.plugins.xsettings",
                                          modulePath, report);
    case XSettingsManagerKind::other:
        break;
    }
    report.problem("The XSETTINGS manager of " + std::string(DisplayString(display)) +
                   " is not one the loader can change (xsettingsd, xfsettingsd, the GNOME or "
                   "Cinnamon settings daemon): " +
                   kUnreachable);
    return ModuleRegistration::unreachable;
}

} // namespace vantro::loader_app
