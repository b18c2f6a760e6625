// Every way a bundle in a plug-in folder can be broken. Good bundles, two
// copies of one and repeated requests are loaded by tests/e2e/loader_module.sh
// and loader_app.sh in a real application.

#include "loader/bundle_info.h"
#include "loader/bundle_loader.h"
#include "loader/gtk_modules_value.h"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <algorithm>
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

// Also what the installer reads the versions of bundles with.
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

// Gtk/Modules values of any entries, with blanks around them, empty ones, the
// module written in full or through "~/" and names that only look like it:
// reading, naming, extending and taking out agree with the entries as GTK
// splits, trims and expands them, and taking out keeps the others as written.
RC_GTEST_PROP(GtkModulesValue, AgreesWithTheEntriesAsGtkReadsThem, ()) {
    const std::string home = "/home/u";
    const std::string module = "/home/u/m.so";
    std::string value;
    std::vector<std::string> entries;
    std::string kept;
    for (int i = *rc::gen::inRange(0, 6); i > 0; --i, value += i > 0 ? ":" : "") {
        const std::string written =
            *rc::gen::element<std::string>("", "gail", "a,b", module, "~/m.so", "/abs/~/m.so",
                                           "~x/m.so", module + ".old", module + "/");
        const std::string read = written.starts_with("~/") ? home + written.substr(1) : written;
        const std::string piece = *rc::gen::element<std::string>("", " ", "\t") + written +
                                  *rc::gen::element<std::string>("", " ", "\n");
        value += piece;
        if (!read.empty()) {
            entries.push_back(read);
        }
        if (!read.empty() && read != module) {
            kept += (kept.empty() ? "" : ":") + piece;
        }
    }
    RC_ASSERT(gtkModuleEntries(value, home) == entries);
    RC_ASSERT(gtkModulesNames(value, module, home) == (std::ranges::count(entries, module) > 0));
    entries.push_back(module);
    RC_ASSERT(gtkModuleEntries(gtkModulesWith(value, module), home) == entries);
    RC_ASSERT(gtkModulesWithout(value, module, home) == kept);
}

TEST(GtkModulesValue, ExtendingLeavesNoEmptyEntryAndOnlyPlainAbsolutePathsAreNamed) {
    EXPECT_EQ(gtkModulesWith("gail : atk-bridge :: ", "/m.so"), "gail : atk-bridge:/m.so");
    EXPECT_TRUE(isNameableModulePath("/with space/m.so"));
    for (const char* path : {"relative/m.so", "", "/a:b/m.so", " /m.so", "/m.so\n"}) {
        EXPECT_FALSE(isNameableModulePath(path)) << '"' << path << '"';
    }
}

} // namespace
} // namespace vantro::loader
