// The pane's settings application: its desktop entry names the program
// relative to the pane, wherever the pane was copied to.

#include "platform/gtk/pane_application.h"

#include <glib/gstdio.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace vantro::gtk {
namespace {

std::vector<std::string> words(const std::string& exec) {
    gchar** argv = nullptr;
    EXPECT_TRUE(g_shell_parse_argv(exec.c_str(), nullptr, &argv, nullptr)) << exec;
    std::vector<std::string> result;
    for (gchar** word = argv; word != nullptr && *word != nullptr; ++word) {
        result.emplace_back(*word);
    }
    g_strfreev(argv);
    return result;
}

TEST(ExecInFolder, ARelativeProgramIsTakenInsideTheFolder) {
    struct Case {
        const char* folder;
        const char* exec;
        std::vector<std::string> words; // of the resolved line, as GLib splits it
    };
    const Case cases[] = {
        {"/p/Vantro.prefPane",
         "\"Contents/Linux/my app\" --flag %U",
         {"/p/Vantro.prefPane/Contents/Linux/my app", "--flag", "%U"}},
        // A folder's percent sign is not a field code; an escaped one in the
        // program stays one percent sign.
        {"/home/ann/100%/Vantro.prefPane",
         "Contents/Linux/app%%x",
         {"/home/ann/100%%/Vantro.prefPane/Contents/Linux/app%%x"}},
        {"/home/o'neil/Vantro.prefPane/",
         "./Contents/../Contents/Linux/app",
         {"/home/o'neil/Vantro.prefPane/Contents/Linux/app"}},
        // Absolute programs and names found on PATH are left as written.
        {"/p/Vantro.prefPane", "/usr/bin/vantro-settings %f", {"/usr/bin/vantro-settings", "%f"}},
        {"/p/Vantro.prefPane", "vantro-settings --test", {"vantro-settings", "--test"}},
    };
    for (const Case& c : cases) {
        const std::optional<std::string> resolved = execInFolder(c.folder, c.exec);
        ASSERT_TRUE(resolved.has_value()) << c.exec;
        EXPECT_EQ(words(*resolved), c.words) << c.folder << " + " << c.exec << " = " << *resolved;
    }
}

TEST(ExecInFolder, ALineThatDoesNotParseHasNoProgram) {
    for (const char* exec : {"   ", "Contents/Linux/app 'open"}) {
        EXPECT_FALSE(execInFolder("/p", exec).has_value()) << exec;
    }
}

// A pane in a fresh temporary folder whose program records its arguments
// and its own path in "launched" beside the entry.
class PaneFolder : public testing::Test {
  protected:
    void SetUp() override {
        gchar* made = g_dir_make_tmp("vantro-pane-XXXXXX", nullptr);
        ASSERT_NE(made, nullptr);
        root_ = made;
        g_free(made);
    }
    void TearDown() override { std::filesystem::remove_all(root_); }

    std::string makePane(const std::string& name) {
        std::string pane = root_ + "/" + name;
        std::filesystem::create_directories(pane + "/Contents/Linux");
        const std::string program = pane + "/Contents/Linux/record";
        write(program, "#!/bin/sh\n"
                       "{ printf '%s\\n' \"$0\"; printf '%s\\n' \"$@\"; } >\"${0%/Contents/Linux/"
                       "record}/launched.part\"\n"
                       "mv \"${0%/Contents/Linux/record}/launched.part\" "
                       "\"${0%/Contents/Linux/record}/launched\"\n");
        g_chmod(program.c_str(), 0755);
        return pane;
    }
    static void write(const std::string& path, const std::string& text) {
        ASSERT_TRUE(g_file_set_contents(path.c_str(), text.c_str(), -1, nullptr)) << path;
    }
    static void writeEntry(const std::string& path, const std::string& exec) {
        write(path, "[Desktop Entry]\nType=Application\nName=Record\nExec=" + exec + "\n");
    }
    // The lines the program wrote, empty when it did not run within 5 s.
    static std::vector<std::string> launchedLines(const std::string& pane) {
        const std::string path = pane + "/launched";
        for (int tenth = 0; tenth < 50 && !g_file_test(path.c_str(), G_FILE_TEST_EXISTS); ++tenth) {
            g_usleep(G_USEC_PER_SEC / 10);
        }
        std::ifstream in(path);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    std::string root_;
};

// In a folder whose name a shell would split and expand, the first entry by
// name that names a program starts it with its arguments as written.
// Copies of the pane elsewhere are started by tests/e2e/settings_app.sh.
TEST_F(PaneFolder, TheFirstEntryThatNamesAProgramStartsWithoutAShell) {
    const std::string pane = makePane("$HOME; *.x/Vantro.prefPane");
    writeEntry(pane + "/b.desktop", "Contents/Linux/record 'a b' $HOME;x");
    writeEntry(pane + "/c.desktop", "Contents/Linux/record third");
    // Sorted first, but its program is missing; then one that is no entry.
    writeEntry(pane + "/a.desktop", "Contents/Linux/absent");
    write(pane + "/ab.desktop", "not a desktop entry\n");
    ASSERT_TRUE(launchPaneApplication(nullptr, pane));
    EXPECT_EQ(launchedLines(pane),
              (std::vector<std::string>{pane + "/Contents/Linux/record", "a b", "$HOME;x"}));
}

TEST_F(PaneFolder, APaneWithoutAProgramDoesNotStart) {
    const std::string pane = makePane("Vantro.prefPane");
    EXPECT_EQ(paneApplication(pane), nullptr); // no entry
    EXPECT_FALSE(launchPaneApplication(nullptr, pane));
    EXPECT_FALSE(launchPaneApplication(nullptr, root_ + "/Absent.prefPane"));
    write(pane + "/vantro-settings.desktop", "[Desktop Entry]\nType=Application\nName=X\n");
    EXPECT_EQ(paneApplication(pane), nullptr); // no Exec
    writeEntry(pane + "/vantro-settings.desktop", "Contents/Linux/absent");
    EXPECT_EQ(paneApplication(pane), nullptr);
    writeEntry(pane + "/vantro-settings.desktop", "\"Contents/Linux/record");
    EXPECT_EQ(paneApplication(pane), nullptr);
}

} // namespace
} // namespace vantro::gtk
