// The zoom options menu: its tree checked against the zoom's own table of
// titles and features, the mode items' states, missing images, and its
// place under the Window menu's zoom item as the menu class's update puts it.

#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_window.h"
#include "platform/menu_model.h"
#include "plugin/entry/plugin_entry.h"
#include "plugin/options_menu/vantro_menu.h"
#include "plugin/options_menu/window_menu_insertion.h"
#include "plugin/options_menu/zoom_options_tree.h"
#include "plugin/zoom/menu_titles.h"
#include "plugin/zoom/zoom_features.h"
#include "runtime/message_send.h"
#include "settings/catalogue.h"
#include "settings/memory_backend.h"
#include "settings/vantro_user_defaults.h"
#include "support/memory_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>

namespace vantro::options_menu {
namespace {

using platform::Menu;
using platform::MenuItem;
using platform::MenuItemState;

bool everyImage(std::string_view /*name*/) {
    return true;
}

// Calls `visit` for every item of `menu` and its submenus, depth first.
void forEachItem(const Menu& menu, const std::function<void(const MenuItem&)>& visit) {
    for (const MenuItem& item : menu.items()) {
        visit(item);
        if (item.submenu) {
            forEachItem(*item.submenu, visit);
        }
    }
}

// That each key equivalent reaches its own item (so none repeats) is
// tests/unit/gtk/key_equivalents_test.cpp's.
TEST(ZoomOptionsTree, CommandsAreTheZoomsOwnWithImagesInTheBundle) {
    const auto menu = buildZoomOptionsMenu(0, everyImage);
    int commands = 0;
    std::set<std::string> images{"TopLeftResizeIndicator"};
    forEachItem(*menu, [&](const MenuItem& item) {
        if (!item.imageName.empty()) {
            images.insert(item.imageName);
        }
        if (item.action == kZoomAction) {
            ++commands;
            // Choosing the item zooms with the feature its title stands for.
            EXPECT_EQ(zoom::featureForMenuTitle(item.title), item.featureKey) << item.title;
            EXPECT_TRUE(zoom::isZoomFeature(item.featureKey) ||
                        item.featureKey == zoom::kStandardZoomFeature)
                << item.featureKey;
        }
    });
    // Every title the zoom knows is a command of the menu.
    EXPECT_EQ(commands, static_cast<int>(zoom::kMenuTitles.size()));
    for (const std::string& name : images) {
        EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::path(VANTRO_IMAGE_RESOURCES) /
                                                     (name + ".svg")))
            << name;
    }
}

// The titles are the tree's own table; the commands' are checked above
// against the zoom's, and the positions of the items the tests below use.
TEST(ZoomOptionsTree, AHeaderSubmenusHeldByThisMenuAndPreferencesLast) {
    const auto menu = buildZoomOptionsMenu(0, everyImage);
    EXPECT_FALSE(menu->items().front().enabled);
    EXPECT_EQ(menu->items().back().action, kPreferencesAction);
    for (const MenuItem& item : menu->items()) {
        if (item.submenu) {
            EXPECT_EQ(item.submenu->supermenu(), menu.get()) << item.title;
            EXPECT_TRUE(item.action.empty()) << item.title;
        }
    }
}

TEST(ZoomOptionsTree, ModeItemsFollowTheSetting) {
    struct Case {
        std::int64_t mode;
        MenuItemState wholeWindow;
        MenuItemState content;
    };
    for (const Case& c : {Case{0, MenuItemState::on, MenuItemState::off},
                          Case{1, MenuItemState::off, MenuItemState::on},
                          Case{7, MenuItemState::off, MenuItemState::off}}) {
        const auto menu = buildZoomOptionsMenu(c.mode, everyImage);
        const Menu& resolutions = *menu->items()[7].submenu;
        ASSERT_EQ(resolutions.items().size(), 20U);
        const MenuItem& whole = resolutions.items()[18];
        const MenuItem& content = resolutions.items()[19];
        EXPECT_EQ(whole.title, "Zoom Whole Window to Resolution");
        EXPECT_EQ(content.title, "Zoom Window's Content to Resolution");
        EXPECT_EQ(whole.state, c.wholeWindow) << c.mode;
        EXPECT_EQ(content.state, c.content) << c.mode;
        EXPECT_TRUE(whole.smallLabelFont && content.smallLabelFont);
    }
}

