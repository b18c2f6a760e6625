#include "platform/gtk/event_bridge.h"

#include "platform/gtk/edge_drag.h"
#include "platform/gtk/event_conversion.h"
#include "platform/gtk/event_tracking.h"
#include "platform/gtk/key_equivalents.h"
#include "platform/gtk/managed_maximize.h"
#include "platform/gtk/menu_actions.h"
#include "platform/gtk/menu_host_methods.h"
#include "platform/gtk/modifier_mapping.h"
#include "platform/gtk/ratio_hint.h"
#include "platform/gtk/window_frame.h"
#include "platform/gtk/window_proxy.h"
#include "platform/screen_lookup.h"
#include "platform/title_button.h"
#include "platform/window.h"
#include "runtime/message_send.h"

#include <cmath>

namespace vantro::gtk {

namespace {

using platform::Event;

// A move is over when the window has stood still this long.
constexpr guint kMoveSettleMs = 250;
constexpr const char* kBridgedKey = "vantro-bridged";

GtkPlatform* bridgePlatform = nullptr;

bool sameFrame(const Rect& a, const Rect& b) {
    return std::fabs(a.origin.x - b.origin.x) < 1 && std::fabs(a.origin.y - b.origin.y) < 1 &&
           std::fabs(a.size.width - b.size.width) < 1 &&
           std::fabs(a.size.height - b.size.height) < 1;
}

bool isMaximizeTitleButton(GtkWidget* widget) {
    if (!GTK_IS_BUTTON(widget)) {
        return false;
    }
    GtkStyleContext* style = gtk_widget_get_style_context(widget);
    return gtk_style_context_has_class(style, "titlebutton") &&
           gtk_style_context_has_class(style, "maximize");
}

GtkWindow* toplevelWindowOf(GtkWidget* widget) {
    GtkWidget* toplevel = gtk_widget_get_toplevel(widget);
    return GTK_IS_WINDOW(toplevel) ? GTK_WINDOW(toplevel) : nullptr;
}

// Runs `send` as the handling of `gdkEvent` on `window`: the screens are read
// again (unless a drag in progress read them at its start), the event is the
// current one, and the window stays alive until the send returns whatever
// the plug-in or the user does meanwhile.
template <typename Send>
void handleWithEvent(GtkWindow* window, const std::optional<Event>& event, Send send) {
    GtkPlatform& host = *bridgePlatform;
    g_object_ref(window);
    host.setTrackedWindow(window);
    host.setCurrentEvent(event);
    send(event);
    host.setCurrentEvent(std::nullopt);
    host.setTrackedWindow(nullptr);
    g_object_unref(window);
}

template <typename Send>
void handleAsEvent(GtkWindow* window, const GdkEvent* gdkEvent, Send send,
                   bool readScreens = true) {
    GtkPlatform& host = *bridgePlatform;
    if (readScreens) {
        host.refreshScreens();
    }
    std::optional<Event> event;
    if (gdkEvent != nullptr) {
        const Rect frame = windowFrame(window, host.space()).value_or(Rect());
        event = eventFromGdk(*gdkEvent, host.space(), frame);
    }
    handleWithEvent(window, event, send);
}

// --- The maximize title button ---------------------------------------------

void titleButtonDestroyed(GtkWidget* button, gpointer proxy) {
    auto* window = static_cast<WindowProxy*>(proxy);
    if (window->zoomButton.button == button) {
        window->zoomButton.button = nullptr;
    }
}

gboolean titleButtonPressed(GtkWidget* button, GdkEventButton* press, gpointer /*data*/) {
    if (press->type != GDK_BUTTON_PRESS) {
        return TRUE; // the double-click of a press already handled
    }
    if (press->button != GDK_BUTTON_PRIMARY && press->button != GDK_BUTTON_SECONDARY) {
        return FALSE;
    }
    WindowProxy* proxy = existingProxyFor(toplevelWindowOf(button));
    if (proxy == nullptr) {
        return FALSE;
    }
    proxy->zoomButton.button = button;
    const bool primary = press->button == GDK_BUTTON_PRIMARY;
    handleAsEvent(proxy->window, reinterpret_cast<GdkEvent*>(press),
                  [proxy, primary](const std::optional<Event>& event) {
                      if (!event) {
                          return;
                      }
                      runtime::send<void>(&proxy->zoomButton,
                                          primary ? platform::sel::mouseDown()
                                                  : platform::sel::rightMouseDown(),
                                          *event);
                  });
    return TRUE;
}

// The release of a press the bridge handled was taken by the tracking; one
// that reaches the button belongs to no press of ours and must not click.
gboolean titleButtonReleased(GtkWidget* /*button*/, GdkEventButton* /*release*/,
                             gpointer /*data*/) {
    return TRUE;
}

void bridgeTitleButton(GtkWidget* button) {
    GtkWindow* window = toplevelWindowOf(button);
    WindowProxy* proxy = proxyFor(window);
    if (proxy == nullptr) {
        return;
    }
    proxy->zoomButton.button = button;
    if (g_object_get_data(G_OBJECT(button), kBridgedKey) != nullptr) {
        return;
    }
    g_object_set_data(G_OBJECT(button), kBridgedKey, GINT_TO_POINTER(1));
    g_signal_connect(button, "button-press-event", G_CALLBACK(titleButtonPressed), nullptr);
    g_signal_connect(button, "button-release-event", G_CALLBACK(titleButtonReleased), nullptr);
    g_signal_connect(button, "destroy", G_CALLBACK(titleButtonDestroyed), proxy);
}

// --- Resize drags on the edges of client-side decorated windows ------------

const char* cursorNameFor(unsigned edges) {
    switch (edges) {
    case kLeftEdge | kTopEdge:
        return "nw-resize";
    case kRightEdge | kTopEdge:
        return "ne-resize";
    case kLeftEdge | kBottomEdge:
        return "sw-resize";
    case kRightEdge | kBottomEdge:
        return "se-resize";
    case kLeftEdge:
    case kRightEdge:
        return "ew-resize";
    default:
        return "ns-resize";
    }
}

bool isDragEvent(const GdkEvent& event) {
    switch (event.type) {
    case GDK_MOTION_NOTIFY:
        return true;
    case GDK_BUTTON_RELEASE:
        return event.button.button == GDK_BUTTON_PRIMARY;
    case GDK_KEY_PRESS:
    case GDK_KEY_RELEASE:
        return event.key.is_modifier != 0;
    default:
        return false;
    }
}

// The drag runs here rather than in the window manager so that every step
// goes through setFrame:display:, where the plug-in shapes it: one step per
// motion, and one when a modifier key goes down or up, which keeps the frame
// (the next motion reads the new keys).
void runEdgeDrag(WindowProxy& proxy, const GdkEventButton& press, unsigned edges) {
    GtkWindow* window = proxy.window;
    GdkWindow* own = gtk_widget_get_window(GTK_WIDGET(window));
    const std::optional<Rect> start = visibleFrameX11(window);
    if (!start) {
        return;
    }
    // The grab delivers what the window selects: motion too, for the drag.
    const GdkEventMask selected = gdk_window_get_events(own);
    gdk_window_set_events(own, static_cast<GdkEventMask>(selected | GDK_POINTER_MOTION_MASK |
                                                         GDK_BUTTON_RELEASE_MASK));
    GdkSeat* seat = gdk_event_get_seat(reinterpret_cast<const GdkEvent*>(&press));
    GdkCursor* cursor = gdk_cursor_new_from_name(gdk_window_get_display(own), cursorNameFor(edges));
    const GdkGrabStatus grabbed =
        gdk_seat_grab(seat, own, GDK_SEAT_CAPABILITY_ALL_POINTING, FALSE, cursor,
                      reinterpret_cast<const GdkEvent*>(&press), nullptr, nullptr);
    if (cursor != nullptr) {
        g_object_unref(cursor);
    }
    if (grabbed != GDK_GRAB_SUCCESS) {
        gdk_window_set_events(own, selected);
        return;
    }
    g_object_ref(window);
    GtkPlatform& host = *bridgePlatform;
    const Point pressedAt{press.x_root, press.y_root};
    Rect proposed = *start;
    // The features read the pointer and the sides the drag holds.
    const auto pointTo = [&](Point pointer) { host.setDragPointer(host.space().toCore(pointer)); };
    pointTo(pressedAt);
    host.setDragEdges(edges);
    handleAsEvent(window, reinterpret_cast<const GdkEvent*>(&press),
                  [&proxy](const std::optional<Event>&) {
                      runtime::send<void>(&proxy, platform::sel::startLiveResize());
                  });
    GdkEvent* ending = nullptr;
    Point pointer = pressedAt;
    while (GdkEvent* next = trackNextEvent(GTK_WIDGET(window), isDragEvent)) {
        if (next->type == GDK_BUTTON_RELEASE) {
            ending = next;
            break;
        }
        if (next->type == GDK_MOTION_NOTIFY) {
            pointer = {next->motion.x_root, next->motion.y_root};
            proposed = draggedFrame(*start, edges, pressedAt, pointer);
        }
        pointTo(pointer);
        handleAsEvent(
            window, next,
            [&](const std::optional<Event>&) {
                platform::setFrameDisplay(&proxy, host.space().toCore(proposed), true);
            },
            false);
        gdk_event_free(next);
    }
    if (!gtk_widget_in_destruction(GTK_WIDGET(window))) {
        handleAsEvent(
            window, ending,
            [&proxy](const std::optional<Event>&) {
                runtime::send<void>(&proxy, platform::sel::endLiveResize());
            },
            false);
    }
    host.setDragPointer(std::nullopt);
    host.setDragEdges(platform::kResizeRightEdge | platform::kResizeBottomEdge);
    if (ending != nullptr) {
        gdk_event_free(ending);
    }
    gdk_seat_ungrab(seat);
    if (!gtk_widget_in_destruction(GTK_WIDGET(window))) {
        gdk_window_set_events(own, selected);
    }
    g_object_unref(window);
}

// A press on one of GTK's resize borders: input-only children of the
// toplevel's window that the toplevel widget owns.
gboolean windowPressed(GtkWidget* widget, GdkEventButton* press, gpointer /*data*/) {
    if (press->type != GDK_BUTTON_PRESS || press->button != GDK_BUTTON_PRIMARY) {
        return FALSE;
    }
    auto* window = GTK_WINDOW(widget);
    GdkWindow* own = gtk_widget_get_window(widget);
    WindowProxy* proxy = existingProxyFor(window);
    if (proxy == nullptr || own == nullptr || press->window == own ||
        gdk_window_get_parent(press->window) != own || !gdk_window_is_input_only(press->window) ||
        !gtk_window_get_resizable(window)) {
        return FALSE;
    }
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    gdk_window_get_geometry(press->window, &x, &y, &width, &height);
    const unsigned edges =
        edgesOfBorderWindow({static_cast<double>(x), static_cast<double>(y),
                             static_cast<double>(width), static_cast<double>(height)},
                            {static_cast<double>(gdk_window_get_width(own)),
                             static_cast<double>(gdk_window_get_height(own))});
    if (edges == kNoEdge) {
        return FALSE;
    }
    runEdgeDrag(*proxy, *press, edges);
    return TRUE;
}

// --- Window moves, hiding and focus --------------------------------------------

struct MoveWatch {
    guint settle = 0;
    std::optional<Rect> lastFrame;
    std::optional<Rect> frameBeforeResize; // the frame before the last change of size
    Size clientSize;                       // of the client window, as last configured
    guint dragEndCheck = 0;                // while a drag of the window manager is observed
    std::optional<RatioHint> ratioHint;    // the observed drag keeps a ratio through the hints
    // A maximize of the window manager's that a zoom of the plug-in's
    // replaces: the zoom runs once the window is back where it was.
    std::optional<Rect> replayFrom;
    Event replayKeys;
    guint replayDeadline = 0;
};

// How often the pointer's buttons are checked while the window manager
// resizes a window.
constexpr guint kObservedDragCheckMs = 50;
// How long a window manager may take to give a window back its frame
// before the zoom that replaces its maximize runs anyway.
constexpr guint kReplayDeadlineMs = 500;

GQuark moveWatchQuark() {
    static const GQuark quark = g_quark_from_static_string("vantro-move-watch");
    return quark;
}

void freeMoveWatch(gpointer data) {
    auto* watch = static_cast<MoveWatch*>(data);
    if (watch->settle != 0) {
        g_source_remove(watch->settle);
    }
    if (watch->dragEndCheck != 0) {
        g_source_remove(watch->dragEndCheck);
    }
    if (watch->replayDeadline != 0) {
        g_source_remove(watch->replayDeadline);
    }
    delete watch;
}

gboolean moveSettled(gpointer data) {
    auto* window = static_cast<GtkWindow*>(data);
    auto* watch = static_cast<MoveWatch*>(g_object_get_qdata(G_OBJECT(window), moveWatchQuark()));
    if (watch != nullptr) {
        watch->settle = 0;
    }
    WindowProxy* proxy = existingProxyFor(window);
    if (proxy != nullptr && !proxy->inLiveResize) {
        handleAsEvent(window, nullptr, [proxy](const std::optional<Event>&) {
            runtime::send<void>(proxy, platform::sel::setFrameAfterMove(), platform::frame(proxy));
        });
    }
    return G_SOURCE_REMOVE;
}

// The pointer's buttons and the keys held now, whoever has grabbed them.
GdkModifierType pointerState(GtkWindow* window) {
    GdkModifierType state{};
    if (GdkWindow* gdkWindow = gtk_widget_get_window(GTK_WIDGET(window))) {
        GdkDevice* pointer =
            gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_window_get_display(gdkWindow)));
        gdk_window_get_device_position(gdkWindow, pointer, nullptr, nullptr, &state);
    }
    return state;
}

