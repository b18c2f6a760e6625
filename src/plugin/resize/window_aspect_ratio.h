#pragma once

// The aspect-ratio arithmetic as the window's grafted methods run it, with
// the drag's limits kept in the window's per-window entry.

#include "platform/geometry.h"
#include "plugin/core/window_state.h"
#include "plugin/resize/aspect_ratio.h"
#include "runtime/object.h"

#include <optional>
#include <string_view>

namespace vantro::resize {

// Keys inside the entry's "sizeLimitsForAspectRatio" dictionary.
namespace limits_key {
inline constexpr std::string_view kMinWidth = "minWidth";
inline constexpr std::string_view kMinHeight = "minHeight";
inline constexpr std::string_view kMaxWidth = "maxWidth";
inline constexpr std::string_view kMaxHeight = "maxHeight";
} // namespace limits_key

// The stored limits; none when the entry holds no dictionary under
// "sizeLimitsForAspectRatio" (a missing key inside it reads as 0).
std::optional<AspectRatioLimits> storedAspectRatioLimits(const core::WindowEntry* entry);

// vantroConstrainAspectRatioSize: with the window's stored limits.
Size vantroConstrainAspectRatioSize(runtime::Object* window, Size size);
// vantroGetNewSizeInAspectRatio:withTargetWidth: and ...withTargetHeight:.
Size vantroGetNewSizeInAspectRatioWithTargetWidth(runtime::Object* window, Size ratio,
                                                  double width);
Size vantroGetNewSizeInAspectRatioWithTargetHeight(runtime::Object* window, Size ratio,
                                                   double height);

// The limits step of a keep-aspect-ratio drag: computes the limits at
// `ratio` for the window where it is now and stores them (in single
// precision), only while none are stored and the window has an entry.
// Answers whether it stored them.
bool vantroStoreSizeLimitsForAspectRatio(runtime::Object* window, Size ratio, bool keepCentered,
                                         bool pinBottomRight, double menuBarHeight, unsigned edges);

} // namespace vantro::resize
