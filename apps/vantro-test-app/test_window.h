#pragma once

// The test window: "Vantro Test Window", a client-side title bar with
// minimize, maximize and close buttons and a "New Window" button, a 500 x 400
// content area with a faint label across its middle, translucent where a
// compositor runs, movable by its background, centred when it opens.

#include "platform/modifier_flags.h"

#include <gtk/gtk.h>

namespace vantro::test_app {

inline constexpr const char* kTestWindowTitle = "Vantro Test Window";
inline constexpr const char* kNewWindowButtonName = "New Window";

// Opens a test window of `application` with the limits that `held` selects.
GtkWidget* openTestWindow(GtkApplication* application, platform::ModifierFlags held);

} // namespace vantro::test_app