bool pointerButtonHeld(GtkWindow* window) {
    return (pointerState(window) & (GDK_BUTTON1_MASK | GDK_BUTTON2_MASK | GDK_BUTTON3_MASK)) != 0;
}

// A step of a drag the window manager runs, as the plug-in reads one: a
// drag event without modifiers, since the keys held belong to the window
// manager's own binding and the frame cannot be shaped anyway.
Event observedDragEvent(platform::EventType type) {
    Event event;
    event.type = type;
    event.clickCount = 0;
    event.locationOnScreen = bridgePlatform->mouseLocation();
    return event;
}

// The same with the keys held: what the plug-in asks of them.
Event heldKeysEvent(GtkWindow* window, platform::EventType type) {
    Event event = observedDragEvent(type);
    event.modifierFlags = modifierFlagsFromGdk(pointerState(window));
    return event;
}

void dropRatioHint(GtkWindow* window, MoveWatch& watch) {
    if (watch.ratioHint) {
        removeRatioHint(window, *watch.ratioHint);
        watch.ratioHint.reset();
    }
}

// While the keys that keep the ratio are held, the window manager is asked
// (through the hints) to keep the ratio the client had before this step;
// released, it is free again.
void keepRatioWhileAsked(GtkWindow* window, WindowProxy& proxy, MoveWatch& watch,
                         Size clientBefore) {
    static const runtime::Selector keeps =
        runtime::Selector::named("vantroKeepsRatioInManagedResize");
    if (!runtime::respondsToSelector(&proxy, keeps)) {
        return;
    }
    bool wanted = false;
    handleWithEvent(
        window, heldKeysEvent(window, platform::EventType::leftMouseDragged),
        [&](const std::optional<Event>&) { wanted = runtime::send<bool>(&proxy, keeps); });
    if (!wanted) {
        dropRatioHint(window, watch);
    } else if (!watch.ratioHint) {
        watch.ratioHint = addRatioHint(window, static_cast<int>(std::lround(clientBefore.width)),
                                       static_cast<int>(std::lround(clientBefore.height)));
    }
}

