// The GTK backend's read of a window's visible frame, which every zoom and
// every drag step makes several times, against one X round trip of the kind
// each read used to make (a property read). Needs a display: run it inside
// tools/with-test-session (tools/bench does).

#include "platform/gtk/monitors.h"
#include "platform/gtk/window_frame.h"

#include <X11/Xatom.h>
#include <benchmark/benchmark.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

namespace {

using vantro::gtk::CoordinateSpace;
using vantro::gtk::coordinateSpaceOf;

// One mapped test window, made on first use and kept for every benchmark.
GtkWindow* mappedWindow() {
    static GtkWindow* window = [] {
        GtkWindow* made = vantro::gtk::createTestWindow("Vantro frame benchmark");
        const gint64 deadline = g_get_monotonic_time() + gint64{5} * G_USEC_PER_SEC;
        while (!gtk_widget_get_mapped(GTK_WIDGET(made)) && g_get_monotonic_time() < deadline) {
            g_main_context_iteration(nullptr, TRUE);
        }
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
        return made;
    }();
    return window;
}

bool haveDisplay(benchmark::State& state) {
    if (!gtk_init_check(nullptr, nullptr)) {
        state.SkipWithError("no display: run inside tools/with-test-session");
        return false;
    }
    return true;
}

// The frame as the host methods read it: extents kept, position from GDK.
void windowFrameKept(benchmark::State& state) {
    if (!haveDisplay(state)) {
        return;
    }
    GtkWindow* window = mappedWindow();
    const CoordinateSpace space = coordinateSpaceOf(gdk_display_get_default());
    for (auto _ : state) {
        benchmark::DoNotOptimize(vantro::gtk::windowFrame(window, space));
    }
}
BENCHMARK(windowFrameKept);

// One read of _NET_FRAME_EXTENTS from the server: a round trip.
void propertyRoundTrip(benchmark::State& state) {
    if (!haveDisplay(state)) {
        return;
    }
    GtkWindow* window = mappedWindow();
    GdkDisplay* display = gdk_display_get_default();
    Display* xdisplay = GDK_DISPLAY_XDISPLAY(display);
    const Window xid = vantro::gtk::x11WindowId(window);
    const Atom atom = gdk_x11_get_xatom_by_name_for_display(display, "_NET_FRAME_EXTENTS");
    for (auto _ : state) {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0;
        unsigned long remaining = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(xdisplay, xid, atom, 0, 4, False, XA_CARDINAL, &type, &format, &count,
                           &remaining, &data);
        if (data != nullptr) {
            XFree(data);
        }
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(propertyRoundTrip);

} // namespace
