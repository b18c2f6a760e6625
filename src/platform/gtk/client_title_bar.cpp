#include "platform/gtk/client_title_bar.h"

#include <gtk/gtkx.h>

namespace vantro::gtk {

namespace {

using Handler = void (*)(GtkWidget*);

TitleBarWanted titleBarWanted = nullptr;
Handler originalShow = nullptr;
Handler originalRealize = nullptr;

void considerTitleBar(GtkWidget* widget) {
    if (titleBarWanted == nullptr || !GTK_IS_WINDOW(widget)) {
        return;
    }
    auto* window = GTK_WINDOW(widget);
    if (wantsClientTitleBar(window) && titleBarWanted()) {
        addClientTitleBar(window);
    }
}

void showWithTitleBar(GtkWidget* widget) {
    considerTitleBar(widget);
    originalShow(widget);
}

void realizeWithTitleBar(GtkWidget* widget) {
    considerTitleBar(widget);
    originalRealize(widget);
}

// Subclasses already initialised copied GtkWindow's handlers into their own
// class; those that did not override them get the replacements too.
void replaceInSubclasses(GType type) {
    guint count = 0;
    GType* children = g_type_children(type, &count);
    for (guint index = 0; index < count; ++index) {
        if (auto* cls = static_cast<GtkWidgetClass*>(g_type_class_peek(children[index]))) {
            if (cls->show == originalShow) {
                cls->show = showWithTitleBar;
            }
            if (cls->realize == originalRealize) {
                cls->realize = realizeWithTitleBar;
            }
        }
        replaceInSubclasses(children[index]);
    }
    g_free(children);
}

} // namespace

bool wantsClientTitleBar(GtkWindow* window) {
    auto* widget = GTK_WIDGET(window);
    if (gtk_widget_get_realized(widget) ||
        gtk_window_get_window_type(window) != GTK_WINDOW_TOPLEVEL ||
        !gtk_window_get_decorated(window) || gtk_window_get_titlebar(window) != nullptr ||
        GTK_IS_PLUG(window)) {
        return false;
    }
    const GdkWindowTypeHint hint = gtk_window_get_type_hint(window);
    return hint == GDK_WINDOW_TYPE_HINT_NORMAL || hint == GDK_WINDOW_TYPE_HINT_DIALOG;
}

void addClientTitleBar(GtkWindow* window) {
    GtkWidget* bar = gtk_header_bar_new();
    auto* header = GTK_HEADER_BAR(bar);
    // The decoration layout stays unset, so the header bar follows the
    // user's gtk-decoration-layout, as GTK's own title bar does.
    gtk_header_bar_set_show_close_button(header, TRUE);
    // GTK keeps a title bar's header bar and the window's title in step
    // both ways from here on; it starts from the header bar's, so that is
    // set first.
    gtk_header_bar_set_title(header, gtk_window_get_title(window));
    gtk_widget_show(bar);
    gtk_window_set_titlebar(window, bar);
}

void installClientTitleBars(TitleBarWanted wanted) {
    if (originalShow != nullptr) {
        return;
    }
    titleBarWanted = wanted;
    // Kept for the life of the process, as the replaced handlers are.
    auto* cls = static_cast<GtkWidgetClass*>(g_type_class_ref(GTK_TYPE_WINDOW));
    originalShow = cls->show;
    originalRealize = cls->realize;
    replaceInSubclasses(GTK_TYPE_WINDOW);
    cls->show = showWithTitleBar;
    cls->realize = realizeWithTitleBar;
}

} // namespace vantro::gtk
