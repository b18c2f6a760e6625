#pragma once

// The menu item a key press chooses: the first item, depth first in tree
// order, whose key equivalent is the key pressed and whose modifier mask is
// exactly the modifiers held. Only enabled items with an action take part; a
// disabled item's submenu cannot be reached, so its items do not either.
//
// A press stands for several keys. The keyval it produced comes first, then
// the same hardware key without modifiers: Shift+"=" produces "plus" on a US
// keyboard, and an item "=" with Shift in its mask must still be chosen; on
// another layout (Cyrillic, say) the key's first group gives the Latin
// letter. A tree that names the produced key itself is preferred over the
// unmodified one.

#include "platform/gtk/menu_choice.h"
#include "platform/menu_model.h"
#include "platform/modifier_flags.h"

#include <gdk/gdk.h>

#include <optional>
#include <string_view>
#include <vector>

namespace vantro::gtk {

struct KeyPress {
    guint keyval = 0; // as produced, modifiers applied
    // The key's keyvals at level 0: in the event's group, then in group 0.
    std::vector<guint> unmodifiedKeyvals;
    platform::ModifierFlags modifiers = 0;
};

// `keyEquivalent` spelled as normalisedKeyEquivalent gives it; null when no
// item matches (and always for "").
const platform::MenuItem* itemForKeyEquivalent(const platform::Menu& menu,
                                               std::string_view keyEquivalent,
                                               platform::ModifierFlags modifiers);

std::optional<MenuChoice> menuChoiceForKeyPress(const platform::Menu& menu, const KeyPress& press);

// The press of a GDK key event, its unmodified keyvals read from the keymap
// of the event window's display (the default display's when it has none).
KeyPress keyPressOfEvent(const GdkEventKey& event);

inline std::optional<MenuChoice> menuChoiceForKeyEvent(const platform::Menu& menu,
                                                       const GdkEventKey& event) {
    return menuChoiceForKeyPress(menu, keyPressOfEvent(event));
}

} // namespace vantro::gtk
