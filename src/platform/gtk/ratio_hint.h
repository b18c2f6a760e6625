#pragma once

// A kept aspect ratio added to a window's WM_NORMAL_HINTS and taken away
// again. The plug-in cannot shape the steps of a resize the window manager
// runs on its own frame, but every window manager it is used with keeps the
// ratio those hints ask for, from the next step on.

#include <gtk/gtk.h>

#include <optional>

namespace vantro::gtk {

// What addRatioHint changed besides the ratio, for removeRatioHint to put
// back. A window manager that follows the ICCCM keeps the ratio of the size
// less the base size; GTK gives most windows a base size (their minimum), so
// a window without resize increments has it taken out while the ratio is
// kept, and the ratio is then that of the whole client window everywhere.
struct RatioHint {
    bool baseSizeTakenOut = false;
    int baseWidth = 0;
    int baseHeight = 0;
};

// Asks for the client window's sizes to keep `width`:`height`. Nothing, and
// nothing changed, when the window is not realized, a side is not positive,
// or the hints already keep a ratio of the program's own.
std::optional<RatioHint> addRatioHint(GtkWindow* window, int width, int height);

// Takes the kept ratio out of the hints again and puts back what `added`
// took out; the other hints stay as the program last set them.
void removeRatioHint(GtkWindow* window, const RatioHint& added);

} // namespace vantro::gtk
