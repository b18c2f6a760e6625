// Owns its load request name and refuses every LoadPlugins call, as an application whose
// plug-ins fail to load does. Prints "ready" once it owns the name, "asked" for each call;
// runs until killed.

#include "loader/load_request.h"

#include <gio/gio.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
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

void onNameLost(GDBusConnection* /*bus*/, const gchar* name, gpointer /*data*/) {
    std::fprintf(stderr, "refusing_load_responder: could not own %s\n", name);
    std::exit(1);
}

} // namespace

int main() {
    const std::string name = std::string(kLoadRequestBusNamePrefix) + std::to_string(getpid());
    g_bus_own_name(G_BUS_TYPE_SESSION, name.c_str(), G_BUS_NAME_OWNER_FLAGS_DO_NOT_QUEUE, &onBus,
                   &onNameAcquired, &onNameLost, nullptr, nullptr);
    g_main_loop_run(g_main_loop_new(nullptr, FALSE));
}
