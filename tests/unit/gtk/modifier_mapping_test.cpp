// GDK's modifier state as the plug-in's flags, key by key and together.

#include "platform/gtk/modifier_mapping.h"

#include <gtest/gtest.h>

namespace vantro::gtk {
namespace {

using namespace platform;

TEST(ModifierMapping, EachKeyAndItsFlag) {
    struct Case {
        unsigned gdk;
        ModifierFlags flags;
    };
    const Case cases[] = {
        {0, 0},
        {GDK_SHIFT_MASK, kShiftKeyMask},
        {GDK_CONTROL_MASK, kControlKeyMask},
        {GDK_MOD1_MASK, kAlternateKeyMask},
        {GDK_SUPER_MASK, kCommandKeyMask},
        {GDK_MOD4_MASK, kCommandKeyMask},
        {GDK_SUPER_MASK | GDK_MOD4_MASK, kCommandKeyMask},
        {GDK_MOD5_MASK, kFunctionKeyMask},
        // Caps Lock, Num Lock (Mod2) and the mouse buttons are no modifiers.
        {GDK_LOCK_MASK | GDK_MOD2_MASK | GDK_BUTTON1_MASK | GDK_BUTTON3_MASK, 0},
        {GDK_SHIFT_MASK | GDK_CONTROL_MASK | GDK_MOD1_MASK | GDK_MOD4_MASK | GDK_MOD5_MASK |
             GDK_BUTTON1_MASK,
         kShiftKeyMask | kControlKeyMask | kAlternateKeyMask | kCommandKeyMask | kFunctionKeyMask},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(modifierFlagsFromGdk(static_cast<GdkModifierType>(c.gdk)), c.flags)
            << std::hex << c.gdk;
    }
}

} // namespace
} // namespace vantro::gtk
