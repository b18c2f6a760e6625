#pragma once

// A monitor's work area from the struts that panels reserve
// (_NET_WM_STRUT_PARTIAL). EWMH's _NET_WORKAREA is one rectangle for the
// whole desktop, so with several monitors it cannot say that a panel covers
// the top of one monitor only: openbox cuts the panel's height off every
// monitor there, GDK keeps it on none but the primary. Pure.

#include "platform/geometry.h"
#include "platform/gtk/coordinate_space.h"

#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace vantro::gtk {

// One window's reserved strips along the X screen's edges, in the same
// pixels as the monitors: each edge's thickness measured from that edge of
// the screen, and the first and last row (left, right) or column (top,
// bottom) the strip spans.
struct Strut {
    double left = 0, right = 0, top = 0, bottom = 0;
    double leftStartY = 0, leftEndY = 0, rightStartY = 0, rightEndY = 0;
    double topStartX = 0, topEndX = 0, bottomStartX = 0, bottomEndX = 0;

    friend bool operator==(const Strut&, const Strut&) = default;
};

// The strut that _NET_WM_STRUT_PARTIAL's twelve CARDINALs (device pixels)
// state, divided by `scale`; nothing for another length, a scale below 1,
// negative values, or a strut that reserves nothing.
std::optional<Strut> strutFromPartial(std::span<const long> values, int scale);

// `monitor` (X11 root coordinates) less every strip of `struts` that
// overlaps it, on an X screen of `screen` size. A strip is taken off the
// side of the monitor it lies along. Struts that together would leave the
// monitor no area are ignored: a malformed panel never takes a monitor away.
Rect workAreaLessStruts(const Rect& monitor, std::span<const Strut> struts, const Size& screen);

// The monitors the plug-in works with: the server's RandR monitors when it
// defines more than GDK lists (GDK leaves out those without an output),
// else GDK's. With more than one, each work area is the monitor less the
// panels' struts that fall on it (`readStruts` gives them and the X
// screen's size; it runs only then, as it costs a round trip per window).
template <typename ReadStruts>
std::vector<X11Monitor> withServerMonitors(std::vector<X11Monitor> gdkMonitors,
                                           std::vector<X11Monitor> serverMonitors,
                                           ReadStruts readStruts) {
    std::vector<X11Monitor> monitors = serverMonitors.size() > gdkMonitors.size()
                                           ? std::move(serverMonitors)
                                           : std::move(gdkMonitors);
    if (monitors.size() > 1) {
        const std::pair<std::vector<Strut>, Size> struts = readStruts();
        for (X11Monitor& monitor : monitors) {
            monitor.workarea = workAreaLessStruts(monitor.geometry, struts.first, struts.second);
        }
    }
    return monitors;
}

} // namespace vantro::gtk
