#pragma once

// The PC keyboard's modifiers as the plug-in's flags: Shift and Control as
// they are, Alt (Mod1) as Option, Super as Command, and AltGr (the ISO level
// 3 shift, Mod5) as the Function key. The core keeps its own bit values.

#include "platform/modifier_flags.h"

#include <gdk/gdk.h>

namespace vantro::gtk {

// `state` is a GDK event state (or a keymap's modifier state); bits that are
// no modifier the plug-in knows (buttons, Caps Lock, Num Lock) are dropped.
platform::ModifierFlags modifierFlagsFromGdk(GdkModifierType state);

} // namespace vantro::gtk