gboolean observedDragCheck(gpointer data) {
    auto* window = static_cast<GtkWindow*>(data);
    auto* watch = static_cast<MoveWatch*>(g_object_get_qdata(G_OBJECT(window), moveWatchQuark()));
    if (watch == nullptr || pointerButtonHeld(window)) {
        return G_SOURCE_CONTINUE;
    }
    watch->dragEndCheck = 0;
    dropRatioHint(window, *watch);
    if (WindowProxy* proxy = existingProxyFor(window)) {
        handleWithEvent(window, observedDragEvent(platform::EventType::leftMouseUp),
                        [proxy](const std::optional<Event>&) {
                            runtime::send<void>(proxy, platform::sel::endLiveResize());
                        });
        proxy->observingDrag = false;
    }
    return G_SOURCE_REMOVE;
}

// The window manager changed the window's size while a button is held: it
// runs a resize drag (its frame's edges, or its own key binding). The
// plug-in sees it as a drag whose steps it cannot shape; it shows the
// dimensions.
void observeDragStep(GtkWindow* window, WindowProxy& proxy, MoveWatch& watch, const Rect& frame,
                     Size clientBefore) {
    if (!proxy.observingDrag) {
        proxy.observingDrag = true;
        bridgePlatform->refreshScreens();
        handleWithEvent(window, observedDragEvent(platform::EventType::leftMouseDragged),
                        [&proxy](const std::optional<Event>&) {
                            runtime::send<void>(&proxy, platform::sel::startLiveResize());
                        });
        watch.dragEndCheck = g_timeout_add(kObservedDragCheckMs, observedDragCheck, window);
    }
    keepRatioWhileAsked(window, proxy, watch, clientBefore);
    handleWithEvent(window, observedDragEvent(platform::EventType::leftMouseDragged),
                    [&proxy, frame](const std::optional<Event>&) {
                        platform::setFrameDisplay(&proxy, frame, true);
                    });
}

