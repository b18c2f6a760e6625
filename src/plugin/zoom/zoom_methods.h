#pragma once

// The zoom methods of VantroWindow:
//   -VTzoom:                the window's zoom: the gate, the feature chain
//                           in its fixed order, the host's zoom otherwise
//   -VTperformZoom:         forwards to the host's performZoom:
//   -VT_setFrame:, -VT_windowMovedToRect:   forward to the host
//   -VT_setFrameAfterMove:  forgets the window's state when a user move
//                           ends away from where the last zoom put it
//   -vantroZoom:            a zoom options menu command (the sender's title
//                           names the feature)
//   -vantroZoomWithFeature: the same with the feature key itself
//   -vantroFinishZoomInFlight: a zoom still animating the window ends at once

#include "runtime/class.h"

namespace vantro::zoom {

// The application object as a zoom sender: a zoom it sends sets the frame
// without undo, message or dimension tab.
inline constexpr const char* kApplicationClassName = "GtkApplication";

void addZoomMethods(runtime::Class* provider);

} // namespace vantro::zoom
