#include "platform/gtk/key_equivalents.h"

#include "platform/gtk/key_equivalent_keyvals.h"
#include "platform/gtk/modifier_mapping.h"

#include <algorithm>
#include <string>

namespace vantro::gtk {

namespace {

using platform::Menu;
using platform::MenuItem;

// Deeper than any menu the plug-in builds; stops a tree that hangs a menu
// under itself from recursing without end.
constexpr int kMaxMenuDepth = 16;

bool answersKey(const MenuItem& item, std::string_view key, platform::ModifierFlags modifiers) {
    return !item.action.empty() && item.keyEquivalentModifierMask == modifiers &&
           normalisedKeyEquivalent(item.keyEquivalent) == key;
}

const MenuItem* findItem(const Menu& menu, std::string_view key, platform::ModifierFlags modifiers,
                         int depth) {
    if (depth > kMaxMenuDepth) {
        return nullptr;
    }
    for (const MenuItem& item : menu.items()) {
        if (item.separator || !item.enabled) {
            continue;
        }
        if (item.submenu) {
            if (const MenuItem* found = findItem(*item.submenu, key, modifiers, depth + 1)) {
                return found;
            }
            continue;
        }
        if (answersKey(item, key, modifiers)) {
            return &item;
        }
    }
    return nullptr;
}

void addLevelZeroKeyval(GdkKeymap* keymap, guint16 keycode, int group, std::vector<guint>& into) {
    guint keyval = 0;
    if (gdk_keymap_translate_keyboard_state(keymap, keycode, static_cast<GdkModifierType>(0), group,
                                            &keyval, nullptr, nullptr, nullptr) == 0 ||
        keyval == 0) {
        return;
    }
    if (std::find(into.begin(), into.end(), keyval) == into.end()) {
        into.push_back(keyval);
    }
}

} // namespace

const MenuItem* itemForKeyEquivalent(const Menu& menu, std::string_view keyEquivalent,
                                     platform::ModifierFlags modifiers) {
    if (keyEquivalent.empty()) {
        return nullptr;
    }
    return findItem(menu, keyEquivalent, modifiers, 0);
}

std::optional<MenuChoice> menuChoiceForKeyPress(const Menu& menu, const KeyPress& press) {
    std::vector<std::string> keys{keyEquivalentOfKeyval(press.keyval)};
    for (const guint keyval : press.unmodifiedKeyvals) {
        keys.push_back(keyEquivalentOfKeyval(keyval));
    }
    for (const std::string& key : keys) {
        if (const MenuItem* item = itemForKeyEquivalent(menu, key, press.modifiers)) {
            return menuChoiceOf(*item);
        }
    }
    return std::nullopt;
}

KeyPress keyPressOfEvent(const GdkEventKey& event) {
    KeyPress press;
    press.keyval = event.keyval;
    press.modifiers = modifierFlagsFromGdk(static_cast<GdkModifierType>(event.state));
    GdkDisplay* display =
        event.window != nullptr ? gdk_window_get_display(event.window) : gdk_display_get_default();
    if (display == nullptr) {
        return press;
    }
    GdkKeymap* keymap = gdk_keymap_get_for_display(display);
    addLevelZeroKeyval(keymap, event.hardware_keycode, event.group, press.unmodifiedKeyvals);
    // Group 0 is the first layout, where shortcuts are usually Latin letters.
    if (event.group != 0) {
        addLevelZeroKeyval(keymap, event.hardware_keycode, 0, press.unmodifiedKeyvals);
    }
    return press;
}

} // namespace vantro::gtk
