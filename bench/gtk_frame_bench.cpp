// The GTK backend's read of a window's visible frame, which every zoom and
// every drag step makes several times, against one X round trip of the kind
// each read used to make (a property read). Needs a display: run it inside
// tools/with-test-session (tools/bench does).

#include "platform/gtk/feedback_popup.h"
#include "platform/gtk/monitors.h"
#include "platform/gtk/window_frame.h"

#include <X11/Xatom.h>
#include <benchmark/benchmark.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <string>
#include <vector>

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

// The dimension tab's share of one drag step: new numbers, the size that
// fits them, the tab placed at that size and drawn once (into an image, as
// the frame clock would draw it on the server).
void dimensionTabStep(benchmark::State& state) {
    if (!haveDisplay(state)) {
        return;
    }
    // The platform keeps its coordinate space current; it is read once here.
    const CoordinateSpace space = coordinateSpaceOf(gdk_display_get_default());
    vantro::gtk::FeedbackPopup tab(
        vantro::platform::FeedbackKind::dimensionTab, [&space] { return space; },
        [](std::string_view) { return std::nullopt; });
    gtk_widget_realize(tab.widget());
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 200, 40);
    cairo_t* cr = cairo_create(image);
    int width = 800;
    for (auto _ : state) {
        ++width;
        tab.setTextRuns({{"w ", false},
                         {std::to_string(width), true},
                         {"  h ", false},
                         {std::to_string(width / 2), true}});
        const vantro::Size text = tab.fittingTextSize();
        tab.setFrame(vantro::Rect(100, 100, text.width + 16, text.height + 12));
        GtkAllocation allocation{0, 0, static_cast<int>(text.width) + 16,
                                 static_cast<int>(text.height) + 12};
        gtk_widget_size_allocate(tab.widget(), &allocation);
        gtk_widget_draw(tab.widget(), cr);
    }
    cairo_destroy(cr);
    cairo_surface_destroy(image);
}
BENCHMARK(dimensionTabStep);

} // namespace
