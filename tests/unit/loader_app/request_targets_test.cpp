// The loader application's rules: choosing the applications to ask from the
// session bus's names, telling whether a process runs on the loader's display,
// and naming the module in xsettingsd's config.

#include "request_targets.h"
#include "x_display_name.h"
#include "xsettingsd_config.h"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <algorithm>
#include <set>

namespace vantro::loader_app {
namespace {

constexpr const char* kPrefix = "com.quillworks.vantro.Loader.p";

std::string nameOf(pid_t pid) {
    return kPrefix + std::to_string(pid);
}

// Names any client may own; the installer found by name as
// tests/e2e/loader_app.sh starts it is there too.
TEST(LoadRequestName, CarriesAProcessIdAndTheInstallerIsKnownByItsProgram) {
    const std::string prefix = kPrefix;
    for (const std::string& name :
         {prefix + "0", prefix + "012", prefix + "+12", prefix + "12a", prefix + "99999999999",
          std::string("com.quillworks.vantro.LoaderX.p12")}) {
        EXPECT_EQ(pidInLoadRequestName(name), std::nullopt) << name;
    }
    EXPECT_EQ(pidInLoadRequestName(nameOf(4194304)), 4194304);
    // A script's executable is its interpreter; a longer program name is another program.
    EXPECT_TRUE(isInstallerProcess("/usr/bin/python3.11", "vantro-installe"));
    EXPECT_FALSE(isInstallerProcess("/usr/libexec/vantro-installer-helper", "vantro-installe"));
    EXPECT_FALSE(isInstallerProcess("/opt/vantro-installer/bin/app", "app"));
}

// Any mix of application names (some twice), other names and one
// installer: each application is asked once, in process order, the installer
// never, and the loader has waited long enough once each expected one is named.
RC_GTEST_PROP(ChooseLoadRequestTargets, EachApplicationOnceInProcessOrderWithoutTheInstaller, ()) {
    const auto pids = *rc::gen::container<std::vector<pid_t>>(rc::gen::inRange<pid_t>(1, 50));
    const pid_t installer = *rc::gen::inRange<pid_t>(1, 50);
    std::vector<std::string> names;
    names.reserve(pids.size() + 2);
    for (const pid_t pid : pids) {
        names.push_back(nameOf(pid));
    }
    for (const char* other : {":1.3", "com.quillworks.vantro.Loader"}) {
        names.insert(names.begin() + *rc::gen::inRange<std::ptrdiff_t>(
                                         0, static_cast<std::ptrdiff_t>(names.size()) + 1),
                     other);
    }
    const LoadRequestChoice choice =
        chooseLoadRequestTargets(names, [installer](pid_t pid) { return pid == installer; });
    std::set<pid_t> applications(pids.begin(), pids.end());
    const bool installerNamed = applications.erase(installer) == 1;
    std::vector<LoadRequestTarget> expected;
    expected.reserve(applications.size());
    for (const pid_t pid : applications) {
        expected.push_back({nameOf(pid), pid});
    }
    RC_ASSERT(choice.toAsk == expected);
    RC_ASSERT(choice.installers ==
              (installerNamed ? std::vector<LoadRequestTarget>{{nameOf(installer), installer}}
                              : std::vector<LoadRequestTarget>{}));
    // A name seen counts, whoever owns it; more names than expected are
    // applications on another display.
    const std::set<pid_t> waitedFor =
        *rc::gen::container<std::set<pid_t>>(rc::gen::inRange<pid_t>(1, 50));
    const bool allNamed = std::ranges::all_of(
        waitedFor, [&pids](pid_t pid) { return std::ranges::find(pids, pid) != pids.end(); });
    RC_ASSERT(everyExpectedNamed(waitedFor, choice) == allNamed);
}

TEST(SameXDisplay, SameHostAndNumberWhateverTheScreen) {
    using Pair = std::pair<const char*, const char*>;
    for (const auto& [a, b] :
         {Pair{":0.1", ":0.0"}, {"unix:3", ":3"}, {":07", ":7"}, {"host:2", "host:2.0"}}) {
        EXPECT_TRUE(sameXDisplay(a, b) && sameXDisplay(b, a)) << a << " " << b;
    }
    for (const auto& [a, b] :
         {Pair{":1", ":10"}, {"localhost:10.0", ":10"}, {"0", "0"}, {":0.", ":0"}}) {
        EXPECT_FALSE(sameXDisplay(a, b) || sameXDisplay(b, a)) << a << " " << b;
    }
}

// Naming the module in xsettingsd's config, and finding the config. A plain
// config and "-c FILE" are driven by tests/e2e/loader_app.sh.
using Outcome = XsettingsdConfigEdit::Outcome;

constexpr const char* kModule = "/sa/SIMBL.osax/Contents/Linux/libvantro-loader-module.so";

std::string withModule(const std::string& before, const std::string& after) {
    return before + "Gtk/Modules \"" + after + "\"";
}

// What is edited is read back as naming the module; a config that names it
// already, or whose Gtk/Modules line is no string, is left alone.
TEST(XsettingsdConfig, AddsOrExtendsTheGtkModulesLineOnce) {
    const std::string module = kModule;
    const std::tuple<std::string, Outcome, std::string> cases[] = {
        // No final line feed.
        {"Net/ThemeName \"Adwaita\"", Outcome::edited,
         "Net/ThemeName \"Adwaita\"\n" + withModule("", module) + "\n"},
        // Indentation, comment and carriage return stay.
        {"  Gtk/Modules\t\"gail\"  # mine\r\nXft/DPI 98304\r\n", Outcome::edited,
         withModule("  ", "gail:" + module) + "  # mine\r\nXft/DPI 98304\r\n"},
        // A commented-out line and a longer name are other settings.
        {"# Gtk/Modules \"" + module + "\"\n", Outcome::edited,
         "# Gtk/Modules \"" + module + "\"\n" + withModule("", module) + "\n"},
        {"Gtk/ModulesExtra \"x\"\n", Outcome::edited,
         "Gtk/ModulesExtra \"x\"\n" + withModule("", module) + "\n"},
        // Escapes are read and written back.
        {R"(Gtk/Modules "we\"ird\\\ta")"
         "\n",
         Outcome::edited, withModule("", R"(we\"ird\\\ta:)" + module) + "\n"},
        {"Net/ThemeName \"Adwaita\"\n" + withModule("", "gail:" + module + ":atk-bridge") + "\n",
         Outcome::alreadyNames, ""},
        // An escaped tab is white space that GTK trims; "~/" is the home folder.
        {withModule("", "\\t" + module) + " # spaced\n", Outcome::alreadyNames, ""},
        {withModule("", "~/SIMBL.osax/Contents/Linux/libvantro-loader-module.so") + "\n",
         Outcome::alreadyNames, ""},
        {"Gtk/Modules (1, 2, 3)\n", Outcome::unreadable, ""},
        {"Gtk/Modules \"never closed\n", Outcome::unreadable, ""},
        {"Gtk/Modules # no value\n", Outcome::unreadable, ""},
    };
    for (const auto& [config, outcome, edited] : cases) {
        const XsettingsdConfigEdit edit = configNamingModule(config, kModule, "/sa");
        EXPECT_EQ(edit.outcome, outcome) << config;
        EXPECT_EQ(edit.config, edited) << config;
        EXPECT_EQ(edit.error.empty(), outcome != Outcome::unreadable) << config;
        if (outcome == Outcome::edited) {
            EXPECT_EQ(configNamingModule(edit.config, kModule, "/sa").outcome,
                      Outcome::alreadyNames)
                << config;
        }
    }
}

TEST(XsettingsdConfigPath, FromTheCommandLineOfTheRunningDaemon) {
    using Arguments = std::vector<std::string>;
    const std::pair<Arguments, const char*> cases[] = {
        // getopt_long's unambiguous prefix of --config.
        {{"xsettingsd", "--conf=/etc/x.conf"}, "/etc/x.conf"},
        {{"xsettingsd", "-c", "x.conf"}, "/run/dir/x.conf"},
        {{"xsettingsd", "-s", "0", "-c", "/a", "--config=/b"}, "/b"},
        {{"xsettingsd", "--", "-c", "/a"}, "/home/u/.xsettingsd"},
        {{"xsettingsd", "-c"}, "/home/u/.xsettingsd"},
    };
    for (const auto& [arguments, path] : cases) {
        EXPECT_EQ(xsettingsdConfigPath(arguments, "/run/dir", "/home/u"), path)
            << ::testing::PrintToString(arguments);
    }
}

} // namespace
} // namespace vantro::loader_app
