#include "platform/gtk/event_conversion.h"

#include "platform/gtk/modifier_mapping.h"

namespace vantro::gtk {

namespace {

using platform::EventType;

std::optional<EventType> typeOf(const GdkEvent& event) {
    switch (event.type) {
    case GDK_BUTTON_PRESS:
    case GDK_2BUTTON_PRESS:
    case GDK_3BUTTON_PRESS:
        if (event.button.button == GDK_BUTTON_PRIMARY) {
            return EventType::leftMouseDown;
        }
        if (event.button.button == GDK_BUTTON_SECONDARY) {
            return EventType::rightMouseDown;
        }
        return EventType::other;
    case GDK_BUTTON_RELEASE:
        if (event.button.button == GDK_BUTTON_PRIMARY) {
            return EventType::leftMouseUp;
        }
        if (event.button.button == GDK_BUTTON_SECONDARY) {
            return EventType::rightMouseUp;
        }
        return EventType::other;
    case GDK_MOTION_NOTIFY:
        return (event.motion.state & GDK_BUTTON1_MASK) != 0 ? EventType::leftMouseDragged
                                                            : EventType::mouseMoved;
    case GDK_KEY_PRESS:
    case GDK_KEY_RELEASE:
        if (event.key.is_modifier != 0) {
            return EventType::flagsChanged;
        }
        return event.type == GDK_KEY_PRESS ? std::optional(EventType::keyDown) : std::nullopt;
    default:
        return std::nullopt;
    }
}

int clickCountOf(const GdkEvent& event, int releaseClickCount) {
    switch (event.type) {
    case GDK_BUTTON_PRESS:
        return 1;
    case GDK_2BUTTON_PRESS:
        return 2;
    case GDK_3BUTTON_PRESS:
        return 3;
    case GDK_BUTTON_RELEASE:
        return releaseClickCount;
    default:
        return 0;
    }
}

} // namespace

std::optional<platform::Event> eventFromGdk(const GdkEvent& event, const CoordinateSpace& space,
                                            const Rect& windowFrame, int releaseClickCount) {
    const std::optional<EventType> type = typeOf(event);
    if (!type) {
        return std::nullopt;
    }
    platform::Event converted;
    converted.type = *type;
    converted.clickCount = clickCountOf(event, releaseClickCount);
    GdkModifierType state{};
    gdk_event_get_state(&event, &state);
    converted.modifierFlags = modifierFlagsFromGdk(state);
    // A key press with a modifier key reports the state before it: the key
    // itself is held from now on.
    if (*type == EventType::flagsChanged && event.type == GDK_KEY_PRESS) {
        GdkModifierType added{};
        switch (event.key.keyval) {
        case GDK_KEY_Shift_L:
        case GDK_KEY_Shift_R:
            added = GDK_SHIFT_MASK;
            break;
        case GDK_KEY_Control_L:
        case GDK_KEY_Control_R:
            added = GDK_CONTROL_MASK;
            break;
        case GDK_KEY_Alt_L:
        case GDK_KEY_Alt_R:
            added = GDK_MOD1_MASK;
            break;
        case GDK_KEY_Super_L:
        case GDK_KEY_Super_R:
            added = GDK_SUPER_MASK;
            break;
        case GDK_KEY_ISO_Level3_Shift:
            added = GDK_MOD5_MASK;
            break;
        default:
            break;
        }
        converted.modifierFlags |= modifierFlagsFromGdk(added);
    }
    double rootX = 0;
    double rootY = 0;
    if (gdk_event_get_root_coords(&event, &rootX, &rootY) != 0) {
        converted.locationOnScreen = space.toCore(Point(rootX, rootY));
        converted.locationInWindow = {converted.locationOnScreen.x - windowFrame.minX(),
                                      converted.locationOnScreen.y - windowFrame.minY()};
    }
    converted.timestamp = static_cast<double>(gdk_event_get_time(&event)) / 1000.0;
    return converted;
}

} // namespace vantro::gtk