MoveWatch* moveWatchOf(GtkWindow* window) {
    return static_cast<MoveWatch*>(g_object_get_qdata(G_OBJECT(window), moveWatchQuark()));
}

// Runs the zoom that replaces a maximize of the window manager's, as a
// click on GTK's maximize button with the same keys would.
void replayAsZoom(GtkWindow* window, MoveWatch& watch) {
    if (watch.replayDeadline != 0) {
        g_source_remove(watch.replayDeadline);
        watch.replayDeadline = 0;
    }
    watch.replayFrom.reset();
    WindowProxy* proxy = existingProxyFor(window);
    if (proxy == nullptr || gtk_window_is_maximized(window)) {
        return;
    }
    handleWithEvent(window, watch.replayKeys, [proxy](const std::optional<Event>&) {
        runtime::send<void>(proxy, platform::sel::performZoom(), &proxy->zoomButton);
    });
}

// The window is back where it was, with the borders it had there (the
// window manager may draw a maximized window without them): the zoom can
// be measured from it.
void replayOnceRestored(GtkWindow* window, MoveWatch& watch) {
    if (!watch.replayFrom || gtk_window_is_maximized(window)) {
        return;
    }
    const std::optional<Rect> now = windowFrame(window, bridgePlatform->space());
    if (now && sameFrame(*now, *watch.replayFrom)) {
        replayAsZoom(window, watch);
    }
}

