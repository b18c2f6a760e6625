#pragma once

// The live-resize hooks of the window class: the start and the end of a
// resize drag, and every frame change in between (setFrame:display:), with
// the resize indicator's two methods.
//
//   VT_startLiveResize        records where the mouse grips the window
//   VT_endLiveResize          discards the drag's state and its visual aids
//   VTsetFrame:display:       one drag step, see live_resize_step.h
//   vantroAddTopLeftResizeIndicatorForFrame:, vantroRemoveTopLeftResizeIndicator

#include "runtime/class.h"
#include "runtime/object.h"
#include "runtime/selector.h"

namespace vantro::resize {

// Delays are float constants widened to double.
inline constexpr double kUnsignalledDragEndDelay = static_cast<double>(0.7F);
inline constexpr double kDimensionsAfterDragDelay = static_cast<double>(0.45F);

// "VT_endLiveResize": the key of the delayed end of an unsignalled drag.
runtime::Selector endLiveResizeSelector();

// The hooks as plain calls, for the drag steps that start or end a drag
// themselves.
void vantroStartLiveResize(runtime::Object* window);
void vantroEndLiveResize(runtime::Object* window);

// Adds the methods above to the provider class whose methods are grafted
// onto the host's window class.
void addLiveResizeMethods(runtime::Class* provider);

} // namespace vantro::resize
