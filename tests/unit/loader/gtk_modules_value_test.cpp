// Reading and extending Gtk/Modules as GTK splits it.

#include "loader/gtk_modules_value.h"

#include <gtest/gtest.h>

namespace vantro::loader {
namespace {

constexpr const char* kHome = "/home/u";
constexpr const char* kModule = "/home/u/.local/share/ScriptingAdditions/SIMBL.osax/Contents/"
                                "Linux/libvantro-loader-module.so";

TEST(GtkModulesValue, EntriesAsGtkReadsThem) {
    EXPECT_EQ(gtkModuleEntries(":: :", kHome), std::vector<std::string>{});
    EXPECT_EQ(gtkModuleEntries("  gail : \tatk-bridge\n", kHome),
              (std::vector<std::string>{"gail", "atk-bridge"}));
    // "~/" is the home folder only at the start; a comma is part of a name.
    EXPECT_EQ(gtkModuleEntries("~/lib/m.so:/abs/~/m.so:a,b", kHome),
              (std::vector<std::string>{"/home/u/lib/m.so", "/abs/~/m.so", "a,b"}));
}

TEST(GtkModulesValue, NamesOnlyTheInstalledModule) {
    EXPECT_TRUE(gtkModulesNames(std::string("gail: ") + kModule + " :atk-bridge", kModule, kHome));
    EXPECT_TRUE(gtkModulesNames(
        "~/.local/share/ScriptingAdditions/SIMBL.osax/Contents/Linux/libvantro-loader-module.so",
        kModule, kHome));
    // Another copy of the module, or a longer path, is not the installed one.
    for (const std::string& other :
         std::vector<std::string>{"", "/build/src/loader/libvantro-loader-module.so",
                                  std::string(kModule) + ".old", "libvantro-loader-module.so"}) {
        EXPECT_FALSE(gtkModulesNames(other, kModule, kHome)) << other;
    }
    EXPECT_TRUE(isNameableModulePath("/with space/m.so"));
    for (const char* path : {"relative/m.so", "", "/a:b/m.so", " /m.so", "/m.so\n"}) {
        EXPECT_FALSE(isNameableModulePath(path)) << '"' << path << '"';
    }
}

TEST(GtkModulesValue, AddingAndTakingOutKeepTheOtherEntriesAsWritten) {
    const std::pair<const char*, const char*> added[] = {
        {"  ", "/m.so"},
        {"gail:", "gail:/m.so"},
        {"gail : atk-bridge :: ", "gail : atk-bridge:/m.so"},
    };
    for (const auto& [value, extended] : added) {
        EXPECT_EQ(gtkModulesWith(value, "/m.so"), extended) << '"' << value << '"';
    }
    const std::pair<const char*, const char*> kept[] = {
        {"/m.so", ""},
        {"/m.so: atk-bridge ", " atk-bridge "},
        {"gail: /m.so :/m.so", "gail"},
        {"~/m.so:gail", "~/m.so:gail"}, // /home/u/m.so
        {"gail::atk-bridge", "gail:atk-bridge"},
        {"/m.so.old:/m.so/", "/m.so.old:/m.so/"},
    };
    for (const auto& [value, rest] : kept) {
        EXPECT_EQ(gtkModulesWithout(value, "/m.so", kHome), rest) << '"' << value << '"';
    }
    EXPECT_EQ(gtkModulesWithout("~/m.so:gail", "/home/u/m.so", kHome), "gail");
}

} // namespace
} // namespace vantro::loader
