#include "plain_frame_request.h"

#include <array>
#include <optional>

namespace vantro::test_app {

namespace {

using PlainFrame = std::array<int, 4>;

constexpr const char* kPlainFrameKey = "vantro-test-plain-frame";
constexpr GdkModifierType kPlainFrameModifiers =
    static_cast<GdkModifierType>(GDK_CONTROL_MASK | GDK_MOD1_MASK | GDK_SHIFT_MASK);

GdkAtom plainFrameAtom() {
    return gdk_atom_intern_static_string("_VANTRO_TEST_PLAIN_FRAME");
}

std::optional<PlainFrame> readPlainFrame(GdkWindow* window) {
    GdkAtom type = nullptr;
    gint format = 0;
    gint length = 0;
    guchar* data = nullptr;
    std::optional<PlainFrame> frame;
    // GDK asks for a length in bytes, and hands format 32 data over as
    // longs, whatever their size.
    if (gdk_property_get(window, plainFrameAtom(), gdk_atom_intern_static_string("CARDINAL"), 0,
                         4 * 4, FALSE, &type, &format, &length, &data) &&
        format == 32 && length == static_cast<gint>(4 * sizeof(long))) {
        const auto* values = reinterpret_cast<const long*>(data);
        frame = PlainFrame{static_cast<int>(values[0]), static_cast<int>(values[1]),
                           static_cast<int>(values[2]), static_cast<int>(values[3])};
    }
    g_free(data);
    return frame;
}

gboolean plainFrameChanged(GtkWidget* widget, GdkEventProperty* event, gpointer /*data*/) {
    if (event->atom != plainFrameAtom()) {
        return FALSE;
    }
    std::optional<PlainFrame> frame;
    if (event->state == GDK_PROPERTY_NEW_VALUE) {
        frame = readPlainFrame(event->window);
    }
    if (frame) {
        g_object_set_data_full(G_OBJECT(widget), kPlainFrameKey, new PlainFrame(*frame),
                               [](gpointer kept) { delete static_cast<PlainFrame*>(kept); });
    } else {
        g_object_set_data(G_OBJECT(widget), kPlainFrameKey, nullptr);
    }
    return FALSE;
}

gboolean plainFrameKeyPressed(GtkWidget* widget, GdkEventKey* event, gpointer /*data*/) {
    const auto* frame =
        static_cast<const PlainFrame*>(g_object_get_data(G_OBJECT(widget), kPlainFrameKey));
    if (frame == nullptr || gdk_keyval_to_lower(event->keyval) != GDK_KEY_p ||
        (event->state & gtk_accelerator_get_default_mod_mask()) != kPlainFrameModifiers) {
        return FALSE;
    }
    GdkWindow* window = gtk_widget_get_window(widget);
    gdk_window_move_resize(window, (*frame)[0], (*frame)[1], (*frame)[2], (*frame)[3]);
    gdk_display_flush(gdk_window_get_display(window));
    return TRUE;
}

} // namespace

void answerPlainFrameKey(GtkWidget* window) {
    gtk_widget_add_events(window, GDK_PROPERTY_CHANGE_MASK | GDK_KEY_PRESS_MASK);
    g_signal_connect(window, "property-notify-event", G_CALLBACK(plainFrameChanged), nullptr);
    g_signal_connect(window, "key-press-event", G_CALLBACK(plainFrameKeyPressed), nullptr);
}

} // namespace vantro::test_app
