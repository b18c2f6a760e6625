#pragma once

// The zoom's gate: the common gate, with popover windows excluded first.

#include "runtime/object.h"

namespace vantro::zoom {

inline constexpr const char* kPopoverWindowClassName = "_NSPopoverWindow";

bool zoomGateIsOpen(runtime::Object* window);

} // namespace vantro::zoom
