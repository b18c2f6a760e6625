#pragma once

// Modifier sets of the soak driver's input, as bits; each stands for the
// left-hand key of its kind.

namespace vantro::soak {

enum Modifier : unsigned {
    kNoModifier = 0,
    kShift = 1U << 0,
    kControl = 1U << 1,
    kAlt = 1U << 2,
    kSuper = 1U << 3,
    kLevel3 = 1U << 4, // AltGr: the Function key inside the plug-in
    kAllModifiers = (1U << 5) - 1,
};

} // namespace vantro::soak
