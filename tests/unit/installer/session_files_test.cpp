// The session files the installer edits for the user: the loader's login
// item in the autostart folder and the module named in GTK's settings.ini.

#include "installer/gtk_settings_file.h"
#include "installer/login_items.h"

#include "installer_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vantro::installer {
namespace {

namespace fs = std::filesystem;
using testing::writeFile;

TEST(LoginItemMatches, FolderByFolder) {
    using Pair = std::pair<const char*, const char*>;
    for (const auto& [item, path] :
         {Pair{"/a/Vantro Loader.app/vantro-loader", "/a/Vantro Loader.app"},
          {"/a/Vantro Loader.app", "/a/Vantro Loader.app"},
          {"/a/Vantro Loader.app/vantro-loader", "/a/Vantro Loader.app/"}}) {
        EXPECT_TRUE(loginItemMatches(item, path)) << item << " / " << path;
    }
    for (const auto& [item, path] :
         {Pair{"/a/Vantro Loader.app.old/vantro-loader", "/a/Vantro Loader.app"},
          {"/a/Vantro Loader", "/a/Vantro Loader.app"},
          {"/b/Vantro Loader.app/vantro-loader", "/a/Vantro Loader.app"},
          {"/a/x", ""}}) {
        EXPECT_FALSE(loginItemMatches(item, path)) << item << " / " << path;
    }
}

class LoginItemsTest : public ::testing::Test {
  protected:
    LoginItemsTest() {
        writeFile(loader_ + "/vantro-loader", "loader");
        writeFile(neighbour_ + "/vantro-loader", "another");
    }

    [[nodiscard]] size_t entries() const {
        size_t count = 0;
        for (const auto& entry : fs::directory_iterator(autostart_)) {
            count += entry.path().extension() == ".desktop" ? 1 : 0;
        }
        return count;
    }

    testing::InstallerMachine machine_;
    std::string autostart_ = machine_.root() + "/home/.config/autostart";
    // A space and a quote in the path: the Exec line must still name it.
    std::string loader_ = machine_.root() + "/Pane \"1\"/Vantro Loader.app";
    std::string neighbour_ = machine_.root() + "/Pane \"1\"/Vantro Loader.app.old";
    LoginItems items_{autostart_};
};

TEST_F(LoginItemsTest, AddedEntriesAreFoundAndRemovedWithNoOther) {
    items_.add(neighbour_);
    EXPECT_FALSE(items_.contains(loader_));
    items_.add(loader_);
    items_.add(loader_);
    EXPECT_TRUE(items_.contains(loader_));
    writeFile(autostart_ + "/through-path.desktop",
              "[Desktop Entry]\nType=Application\nName=x\nExec=vantro-loader\n");
    writeFile(autostart_ + "/broken.desktop", "not a desktop entry");
    writeFile(autostart_ + "/gone.desktop",
              "[Desktop Entry]\nType=Application\nName=x\nExec=\"" + loader_ + "/missing\"\n");
    ASSERT_EQ(entries(), 6U);
    items_.remove(loader_);
    EXPECT_FALSE(items_.contains(loader_));
    EXPECT_TRUE(items_.contains(neighbour_));
    EXPECT_EQ(entries(), 4U);
}

TEST_F(LoginItemsTest, AFolderThatCannotBeReadHasNoEntries) {
    const LoginItems nowhere(machine_.root() + "/no-such-folder");
    EXPECT_FALSE(nowhere.contains(loader_));
    nowhere.remove(loader_);
}

using Outcome = GtkSettingsEdit::Outcome;
constexpr const char* kModule = "/home/u/.local/share/ScriptingAdditions/m.so";
constexpr const char* kHome = "/home/u";
const std::string kNamed = std::string("gtk-modules=") + kModule + "\n";

struct Case {
    bool naming; // or taking out
    const char* name;
    std::optional<std::string> current;
    Outcome outcome;
    std::string text;
};

// Other settings, modules and comments kept, a file made for the module alone
// removed again: tests/e2e/helper_attacks.sh, on the system's settings.ini.
TEST(GtkSettingsFile, NamingTheModuleAndTakingItOut) {
    const Case cases[] = {
        {true, "an empty file", "", Outcome::write, "[Settings]\n" + kNamed},
        {true, "a group of another name is not the settings", "[Other]\nkey=1\n", Outcome::write,
         "[Other]\nkey=1\n\n[Settings]\n" + kNamed},
        {true, "already named", "[Settings]\n" + kNamed, Outcome::unchanged, ""},
        {true, "already named through ~/",
         "[Settings]\ngtk-modules=~/.local/share/ScriptingAdditions/m.so\n", Outcome::unchanged,
         ""},
        {true, "not a key file", "gtk-modules=/x.so\n", Outcome::unreadable, ""},
        {false, "no file", std::nullopt, Outcome::unchanged, ""},
        {false, "not named", "[Settings]\ngtk-modules=gail\n", Outcome::unchanged, ""},
        {false, "the emptied group goes, the comment stays",
         "# mine\n\n[Settings]\n" + kNamed + "\n[Other]\nkey=1\n", Outcome::write,
         "# mine\n\n[Other]\nkey=1\n"},
        {false, "every line naming it in the group",
         "[Settings]\ngtk-modules=" + std::string(kModule) + "\n[Settings]\n" + kNamed,
         Outcome::remove, ""},
        {false, "not a key file", "gtk-modules=" + std::string(kModule), Outcome::unreadable, ""},
    };
    for (const Case& c : cases) {
        const GtkSettingsEdit edit = c.naming ? gtkSettingsNaming(c.current, kModule, kHome)
                                              : gtkSettingsWithout(c.current, kModule, kHome);
        EXPECT_EQ(edit.outcome, c.outcome) << c.name;
        EXPECT_EQ(edit.text, c.text) << c.name;
        EXPECT_EQ(edit.error.empty(), c.outcome != Outcome::unreadable) << c.name;
    }
}

} // namespace
} // namespace vantro::installer
