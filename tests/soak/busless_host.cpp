// busless_host: a GTK 3 program that never uses the session bus itself
// (no GApplication), with one window like the test application's: a header
// bar with minimize, maximize and close and the same title, so that the
// end-to-end helpers find it. Whatever happens to the bus is then the
// plug-in's doing alone. Closing the window quits.

#include <gtk/gtk.h>

int main(int argc, char** argv) {
    gtk_init(&argc, &argv);
    constexpr const char* kTitle = "Vantro Test Window";
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    GtkWidget* bar = gtk_header_bar_new();
    gtk_header_bar_set_title(GTK_HEADER_BAR(bar), kTitle);
    gtk_header_bar_set_show_close_button(GTK_HEADER_BAR(bar), TRUE);
    gtk_header_bar_set_decoration_layout(GTK_HEADER_BAR(bar), ":minimize,maximize,close");
    gtk_window_set_titlebar(GTK_WINDOW(window), bar);
    gtk_window_set_title(GTK_WINDOW(window), kTitle);
    gtk_window_set_default_size(GTK_WINDOW(window), 500, 400);
    gtk_window_set_position(GTK_WINDOW(window), GTK_WIN_POS_CENTER);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    gtk_widget_show_all(window);
    gtk_main();
    return 0;
}
