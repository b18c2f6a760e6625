#include "settings/dconf_backend.h"

#include "settings/gvariant_codec.h"

#include <dconf.h>
#include <gio/gio.h>
#include <vector>

namespace vantro::settings {

std::string dconfPathForDomain(std::string_view domain) {
    std::string path = "/";
    for (const char c : domain) {
        path += c == '.' ? '/' : c;
    }
    path += '/';
    return path;
}

namespace {

bool sessionBusIsAddressed() {
    const char* address = g_getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address != nullptr && *address != '\0') {
        return true;
    }
    g_autofree gchar* socket = g_build_filename(g_get_user_runtime_dir(), "bus", nullptr);
    return g_file_test(socket, G_FILE_TEST_EXISTS);
}

} // namespace

struct DconfBackend::State {
    DConfClient* client = dconf_client_new();
    GDBusConnection* bus = nullptr;
    bool busTried = false;
    std::vector<guint> signalSubscriptions;
    std::vector<gulong> changedHandlers;
    // Pending coalesced notifications, one per subscriber.
    struct Subscriber {
        std::function<void()> onChange;
        std::string path;
        guint idle = 0;
    };
    std::vector<std::unique_ptr<Subscriber>> subscribers;

    // The session bus, connected on first need; null when there is none.
    // Without an address in the environment or the user's runtime folder,
    // GIO would try to start a bus through X11 (seconds, on the host's main
    // thread, while the plug-in loads); that is taken as no bus instead.
    GDBusConnection* sessionBus(std::string* error) {
        if (!busTried) {
            busTried = true;
            if (!sessionBusIsAddressed()) {
                busError = "no session bus address (DBUS_SESSION_BUS_ADDRESS is not set)";
            } else {
                g_autoptr(GError) failure = nullptr;
                bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &failure);
                if (bus == nullptr) {
                    busError = failure != nullptr ? failure->message : "no session bus";
                }
            }
        }
        if (bus == nullptr && error != nullptr) {
            *error = busError;
        }
        return bus;
    }
    std::string busError;

    ~State() {
        for (auto& subscriber : subscribers) {
            if (subscriber->idle != 0) {
                g_source_remove(subscriber->idle);
            }
        }
        for (const guint id : signalSubscriptions) {
            g_dbus_connection_signal_unsubscribe(bus, id);
        }
        for (const gulong id : changedHandlers) {
            g_signal_handler_disconnect(client, id);
        }
        g_clear_object(&bus);
        g_clear_object(&client);
    }
};

namespace {

gboolean deliverChange(gpointer data) {
    auto* subscriber = static_cast<DconfBackend::State::Subscriber*>(data);
    subscriber->idle = 0;
    subscriber->onChange();
    return G_SOURCE_REMOVE;
}

// Both the broadcast and dconf's notification of the same write arrive; one
// idle call reports them together.
void scheduleChange(DconfBackend::State::Subscriber* subscriber) {
    if (subscriber->idle == 0) {
        subscriber->idle = g_idle_add(deliverChange, subscriber);
    }
}

void onBroadcast(GDBusConnection* /*bus*/, const gchar* /*sender*/, const gchar* /*path*/,
                 const gchar* /*interface*/, const gchar* /*member*/, GVariant* /*parameters*/,
                 gpointer data) {
    scheduleChange(static_cast<DconfBackend::State::Subscriber*>(data));
}

void onDconfChanged(DConfClient* /*client*/, const gchar* prefix, const gchar* const* /*changes*/,
                    const gchar* /*tag*/, gpointer data) {
    auto* subscriber = static_cast<DconfBackend::State::Subscriber*>(data);
    const std::string_view changed(prefix != nullptr ? prefix : "");
    // A change under our path, or above it (a reset of a parent folder).
    if (changed.starts_with(subscriber->path) || subscriber->path.starts_with(changed)) {
        scheduleChange(subscriber);
    }
}

} // namespace

DconfBackend::DconfBackend() : state_(std::make_unique<State>()) {}

DconfBackend::~DconfBackend() = default;

Dictionary DconfBackend::readAll(std::string_view domain) {
    Dictionary values;
    const std::string path = dconfPathForDomain(domain);
    gint count = 0;
    g_auto(GStrv) names = dconf_client_list(state_->client, path.c_str(), &count);
    for (gint i = 0; names != nullptr && i < count; ++i) {
        const std::string_view name(names[i]);
        if (name.empty() || name.back() == '/') {
            continue; // a folder below the domain, not a key
        }
        const std::string key = path + names[i];
        g_autoptr(GVariant) value = dconf_client_read(state_->client, key.c_str());
        if (value != nullptr) {
            values.insert_or_assign(std::string(name), fromGVariant(value));
        }
    }
    return values;
}

WriteResult DconfBackend::write(std::string_view domain, std::string_view key,
                                const PlistValue* value) {
    const std::string path = dconfPathForDomain(domain) + std::string(key);
    if (!dconf_is_key(path.c_str(), nullptr)) {
        return {"\"" + std::string(key) + "\" cannot be a dconf key"};
    }
    g_autoptr(GError) failure = nullptr;
    GVariant* encoded = value != nullptr ? g_variant_ref_sink(toGVariant(*value)) : nullptr;
    const gboolean written =
        dconf_client_write_sync(state_->client, path.c_str(), encoded, nullptr, nullptr, &failure);
    if (encoded != nullptr) {
        g_variant_unref(encoded);
    }
    if (written == FALSE) {
        return {failure != nullptr ? failure->message : "dconf refused the write"};
    }
    return {};
}

void DconfBackend::synchronize(std::string_view /*domain*/) {
    dconf_client_sync(state_->client);
}

WriteResult DconfBackend::postChange(std::string_view objectString) {
    std::string error;
    GDBusConnection* bus = state_->sessionBus(&error);
    if (bus == nullptr) {
        return {error};
    }
    const std::string object(objectString);
    g_autoptr(GError) failure = nullptr;
    if (g_dbus_connection_emit_signal(bus, nullptr, kBroadcastPath, kBroadcastInterface,
                                      kBroadcastMember, g_variant_new("(s)", object.c_str()),
                                      &failure) == FALSE ||
        g_dbus_connection_flush_sync(bus, nullptr, &failure) == FALSE) {
        return {failure != nullptr ? failure->message : "the broadcast was not sent"};
    }
    return {};
}

void DconfBackend::subscribe(std::string_view domain, std::function<void()> onChange) {
    auto subscriber = std::make_unique<State::Subscriber>();
    subscriber->onChange = std::move(onChange);
    subscriber->path = dconfPathForDomain(domain);
    State::Subscriber* raw = subscriber.get();
    state_->subscribers.push_back(std::move(subscriber));

    if (GDBusConnection* bus = state_->sessionBus(nullptr)) {
        state_->signalSubscriptions.push_back(g_dbus_connection_signal_subscribe(
            bus, nullptr, kBroadcastInterface, kBroadcastMember, kBroadcastPath, nullptr,
            G_DBUS_SIGNAL_FLAGS_NONE, onBroadcast, raw, nullptr));
    }
    state_->changedHandlers.push_back(
        g_signal_connect(state_->client, "changed", G_CALLBACK(onDconfChanged), raw));
    // The fast variant does not wait for the bus; without one it simply never
    // reports.
    dconf_client_watch_fast(state_->client, raw->path.c_str());
}

} // namespace vantro::settings
