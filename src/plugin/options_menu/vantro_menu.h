#pragma once

// VantroMenu: the provider whose methods the plug-in grafts onto the menu
// class "GtkMenu".
//
//   +vantroZoomOptionsMenu         the process's zoom options menu, built on
//                                  first use
//   +reloadVantroZoomOptionsMenu   takes it out, builds it anew from the
//                                  settings, and updates the main menu
//   -VTupdate                      replaces "update": after the host's own,
//                                  an update of the main menu takes the zoom
//                                  options menu out and, while the plug-in is
//                                  on, hangs it under the Window menu's zoom
//                                  item

#include "platform/menu_model.h"
#include "runtime/class.h"

namespace vantro::options_menu {

inline constexpr const char* kVantroMenuClassName = "VantroMenu";

runtime::Class* vantroMenuClass();

// The zoom options menu, built when there is none.
platform::MenuObject& zoomOptionsMenu();
void reloadZoomOptionsMenu();

} // namespace vantro::options_menu
