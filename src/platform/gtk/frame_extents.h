#pragma once

// Margins around a window's rectangle, as X11 window properties give them:
// _GTK_FRAME_EXTENTS (the client-side shadow, which lies outside what the
// user sees as the window) and _NET_FRAME_EXTENTS (the window manager's
// decorations, which are part of it). Pure arithmetic over them.

#include "platform/geometry.h"

#include <cstdint>
#include <optional>
#include <span>

namespace vantro::gtk {

struct FrameExtents {
    double left = 0;
    double right = 0;
    double top = 0;
    double bottom = 0;

    [[nodiscard]] bool isZero() const { return left == 0 && right == 0 && top == 0 && bottom == 0; }
    friend bool operator==(const FrameExtents&, const FrameExtents&) = default;
};

// Extents from a property's four values (left, right, top, bottom) in device
// pixels, divided by the window scale and kept to whole application pixels:
// the left (top) one rounded down, the right (bottom) one what brings the
// pair to its rounded sum. GTK's windows are whole application pixels, so a
// fractional extent (openbox's 1, 1, 20, 5 at scale 2) would make a frame
// set through them read back half a pixel off, and the zoom's undo, which
// compares frames exactly, would not recognise its own frame. Each edge is
// then within one device pixel of the server's. Anything but four values,
// or a scale below 1, gives nothing: a malformed property must not move a
// window.
std::optional<FrameExtents> frameExtentsFromProperty(std::span<const long> values, int scale);

// `rect` grown by `extents` on each side, in X11 orientation (top is smaller y).
Rect outset(const Rect& rect, const FrameExtents& extents);
// `rect` shrunk by `extents`; sizes never go below zero.
Rect inset(const Rect& rect, const FrameExtents& extents);

// What the user sees as the window: the client X window less its
// client-side shadow, plus the window manager's decorations.
Rect visibleFrameFromClient(const Rect& client, const FrameExtents& shadow,
                            const FrameExtents& decorations);

} // namespace vantro::gtk
