#pragma once

// Hanging the zoom options menu under the Window menu's zoom item, and
// taking it out again, on the application's menu tree.

#include "platform/menu_model.h"

#include <memory>
#include <string_view>

namespace vantro::options_menu {

// The host's own zoom command, which the item gets back when the menu is
// taken out.
inline constexpr std::string_view kPerformZoomAction = "performZoom:";
inline constexpr std::string_view kZoomItemTitle = "Zoom";
inline constexpr std::string_view kWindowMenuTitle = "Window";

// Takes `zoomMenu` out of the menu it hangs under: the first item there
// holding it loses it and gets the host's zoom command back.
void detachZoomOptionsMenu(platform::Menu& zoomMenu);

// Hangs `zoomMenu` under the zoom item of the first Window menu of
// `mainMenu` (an item whose submenu is `windowsMenu` or is titled "Window",
// with items): the first item without a submenu whose action is the host's
// zoom or whose title is "Zoom" is enabled, loses its action and gets the
// menu. Without such an item a new "Zoom" item is inserted just after the
// minimize item (index 1 when there is none).
void insertIntoWindowMenu(platform::Menu& mainMenu, const std::shared_ptr<platform::Menu>& zoomMenu,
                          const platform::Menu* windowsMenu);

} // namespace vantro::options_menu
