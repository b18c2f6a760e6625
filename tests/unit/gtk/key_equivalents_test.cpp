// Key presses matched to menu key equivalents without a display: that no two
// of the zoom options menu's equivalents collide, and the matching rules on a
// small tree of their own. tests/e2e/zoom_button.sh types the shortcuts.

#include "platform/gtk/key_equivalent_keyvals.h"
#include "platform/gtk/key_equivalents.h"
#include "plugin/options_menu/zoom_options_tree.h"

#include <gtest/gtest.h>

#include <functional>

namespace vantro::gtk {
namespace {

using namespace platform;

constexpr ModifierFlags kControlShift = kControlKeyMask | kShiftKeyMask;

struct Press {
    guint produced = 0;
    std::vector<guint> unmodified;
    ModifierFlags held = 0;
    const char* title = nullptr; // of the item chosen; nullptr for none
};

void expectChoices(const Menu& menu, const std::vector<Press>& presses) {
    for (const Press& press : presses) {
        const auto choice =
            menuChoiceForKeyPress(menu, {press.produced, press.unmodified, press.held});
        EXPECT_EQ(choice ? choice->title : "(nothing)",
                  press.title != nullptr ? press.title : "(nothing)")
            << gdk_keyval_name(press.produced) << " " << std::hex << press.held;
    }
}

std::shared_ptr<Menu> zoomMenu() {
    return options_menu::buildZoomOptionsMenu(0, [](std::string_view) { return true; });
}

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
    const auto menu = zoomMenu();
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

TEST(KeyEquivalents, TreeOrderLettersSpecialKeysAndWhatTakesPart) {
    Menu menu("Rules");
    menu.addItem(command("disabled k", "k", kCommandKeyMask, false));
    MenuItem noAction = command("no action k", "k", kCommandKeyMask);
    noAction.action.clear();
    menu.addItem(std::move(noAction));
    menu.addItem(holding(command("under a disabled item j", "j", kCommandKeyMask), false));
    menu.addItem(holding(command("first k", "k", kCommandKeyMask), true));
    menu.addItem(command("second k", "K", kCommandKeyMask));
    menu.addItem(command("j", "j", kCommandKeyMask));
    menu.addItem(command("shifted a", "a", kCommandKeyMask | kShiftKeyMask));
    menu.addItem(command("upper A", "A", kCommandKeyMask));
    menu.addItem(command("equal", "=", kControlShift));
    menu.addItem(command("plus", "+", kControlShift));
    menu.addItem(command("up", "\uF700", kCommandKeyMask));
    menu.addItem(command("backspace", "\x7f", kCommandKeyMask));
    menu.addItem(command("two characters", "ab", kCommandKeyMask));
    menu.addItem(command("no key", "", kShiftKeyMask));
    expectChoices(menu,
                  {
                      {GDK_KEY_k, {}, kCommandKeyMask, "first k"},
                      {GDK_KEY_j, {}, kCommandKeyMask, "j"},
                      {GDK_KEY_j, {}, kCommandKeyMask | kAlternateKeyMask}, // an extra modifier
                      // Either case; Shift counts as a modifier only.
                      {GDK_KEY_a, {}, kCommandKeyMask, "upper A"},
                      {GDK_KEY_A, {}, kCommandKeyMask, "upper A"}, // Caps Lock
                      {GDK_KEY_A, {GDK_KEY_a}, kCommandKeyMask | kShiftKeyMask, "shifted a"},
                      // The produced key before the unmodified one.
                      {GDK_KEY_plus, {GDK_KEY_equal}, kControlShift, "plus"},
                      {GDK_KEY_KP_Add, {GDK_KEY_KP_Add}, kControlShift, "plus"},
                      // A second layout's letter, then the first layout's.
                      {GDK_KEY_Cyrillic_o, {GDK_KEY_Cyrillic_o, GDK_KEY_j}, kCommandKeyMask, "j"},
                      {GDK_KEY_KP_Up, {}, kCommandKeyMask, "up"},
                      {GDK_KEY_BackSpace, {}, kCommandKeyMask, "backspace"},
                      {GDK_KEY_Delete, {}, kCommandKeyMask},
                      {GDK_KEY_b, {}, kCommandKeyMask},
                      // A modifier alone types nothing, and "" is no key.
                      {GDK_KEY_Shift_L, {GDK_KEY_Shift_L}, kShiftKeyMask},
                  });
}

} // namespace
} // namespace vantro::gtk
