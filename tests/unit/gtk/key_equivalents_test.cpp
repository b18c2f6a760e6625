// Key presses matched to menu key equivalents without a display: that no two
// of the zoom options menu's equivalents collide, and the matching rules on a
// small tree of their own. tests/e2e/zoom_button.sh types the shortcuts.

#include "platform/gtk/key_equivalent_keyvals.h"
#include "platform/gtk/key_equivalents.h"
#include "platform/gtk/modifier_mapping.h"
#include "plugin/options_menu/zoom_options_tree.h"

#include <gtest/gtest.h>

#include <functional>

namespace vantro::gtk {
namespace {

using namespace platform;

constexpr ModifierFlags kControlShift = kControlKeyMask | kShiftKeyMask;

void forEachItem(const Menu& menu, const std::function<void(const MenuItem&)>& visit) {
    for (const MenuItem& item : menu.items()) {
        visit(item);
        if (item.submenu) {
            forEachItem(*item.submenu, visit);
        }
    }
}

// The same digit under two masks, "=" and "-" in two submenus: each
// equivalent must reach its own item and no other.
TEST(KeyEquivalents, EveryZoomMenuEquivalentChoosesItsOwnItem) {
    const auto menu = options_menu::buildZoomOptionsMenu(0, [](std::string_view) { return true; });
    int checked = 0;
    forEachItem(*menu, [&](const MenuItem& item) {
        if (!item.keyEquivalent.empty()) {
            const KeyPress press{
                keyvalOfKeyEquivalent(item.keyEquivalent), {}, item.keyEquivalentModifierMask};
            EXPECT_EQ(menuChoiceForKeyPress(*menu, press), menuChoiceOf(item)) << item.title;
            ++checked;
        }
    });
    EXPECT_EQ(checked, 31);
}

MenuItem command(std::string title, std::string key, ModifierFlags mask, bool enabled = true) {
    MenuItem item;
    item.title = std::move(title);
    item.keyEquivalent = std::move(key);
    item.keyEquivalentModifierMask = mask;
    item.action = "chosen:";
    item.enabled = enabled;
    return item;
}

MenuItem holding(MenuItem item, bool enabled) {
    MenuItem holder;
    holder.submenu = std::make_shared<Menu>("Submenu");
    holder.submenu->addItem(std::move(item));
    holder.enabled = enabled;
    return holder;
}

// The rules on the kinds of item and key the zoom menu has: digits and
// signs under masks holding Shift, disabled items, submenus.
TEST(KeyEquivalents, TreeOrderProducedKeysAndWhatTakesPart) {
    Menu menu("Rules");
    menu.addItem(command("disabled 1", "1", kControlShift, false));
    MenuItem noAction = command("no action 1", "1", kControlShift);
    noAction.action.clear();
    menu.addItem(std::move(noAction));
    menu.addItem(holding(command("under a disabled item 2", "2", kControlShift), false));
    menu.addItem(holding(command("first 1", "1", kControlShift), true));
    menu.addItem(command("second 1", "1", kControlShift));
    menu.addItem(command("2", "2", kControlShift));
    menu.addItem(command("equal", "=", kControlShift));
    menu.addItem(command("plus", "+", kControlShift));
    menu.addItem(command("no key", "", kShiftKeyMask));
    // The key produced, the key without modifiers, the mask, the title chosen.
    const std::tuple<guint, guint, ModifierFlags, std::string> presses[] = {
        {GDK_KEY_exclam, GDK_KEY_1, kControlShift, "first 1"},
        {GDK_KEY_at, GDK_KEY_2, kControlShift, "2"},
        {GDK_KEY_at, GDK_KEY_2, kControlShift | kAlternateKeyMask, "(nothing)"},
        {GDK_KEY_at, GDK_KEY_2, kControlKeyMask, "(nothing)"},
        // The produced key before the unmodified one.
        {GDK_KEY_plus, GDK_KEY_equal, kControlShift, "plus"},
        {GDK_KEY_KP_Add, GDK_KEY_KP_Add, kControlShift, "plus"},
        // A modifier alone types nothing, and "" is no key.
        {GDK_KEY_Shift_L, GDK_KEY_Shift_L, kShiftKeyMask, "(nothing)"},
    };
    for (const auto& [produced, unmodified, held, title] : presses) {
        const auto choice = menuChoiceForKeyPress(menu, {produced, {unmodified}, held});
        EXPECT_EQ(choice ? choice->title : "(nothing)", title)
            << gdk_keyval_name(produced) << " " << std::hex << held;
    }
}

// A key event's state as the flags the equivalents are matched with: Caps
// Lock and Num Lock on must not hide a shortcut.
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
