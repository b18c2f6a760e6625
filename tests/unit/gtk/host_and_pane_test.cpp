// What the process and its pane are: whether the host is a Java program, read
// from its memory maps, and the pane's desktop entry naming the program
// relative to the pane, wherever the pane was copied to. Starting the pane
// and a copy of it through their entries is driven by
// tests/e2e/settings_app.sh; the folder names a shell would misread are here.

#include "platform/gtk/host_process.h"
#include "platform/gtk/pane_application.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantro::gtk {
namespace {

TEST(HostProcess, TheJvmIsFoundByItsLibraryName) {
    const std::string line = "7f00-7f10 r-xp 00000000 08:01 42 ";
    EXPECT_TRUE(mapsHoldTheJvm(line + "/usr/lib/jvm/java-17/lib/server/libjvm.so\n"));
    EXPECT_TRUE(mapsHoldTheJvm(line + "/opt/libjvm.so"));
    EXPECT_TRUE(mapsHoldTheJvm(line + "/opt/libjvm.so.1\n"));
    for (const char* other : {"/usr/lib/notlibjvm.so\n", "/usr/lib/libjvm.sox\n", ""}) {
        EXPECT_FALSE(mapsHoldTheJvm(line + other)) << other;
    }
}

// The resolved line as GLib splits it; nothing when there is no line.
std::optional<std::vector<std::string>> words(const std::optional<std::string>& exec) {
    gchar** argv = nullptr;
    if (!exec || !g_shell_parse_argv(exec->c_str(), nullptr, &argv, nullptr)) {
        return std::nullopt;
    }
    std::vector<std::string> result(argv, argv + g_strv_length(argv));
    g_strfreev(argv);
    return result;
}

TEST(ExecInFolder, ARelativeProgramIsTakenInsideTheFolder) {
    using Words = std::vector<std::string>;
    const std::tuple<const char*, const char*, std::optional<Words>> cases[] = {
        {"/p/Vantro.prefPane", "\"Contents/Linux/my app\" --flag %U",
         Words{"/p/Vantro.prefPane/Contents/Linux/my app", "--flag", "%U"}},
        // A folder's percent sign is not a field code; an escaped one in the
        // program stays one percent sign.
        {"/home/ann/100%/Vantro.prefPane", "Contents/Linux/app%%x",
         Words{"/home/ann/100%%/Vantro.prefPane/Contents/Linux/app%%x"}},
        {"/home/o'neil/$HOME; *.x/", "./Contents/../Contents/Linux/app '$HOME;x'",
         Words{"/home/o'neil/$HOME; *.x/Contents/Linux/app", "$HOME;x"}},
        // Absolute programs and names found on PATH are left as written.
        {"/p/Vantro.prefPane", "/usr/bin/vantro-settings %f",
         Words{"/usr/bin/vantro-settings", "%f"}},
        {"/p/Vantro.prefPane", "vantro-settings --test", Words{"vantro-settings", "--test"}},
        {"/p", "   ", std::nullopt},
        {"/p", "Contents/Linux/app 'open", std::nullopt},
    };
    for (const auto& [folder, exec, expected] : cases) {
        EXPECT_EQ(words(execInFolder(folder, exec)), expected) << folder << " + " << exec;
    }
}

} // namespace
} // namespace vantro::gtk
