#pragma once

// The event the application is handling, as far as the plug-in reads it.

#include "platform/geometry.h"
#include "platform/modifier_flags.h"

namespace vantro::platform {

enum class EventType {
    leftMouseDown,
    leftMouseUp,
    leftMouseDragged,
    rightMouseDown,
    rightMouseUp,
    mouseMoved,
    keyDown,
    flagsChanged,
    other,
};

struct Event {
    EventType type = EventType::other;
    int clickCount = 0;
    Point locationInWindow; // relative to the window's frame origin, y up
    Point locationOnScreen; // global core coordinates
    ModifierFlags modifierFlags = 0;
    double timestamp = 0;
    long windowNumber = 0;
};

// Masks for modal tracking: which event types nextEventMatchingMask answers.
using EventMask = unsigned;
inline constexpr EventMask eventMaskFor(EventType type) {
    return 1U << static_cast<unsigned>(type);
}

} // namespace vantro::platform
