#pragma once

// The bridge from GTK's events to the runtime: presses on the maximize title
// button become mouseDown:/rightMouseDown: of its proxy, the end of a user
// move becomes _setFrameAfterMove:, an unmap orderOut:, a loss of focus
// resignKeyWindow. Every window and title button is found as it maps, so
// windows made before the plug-in was loaded are bridged too. This is the
// only code that connects to GTK's signals.

#include "platform/gtk/gtk_platform.h"

#include <functional>

namespace vantro::gtk {

// Installs the bridge once per process; later calls do nothing.
void installEventBridge(GtkPlatform& platform);

// Runs `action` as the handling of `event` (may be null) on `window`: the
// screens are read again, the event is the platform's current one, and the
// window outlives the action whatever the plug-in or the user does meanwhile.
void runAsUserAction(GtkWindow* window, const GdkEvent* event, const std::function<void()>& action);

} // namespace vantro::gtk
