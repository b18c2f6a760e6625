#pragma once

// The feedback methods of VantroWindow: showing and removing the heads-up
// panel and the dimension tab for the receiving window, and the two hooks
// that take feedback and state down when a window resigns key or is ordered
// out.

#include "runtime/class.h"

namespace vantro::feedback {

// Adds to the provider class:
//   -vantroShowHudAlertWindowWithMessage:forFrame:
//   -vantroRemoveHudAlertWindow
//   -vantroAddDimensionsToWindowWithFrame:contentFrameHeight:
//   -vantroRemoveDimensionsFromWindow
//   -VTresignKeyWindow   hides a visible panel, then the host's resignKeyWindow
//   -VTorderOut:         ends a zoom animating the window, takes its feedback
//                        down and forgets its state, then the host's orderOut:
void addFeedbackMethods(runtime::Class* provider);

} // namespace vantro::feedback
