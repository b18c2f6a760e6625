#pragma once

// Applying a zoom's target: the history the undo rule needs, the frame
// (animated when configured), the heads-up message and the dimension tab.
// The dimension step also follows zooms that the host performed.

#include "platform/geometry.h"
#include "runtime/object.h"

namespace vantro::zoom {

// Durations are float constants widened to double.
inline constexpr double kZoomAnimationDuration = static_cast<double>(0.35F);
inline constexpr double kSlowZoomAnimationDuration = static_cast<double>(1.35F);
inline constexpr double kDimensionsAfterZoomDuration = static_cast<double>(0.65F);

struct ZoomRequest {
    runtime::Object* window = nullptr;
    runtime::Object* sender = nullptr;
    // The sender is the application itself: no undo, no message, no tab.
    bool fromApplication = false;
    Rect target;
    Rect visibleFrame;
};

// Runs the whole application sequence. With the slower animation path the
// steps after the frame change run when the animation ends, so they see the
// final frame as they would after a blocking animation.
void applyZoom(const ZoomRequest& request);

// A zoom of the window whose animation still runs ends at once: the window
// takes its end frame and the zoom its history. Nothing when none runs.
void finishZoomInFlight(runtime::Object* window);

// The tab after a zoom: shown for 0.65 s when "VantroShowDimensionsAfterZooms"
// asks for this kind of zoom (performed by the plug-in or by the host).
void showDimensionsAfterZoom(runtime::Object* window, bool fromApplication, bool pluginZoom);

} // namespace vantro::zoom
