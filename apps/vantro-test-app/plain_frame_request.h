#pragma once

// A plain frame request made by the test application itself, the baseline of
// the snap benchmark: on Control+Alt+Shift+P the window asks for the X
// geometry last written to its _VANTRO_TEST_PLAIN_FRAME property (CARDINAL
// x y width height) with the one move-and-resize request the plug-in's own
// snap sends, and nothing else. The property is read when it changes, not on
// the key, so that the request waits for no reply.

#include <gtk/gtk.h>

namespace vantro::test_app {

// Makes `window` answer the key with its plain request.
void answerPlainFrameKey(GtkWidget* window);

} // namespace vantro::test_app
