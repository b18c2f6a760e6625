#pragma once

// The menu class "GtkMenu" in GTK: its host methods (update, and the class's
// pop-up of a menu for a view), the zoom options menu the plug-in
// published, and what the plug-in hangs under the "Maximize" item of GTK's
// title-bar menu.

#include "platform/gtk/gtk_platform.h"
#include "platform/menu_model.h"

#include <gtk/gtk.h>

namespace vantro::gtk {

// Adds the host methods to the menu class (once).
void addMenuHostMethods();
// The zoom options menu the plug-in built; null when it built none.
const platform::Menu* zoomOptionsMenu();
// The main menu after an update: the plug-in hangs its zoom options menu in
// it only while it acts (its common gate is open), so a key equivalent
// found here is one the plug-in answers now. Null without a main menu.
const platform::Menu* updatedMainMenu(GtkPlatform& platform);
// Called as GTK shows the title-bar `menu` of `window`: the menu object is
// updated, then the submenu the plug-in hung under its "Maximize" item (if
// any) is rendered under GTK's own "Maximize" item.
void hangUnderTitleBarMenu(GtkMenu* menu, GtkWindow* window, GtkPlatform& platform);

} // namespace vantro::gtk
