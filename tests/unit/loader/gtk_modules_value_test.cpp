// Reading and extending Gtk/Modules as GTK splits it.

#include "loader/gtk_modules_value.h"

#include <gtest/gtest.h>

namespace vantro::loader {
namespace {

constexpr const char* kHome = "/home/u";
constexpr const char* kModule = "/home/u/.local/share/ScriptingAdditions/SIMBL.osax/Contents/"
                                "Linux/libvantro-loader-module.so";

TEST(GtkModulesValue, EntriesAsGtkReadsThem) {
    struct Case {
        const char* value;
        std::vector<std::string> entries;
    };
    const Case cases[] = {
        {"", {}},
        {":: :", {}},
        {"gail:atk-bridge", {"gail", "atk-bridge"}},
        {"  gail : \tatk-bridge\n", {"gail", "atk-bridge"}},
        {"~/lib/m.so:/abs/~/m.so", {"/home/u/lib/m.so", "/abs/~/m.so"}},
        // A comma is part of a name.
        {"a,b", {"a,b"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(gtkModuleEntries(c.value, kHome), c.entries) << '"' << c.value << '"';
    }
}

TEST(GtkModulesValue, NamesOnlyTheInstalledModule) {
    struct Case {
        std::string value;
        bool names;
    };
    const Case cases[] = {
        {"", false},
        {kModule, true},
        {std::string("gail:") + kModule + ":atk-bridge", true},
        {std::string(" ") + kModule + " ", true},
        {"~/.local/share/ScriptingAdditions/SIMBL.osax/Contents/Linux/libvantro-loader-module.so",
         true},
        // Another copy of the module, or a longer path, is not the installed one.
        {"/build/src/loader/libvantro-loader-module.so", false},
        {std::string(kModule) + ".old", false},
        {"libvantro-loader-module.so", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(gtkModulesNames(c.value, kModule, kHome), c.names) << c.value;
    }
}

TEST(GtkModulesValue, OnlyAbsolutePathsWithoutSeparatorsCanBeNamed) {
    struct Case {
        const char* path;
        bool nameable;
    };
    const Case cases[] = {
        {kModule, true},      {"/with space/m.so", true}, {"relative/m.so", false}, {"", false},
        {"/a:b/m.so", false}, {" /m.so", false},          {"/m.so\n", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isNameableModulePath(c.path), c.nameable) << '"' << c.path << '"';
    }
}

TEST(GtkModulesValue, AppendingKeepsTheOtherEntriesAsWritten) {
    struct Case {
        const char* value;
        std::string extended;
    };
    const Case cases[] = {
        {"", "/m.so"},
        {"  ", "/m.so"},
        {"gail", "gail:/m.so"},
        {"gail:", "gail:/m.so"},
        {"gail : atk-bridge :: ", "gail : atk-bridge:/m.so"},
    };
    for (const Case& c : cases) {
        const std::string extended = gtkModulesWith(c.value, "/m.so");
        EXPECT_EQ(extended, c.extended) << '"' << c.value << '"';
        EXPECT_TRUE(gtkModulesNames(extended, "/m.so", kHome)) << extended;
    }
}

TEST(GtkModulesValue, WithoutTheModuleKeepsTheOtherEntriesAsWritten) {
    struct Case {
        const char* value;
        const char* kept;
    };
    const Case cases[] = {
        {"/m.so", ""},
        {"gail:/m.so", "gail"},
        {"/m.so: atk-bridge ", " atk-bridge "},
        {"gail: /m.so :/m.so", "gail"},
        {"~/m.so:gail", "~/m.so:gail"}, // /home/u/m.so
        {"gail::atk-bridge", "gail:atk-bridge"},
        {"/other/m.so", "/other/m.so"},
        {"/m.so.old:/m.so/", "/m.so.old:/m.so/"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(gtkModulesWithout(c.value, "/m.so", kHome), c.kept) << '"' << c.value << '"';
    }
    EXPECT_EQ(gtkModulesWithout("~/m.so:gail", "/home/u/m.so", kHome), "gail");
}

} // namespace
} // namespace vantro::loader
