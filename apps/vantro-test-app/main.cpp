// vantro-test-app: opens test windows for trying the plug-in's zoom and drag
// behaviour. A new window (the "New Window" button, or Ctrl+N) takes its size
// limits from the keys held while it opens: Shift a smaller minimum, Control a
// maximum, Alt a height step of 44. Closing the last window quits.

#include "platform/gtk/modifier_mapping.h"
#include "test_window.h"

#include <gtk/gtk.h>

namespace {

using vantro::platform::ModifierFlags;

// The keys held in the event that asked for the window. The Control of the
// Ctrl+N shortcut is the shortcut's own and does not count.
ModifierFlags heldForNewWindow() {
    GdkModifierType state{};
    if (!gtk_get_current_event_state(&state)) {
        return 0;
    }
    ModifierFlags held = vantro::gtk::modifierFlagsFromGdk(state);
    GdkEvent* event = gtk_get_current_event();
    if (event != nullptr) {
        if (event->type == GDK_KEY_PRESS) {
            held &= ~vantro::platform::kControlKeyMask;
        }
        gdk_event_free(event);
    }
    return held;
}

void newWindow(GSimpleAction* /*action*/, GVariant* /*parameter*/, gpointer application) {
    vantro::test_app::openTestWindow(GTK_APPLICATION(application), heldForNewWindow());
}

void activate(GtkApplication* application, gpointer /*data*/) {
    // The first window opens with no keys counted, whatever is held at launch.
    if (gtk_application_get_windows(application) == nullptr) {
        vantro::test_app::openTestWindow(application, 0);
    }
}

void startup(GtkApplication* application, gpointer /*data*/) {
    static const GActionEntry kActions[] = {
        {"new-window", &newWindow, nullptr, nullptr, nullptr, {0, 0, 0}},
    };
    g_action_map_add_action_entries(G_ACTION_MAP(application), kActions, 1, application);
    // Shift and Alt held with the shortcut change the window it opens, so the
    // shortcut answers with them too.
    const char* accels[] = {"<Control>n", "<Control><Shift>n", "<Control><Alt>n",
                            "<Control><Shift><Alt>n", nullptr};
    gtk_application_set_accels_for_action(application, "app.new-window", accels);
}

} // namespace

int main(int argc, char** argv) {
    GtkApplication* application =
        gtk_application_new("com.quillworks.VantroTestApp", G_APPLICATION_NON_UNIQUE);
    g_signal_connect(application, "startup", G_CALLBACK(startup), nullptr);
    g_signal_connect(application, "activate", G_CALLBACK(activate), nullptr);
    const int status = g_application_run(G_APPLICATION(application), argc, argv);
    g_object_unref(application);
    return status;
}
