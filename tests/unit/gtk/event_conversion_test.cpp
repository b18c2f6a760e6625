// GDK events as the plug-in reads them: type, click count, keys and places.

#include "platform/gtk/event_conversion.h"

#include <gtest/gtest.h>

namespace vantro::gtk {
namespace {

using platform::EventType;

// Primary monitor 1440 x 900 at the X11 origin: core y = 900 - X11 y.
const CoordinateSpace kSpace(Rect(0, 0, 1440, 900));
const Rect kWindow(100, 200, 600, 400); // core frame

GdkEvent* button(GdkEventType type, guint number, double rootX, double rootY, unsigned state) {
    GdkEvent* event = gdk_event_new(type);
    event->button.button = number;
    event->button.x_root = rootX;
    event->button.y_root = rootY;
    event->button.state = state;
    event->button.time = 2500;
    return event;
}

TEST(EventConversion, ButtonsAndMotion) {
    struct Case {
        GdkEventType type;
        guint button;
        unsigned state;
        EventType expected;
        int clickCount;
    };
    const Case cases[] = {
        {GDK_BUTTON_PRESS, 1, 0, EventType::leftMouseDown, 1},
        {GDK_2BUTTON_PRESS, 1, 0, EventType::leftMouseDown, 2},
        {GDK_BUTTON_PRESS, 3, 0, EventType::rightMouseDown, 1},
        {GDK_BUTTON_RELEASE, 1, GDK_BUTTON1_MASK, EventType::leftMouseUp, 0},
        {GDK_BUTTON_RELEASE, 3, 0, EventType::rightMouseUp, 0},
        {GDK_BUTTON_PRESS, 2, 0, EventType::other, 1},
    };
    for (const Case& c : cases) {
        GdkEvent* event = button(c.type, c.button, 400, 500, c.state);
        const auto converted = eventFromGdk(*event, kSpace, kWindow, 0);
        ASSERT_TRUE(converted) << c.type;
        EXPECT_EQ(converted->type, c.expected) << c.type << " " << c.button;
        EXPECT_EQ(converted->clickCount, c.clickCount) << c.type;
        EXPECT_EQ(converted->locationOnScreen, Point(400, 400));
        EXPECT_EQ(converted->locationInWindow, Point(300, 200));
        EXPECT_DOUBLE_EQ(converted->timestamp, 2.5);
        gdk_event_free(event);
    }

    GdkEvent* motion = gdk_event_new(GDK_MOTION_NOTIFY);
    motion->motion.x_root = 10;
    motion->motion.y_root = 20;
    motion->motion.state = GDK_BUTTON1_MASK | GDK_SHIFT_MASK | GDK_MOD4_MASK;
    auto converted = eventFromGdk(*motion, kSpace, kWindow);
    ASSERT_TRUE(converted);
    EXPECT_EQ(converted->type, EventType::leftMouseDragged);
    EXPECT_EQ(converted->modifierFlags, platform::kShiftKeyMask | platform::kCommandKeyMask);
    EXPECT_EQ(converted->locationOnScreen, Point(10, 880));
    motion->motion.state = 0;
    EXPECT_EQ(eventFromGdk(*motion, kSpace, kWindow)->type, EventType::mouseMoved);
    gdk_event_free(motion);
}

TEST(EventConversion, KeysAndModifierKeys) {
    GdkEvent* key = gdk_event_new(GDK_KEY_PRESS);
    key->key.keyval = GDK_KEY_Control_L;
    key->key.is_modifier = 1;
    key->key.state = GDK_SHIFT_MASK;
    auto converted = eventFromGdk(*key, kSpace, kWindow);
    ASSERT_TRUE(converted);
    EXPECT_EQ(converted->type, EventType::flagsChanged);
    // The Control just pressed counts as held.
    EXPECT_EQ(converted->modifierFlags, platform::kShiftKeyMask | platform::kControlKeyMask);

    key->key.keyval = GDK_KEY_n;
    key->key.is_modifier = 0;
    EXPECT_EQ(eventFromGdk(*key, kSpace, kWindow)->type, EventType::keyDown);
    key->type = GDK_KEY_RELEASE;
    EXPECT_FALSE(eventFromGdk(*key, kSpace, kWindow));
    gdk_event_free(key);

    GdkEvent* focus = gdk_event_new(GDK_FOCUS_CHANGE);
    EXPECT_FALSE(eventFromGdk(*focus, kSpace, kWindow));
    gdk_event_free(focus);
}

} // namespace
} // namespace vantro::gtk