TEST(ZoomOptionsTree, MissingImagesLeaveItemsWithoutOne) {
    const auto menu = buildZoomOptionsMenu(
        0, [](std::string_view name) { return name != "LeftHalfZoomTemplate"; });
    const Menu& halves = *menu->items()[4].submenu;
    EXPECT_TRUE(halves.items()[0].imageName.empty());
    EXPECT_EQ(halves.items()[1].imageName, "RightHalfZoomTemplate");
    EXPECT_TRUE(halves.items()[1].imageIsTemplate);
    EXPECT_TRUE(menu->items()[4].imageName.empty()); // the holder borrowed the same image
    const auto noImages = buildZoomOptionsMenu(0, {});
    forEachItem(*noImages, [](const MenuItem& item) { EXPECT_TRUE(item.imageName.empty()); });
}

// A Window menu of `titles`, where "min" is a minimize item and "zoom" the
// host's zoom command.
std::shared_ptr<Menu> windowMenuOf(const std::vector<std::string>& titles) {
    auto menu = std::make_shared<Menu>("Window");
    for (const std::string& title : titles) {
        MenuItem item;
        item.title = title;
        if (title == "min") {
            item.action = "performMiniaturize:";
        } else if (title == "zoom") {
            item.action = "performZoom:";
        }
        menu->addItem(std::move(item));
    }
    return menu;
}

std::shared_ptr<Menu> mainMenuWith(const std::shared_ptr<Menu>& windowMenu,
                                   std::string title = "Window") {
    auto main = std::make_shared<Menu>("Main");
    MenuItem file;
    file.title = "File";
    file.submenu = windowMenuOf({"Open"});
    main->addItem(std::move(file));
    MenuItem window;
    window.title = std::move(title);
    window.submenu = windowMenu;
    main->addItem(std::move(window));
    return main;
}

TEST(WindowMenuInsertion, UnderTheZoomItemOrAfterMinimize) {
    struct Case {
        std::string name;
        std::vector<std::string> items;
        std::size_t zoomIndex;
        std::size_t itemCount;
    };
    const Case cases[] = {
        {"host zoom item kept", {"min", "zoom", "Bring All to Front"}, 1, 3},
        {"titled Zoom", {"min", "Zoom"}, 1, 2},
        {"minimize at 3", {"a", "b", "c", "min", "d"}, 4, 6},
        {"neither", {"a", "b"}, 1, 3},
    };
    for (const Case& c : cases) {
        const auto zoomMenu = buildZoomOptionsMenu(0, everyImage);
        const auto windowMenu = windowMenuOf(c.items);
        const auto main = mainMenuWith(windowMenu, "Window");
        insertIntoWindowMenu(*main, zoomMenu, nullptr);
        ASSERT_EQ(windowMenu->items().size(), c.itemCount) << c.name;
        const MenuItem& zoomItem = windowMenu->items()[c.zoomIndex];
        EXPECT_EQ(zoomItem.submenu, zoomMenu) << c.name;
        EXPECT_TRUE(zoomItem.action.empty()) << c.name;
        EXPECT_TRUE(zoomItem.enabled) << c.name;
        EXPECT_EQ(zoomMenu->supermenu(), windowMenu.get()) << c.name;

        detachZoomOptionsMenu(*zoomMenu);
        EXPECT_EQ(windowMenu->items()[c.zoomIndex].submenu, nullptr) << c.name;
        EXPECT_EQ(windowMenu->items()[c.zoomIndex].action, "performZoom:") << c.name;
        EXPECT_EQ(zoomMenu->supermenu(), nullptr) << c.name;
    }
}

