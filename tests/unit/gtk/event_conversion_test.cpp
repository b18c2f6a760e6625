// GDK events as the plug-in reads them: type, click count, keys and places.

#include "platform/gtk/event_conversion.h"

#include <gtest/gtest.h>

namespace vantro::gtk {
namespace {

using platform::EventType;

// Primary monitor 1440 x 900 at the X11 origin: core y = 900 - X11 y; the
// window's core frame at (100, 200), 600 x 400.
struct Place {
    CoordinateSpace space{Rect(0, 0, 1440, 900)};
    Rect window{100, 200, 600, 400};
};

// Drags, with their feature keys, are converted in tests/e2e/resize_drag.sh.
TEST(EventConversion, Buttons) {
    const Place at;
    const std::tuple<GdkEventType, guint, EventType, int> cases[] = {
        {GDK_2BUTTON_PRESS, 1, EventType::leftMouseDown, 2},
        {GDK_BUTTON_PRESS, 3, EventType::rightMouseDown, 1},
        {GDK_BUTTON_RELEASE, 1, EventType::leftMouseUp, 0},
        {GDK_BUTTON_RELEASE, 3, EventType::rightMouseUp, 0},
        {GDK_BUTTON_PRESS, 2, EventType::other, 1},
    };
    for (const auto& [type, number, expected, clicks] : cases) {
        GdkEvent* event = gdk_event_new(type);
        event->button.button = number;
        event->button.x_root = 400;
        event->button.y_root = 500;
        event->button.time = 2500;
        const auto converted = eventFromGdk(*event, at.space, at.window, 0);
        ASSERT_TRUE(converted) << type;
        EXPECT_EQ(converted->type, expected) << type << " " << number;
        EXPECT_EQ(converted->clickCount, clicks) << type;
        EXPECT_EQ(converted->locationOnScreen, (Point{400, 400}));
        EXPECT_EQ(converted->locationInWindow, (Point{300, 200}));
        EXPECT_DOUBLE_EQ(converted->timestamp, 2.5);
        gdk_event_free(event);
    }
}

TEST(EventConversion, KeysAndModifierKeys) {
    const Place at;
    GdkEvent* key = gdk_event_new(GDK_KEY_PRESS);
    key->key.keyval = GDK_KEY_Control_L;
    key->key.is_modifier = 1;
    key->key.state = GDK_SHIFT_MASK;
    auto converted = eventFromGdk(*key, at.space, at.window);
    ASSERT_TRUE(converted);
    EXPECT_EQ(converted->type, EventType::flagsChanged);
    // The Control just pressed counts as held.
    EXPECT_EQ(converted->modifierFlags, platform::kShiftKeyMask | platform::kControlKeyMask);
    key->key.keyval = GDK_KEY_n;
    key->key.is_modifier = 0;
    EXPECT_EQ(eventFromGdk(*key, at.space, at.window)->type, EventType::keyDown);
    key->type = GDK_KEY_RELEASE;
    EXPECT_FALSE(eventFromGdk(*key, at.space, at.window));
    key->type = GDK_FOCUS_CHANGE;
    EXPECT_FALSE(eventFromGdk(*key, at.space, at.window));
    gdk_event_free(key);
}

} // namespace
} // namespace vantro::gtk
