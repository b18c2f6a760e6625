// A process that owns its load request name but refuses every LoadPlugins
// call with an error, as an application whose plug-ins fail to load does.
// The end-to-end test of the loader program starts it beside real
// applications. Prints "ready" once it owns the name and "asked" for each
// call; runs until SIGTERM or SIGINT.

#include "loader/load_request.h"

#include <gio/gio.h>
#include <glib-unix.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace {

using namespace vantro::loader;

void refuse(GDBusConnection* /*bus*/, const gchar* /*sender*/, const gchar* /*path*/,
            const gchar* /*interface*/, const gchar* method, GVariant* /*parameters*/,
            GDBusMethodInvocation* invocation, gpointer /*data*/) {
    std::printf("asked %s\n", method);
    std::fflush(stdout);
    g_dbus_method_invocation_return_dbus_error(invocation,
                                               "org.freedesktop.DBus.Error.AccessDenied",
                                               "This application refuses to load plug-ins");
}

void onBus(GDBusConnection* bus, const gchar* /*name*/, gpointer /*data*/) {
    const std::string xml = "<node><interface name='" + std::string(kLoadRequestInterface) +
                            "'><method name='" + std::string(kLoadRequestMethod) +
                            "'><arg type='u' name='loaded' direction='out'/></method>"
                            "</interface></node>";
    g_autoptr(GDBusNodeInfo) node = g_dbus_node_info_new_for_xml(xml.c_str(), nullptr);
    static const GDBusInterfaceVTable kVTable = {&refuse, nullptr, nullptr, {nullptr}};
    g_dbus_connection_register_object(bus, std::string(kLoadRequestObjectPath).c_str(),
                                      node->interfaces[0], &kVTable, nullptr, nullptr, nullptr);
}

void onNameAcquired(GDBusConnection* /*bus*/, const gchar* name, gpointer /*data*/) {
    std::printf("ready %s\n", name);
    std::fflush(stdout);
}

void onNameLost(GDBusConnection* /*bus*/, const gchar* name, gpointer loop) {
    std::fprintf(stderr, "refusing_load_responder: could not own %s\n", name);
    g_main_loop_quit(static_cast<GMainLoop*>(loop));
}

gboolean quit(gpointer loop) {
    g_main_loop_quit(static_cast<GMainLoop*>(loop));
    return G_SOURCE_REMOVE;
}

} // namespace

int main() {
    GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
    g_unix_signal_add(SIGTERM, &quit, loop);
    g_unix_signal_add(SIGINT, &quit, loop);
    const std::string name = std::string(kLoadRequestBusNamePrefix) + std::to_string(getpid());
    const guint owner =
        g_bus_own_name(G_BUS_TYPE_SESSION, name.c_str(), G_BUS_NAME_OWNER_FLAGS_DO_NOT_QUEUE,
                       &onBus, &onNameAcquired, &onNameLost, loop, nullptr);
    g_main_loop_run(loop);
    g_bus_unown_name(owner);
    g_main_loop_unref(loop);
    return 0;
}
