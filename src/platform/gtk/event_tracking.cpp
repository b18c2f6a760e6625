#include "platform/gtk/event_tracking.h"

namespace vantro::gtk {

namespace {

// How often the pointer's buttons are checked while tracking.
constexpr guint kButtonCheckIntervalMs = 100;

struct Tracking {
    const std::function<bool(const GdkEvent&)>* wanted;
    GtkWidget* widget;
    GMainLoop* loop;
    GdkEvent* found = nullptr;
    bool ended = false;
};

// The tracking that owns GDK's event handler; a tracking started inside
// another hands it back when it ends.
Tracking* activeTracking = nullptr;

void finish(Tracking& tracking, GdkEvent* found) {
    tracking.found = found;
    tracking.ended = true;
    g_main_loop_quit(tracking.loop);
}

void handleEvent(GdkEvent* event, gpointer data) {
    auto& tracking = *static_cast<Tracking*>(data);
    if (!tracking.ended) {
        // An implicit grab gives way when the tracker grabs the pointer
        // itself; only the loss of an explicit grab ends the tracking.
        if (event->type == GDK_GRAB_BROKEN && event->grab_broken.implicit == FALSE) {
            finish(tracking, nullptr);
        } else if ((*tracking.wanted)(*event)) {
            finish(tracking, gdk_event_copy(event));
            return;
        }
    }
    gtk_main_do_event(event);
}

GdkEvent* releaseAtPointer(GtkWidget* widget) {
    GdkWindow* window = gtk_widget_get_window(widget);
    GdkDevice* pointer =
        gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_window_get_display(window)));
    GdkEvent* release = gdk_event_new(GDK_BUTTON_RELEASE);
    release->button.window = GDK_WINDOW(g_object_ref(window));
    release->button.button = GDK_BUTTON_PRIMARY;
    release->button.time = GDK_CURRENT_TIME;
    gdk_event_set_device(release, pointer);
    GdkModifierType state{};
    gdk_window_get_device_position_double(window, pointer, &release->button.x, &release->button.y,
                                          &state);
    release->button.state = state;
    int rootX = 0;
    int rootY = 0;
    gdk_device_get_position(pointer, nullptr, &rootX, &rootY);
    release->button.x_root = rootX;
    release->button.y_root = rootY;
    return release;
}

gboolean checkButtons(gpointer data) {
    auto& tracking = *static_cast<Tracking*>(data);
    GdkWindow* window = gtk_widget_get_window(tracking.widget);
    if (tracking.ended || window == nullptr) {
        return G_SOURCE_CONTINUE;
    }
    GdkDevice* pointer =
        gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_window_get_display(window)));
    GdkModifierType state{};
    gdk_window_get_device_position(window, pointer, nullptr, nullptr, &state);
    if ((state & GDK_BUTTON1_MASK) == 0) {
        GdkEvent* release = releaseAtPointer(tracking.widget);
        if ((*tracking.wanted)(*release)) {
            finish(tracking, release);
        } else {
            gdk_event_free(release);
            finish(tracking, nullptr);
        }
    }
    return G_SOURCE_CONTINUE;
}

// GTK's own handling, as gtk_init installs it.
void gtkHandlesEvent(GdkEvent* event, gpointer /*data*/) {
    gtk_main_do_event(event);
}

void widgetDestroyed(GtkWidget* /*widget*/, gpointer data) {
    auto& tracking = *static_cast<Tracking*>(data);
    if (!tracking.ended) {
        finish(tracking, nullptr);
    }
}

} // namespace

GdkEvent* trackNextEvent(GtkWidget* widget, const std::function<bool(const GdkEvent&)>& wanted) {
    if (widget == nullptr || gtk_widget_get_window(widget) == nullptr) {
        return nullptr;
    }
    Tracking tracking{&wanted, widget, g_main_loop_new(nullptr, FALSE)};
    g_object_ref(widget);
    const gulong destroyHandler =
        g_signal_connect(widget, "destroy", G_CALLBACK(widgetDestroyed), &tracking);
    const guint buttonCheck = g_timeout_add(kButtonCheckIntervalMs, checkButtons, &tracking);
    Tracking* outer = activeTracking;
    activeTracking = &tracking;
    gdk_event_handler_set(handleEvent, &tracking, nullptr);
    g_main_loop_run(tracking.loop);
    activeTracking = outer;
    if (outer != nullptr) {
        gdk_event_handler_set(handleEvent, outer, nullptr);
    } else {
        gdk_event_handler_set(gtkHandlesEvent, nullptr, nullptr);
    }
    g_source_remove(buttonCheck);
    g_signal_handler_disconnect(widget, destroyHandler);
    g_object_unref(widget);
    g_main_loop_unref(tracking.loop);
    return tracking.found;
}

} // namespace vantro::gtk
