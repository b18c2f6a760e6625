#pragma once

// Conversion between X11 root-window coordinates (origin at the top left of
// the X screen, y growing downwards) and the plug-in's coordinates (origin at
// the bottom left of the primary monitor, y growing upwards). Pure: the
// primary monitor's X11 rectangle is passed in, so any layout can be tested
// without a display. Lengths are GDK's application pixels (device pixels
// divided by the window scale), which the plug-in treats as points.

#include "platform/geometry.h"

#include <vector>

namespace vantro::gtk {

class CoordinateSpace {
  public:
    // `primaryX11` is the primary monitor's rectangle in X11 root coordinates.
    explicit CoordinateSpace(const Rect& primaryX11) : primary_(primaryX11) {}

    [[nodiscard]] Rect toCore(const Rect& x11) const;
    [[nodiscard]] Rect toX11(const Rect& core) const;
    [[nodiscard]] Point toCore(const Point& x11) const;
    [[nodiscard]] Point toX11(const Point& core) const;

    [[nodiscard]] const Rect& primaryX11() const { return primary_; }

  private:
    // The X11 y of the primary monitor's bottom edge: core y = 0 there.
    [[nodiscard]] double baseline() const { return primary_.maxY(); }

    Rect primary_;
};

// One monitor as GDK reports it, both rectangles in X11 root coordinates.
struct X11Monitor {
    Rect geometry;
    Rect workarea;
    bool primary = false;
};

// The monitor whose bottom-left corner is the core origin: the one flagged
// primary, else the first; nullptr when there are none.
const X11Monitor* primaryMonitor(const std::vector<X11Monitor>& monitors);

// The space the monitors define. Without monitors the origin stays where X11
// has it and only y flips, so that conversions still round-trip.
CoordinateSpace coordinateSpaceOf(const std::vector<X11Monitor>& monitors);

// The monitors as the plug-in's screens, in core coordinates: the primary
// first, then the others in the order given.
std::vector<Screen> screensInCoreCoordinates(const std::vector<X11Monitor>& monitors);

} // namespace vantro::gtk
