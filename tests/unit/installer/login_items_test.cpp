#include "installer/login_items.h"

#include "installer_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vantro::installer {
namespace {

namespace fs = std::filesystem;
using testing::writeFile;

TEST(LoginItemMatches, FolderByFolder) {
    struct Case {
        const char* item;
        const char* path;
        bool matches;
    };
    const Case cases[] = {
        {"/a/Vantro Loader.app/vantro-loader", "/a/Vantro Loader.app", true},
        {"/a/Vantro Loader.app", "/a/Vantro Loader.app", true},
        {"/a/Vantro Loader.app/vantro-loader", "/a/Vantro Loader.app/", true},
        {"/a/Vantro Loader.app.old/vantro-loader", "/a/Vantro Loader.app", false},
        {"/a/Vantro Loader", "/a/Vantro Loader.app", false},
        {"/b/Vantro Loader.app/vantro-loader", "/a/Vantro Loader.app", false},
        {"/a/x", "", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(loginItemMatches(c.item, c.path), c.matches) << c.item << " / " << c.path;
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

} // namespace
} // namespace vantro::installer
