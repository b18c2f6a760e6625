#pragma once

// Title-bar buttons and menus as the plug-in sees them: runtime objects of
// the classes "GtkTitleButton" and "GtkMenu", whose host methods each
// backend implements. The plug-in replaces the buttons' mouse handlers and
// pops menus up through the menu class.

#include "platform/event.h"
#include "platform/geometry_encoding.h"
#include "runtime/class.h"
#include "runtime/message_send.h"

VANTRO_TYPE_ENCODING(vantro::platform::Event, "{Event}");

namespace vantro::platform {

inline constexpr const char* kMenuClassName = "GtkMenu";

namespace sel {
#define VANTRO_SELECTOR(function, name)                                                            \
    inline runtime::Selector function() {                                                          \
        static const runtime::Selector selector = runtime::Selector::named(name);                  \
        return selector;                                                                           \
    }
VANTRO_SELECTOR(buttonWindow, "window")
VANTRO_SELECTOR(buttonFrame, "frame")
VANTRO_SELECTOR(highlight, "highlight:")
VANTRO_SELECTOR(mouseDown, "mouseDown:")
VANTRO_SELECTOR(rightMouseDown, "rightMouseDown:")
VANTRO_SELECTOR(popUpContextMenu, "popUpContextMenu:withEvent:forView:")
#undef VANTRO_SELECTOR
} // namespace sel

// The window whose title bar holds the button; null when it has none.
inline runtime::Object* buttonWindow(runtime::Object* button) {
    return runtime::send<runtime::Object*>(button, sel::buttonWindow());
}
// The button's frame in its window's coordinates (origin at the window
// frame's bottom-left corner, y up).
inline Rect buttonFrame(runtime::Object* button) {
    return runtime::send<Rect>(button, sel::buttonFrame());
}
// Highlights the button when it can be highlighted.
inline void highlight(runtime::Object* button, bool on) {
    if (runtime::respondsToSelector(button, sel::highlight())) {
        runtime::send<void>(button, sel::highlight(), on);
    }
}
// Pops `menu` up at `event`'s location for `view`; returns when it closes.
inline void popUpContextMenu(runtime::Object* menu, const Event& event, runtime::Object* view) {
    runtime::Class* menuClass = runtime::classNamed(kMenuClassName);
    if (menuClass != nullptr && menu != nullptr) {
        runtime::send<void>(menuClass, sel::popUpContextMenu(), menu, event, view);
    }
}

} // namespace vantro::platform