// A window manager that does not restore the frame exactly gets the zoom
// from where it put the window.
gboolean replayDeadlinePassed(gpointer data) {
    auto* window = static_cast<GtkWindow*>(data);
    if (MoveWatch* watch = moveWatchOf(window)) {
        watch->replayDeadline = 0;
        replayAsZoom(window, *watch);
    }
    return G_SOURCE_REMOVE;
}

// The window manager maximized a window from the title bar it draws, with
// keys held: where they select a zoom of the plug-in's, the window is given
// back its frame and that zoom runs from there, as for a click on GTK's
// maximize button. A window with GTK's title bar has its own button.
gboolean windowStateChanged(GtkWidget* widget, GdkEventWindowState* event, gpointer /*data*/) {
    auto* window = GTK_WINDOW(widget);
    MoveWatch* watch = moveWatchOf(window);
    WindowProxy* proxy = existingProxyFor(window);
    if (watch == nullptr || proxy == nullptr) {
        return FALSE;
    }
    replayOnceRestored(window, *watch);
    if ((event->changed_mask & event->new_window_state & GDK_WINDOW_STATE_MAXIMIZED) == 0 ||
        !watch->lastFrame || watch->replayFrom || proxy->zoomButton.button != nullptr ||
        proxy->frameBeforeMaximize) {
        return FALSE;
    }
    const Event keys = heldKeysEvent(window, platform::EventType::leftMouseUp);
    if (keys.modifierFlags == 0) {
        return FALSE;
    }
    bridgePlatform->refreshScreens();
    const std::vector<Screen>& screens = bridgePlatform->screens();
    const int screen = platform::screenHoldingMostOf(*watch->lastFrame, screens);
    ManagedMaximize seen{*watch->lastFrame, watch->frameBeforeResize, std::nullopt,
                         decorationExtents(window).top, keys.locationOnScreen};
    if (screen >= 0) {
        seen.maximizedArea = screens[static_cast<std::size_t>(screen)].visibleFrame;
    }
    const std::optional<Rect> before = frameBeforeManagedMaximize(seen);
    static const runtime::Selector zoomsWithKeys =
        runtime::Selector::named("vantroZoomsWithHeldKeys");
    if (!before || !runtime::respondsToSelector(proxy, zoomsWithKeys)) {
        return FALSE;
    }
    bool zooms = false;
    handleWithEvent(window, keys, [&](const std::optional<Event>&) {
        zooms = runtime::send<bool>(proxy, zoomsWithKeys);
    });
    if (zooms) {
        watch->replayFrom = before;
        watch->replayKeys = keys;
        watch->replayDeadline = g_timeout_add(kReplayDeadlineMs, replayDeadlinePassed, window);
        gtk_window_unmaximize(window);
    }
    return FALSE;
}

