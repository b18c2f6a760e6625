#include "load_requests.h"

#include "loader/load_request.h"

#include <string>
#include <thread>

namespace vantro::loader_app {

namespace {

constexpr std::chrono::milliseconds kNamePollInterval{50};
constexpr int kListNamesTimeoutMs = 2000;

std::vector<std::string> busNames(GDBusConnection* bus, const Report& report) {
    g_autoptr(GError) error = nullptr;
    g_autoptr(GVariant) reply = g_dbus_connection_call_sync(
        bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "ListNames",
        nullptr, G_VARIANT_TYPE("(as)"), G_DBUS_CALL_FLAGS_NONE, kListNamesTimeoutMs, nullptr,
        &error);
    if (reply == nullptr) {
        report.problem(std::string("Cannot list the session bus's names (") + error->message + ")");
        return {};
    }
    g_autofree const gchar** names = nullptr;
    g_variant_get(reply, "(^a&s)", &names);
    std::vector<std::string> list;
    for (const gchar** name = names; name != nullptr && *name != nullptr; ++name) {
        list.emplace_back(*name);
    }
    return list;
}

std::string pidText(pid_t pid) {
    return "process " + std::to_string(pid);
}

} // namespace

LoadRequestChoice waitForLoadRequestNames(GDBusConnection* bus, const NameWait& wait,
                                          const std::function<bool(pid_t)>& isInstaller,
                                          const Report& report) {
    const auto start = std::chrono::steady_clock::now();
    while (true) {
        LoadRequestChoice choice = chooseLoadRequestTargets(busNames(bus, report), isInstaller);
        const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start);
        if (everyExpectedNamed(wait.expected, choice)) {
            report.did("Found " + std::to_string(choice.toAsk.size() + choice.installers.size()) +
                       " load request names after " + std::to_string(waited.count()) + " ms");
            return choice;
        }
        if (waited >= wait.limit) {
            report.did("Found " + std::to_string(choice.toAsk.size() + choice.installers.size()) +
                       " load request names; not every GTK 3 application owned one after " +
                       std::to_string(waited.count()) + " ms");
            return choice;
        }
        std::this_thread::sleep_for(kNamePollInterval);
    }
}

void askEachToLoadPlugins(GDBusConnection* bus, const std::vector<LoadRequestTarget>& targets,
                          std::chrono::milliseconds timeout, const Report& report) {
    const std::string path(loader::kLoadRequestObjectPath);
    const std::string interface(loader::kLoadRequestInterface);
    const std::string method(loader::kLoadRequestMethod);
    for (const LoadRequestTarget& target : targets) {
        g_autoptr(GError) error = nullptr;
        // No auto-start: a name that is gone belongs to an application that quit.
        g_autoptr(GVariant) reply = g_dbus_connection_call_sync(
            bus, target.busName.c_str(), path.c_str(), interface.c_str(), method.c_str(), nullptr,
            G_VARIANT_TYPE("(u)"), G_DBUS_CALL_FLAGS_NO_AUTO_START,
            static_cast<int>(timeout.count()), nullptr, &error);
        if (reply == nullptr) {
            report.did("Asked " + pidText(target.pid) + " (" + target.busName + "): no answer (" +
                       error->message + ")");
            continue;
        }
        guint32 loaded = 0;
        g_variant_get(reply, "(u)", &loaded);
        report.did("Asked " + pidText(target.pid) + " (" + target.busName + "): loaded " +
                   std::to_string(loaded) + " plug-in bundle(s)");
    }
}

} // namespace vantro::loader_app
