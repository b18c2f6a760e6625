// Where the loader looks for SIMBL.osax, and which one it takes.

#include "presence.h"

#include <gtest/gtest.h>

#include <set>

namespace vantro::loader_app {
namespace {

TEST(ScriptingAdditionsFolders, SystemThenUserUnlessReplaced) {
    const std::vector<std::string> defaults = {"/usr/local/share/ScriptingAdditions",
                                               "/home/u/.local/share/ScriptingAdditions"};
    struct Case {
        const char* override;
        const char* userDataDir;
        std::vector<std::string> folders;
    };
    const Case cases[] = {
        {nullptr, "/home/u/.local/share/", defaults},
        // Set but naming no folder: as if unset.
        {":::", "/home/u/.local/share", defaults},
        {":/t/a::/t/b:", "/home/u/.local/share", {"/t/a", "/t/b"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(scriptingAdditionsFolders(c.override, c.userDataDir), c.folders)
            << (c.override ? c.override : "(unset)") << " " << c.userDataDir;
    }
}

TEST(FindInstalledModule, FirstFolderHoldingTheScriptingAdditionWins) {
    const std::vector<std::string> folders = {"/sys/SA", "/user/SA/"};
    const InstalledModule system{"/sys/SA/SIMBL.osax",
                                 "/sys/SA/SIMBL.osax/Contents/Linux/libvantro-loader-module.so"};
    const InstalledModule user{"/user/SA/SIMBL.osax",
                               "/user/SA/SIMBL.osax/Contents/Linux/libvantro-loader-module.so"};
    struct Case {
        std::set<std::string> existingFolders;
        std::optional<InstalledModule> found;
    };
    const Case cases[] = {
        // The ScriptingAdditions folders alone are not an installation.
        {{"/sys/SA", "/user/SA"}, std::nullopt},
        {{"/user/SA/SIMBL.osax"}, user},
        {{"/sys/SA/SIMBL.osax", "/user/SA/SIMBL.osax"}, system},
        // Another scripting addition is not ours.
        {{"/sys/SA/Other.osax"}, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto isFolder = [&](const std::string& path) {
            return c.existingFolders.contains(path);
        };
        EXPECT_EQ(findInstalledModule(folders, isFolder), c.found)
            << ::testing::PrintToString(c.existingFolders);
    }
}

} // namespace
} // namespace vantro::loader_app