// A frame asked for by the plug-in counts as applied once the window shows
// it; any other change of place with the same size is a move by the user (or
// the window manager on the user's behalf), reported once it settles.
gboolean windowConfigured(GtkWidget* widget, GdkEventConfigure* event, gpointer /*data*/) {
    auto* window = GTK_WINDOW(widget);
    WindowProxy* proxy = existingProxyFor(window);
    auto* watch = static_cast<MoveWatch*>(g_object_get_qdata(G_OBJECT(window), moveWatchQuark()));
    if (proxy == nullptr || watch == nullptr) {
        return FALSE;
    }
    const std::optional<Rect> actual = windowFrame(window, bridgePlatform->space());
    if (!actual) {
        return FALSE;
    }
    const std::optional<Rect> previous = watch->lastFrame;
    watch->lastFrame = actual;
    replayOnceRestored(window, *watch);
    const Size clientBefore = watch->clientSize;
    watch->clientSize = {static_cast<double>(event->width), static_cast<double>(event->height)};
    const bool resized = previous && (std::fabs(previous->size.width - actual->size.width) >= 1 ||
                                      std::fabs(previous->size.height - actual->size.height) >= 1);
    if (resized) {
        watch->frameBeforeResize = previous;
    }
    if (const std::optional<Rect>& pending = proxy->pendingFrame(bridgePlatform->now())) {
        if (sameFrame(*pending, *actual)) {
            proxy->requestedFrame.reset();
        }
        return FALSE;
    }
    if (resized && (proxy->observingDrag || (!proxy->inLiveResize && pointerButtonHeld(window)))) {
        observeDragStep(window, *proxy, *watch, *actual, clientBefore);
        return FALSE;
    }
    if (previous && !resized && !proxy->inLiveResize && !sameFrame(*previous, *actual)) {
        if (watch->settle != 0) {
            g_source_remove(watch->settle);
        }
        watch->settle = g_timeout_add(kMoveSettleMs, moveSettled, window);
    }
    return FALSE;
}

