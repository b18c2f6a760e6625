#include "system_services.h"

#include "installer/gtk_settings_file.h"
#include "installer/package_ownership.h"
#include "settings/catalogue.h"
#include "settings/dconf_backend.h"
#include "settings/vantro_user_defaults.h"
#include "settings_trash.h"

#include <glib/gstdio.h>
#include <gtk/gtk.h>

#include <cstdio>
#include <optional>

namespace vantro::installer_app {

namespace {

using settings::PlistValue;
using settings::VantroUserDefaults;

using installer::GtkSettingsEdit;

std::optional<std::string> contentsOf(const std::string& file) {
    gchar* text = nullptr;
    gsize length = 0;
    if (g_file_get_contents(file.c_str(), &text, &length, nullptr) == FALSE) {
        return std::nullopt;
    }
    std::string contents(text, length);
    g_free(text);
    return contents;
}

// Writes the user's file in place through a temporary file, so that a
// failure half-way leaves the old content.
bool writeUserFile(const std::string& file, const std::string& text) {
    gchar* folder = g_path_get_dirname(file.c_str());
    g_mkdir_with_parents(folder, 0700);
    g_free(folder);
    GError* error = nullptr;
    if (g_file_set_contents(file.c_str(), text.data(), static_cast<gssize>(text.size()), &error) ==
        FALSE) {
        std::fprintf(stderr, "vantro-installer: cannot write %s: %s\n", file.c_str(),
                     error->message);
        g_error_free(error);
        return false;
    }
    return true;
}

} // namespace

SystemServices::SystemServices(std::unique_ptr<installer::Authorization> authorization,
                               const installer::InstallLocations& locations)
    : authorization_(std::move(authorization)), files_(*authorization_, locations),
      loginItems_(installer::LoginItems::ofThisUser()),
      store_(std::make_unique<VantroUserDefaults>(std::make_unique<settings::DconfBackend>(),
                                                  settings::BroadcastObject::prefPane,
                                                  settings::kDomain)) {}

SystemServices::~SystemServices() = default;

void SystemServices::writeSetting(std::string_view key, bool value) {
    const PlistValue stored = PlistValue::boolean(value);
    const settings::WriteResult result = store_->setObject(&stored, key);
    if (!result.ok()) {
        std::fprintf(stderr, "vantro-installer: could not store %.*s: %s\n",
                     static_cast<int>(key.size()), key.data(), result.error.c_str());
    }
}

bool SystemServices::trashSettings() {
    return moveSettingsToTrash();
}

void SystemServices::synchronizeSettings() {
    store_->synchronize();
}

bool SystemServices::authorizedInstall(installer::InstallLocations::Part part) {
    return files_.authorizedInstall(part);
}

bool SystemServices::authorizedRemove(installer::InstallLocations::Part part) {
    return files_.authorizedRemove(part);
}

std::optional<std::string> SystemServices::owningPackage(const std::string& location) {
    return installer::owningPackage(location);
}

bool SystemServices::inLoginItems(const std::string& loader) {
    return loginItems_.contains(loader);
}

void SystemServices::addToLoginItems(const std::string& loader) {
    loginItems_.add(loader);
}

void SystemServices::removeFromLoginItems(const std::string& loader) {
    loginItems_.remove(loader);
}

bool SystemServices::registerLoaderModule(const std::string& moduleFile, bool systemWide) {
    return systemWide ? files_.authorizedRegisterLoaderModule(true)
                      : editUserGtkSettings(moduleFile, true);
}

bool SystemServices::unregisterLoaderModule(const std::string& moduleFile, bool systemWide) {
    return systemWide ? files_.authorizedRegisterLoaderModule(false)
                      : editUserGtkSettings(moduleFile, false);
}

bool SystemServices::editUserGtkSettings(const std::string& moduleFile, bool naming) {
    const std::string file = installer::userGtkSettingsFile();
    const std::optional<std::string> current = contentsOf(file);
    const GtkSettingsEdit edit =
        naming ? installer::gtkSettingsNaming(current, moduleFile, g_get_home_dir())
               : installer::gtkSettingsWithout(current, moduleFile, g_get_home_dir());
    switch (edit.outcome) {
    case GtkSettingsEdit::Outcome::unchanged:
        return true;
    case GtkSettingsEdit::Outcome::unreadable:
        std::fprintf(stderr, "vantro-installer: %s is left as it is: %s\n", file.c_str(),
                     edit.error.c_str());
        return false;
    case GtkSettingsEdit::Outcome::write:
        return writeUserFile(file, edit.text);
    case GtkSettingsEdit::Outcome::remove:
        return g_remove(file.c_str()) == 0;
    }
    return false;
}

void SystemServices::launchLoader(const std::string& loader) {
    const std::string program = loader + std::string(installer::kLoaderProgramInFolder);
    gchar* argv[] = {const_cast<gchar*>(program.c_str()), nullptr};
    GError* error = nullptr;
    if (g_spawn_async(nullptr, argv, nullptr, G_SPAWN_DEFAULT, nullptr, nullptr, nullptr, &error) ==
        FALSE) {
        std::fprintf(stderr, "vantro-installer: could not start the loader: %s\n", error->message);
        g_error_free(error);
    }
}

void SystemServices::beep() {
    // Called from the worker thread that runs the install; the display is
    // the main loop's.
    g_main_context_invoke(
        nullptr,
        +[](gpointer /*data*/) -> gboolean {
            if (GdkDisplay* display = gdk_display_get_default()) {
                gdk_display_beep(display);
            }
            return G_SOURCE_REMOVE;
        },
        nullptr);
}

} // namespace vantro::installer_app
