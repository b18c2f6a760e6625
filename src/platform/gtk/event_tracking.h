#pragma once

// Modal tracking of a press: the main loop runs nested until an event the
// caller wants arrives, every other event being handled by GTK as usual.
// This is what a press on a title button or a window edge needs: the rest of
// the application keeps drawing while the pointer is followed.

#include <gtk/gtk.h>

#include <functional>

namespace vantro::gtk {

// Answers a copy of the first event `wanted` accepts (free it with
// gdk_event_free), or null when tracking ends without one: the pointer grab
// was taken by another or `widget` was destroyed. A primary button found up with no
// release seen (the release went elsewhere) answers a release made at the
// pointer's place, so a press can never track forever.
GdkEvent* trackNextEvent(GtkWidget* widget, const std::function<bool(const GdkEvent&)>& wanted);

} // namespace vantro::gtk
