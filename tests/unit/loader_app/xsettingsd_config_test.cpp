// Naming the module in xsettingsd's config, and finding the config. A plain
// config and "-c FILE" are driven by tests/e2e/loader_app.sh.

#include "xsettingsd_config.h"

#include <gtest/gtest.h>

namespace vantro::loader_app {
namespace {

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