TEST(WindowMenuInsertion, FoundByTheWindowsMenuOrNotAtAll) {
    const auto zoomMenu = buildZoomOptionsMenu(0, everyImage);
    const auto windows = windowMenuOf({"min", "zoom"});
    const auto main = mainMenuWith(windows, "Fenster");
    insertIntoWindowMenu(*main, zoomMenu, nullptr); // neither titled nor named
    EXPECT_EQ(zoomMenu->supermenu(), nullptr);
    insertIntoWindowMenu(*main, zoomMenu, windows.get());
    EXPECT_EQ(zoomMenu->supermenu(), windows.get());
}

// The entry runs once per process, as in a host, so the settings store it
// subscribes to lives as long as the suite.
class MenuUpdates : public ::testing::Test {
  public:
    static void SetUpTestSuite() {
        suiteSettings = new vantro::testing::MemorySettings(false);
        defaults = &suiteSettings->store();
    }
    static void TearDownTestSuite() {
        delete suiteSettings;
        suiteSettings = nullptr;
    }

    MenuUpdates() {
        defaults->removeObjectForKey("VantroPluginEnabled");
        defaults->removeObjectForKey("VantroResolutionZoomMode");
        platform::fake::addHostMenuMethods();
        platform.mainMenuObject = &mainMenu;
        platform.windowsMenuObject = &windowsMenu;
        entry::vantroMenuLoad();
    }

    void store(std::string_view key, const settings::PlistValue& value) {
        ASSERT_TRUE(defaults->setObject(&value, key).ok());
    }
    void update(runtime::Object* menu) {
        runtime::send<void>(menu, runtime::Selector::named("update"));
    }
    [[nodiscard]] const MenuItem& zoomItem() const { return windowMenuModel->items()[1]; }

    platform::fake::FakePlatform platform;
    std::shared_ptr<Menu> windowMenuModel = windowMenuOf({"min", "zoom"});
    platform::MenuObject windowsMenu{windowMenuModel};
    platform::MenuObject mainMenu{mainMenuWith(windowMenuModel)};
    static inline vantro::testing::MemorySettings* suiteSettings = nullptr;
    static inline settings::VantroUserDefaults* defaults = nullptr;
};

TEST_F(MenuUpdates, TheMainMenusUpdateHangsTheMenuAndTheGateTakesItOut) {
    reloadZoomOptionsMenu(); // this test's menus are new
    update(&mainMenu);
    const std::shared_ptr<Menu>& zoomMenu = zoomOptionsMenu().menu();
    EXPECT_EQ(zoomItem().submenu, zoomMenu);

    // Another menu's update leaves it where it is; the host's update ran.
    const std::size_t hostUpdates = platform::fake::menuUpdates();
    update(&windowsMenu);
    EXPECT_EQ(platform::fake::menuUpdates(), hostUpdates + 1);
    EXPECT_EQ(zoomItem().submenu, zoomMenu);

    store("VantroPluginEnabled", settings::PlistValue::boolean(false));
    update(&mainMenu);
    EXPECT_EQ(zoomItem().submenu, nullptr);
    EXPECT_EQ(zoomItem().action, "performZoom:");

    store("VantroPluginEnabled", settings::PlistValue::boolean(true));
    update(&mainMenu);
    EXPECT_EQ(zoomItem().submenu, zoomMenu);
}

TEST_F(MenuUpdates, ASettingsBroadcastRebuildsTheMenuUnderTheSameItem) {
    // A menu setting of the wrong shape reads as mode 0.
    store("VantroResolutionZoomMode", settings::PlistValue::string("content"));
    reloadZoomOptionsMenu();
    EXPECT_EQ(zoomOptionsMenu().menu()->items()[7].submenu->items()[18].state, MenuItemState::on);
    update(&mainMenu);
    // Held, so that the new menu cannot take the old one's address.
    const std::shared_ptr<Menu> before = zoomOptionsMenu().menu();
    store("VantroResolutionZoomMode", settings::PlistValue::integer(1));
    defaults->vantroPreferencesDidChange(); // the broadcast arriving
    const std::shared_ptr<Menu>& after = zoomOptionsMenu().menu();
    EXPECT_NE(after, before);
    EXPECT_EQ(zoomItem().submenu, after);
    EXPECT_EQ(after->items()[7].submenu->items()[19].state, MenuItemState::on);
}

} // namespace
} // namespace vantro::options_menu
