#pragma once

// The size limits of a realized GtkWindow, read from its WM_NORMAL_HINTS.

#include "platform/gtk/size_hints.h"

#include <gtk/gtk.h>

namespace vantro::gtk {

// Defaults (no minimum, no maximum, increments of one, no ratio) when the
// window is not realized or its hints are absent or malformed.
WindowSizeLimits sizeLimitsOf(GtkWindow* window);

} // namespace vantro::gtk
