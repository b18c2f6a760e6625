#include "test_window.h"

#include "plain_frame_request.h"
#include "test_window_limits.h"

namespace vantro::test_app {

namespace {

constexpr const char* kStyle = R"css(
window.vantro-test-window.background { background-color: alpha(@theme_bg_color, 0.8); }
label.vantro-test-label { font-weight: bold; font-size: 56px; color: rgba(0, 0, 0, 0.08); }
)css";

void installStyleOnce() {
    static bool installed = false;
    if (installed) {
        return;
    }
    installed = true;
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, kStyle, -1, nullptr);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(),
                                              GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(provider);
}

void applyLimits(GtkWindow* window, const TestWindowLimits& limits) {
    GdkGeometry geometry{};
    int hints = GDK_HINT_MIN_SIZE;
    geometry.min_width = static_cast<int>(limits.minSize.width);
    geometry.min_height = static_cast<int>(limits.minSize.height);
    if (limits.maxSize) {
        hints |= GDK_HINT_MAX_SIZE;
        geometry.max_width = static_cast<int>(limits.maxSize->width);
        geometry.max_height = static_cast<int>(limits.maxSize->height);
    }
    if (limits.resizeIncrements.height > 1 || limits.resizeIncrements.width > 1) {
        hints |= GDK_HINT_RESIZE_INC | GDK_HINT_BASE_SIZE;
        geometry.width_inc = static_cast<int>(limits.resizeIncrements.width);
        geometry.height_inc = static_cast<int>(limits.resizeIncrements.height);
        geometry.base_width = 0;
        geometry.base_height = 0;
    }
    gtk_window_set_geometry_hints(window, nullptr, &geometry, static_cast<GdkWindowHints>(hints));
}

// A press on the window's background (not on a control, and not on the
// resize borders around it, which are windows of their own) moves the window.
gboolean moveByBackground(GtkWidget* widget, GdkEventButton* event, gpointer /*data*/) {
    if (event->type != GDK_BUTTON_PRESS || event->button != GDK_BUTTON_PRIMARY ||
        event->window != gtk_widget_get_window(widget)) {
        return FALSE;
    }
    gtk_window_begin_move_drag(GTK_WINDOW(widget), static_cast<int>(event->button),
                               static_cast<int>(event->x_root), static_cast<int>(event->y_root),
                               event->time);
    return TRUE;
}

// The size and maximized state the window last laid out its widgets for, as
// the CARDINALs "width height maximized" (device pixels) of _VANTRO_TEST_LAYOUT.
// The X window takes a new size (and the window manager a new state) before
// GTK lays out for it, at its next frame; until then a click lands on the
// widgets where they were. Tests compare this with the X window before they
// click.
void reportLayout(GtkWidget* widget, GdkRectangle* allocation, gpointer /*data*/) {
    GdkWindow* window = gtk_widget_get_window(widget);
    if (window == nullptr) {
        return;
    }
    const int scale = gtk_widget_get_scale_factor(widget);
    // Format 32 data is handed to GDK as longs, whatever their size.
    const long layout[] = {static_cast<long>(allocation->width) * scale,
                           static_cast<long>(allocation->height) * scale,
                           gtk_window_is_maximized(GTK_WINDOW(widget)) ? 1L : 0L};
    gdk_property_change(window, gdk_atom_intern_static_string("_VANTRO_TEST_LAYOUT"),
                        gdk_atom_intern_static_string("CARDINAL"), 32, GDK_PROP_MODE_REPLACE,
                        reinterpret_cast<const guchar*>(layout), 3);
}

void makeTranslucent(GtkWidget* window) {
    GdkScreen* screen = gtk_widget_get_screen(window);
    if (GdkVisual* rgba = gdk_screen_get_rgba_visual(screen);
        rgba != nullptr && gdk_screen_is_composited(screen)) {
        gtk_widget_set_visual(window, rgba);
    }
    gtk_widget_set_app_paintable(window, FALSE);
    gtk_style_context_add_class(gtk_widget_get_style_context(window), "vantro-test-window");
}

