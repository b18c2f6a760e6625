// Every way a bundle in a plug-in folder can be broken. Good bundles, two
// copies of one and repeated requests are loaded by tests/e2e/loader_module.sh
// and loader_app.sh in a real application.

#include "loader/bundle_info.h"
#include "loader/bundle_loader.h"
#include "loader/gtk_modules_value.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace vantro::loader {
namespace {

namespace fs = std::filesystem;

std::string plist(const std::string& identifier, const std::string& executable,
                  const std::string& entry, int interface) {
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE plist PUBLIC "-//Apple//DTD PLIST 1.0//EN" "http://www.apple.com/DTDs/PropertyList-1.0.dtd">
<plist version="1.0"><dict>
  <key>CFBundleIdentifier</key><string>)" +
           identifier + "</string>\n  <key>CFBundleExecutable</key><string>" + executable +
           "</string>\n  <key>CFBundleShortVersionString</key><string>1.0</string>\n  "
           "<key>SIMBLTargetApplications</key><array><dict><key>x</key><string>y</string></dict>"
           "</array>\n  <key>VantroBundleEntry</key><string>" +
           entry + "</string>\n  <key>VantroLoaderInterface</key><integer>" +
           std::to_string(interface) + "</integer>\n</dict></plist>\n";
}

// Every kind of broken bundle in one plug-in folder, beside an absent folder.
TEST(BundleLoader, BrokenBundlesAreSkippedWithOneLineEach) {
    const fs::path root = fs::temp_directory_path() / ("vantro-loader-" + std::to_string(getpid()));
    fs::remove_all(root);
    const std::string mark = (root / "mark").string();
    setenv("VANTRO_TEST_BUNDLE_MARK", mark.c_str(), 1); // NOLINT(concurrency-mt-unsafe)
    // A bundle with `info` and, unless empty, `code` as Contents/Linux/code.so.
    const auto bundle = [&root](const std::string& name, const std::string& info,
                                const std::string& code = "") {
        const fs::path contents = root / name / "Contents";
        fs::create_directories(contents / "Linux");
        std::ofstream(contents / "Info.plist") << info;
        if (!code.empty()) {
            fs::copy_file(code, contents / "Linux" / "code.so");
        }
    };
    const std::string good = "vantro_test_bundle_load";
    bundle("NoPlist.bundle", "");
    fs::remove(root / "NoPlist.bundle" / "Contents" / "Info.plist");
    bundle("Garbage.bundle", "<plist><dict><key>unclosed");
    bundle("NoEntryKey.bundle", plist("a.b", "code.so", "", kLoaderInterface),
           VANTRO_MARKING_BUNDLE);
    bundle("OtherInterface.bundle", plist("c.d", "code.so", good, kLoaderInterface + 1),
           VANTRO_MARKING_BUNDLE);
    bundle("NoCode.bundle", plist("e.f", "code.so", good, kLoaderInterface));
    bundle("NotCode.bundle", plist("g.h", "code.so", good, kLoaderInterface), VANTRO_NOT_CODE);
    bundle("NoEntry.bundle", plist("i.j", "code.so", good, kLoaderInterface),
           VANTRO_ENTRYLESS_BUNDLE);
    bundle("Escape.bundle", plist("k.l", "../../code.so", good, kLoaderInterface));
    fs::create_directories(root / "NotABundle");
    std::vector<std::string> logged;
    BundleLoader loader([&logged](std::string_view line) { logged.emplace_back(line); });
    EXPECT_TRUE(loader.loadFrom({root.string(), (root / "absent").string()}).empty());
    EXPECT_FALSE(fs::exists(mark)); // no entry ran
    EXPECT_EQ(logged.size(), 8U);
    for (const std::string& line : logged) {
        EXPECT_EQ(line.rfind("Skipped the plug-in bundle ", 0), 0U) << line;
    }
    fs::remove_all(root);
}

TEST(PropertyList, ReadsTheTopDictionarysStringsAndIntegers) {
    const auto values = readPropertyList(plist("x.y", "code.so", "entry", 1));
    ASSERT_TRUE(values);
    EXPECT_EQ(values->at("CFBundleIdentifier"), "x.y");
    EXPECT_EQ(values->at("VantroLoaderInterface"), "1");
    EXPECT_FALSE(values->contains("x")); // a nested dictionary's key
    EXPECT_FALSE(readPropertyList("not xml at all <"));
    EXPECT_FALSE(readPropertyList("<plist><array/></plist>"));
    EXPECT_EQ(pluginFolders("/home/u/.local/share"),
              (std::vector<std::string>{"/home/u/.local/share/SIMBL/Plugins",
                                        "/usr/local/share/SIMBL/Plugins"}));
}

// Reading and extending Gtk/Modules as GTK splits it.
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
