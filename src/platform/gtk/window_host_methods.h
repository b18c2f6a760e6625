#pragma once

// The host implementations of the window and title-button methods in GTK:
// what the toolkit does when the plug-in sends them or passes a call on.

#include "runtime/class.h"

namespace vantro::gtk {

// Adds the window methods to the root window class "GtkWindow".
void addWindowHostMethods(runtime::Class* windowClass);
// The class "GtkTitleButton" with its host methods, made on first use.
runtime::Class* titleButtonClass();

} // namespace vantro::gtk
