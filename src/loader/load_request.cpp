#include "loader/load_request.h"

#include <gio/gio.h>
#include <unistd.h>

#include <exception>
#include <string>
#include <utility>

namespace vantro::loader {

namespace {

// The state of the one answering service of the process. It is never freed:
// the bus keeps calling into it for as long as the process lives.
struct Service {
    LoadRequestHandlers handlers;
    std::string busName;
    bool ownedName = false;

    // Every way of not answering ends the same, for whoever reads the log.
    void logNoRequests(const std::string& why) const {
        handlers.log(why + ": this application does not answer load requests");
    }
};

std::string introspectionXml() {
    return "<node><interface name='" + std::string(kLoadRequestInterface) + "'><method name='" +
           std::string(kLoadRequestMethod) +
           "'><arg type='u' name='loaded' direction='out'/></method></interface></node>";
}

void handleMethodCall(GDBusConnection* /*connection*/, const gchar* /*sender*/,
                      const gchar* /*objectPath*/, const gchar* /*interfaceName*/,
                      const gchar* methodName, GVariant* /*parameters*/,
                      GDBusMethodInvocation* invocation, gpointer data) {
    // GDBus answers calls of methods the interface does not declare itself.
    if (kLoadRequestMethod != methodName) {
        return;
    }
    const auto* service = static_cast<const Service*>(data);
    // Nothing thrown may unwind into GDBus: a failed load is the caller's
    // error reply, and the application carries on.
    try {
        const unsigned loaded = service->handlers.loadPlugins();
        g_dbus_method_invocation_return_value(invocation, g_variant_new("(u)", loaded));
    } catch (const std::exception& failure) {
        g_dbus_method_invocation_return_error(invocation, G_DBUS_ERROR, G_DBUS_ERROR_FAILED,
                                              "Loading the plug-ins failed: %s", failure.what());
    } catch (...) {
        g_dbus_method_invocation_return_error_literal(invocation, G_DBUS_ERROR, G_DBUS_ERROR_FAILED,
                                                      "Loading the plug-ins failed");
    }
}

void onNameAcquired(GDBusConnection* /*connection*/, const gchar* name, gpointer data) {
    static_cast<Service*>(data)->ownedName = true;
    g_debug("Answering load requests as %s", name);
}

// With DO_NOT_QUEUE this runs at most once: the name was refused (a process
// of another PID namespace on the same bus owns it), or it was owned and the
// connection closed.
void onNameLost(GDBusConnection* /*connection*/, const gchar* name, gpointer data) {
    const auto* service = static_cast<const Service*>(data);
    const std::string what = service->ownedName ? "was lost" : "is taken by another process";
    service->logNoRequests("The bus name " + std::string(name) + " " + what);
}

void exportAndOwn(Service* service, GDBusConnection* bus) {
    static const GDBusInterfaceVTable kVTable = {&handleMethodCall, nullptr, nullptr, {nullptr}};
    g_autoptr(GError) error = nullptr;
    g_autoptr(GDBusNodeInfo) node =
        g_dbus_node_info_new_for_xml(introspectionXml().c_str(), &error);
    g_assert_no_error(error);
    const guint registration =
        g_dbus_connection_register_object(bus, std::string(kLoadRequestObjectPath).c_str(),
                                          node->interfaces[0], &kVTable, service, nullptr, &error);
    if (registration == 0) {
        service->logNoRequests("Could not export " + std::string(kLoadRequestObjectPath) +
                               " on the session bus (" + error->message + ")");
        return;
    }
    // The object is exported before the name is asked for, so that a caller
    // who sees the name appear finds the method.
    g_bus_own_name_on_connection(bus, service->busName.c_str(), G_BUS_NAME_OWNER_FLAGS_DO_NOT_QUEUE,
                                 &onNameAcquired, &onNameLost, service, nullptr);
}

// Runs on a worker thread: without an address in the environment, finding
// it waits for dbus-launch, which can take seconds (g_bus_get and
// g_bus_own_name do that on the calling thread). The connection is our own,
// not the process's shared one: that one exits the process when the bus goes
// away, which an application that never used the bus did not ask for.
void connectToSessionBus(GTask* task, gpointer /*source*/, gpointer /*data*/,
                         GCancellable* cancellable) {
    GError* error = nullptr;
    g_autofree gchar* address =
        g_dbus_address_get_for_bus_sync(G_BUS_TYPE_SESSION, cancellable, &error);
    if (address == nullptr) {
        g_task_return_error(task, error);
        return;
    }
    GDBusConnection* bus = g_dbus_connection_new_for_address_sync(
        address,
        static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                          G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, cancellable, &error);
    if (bus == nullptr) {
        g_task_return_error(task, error);
        return;
    }
    g_task_return_pointer(task, bus, g_object_unref);
}

void onSessionBusConnected(GObject* /*source*/, GAsyncResult* result, gpointer data) {
    auto* service = static_cast<Service*>(data);
    g_autoptr(GError) error = nullptr;
    // Kept for the life of the process, like the name on it.
    auto* bus = static_cast<GDBusConnection*>(g_task_propagate_pointer(G_TASK(result), &error));
    if (bus == nullptr) {
        service->logNoRequests(std::string("No session bus (") + error->message + ")");
        return;
    }
    exportAndOwn(service, bus);
}

} // namespace

std::string loadRequestBusName(pid_t pid) {
    return std::string(kLoadRequestBusNamePrefix) + std::to_string(pid);
}

void answerLoadRequests(LoadRequestHandlers handlers) {
    auto* service = new Service{std::move(handlers), loadRequestBusName(getpid())};
    g_autoptr(GTask) task = g_task_new(nullptr, nullptr, &onSessionBusConnected, service);
    g_task_run_in_thread(task, &connectToSessionBus);
}

} // namespace vantro::loader
