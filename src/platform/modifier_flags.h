#pragma once

// Modifier flags of events as the core sees them. The bit values are those of
// the platform the plug-in was designed on; the GTK backend maps X11 modifier
// masks onto them (Shift, Control, Alt as Option, Super as Command, ISO Level 3
// shift as Function).

#include <cstdint>

namespace vantro::platform {

using ModifierFlags = std::uint64_t;

inline constexpr ModifierFlags kShiftKeyMask = 1U << 17;
inline constexpr ModifierFlags kControlKeyMask = 1U << 18;
inline constexpr ModifierFlags kAlternateKeyMask = 1U << 19;
inline constexpr ModifierFlags kCommandKeyMask = 1U << 20;
inline constexpr ModifierFlags kFunctionKeyMask = 1U << 23;

} // namespace vantro::platform
