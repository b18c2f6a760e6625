#pragma once

// Window classes of particular hosts that a resize drag treats differently,
// named as those hosts name them. A class a process never registers simply
// matches nothing.

#include "runtime/object.h"

#include <array>
#include <string_view>

namespace vantro::resize {

// Popover windows: never reshaped by a drag.
inline constexpr std::string_view kPopoverWindowClass = "_NSPopoverWindow";
// Windows that resize without showing a resize indicator and are still
// reshaped on the older toolkit generations.
inline constexpr std::array<std::string_view, 3> kResizableWithoutIndicator = {
    "PXCustomWindow", "MMWindow", "CoreNSWindow"};
// Windows whose drags the host does not signal: their start is taken from the
// first step and their end from a quiet moment after the last one.
inline constexpr std::string_view kUnsignalledDragWindowClass = "ITNSWindow";

// Whether `object`'s class is the class registered under `name` or inherits
// from it; false when no class has that name.
bool isKindOfClassNamed(const runtime::Object* object, std::string_view name);

} // namespace vantro::resize
