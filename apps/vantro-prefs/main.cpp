// vantro-prefs: reads and changes the plug-in's settings from a terminal or a
// script. See --help.

#include "runtime/system_log.h"
#include "settings/catalogue.h"
#include "settings/dconf_backend.h"
#include "settings/plist_text.h"
#include "settings/vantro_user_defaults.h"

#include <cstdio>
#include <glib-unix.h>
#include <glib.h>
#include <string>
#include <string_view>

namespace {

using namespace vantro::settings;

constexpr int kExitFailure = 1;
constexpr int kExitRefused = 2;
constexpr int kExitNotAnnounced = 3;

constexpr const char* kUsage =
    "Usage: vantro-prefs COMMAND [ARGUMENTS]\n"
    "Reads and changes the settings of the Vantro window plug-in (dconf path\n"
    "/com/quillworks/vantro/). Every change is announced to running applications.\n"
    "\n"
    "Commands:\n"
    "  list              every key with its value and whether it is stored or the default\n"
    "  get KEY           the value of KEY (stored, else default)\n"
    "  set KEY VALUE     store VALUE under KEY\n"
    "  reset KEY         remove the stored value, so the default applies again\n"
    "  watch             print each change as it is announced, until interrupted\n"
    "  --help            this text\n"
    "\n"
    "Values: true, false, integers (1, -3), reals (0.5), strings (\"text\"),\n"
    "arrays ([true, 1]) and dictionaries ({\"width\": 4}). Feature settings are\n"
    "[enabled, modifier code]: 0 Shift, 1 Control, 2 Alt (Super for maximize\n"
    "features), 3 Super, -1 AltGr.\n"
    "\n"
    "Exit status: 0 stored and announced, 1 the settings could not be written,\n"
    "2 refused (unknown key, value of the wrong shape, bad usage), 3 stored but\n"
    "not announced (running applications see it when they next read the settings).\n";

// What a set or reset did: stored and announced, stored only, or nothing.
int reportWrite(const WriteResult& result, const char* verb, std::string_view key) {
    if (result.ok()) {
        return 0;
    }
    if (result.stored) {
        std::fprintf(stderr, "vantro-prefs: %s %.*s, but could not announce the change: %s\n", verb,
                     static_cast<int>(key.size()), key.data(), result.error.c_str());
        return kExitNotAnnounced;
    }
    std::fprintf(stderr, "vantro-prefs: could not write %.*s: %s\n", static_cast<int>(key.size()),
                 key.data(), result.error.c_str());
    return kExitFailure;
}

int refuse(const std::string& message) {
    std::fprintf(stderr, "vantro-prefs: %s\n", message.c_str());
    return kExitRefused;
}

const KeyInfo* knownKeyOrNull(std::string_view key) {
    const KeyInfo* info = findKey(key);
    if (info == nullptr) {
        std::fprintf(stderr, "vantro-prefs: unknown key \"%.*s\" (see vantro-prefs list)\n",
                     static_cast<int>(key.size()), key.data());
    }
    return info;
}

int list(const VantroUserDefaults& store) {
    for (const KeyInfo& info : knownKeys()) {
        const PlistValue* value = store.objectForKey(info.key);
        const char* origin = store.isStored(info.key) ? "stored" : value ? "default" : "unset";
        std::printf("%-42.*s %-8s %s\n", static_cast<int>(info.key.size()), info.key.data(), origin,
                    value ? toText(*value).c_str() : "-");
    }
    return 0;
}

int get(const VantroUserDefaults& store, std::string_view key) {
    if (knownKeyOrNull(key) == nullptr) {
        return kExitRefused;
    }
    const PlistValue* value = store.objectForKey(key);
    if (value == nullptr) {
        std::printf("unset\n");
        return 0;
    }
    std::printf("%s\n", toText(*value).c_str());
    return 0;
}

int set(VantroUserDefaults& store, std::string_view key, std::string_view text) {
    const KeyInfo* info = knownKeyOrNull(key);
    if (info == nullptr) {
        return kExitRefused;
    }
    TextParseResult parsed = parseText(text);
    if (!parsed.value) {
        return refuse("cannot read the value: " + parsed.error);
    }
    if (!valueHasShape(*parsed.value, info->shape)) {
        return refuse(std::string(key) + " takes " + std::string(shapeName(info->shape)) +
                      ", not " + toText(*parsed.value));
    }
    return reportWrite(store.setObject(&*parsed.value, key), "stored", key);
}

int reset(VantroUserDefaults& store, std::string_view key) {
    if (knownKeyOrNull(key) == nullptr) {
        return kExitRefused;
    }
    return reportWrite(store.removeObjectForKey(key), "reset", key);
}

gboolean quitLoop(gpointer loop) {
    g_main_loop_quit(static_cast<GMainLoop*>(loop));
    return G_SOURCE_REMOVE;
}

int watch(VantroUserDefaults& store) {
    Dictionary last = store.dictionaryRepresentation();
    store.setChangeHandler([&store, &last] {
        const Dictionary now = store.dictionaryRepresentation();
        for (const KeyInfo& info : knownKeys()) {
            const auto before = last.find(info.key);
            const auto after = now.find(info.key);
            const bool had = before != last.end();
            const bool has = after != now.end();
            if (had != has || (has && !(before->second == after->second))) {
                const PlistValue* value = store.objectForKey(info.key);
                std::printf("%.*s %s %s\n", static_cast<int>(info.key.size()), info.key.data(),
                            has ? "stored" : "reset", value ? toText(*value).c_str() : "-");
            }
        }
        std::printf("changed\n");
        std::fflush(stdout);
        last = now;
    });
    store.subscribeToChanges();
    GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
    g_unix_signal_add(SIGINT, quitLoop, loop);
    g_unix_signal_add(SIGTERM, quitLoop, loop);
    std::printf("watching %s\n", dconfPathForDomain(kDomain).c_str());
    std::fflush(stdout);
    g_main_loop_run(loop);
    g_main_loop_unref(loop);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // Plain lines on stderr: a command-line tool does not write to the journal.
    vantro::runtime::setSystemLogSink([](std::string_view) {});
    const std::string_view command = argc > 1 ? argv[1] : "";
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    VantroUserDefaults store(std::make_unique<DconfBackend>(), BroadcastObject::prefPane, kDomain);
    store.registerDefaults(defaultSettings());
    if (command == "list" && argc == 2) {
        return list(store);
    }
    if (command == "get" && argc == 3) {
        return get(store, argv[2]);
    }
    if (command == "set" && argc == 4) {
        return set(store, argv[2], argv[3]);
    }
    if (command == "reset" && argc == 3) {
        return reset(store, argv[2]);
    }
    if (command == "watch" && argc == 2) {
        return watch(store);
    }
    std::fputs(kUsage, stderr);
    return kExitRefused;
}
