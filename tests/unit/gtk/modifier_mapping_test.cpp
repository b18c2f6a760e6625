// GDK's modifier state as the plug-in's flags.

#include "platform/gtk/modifier_mapping.h"

#include <gtest/gtest.h>

namespace vantro::gtk {
namespace {

using namespace platform;

TEST(ModifierMapping, SuperAndMod4AreCommandLocksAndButtonsAreNothing) {
    const auto flags = [](unsigned gdk) {
        return modifierFlagsFromGdk(static_cast<GdkModifierType>(gdk));
    };
    EXPECT_EQ(flags(GDK_SUPER_MASK), kCommandKeyMask);
    EXPECT_EQ(flags(GDK_MOD4_MASK), kCommandKeyMask);
    EXPECT_EQ(flags(GDK_LOCK_MASK | GDK_MOD2_MASK | GDK_BUTTON1_MASK | GDK_BUTTON3_MASK), 0U);
    EXPECT_EQ(flags(GDK_SHIFT_MASK | GDK_CONTROL_MASK | GDK_MOD1_MASK | GDK_MOD5_MASK),
              kShiftKeyMask | kControlKeyMask | kAlternateKeyMask | kFunctionKeyMask);
}

} // namespace
} // namespace vantro::gtk
