#include "bundle/host_bus.h"

#include <gio/gio.h>

namespace {

// Without an address in the environment or the user's runtime folder, GIO
// would try to start a bus through X11 (seconds, on the host's main thread,
// while the plug-in loads); there is then no bus to lose.
bool sessionBusIsAddressed() {
    const char* address = g_getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address != nullptr && *address != '\0') {
        return true;
    }
    g_autofree gchar* socket = g_build_filename(g_get_user_runtime_dir(), "bus", nullptr);
    return g_file_test(socket, G_FILE_TEST_EXISTS);
}

bool hostUsesTheBus() {
    GApplication* application = g_application_get_default();
    return application != nullptr && g_application_get_dbus_connection(application) != nullptr;
}

} // namespace

void keepBusLossFromEndingHost() {
    if (hostUsesTheBus() || !sessionBusIsAddressed()) {
        return;
    }
    // Held for the life of the process: GLib keeps the shared connection
    // only while someone holds it, and libdconf's worker must find this one.
    static GDBusConnection* const shared = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (shared != nullptr) {
        g_dbus_connection_set_exit_on_close(shared, FALSE);
    }
}
