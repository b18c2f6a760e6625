// Opens a preference pane as the plug-in does when the user asks for its
// settings: the pane's desktop entry, its program found inside the pane and
// started through GDK's launch context, with startup notification.
// Usage: open_pane PANE-FOLDER   (exit 0 when the program started)

#include "platform/gtk/pane_application.h"

#include <gtk/gtk.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        g_printerr("usage: open_pane PANE-FOLDER\n");
        return 2;
    }
    if (gtk_init_check(nullptr, nullptr) == FALSE) {
        g_printerr("open_pane: cannot open the display\n");
        return 1;
    }
    GdkDisplay* display = gdk_display_get_default();
    const bool started = vantro::gtk::launchPaneApplication(display, argv[1]);
    // The startup notification goes out before this process leaves.
    gdk_display_flush(display);
    if (!started) {
        g_printerr("open_pane: could not start the settings at %s\n", argv[1]);
        return 1;
    }
    return 0;
}