GtkWidget* titleBar() {
    GtkWidget* bar = gtk_header_bar_new();
    gtk_header_bar_set_title(GTK_HEADER_BAR(bar), kTestWindowTitle);
    // The title gives way (ellipsized) before the window's minimum width does.
    GtkWidget* title = gtk_label_new(kTestWindowTitle);
    gtk_label_set_ellipsize(GTK_LABEL(title), PANGO_ELLIPSIZE_END);
    gtk_style_context_add_class(gtk_widget_get_style_context(title), "title");
    gtk_header_bar_set_custom_title(GTK_HEADER_BAR(bar), title);
    gtk_header_bar_set_show_close_button(GTK_HEADER_BAR(bar), TRUE);
    gtk_header_bar_set_decoration_layout(GTK_HEADER_BAR(bar), ":minimize,maximize,close");
    // An icon keeps the title bar narrow enough for the smallest minimum
    // width; the button's name, tooltip and accessible name say what it does.
    GtkWidget* newWindow =
        gtk_button_new_from_icon_name("window-new-symbolic", GTK_ICON_SIZE_BUTTON);
    gtk_widget_set_name(newWindow, kNewWindowButtonName);
    gtk_widget_set_tooltip_text(newWindow, kNewWindowButtonName);
    atk_object_set_name(gtk_widget_get_accessible(newWindow), kNewWindowButtonName);
    gtk_actionable_set_action_name(GTK_ACTIONABLE(newWindow), "app.new-window");
    gtk_header_bar_pack_start(GTK_HEADER_BAR(bar), newWindow);
    return bar;
}

GtkWidget* faintLabel() {
    GtkWidget* label = gtk_label_new("Vantro Test\nWindow");
    gtk_label_set_justify(GTK_LABEL(label), GTK_JUSTIFY_CENTER);
    gtk_label_set_selectable(GTK_LABEL(label), FALSE);
    // Cut off rather than widen the window: the label must not raise the
    // window's minimum width above the one its limits give.
    gtk_label_set_ellipsize(GTK_LABEL(label), PANGO_ELLIPSIZE_END);
    gtk_style_context_add_class(gtk_widget_get_style_context(label), "vantro-test-label");
    gtk_widget_set_halign(label, GTK_ALIGN_FILL);
    gtk_widget_set_valign(label, GTK_ALIGN_CENTER);
    return label;
}

} // namespace

GtkWidget* openTestWindow(GtkApplication* application, platform::ModifierFlags held) {
    installStyleOnce();
    GtkWidget* window = gtk_application_window_new(application);
    gtk_window_set_title(GTK_WINDOW(window), kTestWindowTitle);
    gtk_window_set_titlebar(GTK_WINDOW(window), titleBar());
    gtk_window_set_default_size(GTK_WINDOW(window), 500, 400);
    applyLimits(GTK_WINDOW(window), testWindowLimits(held));
    // The label lies over the content area without asking for room: a window
    // requests no more than its limits, so that they are the frame's own
    // (the title bar included) rather than the label's two lines of height.
    GtkWidget* overlay = gtk_overlay_new();
    gtk_container_add(GTK_CONTAINER(overlay), gtk_box_new(GTK_ORIENTATION_VERTICAL, 0));
    gtk_overlay_add_overlay(GTK_OVERLAY(overlay), faintLabel());
    gtk_container_add(GTK_CONTAINER(window), overlay);
    makeTranslucent(window);
    gtk_widget_add_events(window, GDK_BUTTON_PRESS_MASK);
    g_signal_connect(window, "button-press-event", G_CALLBACK(moveByBackground), nullptr);
    g_signal_connect_after(window, "size-allocate", G_CALLBACK(reportLayout), nullptr);
    answerPlainFrameKey(window);
    gtk_window_set_position(GTK_WINDOW(window), GTK_WIN_POS_CENTER);
    gtk_widget_show_all(window);
    gtk_window_present(GTK_WINDOW(window));
    return window;
}

} // namespace vantro::test_app
