#include "platform/gtk/modifier_mapping.h"

#include <array>
#include <utility>

namespace vantro::gtk {

platform::ModifierFlags modifierFlagsFromGdk(GdkModifierType state) {
    using namespace platform;
    // Super arrives as GDK_SUPER_MASK or, from X11 directly, as Mod4.
    static constexpr std::array<std::pair<unsigned, ModifierFlags>, 6> kMapping = {{
        {GDK_SHIFT_MASK, kShiftKeyMask},
        {GDK_CONTROL_MASK, kControlKeyMask},
        {GDK_MOD1_MASK, kAlternateKeyMask},
        {GDK_SUPER_MASK, kCommandKeyMask},
        {GDK_MOD4_MASK, kCommandKeyMask},
        {GDK_MOD5_MASK, kFunctionKeyMask},
    }};
    ModifierFlags flags = 0;
    for (const auto& [gdk, core] : kMapping) {
        if ((static_cast<unsigned>(state) & gdk) != 0) {
            flags |= core;
        }
    }
    return flags;
}

} // namespace vantro::gtk