void windowUnmapped(GtkWidget* widget, gpointer /*data*/) {
    auto* window = GTK_WINDOW(widget);
    if (WindowProxy* proxy = existingProxyFor(window)) {
        handleAsEvent(window, nullptr,
                      [proxy](const std::optional<Event>&) { platform::orderOut(proxy, nullptr); });
    }
}

gboolean windowLostFocus(GtkWidget* widget, GdkEventFocus* /*event*/, gpointer /*data*/) {
    auto* window = GTK_WINDOW(widget);
    if (WindowProxy* proxy = existingProxyFor(window)) {
        handleAsEvent(window, nullptr, [proxy](const std::optional<Event>&) {
            runtime::send<void>(proxy, platform::sel::resignKeyWindow());
        });
    }
    return FALSE;
}

// The zoom options menu's key equivalents work in every window, whatever
// has the focus in it: they are looked at before GTK's own key handling.
gboolean windowKeyPressed(GtkWidget* widget, GdkEventKey* key, gpointer /*data*/) {
    auto* window = GTK_WINDOW(widget);
    WindowProxy* proxy = existingProxyFor(window);
    const platform::Menu* menu = zoomOptionsMenu();
    if (proxy == nullptr || menu == nullptr || key->is_modifier != 0) {
        return FALSE;
    }
    std::optional<MenuChoice> choice = menuChoiceForKeyEvent(*menu, *key);
    if (!choice) {
        return FALSE;
    }
    // Only while the main menu holds the zoom options menu is the key the
    // plug-in's: switched off (disabled, the application excluded, its
    // bundle deleted), the update leaves it out and the key goes on to GTK.
    // Looked at only for a key the menu has, so typing costs no update.
    const platform::Menu* attached =
        bridgePlatform != nullptr ? updatedMainMenu(*bridgePlatform) : nullptr;
    choice = attached != nullptr ? menuChoiceForKeyEvent(*attached, *key) : std::nullopt;
    if (!choice) {
        return FALSE;
    }
    bool performed = false;
    handleAsEvent(window, reinterpret_cast<GdkEvent*>(key), [&](const std::optional<Event>&) {
        performed = performMenuAction(proxy, *choice);
    });
    return performed ? TRUE : FALSE;
}

// The size limits depend on the hints and on both frame extents.
gboolean windowPropertyChanged(GtkWidget* widget, GdkEventProperty* event, gpointer /*data*/) {
    WindowProxy* proxy = existingProxyFor(GTK_WINDOW(widget));
    if (proxy == nullptr) {
        return FALSE;
    }
    static const GdkAtom hints = gdk_atom_intern_static_string("WM_NORMAL_HINTS");
    static const GdkAtom shadow = gdk_atom_intern_static_string("_GTK_FRAME_EXTENTS");
    static const GdkAtom decorations = gdk_atom_intern_static_string("_NET_FRAME_EXTENTS");
    if (event->atom == hints || event->atom == shadow || event->atom == decorations) {
        proxy->sizeLimits.reset();
    }
    if (MoveWatch* watch = moveWatchOf(GTK_WINDOW(widget));
        watch != nullptr && event->atom == decorations) {
        replayOnceRestored(GTK_WINDOW(widget), *watch);
    }
    return FALSE;
}

