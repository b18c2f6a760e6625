#pragma once

// Key equivalents in GDK's terms. A key equivalent is one character as the
// menu model spells it: a letter in either case (Shift is a modifier of its
// own, never implied by an upper-case letter), digits and punctuation as the
// key gives them without Shift, and the keys without a character as the
// private-use code points the model uses for them (U+F700 to U+F703 the
// arrows, U+F704 on the function keys, U+F728 forward delete), Backspace as
// U+007F, Return as "\r", the keypad's Enter as U+0003.

#include "platform/modifier_flags.h"

#include <gdk/gdk.h>

#include <string>
#include <string_view>

namespace vantro::gtk {

// The key equivalent a keyval types, in the spelling normalisedKeyEquivalent
// gives; "" for a keyval that types none (a modifier, a dead key).
std::string keyEquivalentOfKeyval(guint keyval);

// The model's spelling made comparable with keyEquivalentOfKeyval: letters in
// lower case; "" for anything but exactly one character.
std::string normalisedKeyEquivalent(std::string_view keyEquivalent);

// The keyval an accelerator label shows for a key equivalent; 0 for none.
guint keyvalOfKeyEquivalent(std::string_view keyEquivalent);

// The core's flags as a GDK mask: the inverse of modifierFlagsFromGdk, with
// Command as Super (not Mod4, which GTK's labels do not name).
GdkModifierType gdkModifiersOfFlags(platform::ModifierFlags flags);

} // namespace vantro::gtk
