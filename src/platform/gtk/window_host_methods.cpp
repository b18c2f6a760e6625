#include "platform/gtk/window_host_methods.h"

#include "platform/gtk/event_tracking.h"
#include "platform/gtk/gtk_platform.h"
#include "platform/gtk/window_frame.h"
#include "platform/gtk/window_proxy.h"
#include "platform/gtk/window_size_limits.h"
#include "platform/screen_lookup.h"
#include "platform/title_button.h"
#include "platform/window.h"

#include <gdk/gdkx.h>

#include <cmath>

namespace vantro::gtk {

namespace {

using platform::Event;
using runtime::Object;
using runtime::Selector;

constexpr double kFrameAnimationDuration = 0.2;

constexpr unsigned kTitledWindowMask = 1;
constexpr unsigned kClosableWindowMask = 2;
constexpr unsigned kMiniaturizableWindowMask = 4;

// Host methods are only installed on classes whose instances are proxies,
// but a bare instance of such a class answers zero values, never misread.
// A proxy whose window is gone answers as a bare instance does.
WindowProxy* asProxy(Object* self) {
    auto* proxy = dynamic_cast<WindowProxy*>(self);
    return proxy != nullptr && proxy->window != nullptr ? proxy : nullptr;
}

GtkWindow* gtkWindowOf(Object* self) {
    WindowProxy* proxy = asProxy(self);
    return proxy != nullptr ? proxy->window : nullptr;
}

// Read once and kept until the bridge sees the window's hints or extents
// change: a drag step asks for the limits several times.
const WindowSizeLimits& limitsOf(WindowProxy& proxy) {
    if (!proxy.sizeLimits) {
        proxy.sizeLimits = sizeLimitsOf(proxy.window);
    }
    return *proxy.sizeLimits;
}

Rect currentFrame(WindowProxy& proxy) {
    GtkPlatform& host = currentGtkPlatform();
    if (const std::optional<Rect>& pending = proxy.pendingFrame(host.now())) {
        return *pending;
    }
    return windowFrame(proxy.window, host.space()).value_or(Rect());
}

// The frame is asked for as the window manager will apply it: on the
// window's increment grid and within its limits, the top edge kept (window
// managers keep the top-left corner). So the frame read back is the one the
// window takes, and a zoom that is repeated finds the window where it left it.
void applyFrame(WindowProxy& proxy, const Rect& rect) {
    GtkPlatform& host = currentGtkPlatform();
    // A maximized or tiled window is held in place by the window manager.
    if (gtk_window_is_maximized(proxy.window)) {
        gtk_window_unmaximize(proxy.window);
    }
    const Size size = sizeOnIncrementGrid(rect.size, limitsOf(proxy));
    const Rect applied{rect.origin.x, rect.maxY() - size.height, size.width, size.height};
    if (setWindowFrame(proxy.window, applied, host.space())) {
        proxy.requestFrame(applied, host.now());
    }
}

Rect frameOf(Object* self, Selector) {
    WindowProxy* proxy = asProxy(self);
    return proxy != nullptr ? currentFrame(*proxy) : Rect();
}
Size minSizeOf(Object* self, Selector) {
    WindowProxy* proxy = asProxy(self);
    return proxy != nullptr ? limitsOf(*proxy).minSize : WindowSizeLimits{}.minSize;
}
Size maxSizeOf(Object* self, Selector) {
    WindowProxy* proxy = asProxy(self);
    return proxy != nullptr ? limitsOf(*proxy).maxSize : WindowSizeLimits{}.maxSize;
}
Size incrementsOf(Object* self, Selector) {
    WindowProxy* proxy = asProxy(self);
    return proxy != nullptr ? limitsOf(*proxy).resizeIncrements
                            : WindowSizeLimits{}.resizeIncrements;
}
Size aspectRatioOf(Object* self, Selector) {
    WindowProxy* proxy = asProxy(self);
    return proxy != nullptr ? limitsOf(*proxy).aspectRatio : WindowSizeLimits{}.aspectRatio;
}
int screenOf(Object* self, Selector) {
    WindowProxy* proxy = asProxy(self);
    return proxy != nullptr
               ? platform::screenHoldingMostOf(currentFrame(*proxy), currentGtkPlatform().screens())
               : -1;
}
unsigned styleMaskOf(Object* self, Selector) {
    GtkWindow* window = gtkWindowOf(self);
    if (window == nullptr) {
        return 0;
    }
    unsigned mask = 0;
    if (gtk_window_get_decorated(window)) {
        mask |= kTitledWindowMask;
    }
    if (gtk_window_get_deletable(window)) {
        mask |= kClosableWindowMask;
    }
    if (gtk_window_get_type_hint(window) == GDK_WINDOW_TYPE_HINT_NORMAL) {
        mask |= kMiniaturizableWindowMask;
    }
    if (gtk_window_get_resizable(window)) {
        mask |= platform::kResizableWindowMask;
    }
    return mask;
}
// The title bar is the client-side one when GTK draws it, else the window
// manager's top decoration.
Rect contentViewFrameOf(Object* self, Selector) {
    WindowProxy* proxy = asProxy(self);
    if (proxy == nullptr) {
        return {};
    }
    const Rect frame = currentFrame(*proxy);
    double titleBar = decorationExtents(proxy->window).top;
    GtkWidget* titlebar = gtk_window_get_titlebar(proxy->window);
    if (titlebar != nullptr && gtk_widget_get_visible(titlebar)) {
        titleBar = gtk_widget_get_allocated_height(titlebar);
    }
    return {0, 0, frame.size.width, std::max(0.0, frame.size.height - titleBar)};
}
bool isSheetOf(Object* self, Selector) {
    GtkWindow* window = gtkWindowOf(self);
    return window != nullptr && gtk_window_get_modal(window) &&
           gtk_window_get_transient_for(window) != nullptr;
}
Object* parentOf(Object* self, Selector) {
    GtkWindow* window = gtkWindowOf(self);
    return window != nullptr ? proxyFor(gtk_window_get_transient_for(window)) : nullptr;
}
std::vector<Object*> childrenOf(Object* self, Selector) {
    std::vector<Object*> children;
    GtkWindow* window = gtkWindowOf(self);
    if (window == nullptr) {
        return children;
    }
    GList* toplevels = gtk_window_list_toplevels();
    for (GList* item = toplevels; item != nullptr; item = item->next) {
        auto* candidate = GTK_WINDOW(item->data);
        if (gtk_window_get_transient_for(candidate) == window) {
            children.push_back(proxyFor(candidate));
        }
    }
    g_list_free(toplevels);
    return children;
}
bool isVisibleOf(Object* self, Selector) {
    GtkWindow* window = gtkWindowOf(self);
    return window != nullptr && gtk_widget_get_mapped(GTK_WIDGET(window));
}
bool showsIndicatorOf(Object* /*self*/, Selector) {
    return true;
}
Object* standardButtonOf(Object* self, Selector, int kind) {
    WindowProxy* proxy = asProxy(self);
    if (proxy == nullptr || kind != platform::kZoomButtonKind ||
        proxy->zoomButton.button == nullptr) {
        return nullptr;
    }
    return &proxy->zoomButton;
}
long windowNumberOf(Object* self, Selector) {
    return static_cast<long>(x11WindowId(gtkWindowOf(self)));
}
bool inFullScreenOf(Object* self, Selector) {
    GtkWindow* window = gtkWindowOf(self);
    GdkWindow* gdkWindow = window != nullptr ? gtk_widget_get_window(GTK_WIDGET(window)) : nullptr;
    return gdkWindow != nullptr &&
           (gdk_window_get_state(gdkWindow) & GDK_WINDOW_STATE_FULLSCREEN) != 0;
}
bool inLiveResizeOf(Object* self, Selector) {
    WindowProxy* proxy = asProxy(self);
    return proxy != nullptr && proxy->inLiveResize;
}
// GTK windows have no delegate that is asked about sizes.
Object* delegateOf(Object* /*self*/, Selector) {
    return nullptr;
}

// A frame asked for while an animated change runs replaces it: the old
// animation's steps would otherwise keep pulling the window its way.
void stopFrameAnimation(WindowProxy& proxy) {
    if (!proxy.frameAnimation) {
        return;
    }
    currentGtkPlatform().cancelAnimation(*proxy.frameAnimation);
    proxy.frameAnimation.reset();
    g_object_unref(proxy.window);
}

void setFrameDisplay(Object* self, Selector, Rect rect, bool /*display*/) {
    WindowProxy* proxy = asProxy(self);
    if (proxy != nullptr && !proxy->observingDrag) {
        stopFrameAnimation(*proxy);
        applyFrame(*proxy, rect);
    }
}

// An animated frame change moves the window in frame-clock steps. The
// target is answered as the window's frame from the start to the end, so
// that a command repeated during the animation acts on where it ends.
void setFrameDisplayAnimate(Object* self, Selector, Rect rect, bool /*display*/, bool animate) {
    WindowProxy* proxy = asProxy(self);
    if (proxy == nullptr) {
        return;
    }
    stopFrameAnimation(*proxy);
    if (!animate) {
        applyFrame(*proxy, rect);
        return;
    }
    const Rect from = currentFrame(*proxy);
    GtkPlatform& host = currentGtkPlatform();
    GtkWindow* window = proxy->window;
    g_object_ref(window);
    proxy->frameAnimation = host.animate(
        kFrameAnimationDuration,
        [window, from, rect](double progress) {
            WindowProxy* stepped = existingProxyFor(window);
            if (stepped == nullptr || gtk_widget_in_destruction(GTK_WIDGET(window))) {
                return;
            }
            const auto mix = [progress](double a, double b) { return a + (b - a) * progress; };
            applyFrame(*stepped,
                       {mix(from.origin.x, rect.origin.x), mix(from.origin.y, rect.origin.y),
                        mix(from.size.width, rect.size.width),
                        mix(from.size.height, rect.size.height)});
            stepped->requestFrame(rect, currentGtkPlatform().now());
        },
        [window] {
            if (WindowProxy* ended = existingProxyFor(window)) {
                ended->frameAnimation.reset();
            }
            g_object_unref(window);
        });
    proxy->requestFrame(rect, host.now());
}

void setFrameOrigin(Object* self, Selector, Point origin) {
    if (WindowProxy* proxy = asProxy(self)) {
        stopFrameAnimation(*proxy);
        applyFrame(*proxy, {origin, currentFrame(*proxy).size});
    }
}
void setFramePrivately(Object* self, Selector, Rect rect) {
    if (WindowProxy* proxy = asProxy(self)) {
        stopFrameAnimation(*proxy);
        applyFrame(*proxy, rect);
    }
}
// Sent by the bridge when the user ended a move, and when the window
// manager moved the window: the frame is already where the rectangle says.
void frameWasMoved(Object* /*self*/, Selector, Rect /*rect*/) {}

// The standard zoom: the window manager's maximized state, toggled. The
// frame the window manager is about to give is answered as the frame from
// now on (the work area of the window's screen, or the frame the window had
// before this zoom maximized it), so that what follows the zoom at once,
// the dimension tab, sees the new frame rather than the old one.
void hostZoom(Object* self, Selector, Object* /*sender*/) {
    WindowProxy* proxy = asProxy(self);
    if (proxy == nullptr) {
        return;
    }
    GtkPlatform& host = currentGtkPlatform();
    const Rect before = currentFrame(*proxy);
    proxy->requestedFrame.reset();
    std::optional<Rect> coming;
    if (gtk_window_is_maximized(proxy->window)) {
        coming = proxy->frameBeforeMaximize;
        gtk_window_unmaximize(proxy->window);
        proxy->frameBeforeMaximize.reset();
    } else {
        const int screen = platform::screenHoldingMostOf(before, host.screens());
        if (screen >= 0) {
            coming = host.screens()[static_cast<std::size_t>(screen)].visibleFrame;
        }
        proxy->frameBeforeMaximize = before;
        gtk_window_maximize(proxy->window);
    }
    // Without a window manager that maximizes, nothing is coming.
    GdkScreen* screen = gtk_widget_get_screen(GTK_WIDGET(proxy->window));
    const bool maximizes =
        GDK_IS_X11_SCREEN(screen) &&
        gdk_x11_screen_supports_net_wm_hint(
            screen, gdk_atom_intern_static_string("_NET_WM_STATE_MAXIMIZED_VERT"));
    if (coming && maximizes) {
        proxy->requestFrame(*coming, host.now());
    }
}
void hostPerformZoom(Object* self, Selector, Object* sender) {
    platform::zoom(self, sender);
}
// Sent by the bridge once the window was unmapped (hidden or minimized):
// GTK has done what there was to do.
void hostOrderOut(Object* /*self*/, Selector, Object* /*sender*/) {}
void hostResignKey(Object* /*self*/, Selector) {}
void hostStartLiveResize(Object* self, Selector) {
    if (WindowProxy* proxy = asProxy(self)) {
        proxy->inLiveResize = true;
    }
}
void hostEndLiveResize(Object* self, Selector) {
    if (WindowProxy* proxy = asProxy(self)) {
        proxy->inLiveResize = false;
    }
}

// --- The title button -------------------------------------------------------

TitleButtonProxy* asButton(Object* self) {
    auto* button = dynamic_cast<TitleButtonProxy*>(self);
    return button != nullptr && button->window.window != nullptr ? button : nullptr;
}

bool buttonIsEnabled(Object* self, Selector) {
    TitleButtonProxy* button = asButton(self);
    return button != nullptr && button->button != nullptr &&
           gtk_widget_is_sensitive(button->button) && gtk_widget_get_mapped(button->button);
}
Object* buttonWindowOf(Object* self, Selector) {
    TitleButtonProxy* button = asButton(self);
    return button != nullptr ? &button->window : nullptr;
}
// The button's allocation in its window's frame coordinates: from the top
// left of the toplevel's widget area to the bottom left of the visible frame.
// Measured from the frame the window has now, as a click's location in the
// window is: a frame still on its way (a zoom just asked for, a step of its
// animation, a request the window manager changed) has another height, and
// a click on the button would be taken as landing beside it.
Rect buttonFrameOf(Object* self, Selector) {
    TitleButtonProxy* button = asButton(self);
    if (button == nullptr || button->button == nullptr) {
        return {};
    }
    GtkWidget* toplevel = GTK_WIDGET(button->window.window);
    int x = 0;
    int y = 0;
    if (!gtk_widget_translate_coordinates(button->button, toplevel, 0, 0, &x, &y)) {
        return {};
    }
    // The widget area starts inside the client-side shadow, which the
    // visible frame excludes.
    const FrameExtents shadow = clientShadowExtents(button->window.window);
    const Rect frame =
        windowFrame(button->window.window, currentGtkPlatform().space()).value_or(Rect());
    const double width = gtk_widget_get_allocated_width(button->button);
    const double height = gtk_widget_get_allocated_height(button->button);
    const double top = y - shadow.top + decorationExtents(button->window.window).top;
    return {x - shadow.left, frame.size.height - top - height, width, height};
}
void buttonHighlight(Object* self, Selector, bool on) {
    TitleButtonProxy* button = asButton(self);
    if (button == nullptr || button->button == nullptr) {
        return;
    }
    if (on) {
        gtk_widget_set_state_flags(button->button, GTK_STATE_FLAG_ACTIVE, FALSE);
    } else {
        gtk_widget_unset_state_flags(button->button, GTK_STATE_FLAG_ACTIVE);
    }
}

// GTK's own click: the press is followed to its release, and a release over
// the button toggles the maximized state. A release handed on by the plug-in
// was tracked already.
void buttonHostMouseDown(Object* self, Selector, Event event) {
    TitleButtonProxy* button = asButton(self);
    if (button == nullptr || button->button == nullptr) {
        return;
    }
    Event release = event;
    if (event.type == platform::EventType::leftMouseDown) {
        const platform::EventMask mask = platform::eventMaskFor(platform::EventType::leftMouseUp);
        std::optional<Event> next;
        while ((next = currentGtkPlatform().nextEventMatchingMask(mask)) &&
               next->type != platform::EventType::leftMouseUp) {
        }
        if (!next) {
            return;
        }
        release = *next;
    }
    const Rect frame = buttonFrameOf(self, Selector());
    const Point at = release.locationInWindow;
    if (at.x >= frame.minX() && at.x < frame.maxX() && at.y >= frame.minY() &&
        at.y < frame.maxY()) {
        platform::zoom(&button->window, nullptr);
    }
}
// GTK's title buttons do nothing on a right click.
void buttonHostRightMouseDown(Object* /*self*/, Selector, Event /*event*/) {}

} // namespace

void addWindowHostMethods(runtime::Class* cls) {
    using runtime::addMethod;
    addMethod(cls, "frame", &frameOf);
    addMethod(cls, "minSize", &minSizeOf);
    addMethod(cls, "maxSize", &maxSizeOf);
    addMethod(cls, "resizeIncrements", &incrementsOf);
    addMethod(cls, "aspectRatio", &aspectRatioOf);
    addMethod(cls, "screen", &screenOf);
    addMethod(cls, "styleMask", &styleMaskOf);
    addMethod(cls, "contentViewFrame", &contentViewFrameOf);
    addMethod(cls, "isSheet", &isSheetOf);
    addMethod(cls, "parentWindow", &parentOf);
    addMethod(cls, "childWindows", &childrenOf);
    addMethod(cls, "isVisible", &isVisibleOf);
    addMethod(cls, "showsResizeIndicator", &showsIndicatorOf);
    addMethod(cls, "standardWindowButton:", &standardButtonOf);
    addMethod(cls, "windowNumber", &windowNumberOf);
    addMethod(cls, "_inFullScreen", &inFullScreenOf);
    addMethod(cls, "delegate", &delegateOf);
    addMethod(cls, "inLiveResize", &inLiveResizeOf);
    addMethod(cls, "setFrame:display:", &setFrameDisplay);
    addMethod(cls, "setFrame:display:animate:", &setFrameDisplayAnimate);
    addMethod(cls, "setFrameOrigin:", &setFrameOrigin);
    addMethod(cls, "_setFrame:", &setFramePrivately);
    addMethod(cls, "_setFrameAfterMove:", &frameWasMoved);
    addMethod(cls, "_windowMovedToRect:", &frameWasMoved);
    addMethod(cls, "zoom:", &hostZoom);
    addMethod(cls, "performZoom:", &hostPerformZoom);
    addMethod(cls, "orderOut:", &hostOrderOut);
    addMethod(cls, "resignKeyWindow", &hostResignKey);
    addMethod(cls, "_startLiveResize", &hostStartLiveResize);
    addMethod(cls, "_endLiveResize", &hostEndLiveResize);
}

runtime::Class* titleButtonClass() {
    static runtime::Class* cls = [] {
        runtime::Class* made = runtime::defineClass(platform::kTitleButtonClassName, nullptr);
        made->setOwner("org.gtk.Gtk");
        using runtime::addMethod;
        addMethod(made, "isEnabled", &buttonIsEnabled);
        addMethod(made, "window", &buttonWindowOf);
        addMethod(made, "frame", &buttonFrameOf);
        addMethod(made, "highlight:", &buttonHighlight);
        addMethod(made, "mouseDown:", &buttonHostMouseDown);
        addMethod(made, "rightMouseDown:", &buttonHostRightMouseDown);
        return made;
    }();
    return cls;
}

} // namespace vantro::gtk
