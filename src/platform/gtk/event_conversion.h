#pragma once

// GDK's input events as the plug-in's events: the type, the click count, the
// held modifiers, and the pointer's place on screen and in the window, both
// in core coordinates (the window's frame origin is its bottom-left corner).

#include "platform/event.h"
#include "platform/geometry.h"
#include "platform/gtk/coordinate_space.h"

#include <gdk/gdk.h>

#include <optional>

namespace vantro::gtk {

// `windowFrame` is the frame (in core coordinates) of the window the event
// is for. A button release carries `releaseClickCount`: 1 for the end of a
// click, 0 for the end of a drag, as the bridge tracking the press knows.
// None for an event the plug-in has no type for (crossing, focus, expose).
std::optional<platform::Event> eventFromGdk(const GdkEvent& event, const CoordinateSpace& space,
                                            const Rect& windowFrame, int releaseClickCount = 1);

} // namespace vantro::gtk
