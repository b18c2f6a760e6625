#include "platform/gtk/title_bar_menu.h"

#include <string>

namespace vantro::gtk {

namespace {

platform::MenuItem titled(const char* title, const char* action = "") {
    platform::MenuItem item;
    item.title = title;
    item.action = action;
    return item;
}

// A label without its mnemonic underscores ("Ma_ximize" reads "Maximize").
std::string plainLabel(const char* label) {
    std::string plain;
    for (const char* at = label; *at != '\0'; ++at) {
        if (*at == '_' && at[1] != '_') {
            continue;
        }
        plain += *at;
    }
    return plain;
}

} // namespace

std::shared_ptr<platform::Menu> titleBarMainMenu() {
    // The items GTK puts in its title-bar menu, with the actions the
    // plug-in knows them by.
    auto windowMenu = std::make_shared<platform::Menu>(kTitleBarMenuTitle);
    windowMenu->addItem(titled("Restore"));
    windowMenu->addItem(titled("Move"));
    windowMenu->addItem(titled("Resize"));
    windowMenu->addItem(titled("Minimize", "performMiniaturize:"));
    windowMenu->addItem(titled(kMaximizeItemTitle, "performZoom:"));
    windowMenu->addItem(platform::MenuItem::separatorItem());
    windowMenu->addItem(titled("Always on Top"));
    windowMenu->addItem(platform::MenuItem::separatorItem());
    windowMenu->addItem(titled("Close", "performClose:"));

    auto mainMenu = std::make_shared<platform::Menu>("Main Menu");
    platform::MenuItem holder = titled(kTitleBarMenuTitle);
    holder.submenu = std::move(windowMenu);
    mainMenu->addItem(std::move(holder));
    return mainMenu;
}

std::shared_ptr<platform::Menu> titleBarWindowMenu(const platform::Menu& mainMenu) {
    for (const platform::MenuItem& item : mainMenu.items()) {
        if (item.title == kTitleBarMenuTitle && item.submenu) {
            return item.submenu;
        }
    }
    return nullptr;
}

GtkWidget* maximizeItemOf(GtkMenu* menu) {
    GList* children = gtk_container_get_children(GTK_CONTAINER(menu));
    GtkWidget* found = nullptr;
    for (GList* child = children; child != nullptr && found == nullptr; child = child->next) {
        if (!GTK_IS_MENU_ITEM(child->data)) {
            continue;
        }
        // GTK's own label, translated where the user's language has it.
        static const std::string translated = plainLabel(g_dgettext("gtk30", "Ma_ximize"));
        const char* label = gtk_menu_item_get_label(GTK_MENU_ITEM(child->data));
        if (label != nullptr &&
            (plainLabel(label) == kMaximizeItemTitle || plainLabel(label) == translated)) {
            found = GTK_WIDGET(child->data);
        }
    }
    g_list_free(children);
    return found;
}

} // namespace vantro::gtk
