#pragma once

// The plug-in's menus as GtkMenus: one GtkMenuItem per item, showing its
// title without the spaces that indent it in the tree, its icon, its key
// equivalent as the accelerator, a check mark for the on state, and its
// submenu. Choosing an item hands a copy of its action, title and feature to
// the caller, never a reference into the tree, which the plug-in may rebuild
// while the menu is open.

#include "platform/gtk/menu_choice.h"
#include "platform/menu_model.h"

#include <gtk/gtk.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vantro::gtk {

struct MenuRenderContext {
    // The file of a bundle image by name; an image it does not find, or no
    // lookup at all, leaves the item without an icon.
    std::function<std::optional<std::string>(std::string_view name)> imagePath;
    // Called when an enabled item with an action and no submenu is activated.
    // What it throws is logged and goes no further.
    std::function<void(const MenuChoice&)> onChoice;
};

// A new GtkMenu of `menu`, floating as gtk_menu_new gives it, its items
// shown. Destroying it (gtk_widget_destroy, or destroyMenuWhenClosed after a
// pop-up) frees every item, submenu, icon and choice it holds.
GtkWidget* renderMenu(const platform::Menu& menu, const MenuRenderContext& context);

// Destroys a popped-up `menu` once it has closed. GTK closes a menu before it
// activates the chosen item, so the destruction waits for an idle call.
void destroyMenuWhenClosed(GtkWidget* menu);

} // namespace vantro::gtk
