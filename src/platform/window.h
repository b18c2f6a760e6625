#pragma once

// Host windows as the plug-in sees them: runtime objects whose class mirrors
// the toolkit's window type ("GtkWindow" and its subclasses). Each backend
// implements the host methods below on those classes; the plug-in replaces
// some of them and sends all of them. The functions here are typed sends, so
// that the selector names and signatures live in one place.

#include "platform/geometry.h"
#include "platform/geometry_encoding.h"
#include "runtime/message_send.h"

#include <string>
#include <vector>

namespace vantro::platform {

using runtime::Object;
using runtime::Selector;

// The root window class of every backend.
inline constexpr const char* kWindowClassName = "GtkWindow";
// The class of the maximize button of a client-side title bar.
inline constexpr const char* kTitleButtonClassName = "GtkTitleButton";

inline constexpr unsigned kResizableWindowMask = 8;
inline constexpr int kZoomButtonKind = 2;

// Selectors of the host window methods, interned once each.
namespace sel {
#define VANTRO_SELECTOR(function, name)                                                            \
    inline Selector function() {                                                                   \
        static const Selector selector = Selector::named(name);                                    \
        return selector;                                                                           \
    }
VANTRO_SELECTOR(frame, "frame")
VANTRO_SELECTOR(minSize, "minSize")
VANTRO_SELECTOR(maxSize, "maxSize")
VANTRO_SELECTOR(resizeIncrements, "resizeIncrements")
VANTRO_SELECTOR(aspectRatio, "aspectRatio")
VANTRO_SELECTOR(screen, "screen")
VANTRO_SELECTOR(styleMask, "styleMask")
VANTRO_SELECTOR(contentViewFrame, "contentViewFrame")
VANTRO_SELECTOR(isSheet, "isSheet")
VANTRO_SELECTOR(parentWindow, "parentWindow")
VANTRO_SELECTOR(childWindows, "childWindows")
VANTRO_SELECTOR(isVisible, "isVisible")
VANTRO_SELECTOR(showsResizeIndicator, "showsResizeIndicator")
VANTRO_SELECTOR(standardWindowButton, "standardWindowButton:")
VANTRO_SELECTOR(isEnabled, "isEnabled")
VANTRO_SELECTOR(windowNumber, "windowNumber")
VANTRO_SELECTOR(inFullScreen, "_inFullScreen")
VANTRO_SELECTOR(delegate, "delegate")
VANTRO_SELECTOR(windowWillResizeToSize, "windowWillResize:toSize:")
VANTRO_SELECTOR(setFrameDisplay, "setFrame:display:")
VANTRO_SELECTOR(setFrameDisplayAnimate, "setFrame:display:animate:")
VANTRO_SELECTOR(setFrameOrigin, "setFrameOrigin:")
VANTRO_SELECTOR(zoom, "zoom:")
VANTRO_SELECTOR(performZoom, "performZoom:")
VANTRO_SELECTOR(orderOut, "orderOut:")
VANTRO_SELECTOR(resignKeyWindow, "resignKeyWindow")
VANTRO_SELECTOR(startLiveResize, "_startLiveResize")
VANTRO_SELECTOR(endLiveResize, "_endLiveResize")
VANTRO_SELECTOR(setFrameAfterMove, "_setFrameAfterMove:")
VANTRO_SELECTOR(windowMovedToRect, "_windowMovedToRect:")
VANTRO_SELECTOR(privateSetFrame, "_setFrame:")
VANTRO_SELECTOR(inLiveResize, "inLiveResize")
#undef VANTRO_SELECTOR
} // namespace sel

// --- Geometry ---------------------------------------------------------------

inline Rect frame(Object* window) {
    return runtime::send<Rect>(window, sel::frame());
}
inline Size minSize(Object* window) {
    return runtime::send<Size>(window, sel::minSize());
}
inline Size maxSize(Object* window) {
    return runtime::send<Size>(window, sel::maxSize());
}
inline Size resizeIncrements(Object* window) {
    return runtime::send<Size>(window, sel::resizeIncrements());
}
// Zero size when the window keeps no ratio.
inline Size aspectRatio(Object* window) {
    return runtime::send<Size>(window, sel::aspectRatio());
}
// Index into Platform::screens() of the screen holding most of the window,
// or -1 when it is on none.
inline int screenIndex(Object* window) {
    return runtime::send<int>(window, sel::screen());
}
inline unsigned styleMask(Object* window) {
    return runtime::send<unsigned>(window, sel::styleMask());
}
// The content area in window coordinates; the frame's height minus its
// height is the title bar's.
inline Rect contentViewFrame(Object* window) {
    return runtime::send<Rect>(window, sel::contentViewFrame());
}

// --- Kind -----------------------------------------------------------------

inline bool isSheet(Object* window) {
    return runtime::send<bool>(window, sel::isSheet());
}
inline Object* parentWindow(Object* window) {
    return runtime::send<Object*>(window, sel::parentWindow());
}
inline std::vector<Object*> childWindows(Object* window) {
    return runtime::send<std::vector<Object*>>(window, sel::childWindows());
}
inline bool isVisible(Object* window) {
    return runtime::send<bool>(window, sel::isVisible());
}
inline bool showsResizeIndicator(Object* window) {
    return runtime::send<bool>(window, sel::showsResizeIndicator());
}
inline Object* standardWindowButton(Object* window, int kind) {
    return runtime::send<Object*>(window, sel::standardWindowButton(), kind);
}
inline bool isEnabled(Object* control) {
    return runtime::send<bool>(control, sel::isEnabled());
}
inline long windowNumber(Object* window) {
    return runtime::send<long>(window, sel::windowNumber());
}
// The optional private full-screen test: false where the host lacks it.
inline bool inFullScreen(Object* window) {
    return runtime::respondsToSelector(window, sel::inFullScreen()) &&
           runtime::send<bool>(window, sel::inFullScreen());
}
// Whether a resize drag of the window is running.
inline bool inLiveResize(Object* window) {
    return runtime::send<bool>(window, sel::inLiveResize());
}
inline Object* delegate(Object* window) {
    return runtime::send<Object*>(window, sel::delegate());
}

// --- Applying frames --------------------------------------------------------

inline void setFrameDisplay(Object* window, Rect rect, bool display) {
    runtime::send<void>(window, sel::setFrameDisplay(), rect, display);
}
// Returns after the change, animated or not.
inline void setFrameDisplayAnimate(Object* window, Rect rect, bool display, bool animate) {
    runtime::send<void>(window, sel::setFrameDisplayAnimate(), rect, display, animate);
}
inline void setFrameOrigin(Object* window, Point origin) {
    runtime::send<void>(window, sel::setFrameOrigin(), origin);
}
inline void zoom(Object* window, Object* sender) {
    runtime::send<void>(window, sel::zoom(), sender);
}
inline void orderOut(Object* window, Object* sender) {
    runtime::send<void>(window, sel::orderOut(), sender);
}

} // namespace vantro::platform
