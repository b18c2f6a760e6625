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
    struct Case {
        const char* a;
        const char* b;
        bool same;
    };
    const Case cases[] = {
        {":0.1", ":0.0", true},
        {"unix:3", ":3", true},
        {":07", ":7", true},
        {":1", ":10", false},
        {"localhost:10.0", ":10", false},
        {"host:2", "host:2.0", true},
        {"0", "0", false},
        {":0.", ":0", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sameXDisplay(c.a, c.b), c.same) << '"' << c.a << "\" \"" << c.b << '"';
        EXPECT_EQ(sameXDisplay(c.b, c.a), c.same) << '"' << c.b << "\" \"" << c.a << '"';
    }
}

// Naming the module in xsettingsd's config, and finding the config. A plain
// config and "-c FILE" are driven by tests/e2e/loader_app.sh.
using Outcome = XsettingsdConfigEdit::Outcome;

constexpr const char* kHome = "/home/u";
constexpr const char* kModule = "/sa/SIMBL.osax/Contents/Linux/libvantro-loader-module.so";

std::string withModule(const std::string& before, const std::string& after) {
    return before + "Gtk/Modules \"" + after + "\"";
}

TEST(XsettingsdConfig, AddsOrExtendsTheGtkModulesLine) {
    const std::string module = kModule;
    struct Case {
        const char* why;
        std::string config;
        std::string edited;
    };
    const Case cases[] = {
        {"no final line feed", "Net/ThemeName \"Adwaita\"",
         "Net/ThemeName \"Adwaita\"\n" + withModule("", module) + "\n"},
        {"indentation, comment and carriage return stay",
         "  Gtk/Modules\t\"gail\"  # mine\r\nXft/DPI 98304\r\n",
         withModule("  ", "gail:" + module) + "  # mine\r\nXft/DPI 98304\r\n"},
        {"a commented-out line is not the setting", "# Gtk/Modules \"" + module + "\"\n",
         "# Gtk/Modules \"" + module + "\"\n" + withModule("", module) + "\n"},
        {"a longer name is another setting", "Gtk/ModulesExtra \"x\"\n",
         "Gtk/ModulesExtra \"x\"\n" + withModule("", module) + "\n"},
        {"escapes are read and written back",
         R"(Gtk/Modules "we\"ird\\\ta")"
         "\n",
         withModule("", R"(we\"ird\\\ta:)" + module) + "\n"},
    };
    for (const Case& c : cases) {
        const XsettingsdConfigEdit edit = configNamingModule(c.config, kModule, kHome);
        EXPECT_EQ(edit.outcome, Outcome::edited) << c.why;
        EXPECT_EQ(edit.config, c.edited) << c.why;
        // What was written is read back as naming the module.
        EXPECT_EQ(configNamingModule(edit.config, kModule, kHome).outcome, Outcome::alreadyNames)
            << c.why;
    }
}

// A config that names the module, or whose Gtk/Modules line is no string,
// is left alone.
TEST(XsettingsdConfig, LeavesAConfigThatNamesTheModuleOrCannotBeReadAlone) {
    const std::string module = kModule;
    const std::pair<std::string, Outcome> cases[] = {
        {"Net/ThemeName \"Adwaita\"\n" + withModule("", "gail:" + module + ":atk-bridge") + "\n",
         Outcome::alreadyNames},
        // An escaped tab is white space that GTK trims.
        {withModule("", "\\t" + module) + " # spaced\n", Outcome::alreadyNames},
        // GTK expands "~/" with the home folder.
        {withModule("", "~/SIMBL.osax/Contents/Linux/libvantro-loader-module.so") + "\n",
         Outcome::alreadyNames},
        {"Gtk/Modules (1, 2, 3)\n", Outcome::unreadable},
        {"Gtk/Modules \"never closed\n", Outcome::unreadable},
        {"Gtk/Modules # no value\n", Outcome::unreadable},
    };
    for (const auto& [config, outcome] : cases) {
        const XsettingsdConfigEdit edit = configNamingModule(config, kModule, "/sa");
        EXPECT_EQ(edit.outcome, outcome) << config;
        EXPECT_TRUE(edit.config.empty()) << config;
        EXPECT_EQ(edit.error.empty(), outcome == Outcome::alreadyNames) << config;
    }
}

TEST(XsettingsdConfigPath, FromTheCommandLineOfTheRunningDaemon) {
    struct Case {
        std::vector<std::string> arguments;
        std::string path;
    };
    const Case cases[] = {
        // getopt_long's unambiguous prefix of --config.
        {{"xsettingsd", "--conf=/etc/x.conf"}, "/etc/x.conf"},
        {{"xsettingsd", "-c", "x.conf"}, "/run/dir/x.conf"},
        {{"xsettingsd", "-s", "0", "-c", "/a", "--config=/b"}, "/b"},
        {{"xsettingsd", "--", "-c", "/a"}, "/home/u/.xsettingsd"},
        {{"xsettingsd", "-c"}, "/home/u/.xsettingsd"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(xsettingsdConfigPath(c.arguments, "/run/dir", "/home/u"), c.path)
            << ::testing::PrintToString(c.arguments);
    }
}

} // namespace
} // namespace vantro::loader_app
