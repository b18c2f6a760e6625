#pragma once

// GTK's title-bar menu (the one a right click on a client-side title bar
// shows) as a menu of the plug-in's model, and the attachment of what the
// plug-in hangs under its "Maximize" item when GTK shows the real one.

#include "platform/menu_model.h"

#include <gtk/gtk.h>

#include <memory>

namespace vantro::gtk {

inline constexpr const char* kTitleBarMenuTitle = "Window";
inline constexpr const char* kMaximizeItemTitle = "Maximize";

// The application's menu as the plug-in walks it: one "Window" item whose
// submenu is the title-bar menu.
std::shared_ptr<platform::Menu> titleBarMainMenu();
// The title-bar menu inside `mainMenu`.
std::shared_ptr<platform::Menu> titleBarWindowMenu(const platform::Menu& mainMenu);

// The GtkMenuItem of `menu` whose label reads "Maximize" (mnemonics
// removed); null when there is none.
GtkWidget* maximizeItemOf(GtkMenu* menu);

} // namespace vantro::gtk
