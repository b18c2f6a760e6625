// A window as most GTK 3 programs make one: a menu bar, the window
// manager's title bar, a minimum size and size increments (whole character
// cells, as a terminal asks for; none with --no-increments). SIGUSR1
// renames it, so that a test can see a title change reach the title bar.
// Usage: menu_bar_window TITLE [--no-increments]
#include <glib-unix.h>
#include <gtk/gtk.h>

namespace {

gboolean rename(gpointer window) {
    gtk_window_set_title(GTK_WINDOW(window), "Renamed Window");
    return G_SOURCE_CONTINUE;
}

} // namespace

int main(int argc, char** argv) {
    gtk_init(&argc, &argv);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), argc > 1 ? argv[1] : "Menu Bar Window");
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    GtkWidget* bar = gtk_menu_bar_new();
    gtk_menu_shell_append(GTK_MENU_SHELL(bar), gtk_menu_item_new_with_label("File"));
    gtk_box_pack_start(GTK_BOX(box), bar, FALSE, FALSE, 0);
    GtkWidget* area = gtk_drawing_area_new();
    gtk_box_pack_start(GTK_BOX(box), area, TRUE, TRUE, 0);
    gtk_container_add(GTK_CONTAINER(window), box);
    // Minimum 337 x 217, no maximum, base 17 x 27, increments 10 x 19.
    GdkGeometry hints{337, 217, 0, 0, 17, 27, 10, 19, 0, 0, GDK_GRAVITY_NORTH_WEST};
    const bool increments = argc < 3 || g_strcmp0(argv[2], "--no-increments") != 0;
    gtk_window_set_geometry_hints(
        GTK_WINDOW(window), nullptr, &hints,
        static_cast<GdkWindowHints>(GDK_HINT_MIN_SIZE |
                                    (increments ? GDK_HINT_BASE_SIZE | GDK_HINT_RESIZE_INC : 0)));
    gtk_window_set_default_size(GTK_WINDOW(window), 817, 483);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    g_unix_signal_add(SIGUSR1, rename, window);
    gtk_widget_show_all(window);
    gtk_main();
    return 0;
}
