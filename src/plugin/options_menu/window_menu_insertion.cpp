#include "plugin/options_menu/window_menu_insertion.h"

namespace vantro::options_menu {

namespace {

using platform::Menu;
using platform::MenuItem;

constexpr std::string_view kZoomAction = "zoom:";
constexpr std::string_view kMinimizeAction = "performMiniaturize:";

bool isWindowMenu(const MenuItem& item, const Menu* windowsMenu) {
    if (!item.submenu || item.submenu->items().empty()) {
        return false;
    }
    return item.submenu.get() == windowsMenu || item.title == kWindowMenuTitle;
}

bool isZoomItem(const MenuItem& item) {
    return !item.submenu && (item.action == kPerformZoomAction || item.action == kZoomAction ||
                             item.title == kZoomItemTitle);
}

} // namespace

void detachZoomOptionsMenu(Menu& zoomMenu) {
    Menu* holder = zoomMenu.supermenu();
    if (holder == nullptr) {
        return;
    }
    auto& items = holder->items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].submenu.get() == &zoomMenu) {
            holder->setSubmenu(i, nullptr);
            items[i].action = kPerformZoomAction;
            return;
        }
    }
}

void insertIntoWindowMenu(Menu& mainMenu, const std::shared_ptr<Menu>& zoomMenu,
                          const Menu* windowsMenu) {
    if (!zoomMenu) {
        return;
    }
    // Where a new zoom item goes: after the minimize item. Set while walking
    // and carried from one Window menu to the next.
    std::size_t minimizeIndex = 0;
    for (MenuItem& top : mainMenu.items()) {
        // The menu hangs under one item only: the first Window menu keeps it.
        if (zoomMenu->supermenu() != nullptr) {
            return;
        }
        if (!isWindowMenu(top, windowsMenu)) {
            continue;
        }
        Menu& windowMenu = *top.submenu;
        auto& items = windowMenu.items();
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (isZoomItem(items[i])) {
                items[i].enabled = true;
                items[i].action.clear();
                windowMenu.setSubmenu(i, zoomMenu);
                break;
            }
            if (items[i].action == kMinimizeAction) {
                minimizeIndex = i;
            }
        }
        if (zoomMenu->supermenu() == nullptr) {
            MenuItem zoomItem;
            zoomItem.title = kZoomItemTitle;
            zoomItem.submenu = zoomMenu;
            windowMenu.insertItem(std::move(zoomItem), minimizeIndex + 1);
        }
    }
}

} // namespace vantro::options_menu