void bridgeWindow(GtkWindow* window) {
    if (gtk_window_get_window_type(window) != GTK_WINDOW_TOPLEVEL ||
        g_object_get_data(G_OBJECT(window), kBridgedKey) != nullptr) {
        return;
    }
    if (proxyFor(window) == nullptr) {
        return;
    }
    g_object_set_data(G_OBJECT(window), kBridgedKey, GINT_TO_POINTER(1));
    g_object_set_qdata_full(G_OBJECT(window), moveWatchQuark(), new MoveWatch, freeMoveWatch);
    g_signal_connect(window, "configure-event", G_CALLBACK(windowConfigured), nullptr);
    g_signal_connect_after(window, "unmap", G_CALLBACK(windowUnmapped), nullptr);
    g_signal_connect(window, "focus-out-event", G_CALLBACK(windowLostFocus), nullptr);
    g_signal_connect(window, "key-press-event", G_CALLBACK(windowKeyPressed), nullptr);
    g_signal_connect(window, "button-press-event", G_CALLBACK(windowPressed), nullptr);
    g_signal_connect(window, "property-notify-event", G_CALLBACK(windowPropertyChanged), nullptr);
    g_signal_connect_after(window, "window-state-event", G_CALLBACK(windowStateChanged), nullptr);
    gtk_widget_add_events(GTK_WIDGET(window), GDK_PROPERTY_CHANGE_MASK);
}

// Every widget that maps passes here: windows and maximize buttons are
// bridged the first time they are seen.
gboolean widgetMapped(GSignalInvocationHint* /*hint*/, guint count, const GValue* values,
                      gpointer /*data*/) {
    if (count < 1) {
        return TRUE;
    }
    auto* widget = static_cast<GtkWidget*>(g_value_get_object(&values[0]));
    if (GTK_IS_WINDOW(widget)) {
        bridgeWindow(GTK_WINDOW(widget));
    } else if (GTK_IS_MENU(widget)) {
        GtkWidget* attached = gtk_menu_get_attach_widget(GTK_MENU(widget));
        if (GTK_IS_WINDOW(attached) && existingProxyFor(GTK_WINDOW(attached)) != nullptr) {
            hangUnderTitleBarMenu(GTK_MENU(widget), GTK_WINDOW(attached), *bridgePlatform);
        }
    } else if (isMaximizeTitleButton(widget)) {
        GtkWindow* window = toplevelWindowOf(widget);
        if (window != nullptr) {
            bridgeWindow(window);
            bridgeTitleButton(widget);
        }
    }
    return TRUE; // stay installed
}

void bridgeDescendants(GtkWidget* widget, gpointer /*data*/) {
    if (isMaximizeTitleButton(widget) && gtk_widget_get_mapped(widget)) {
        bridgeTitleButton(widget);
    }
    if (GTK_IS_CONTAINER(widget)) {
        gtk_container_forall(GTK_CONTAINER(widget), bridgeDescendants, nullptr);
    }
}

} // namespace

void runAsUserAction(GtkWindow* window, const GdkEvent* event,
                     const std::function<void()>& action) {
    if (bridgePlatform == nullptr || window == nullptr) {
        return;
    }
    handleAsEvent(window, event, [&action](const std::optional<Event>&) { action(); });
}

void installEventBridge(GtkPlatform& platform) {
    if (bridgePlatform != nullptr) {
        return;
    }
    bridgePlatform = &platform;
    // A signal is known only once its class exists, and the plug-in may load
    // before the host has made any widget: without this reference "map" is
    // not found and no window or maximize button is ever bridged. Held for
    // the life of the process, as the hook is.
    g_type_class_ref(GTK_TYPE_WIDGET);
    g_signal_add_emission_hook(g_signal_lookup("map", GTK_TYPE_WIDGET), 0, widgetMapped, nullptr,
                               nullptr);
    // Windows that were shown before the plug-in was loaded.
    GList* toplevels = gtk_window_list_toplevels();
    for (GList* item = toplevels; item != nullptr; item = item->next) {
        auto* window = GTK_WINDOW(item->data);
        if (gtk_widget_get_mapped(GTK_WIDGET(window))) {
            bridgeWindow(window);
            bridgeDescendants(GTK_WIDGET(window), nullptr);
        }
    }
    g_list_free(toplevels);
}

} // namespace vantro::gtk
