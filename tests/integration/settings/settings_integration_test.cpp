// The settings store against a real dconf database and session bus (both
// private to the test run): concurrent writers, the broadcast between
// processes, direct dconf writes, and the failures of a missing bus or a
// damaged database.

#include "settings/catalogue.h"
#include "settings/dconf_backend.h"
#include "settings/vantro_user_defaults.h"
#include "support/log_capture.h"
#include "support/main_loop.h"

#include <cstdlib>
#include <fstream>
#include <gio/gio.h>
#include <glib/gstdio.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vantro::settings {
namespace {

class DconfStore : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* flag = std::getenv("VANTRO_PRIVATE_SESSION"); // NOLINT(concurrency-mt-unsafe)
        if (flag == nullptr || std::string(flag) != "1") {
            GTEST_SKIP() << "run through tools/with-private-session, never on the user's settings";
        }
    }
};

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs a program to completion (through env(1) where the environment is
// to change).
ProgramRun runProgram(const std::vector<std::string>& argv) {
    std::vector<gchar*> args;
    for (const auto& a : argv) {
        args.push_back(const_cast<gchar*>(a.c_str()));
    }
    args.push_back(nullptr);
    ProgramRun run;
    g_autofree gchar* out = nullptr;
    g_autofree gchar* err = nullptr;
    gint wait = 0;
    if (g_spawn_sync(nullptr, args.data(), nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr, &out,
                     &err, &wait, nullptr)) {
        run.status = WIFEXITED(wait) ? WEXITSTATUS(wait) : 128;
        run.out = out != nullptr ? out : "";
        run.err = err != nullptr ? err : "";
    }
    return run;
}

std::string dconfRead(const std::string& key) {
    ProgramRun run = runProgram({"dconf", "read", "/com/quillworks/vantro/" + key});
    while (!run.out.empty() && run.out.back() == '\n') {
        run.out.pop_back();
    }
    return run.out;
}

using testing::spinUntil;

std::unique_ptr<VantroUserDefaults> pluginStore() {
    auto store = std::make_unique<VantroUserDefaults>(std::make_unique<DconfBackend>(),
                                                      BroadcastObject::plugin, kDomain);
    store->registerDefaults(defaultSettings());
    return store;
}

TEST_F(DconfStore, EightConcurrentWritersLoseNothing) {
    constexpr int kWriters = 8;
    constexpr int kKeys = 150;
    // All started at once; the shell fails when any writer does.
    const std::string writers =
        "for w in $(seq 0 $(($1 - 1))); do \"$0\" VantroConcurrent\"$w\"_ \"$2\" & "
        "pids=\"$pids $!\"; done; for p in $pids; do wait \"$p\" || exit 1; done";
    const ProgramRun run = runProgram({"sh", "-c", writers, SETTINGS_WRITER_PATH,
                                       std::to_string(kWriters), std::to_string(kKeys)});
    ASSERT_EQ(run.status, 0) << run.err;
    DconfBackend reader;
    reader.synchronize(kDomain);
    const Dictionary stored = reader.readAll(kDomain);
    int found = 0;
    for (int w = 0; w < kWriters; ++w) {
        for (int i = 0; i < kKeys; ++i) {
            const auto entry =
                stored.find("VantroConcurrent" + std::to_string(w) + "_" + std::to_string(i));
            if (entry != stored.end() && entry->second == PlistValue::integer(i)) {
                ++found;
            }
        }
    }
    EXPECT_EQ(found, kWriters * kKeys);
}

void recordObjectString(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*,
                        GVariant* parameters, gpointer data) {
    const gchar* object = nullptr;
    g_variant_get(parameters, "(&s)", &object);
    static_cast<std::vector<std::string>*>(data)->emplace_back(object);
}

TEST_F(DconfStore, WriterHearsItsOwnBroadcast) {
    // Listen to the signal itself too, so the test tells the broadcast apart
    // from dconf's own change notification.
    std::vector<std::string> objects;
    g_autoptr(GDBusConnection) bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    ASSERT_NE(bus, nullptr);
    const guint subscription = g_dbus_connection_signal_subscribe(
        bus, nullptr, kBroadcastInterface, kBroadcastMember, kBroadcastPath, nullptr,
        G_DBUS_SIGNAL_FLAGS_NONE, recordObjectString, &objects, nullptr);
    auto store = pluginStore();
    int changes = 0;
    store->setChangeHandler([&] { ++changes; });
    store->subscribeToChanges();
    const PlistValue value = PlistValue::array({PlistValue::boolean(true), PlistValue::integer(3)});
    ASSERT_TRUE(store->setObject(&value, "VantroMaximizeRightHalf").ok());
    ASSERT_TRUE(spinUntil([&] { return changes > 0 && !objects.empty(); }));
    g_dbus_connection_signal_unsubscribe(bus, subscription);
    EXPECT_EQ(objects, std::vector<std::string>{"VantroPlugin"});
    EXPECT_EQ(*store->objectForKey("VantroMaximizeRightHalf"), value);
    EXPECT_EQ(dconfRead("VantroMaximizeRightHalf"), "[<true>, <3>]");
}

// Another process's write through the store, and a dconf write alone
// (dconf's change notification without the broadcast), reach the handler
// with the new value in place.
TEST_F(DconfStore, OtherProcessesWritesReachTheHandlerWithTheNewValue) {
    auto store = pluginStore();
    std::int32_t seen = -1;
    bool enabled = true;
    store->setChangeHandler([&] {
        seen = store->integerForKey("VantroResolutionZoomMode");
        enabled = readFeatureSetting(store->objectForKey("VantroAnimateZooms")).enabled;
    });
    store->subscribeToChanges();
    ProgramRun run = runProgram({VANTRO_PREFS_PATH, "set", "VantroResolutionZoomMode", "1"});
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_TRUE(spinUntil([&] { return seen == 1; })) << "seen " << seen;
    run = runProgram(
        {"dconf", "write", "/com/quillworks/vantro/VantroAnimateZooms", "[<false>, <-1>]"});
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_TRUE(spinUntil([&] { return !enabled; }));
}

TEST_F(DconfStore, PrefsToolRefusesBadInputAndWritesNothing) {
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {{"set", "VantroNoSuchKey", "1"}, 2, "unknown key \"VantroNoSuchKey\""},
        {{"set", "VantroKeepCentered", "[true]"},
         2,
         "VantroKeepCentered takes [enabled, modifier code]"},
        {{"set", "VantroKeepCentered", "[true, "}, 2, "cannot read the value"},
        {{"set", "VantroPluginEnabled", "\"yes\""}, 2, "takes a boolean"},
        {{"get", "VantroNoSuchKey"}, 2, "unknown key"},
        {{"frobnicate"}, 2, "Usage: vantro-prefs"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> argv{VANTRO_PREFS_PATH};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        const ProgramRun run = runProgram(argv);
        EXPECT_EQ(run.status, c.status) << c.args[0];
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    EXPECT_EQ(dconfRead("VantroKeepCentered"), "");
    EXPECT_EQ(dconfRead("VantroPluginEnabled"), "");

    ASSERT_EQ(runProgram({VANTRO_PREFS_PATH, "set", "VantroKeepCentered", "[false, 3]"}).status, 0);
    EXPECT_EQ(dconfRead("VantroKeepCentered"), "[<false>, <3>]");
    const ProgramRun list = runProgram({VANTRO_PREFS_PATH, "list"});
    EXPECT_NE(list.out.find("stored   [false, 3]"), std::string::npos) << list.out;
    ASSERT_EQ(runProgram({VANTRO_PREFS_PATH, "reset", "VantroKeepCentered"}).status, 0);
    EXPECT_EQ(dconfRead("VantroKeepCentered"), "");
}

// Cut off from dconf's service, by a bus address that leads nowhere or by a
// bus of its own that knows no services (so dconf-service cannot start):
// writes fail with a clear message, reads still answer from the database
// file, and nothing stored is lost.
TEST_F(DconfStore, WithoutTheBusOrTheServiceWritesFailAndNothingIsLost) {
    g_autofree gchar* scratch = g_dir_make_tmp("vantro-noservice-XXXXXX", nullptr);
    ASSERT_NE(scratch, nullptr);
    const std::string config = std::string(scratch) + "/bus.conf";
    std::ofstream(config) << "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus "
                             "Configuration 1.0//EN\"\n"
                             " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                             "<busconfig><type>session</type><listen>unix:tmpdir="
                          << scratch
                          << "</listen><policy context=\"default\"><allow send_destination=\"*\"/>"
                             "<allow own=\"*\"/></policy></busconfig>\n";
    const std::vector<std::string> cutOff[] = {
        {"env", "-u", "DISPLAY", "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/bus"},
        {"dbus-run-session", "--config-file=" + config, "--"},
    };
    for (const auto& prefix : cutOff) {
        ASSERT_EQ(runProgram({VANTRO_PREFS_PATH, "set", "VantroResolutionZoomMode", "1"}).status,
                  0);
        auto prefs = [&prefix](const std::vector<std::string>& args) {
            std::vector<std::string> argv = prefix;
            argv.push_back(VANTRO_PREFS_PATH);
            argv.insert(argv.end(), args.begin(), args.end());
            return runProgram(argv);
        };
        const ProgramRun set = prefs({"set", "VantroResolutionZoomMode", "0"});
        EXPECT_EQ(set.status, 1) << set.err;
        EXPECT_NE(set.err.find("could not write VantroResolutionZoomMode"), std::string::npos)
            << set.err;
        const ProgramRun get = prefs({"get", "VantroResolutionZoomMode"});
        EXPECT_EQ(get.status, 0) << get.err;
        EXPECT_EQ(get.out, "1\n") << get.err;
        EXPECT_EQ(dconfRead("VantroResolutionZoomMode"), "1");
    }
    runProgram({"rm", "-rf", scratch});
}

TEST_F(DconfStore, DamagedDatabaseReadsAsDefaults) {
    g_autofree gchar* scratch = g_dir_make_tmp("vantro-damaged-XXXXXX", nullptr);
    ASSERT_NE(scratch, nullptr);
    const std::string config = std::string(scratch) + "/config";
    g_mkdir_with_parents((config + "/dconf").c_str(), 0700);
    {
        std::ofstream garbage(config + "/dconf/user", std::ios::binary);
        for (int i = 0; i < 4096; ++i) {
            garbage.put(static_cast<char>((i * 7919) & 0xff));
        }
    }
    const ProgramRun list = runProgram({"env", "-u", "DISPLAY", "XDG_CONFIG_HOME=" + config,
                                        "DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/bus",
                                        VANTRO_PREFS_PATH, "list"});
    EXPECT_EQ(list.status, 0) << list.err;
    EXPECT_NE(list.out.find("VantroPluginEnabled                        default  true"),
              std::string::npos)
        << list.out;
    runProgram({"rm", "-rf", scratch});
}

TEST_F(DconfStore, FailedWriteInTheProcessLogsOneLine) {
    // A key dconf cannot hold fails before reaching the bus.
    auto store = pluginStore();
    testing::LogCapture log;
    const PlistValue value = PlistValue::integer(1);
    EXPECT_FALSE(store->setObject(&value, "VantroFolder/").ok());
    EXPECT_EQ(log.lines().size(), 1U);
}

} // namespace
} // namespace vantro::settings
