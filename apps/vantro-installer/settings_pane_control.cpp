#include "settings_pane_control.h"

#include <gio/gio.h>

namespace vantro::installer_app {

namespace {

constexpr const char* kSettingsId = "com.quillworks.VantroSettings";
constexpr const char* kSettingsPath = "/com/quillworks/VantroSettings";
constexpr const char* kSettingsProgram = "/Contents/Linux/vantro-settings";
constexpr int kCallTimeoutMs = 2000;

} // namespace

bool SessionSettingsPane::isRunning() const {
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (bus == nullptr) {
        return false;
    }
    GVariant* reply = g_dbus_connection_call_sync(
        bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
        "NameHasOwner", g_variant_new("(s)", kSettingsId), G_VARIANT_TYPE("(b)"),
        G_DBUS_CALL_FLAGS_NONE, kCallTimeoutMs, nullptr, nullptr);
    gboolean owned = FALSE;
    if (reply != nullptr) {
        g_variant_get(reply, "(b)", &owned);
        g_variant_unref(reply);
    }
    g_object_unref(bus);
    return owned != FALSE;
}

void SessionSettingsPane::tellToQuit() {
    if (!isRunning()) {
        return;
    }
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (bus == nullptr) {
        return;
    }
    // GApplication's own action interface; the answer comes before the
    // application has gone, which the caller's one-second wait covers.
    GVariant* reply =
        g_dbus_connection_call_sync(bus, kSettingsId, kSettingsPath, "org.gtk.Actions", "Activate",
                                    g_variant_new("(sava{sv})", "quit", nullptr, nullptr), nullptr,
                                    G_DBUS_CALL_FLAGS_NONE, kCallTimeoutMs, nullptr, nullptr);
    if (reply != nullptr) {
        g_variant_unref(reply);
    }
    g_object_unref(bus);
}

void SessionSettingsPane::launch(const std::string& paneLocation) {
    const std::string program = paneLocation + kSettingsProgram;
    gchar* argv[] = {const_cast<gchar*>(program.c_str()), nullptr};
    GError* error = nullptr;
    if (g_spawn_async(nullptr, argv, nullptr, G_SPAWN_DEFAULT, nullptr, nullptr, nullptr, &error) ==
        FALSE) {
        g_printerr("vantro-installer: could not start the settings at %s: %s\n",
                   paneLocation.c_str(), error->message);
        g_error_free(error);
    }
}

} // namespace vantro::installer_app
