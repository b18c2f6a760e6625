#pragma once

// Performing a chosen menu item: its action sent to a target. An action that
// ends in ':' takes one argument, the sender, an object of the class
// "GtkMenuItem" answering "title" with the item's title (the zoom reads the
// chosen feature from it); an action without ':' takes none.

#include "platform/gtk/menu_choice.h"
#include "runtime/class.h"
#include "runtime/object.h"

namespace vantro::gtk {

inline constexpr const char* kMenuItemClassName = "GtkMenuItem";

// Sends `choice.action` to `target`; answers whether it did. Nothing is sent
// and one debug line says why when there is no action, the target does not
// answer it, or its method is not one of those two kinds returning nothing
// (a send of other types than the method's would call it through the wrong
// function type).
bool performMenuAction(runtime::Object* target, const MenuChoice& choice);

// The senders' class, made on first use. A class of that name made before
// is taken as it is, with "title" added when it has none.
runtime::Class* menuItemSenderClass();

} // namespace vantro::gtk
