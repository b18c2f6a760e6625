// Key presses matched to menu key equivalents without a display: the zoom
// options menu's equivalents as a US keyboard types them, and the rules the
// zoom menu does not exercise on a small tree of their own.

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
constexpr ModifierFlags kCommandOptionShift = kCommandKeyMask | kAlternateKeyMask | kShiftKeyMask;

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

// Every zoom mask holds Shift, so the press produces the shifted sign and
// only the key's unshifted keyval names the item.
TEST(KeyEquivalents, ZoomMenuOnAUsKeyboard) {
    expectChoices(
        *zoomMenu(),
        {
            {GDK_KEY_exclam, {GDK_KEY_1}, kControlShift, " Left Half"},
            {GDK_KEY_exclam, {GDK_KEY_1}, kCommandOptionShift, " Left Third"},
            {GDK_KEY_plus, {GDK_KEY_equal}, kCommandOptionShift, " Right Edge"},
            {GDK_KEY_KP_Subtract, {GDK_KEY_KP_Subtract}, kCommandOptionShift, " Left Edge"},
            // A missing or an extra modifier chooses nothing.
            {GDK_KEY_0, {GDK_KEY_0}, kControlKeyMask},
            {GDK_KEY_parenright, {GDK_KEY_0}, kControlShift | kAlternateKeyMask},
        });
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

TEST(KeyEquivalents, AcceleratorKeyvalsAndModifiers) {
    const std::pair<const char*, guint> keyvals[] = {
        {"A", GDK_KEY_a},
        {"\u00d7", GDK_KEY_multiply},
        {"\uF70F", GDK_KEY_F12},
        {"\x7f", GDK_KEY_BackSpace},
        {"\x1b", GDK_KEY_Escape},
        {"", 0},
        {"ab", 0},
        {"\xff", 0},
    };
    for (const auto& [keyEquivalent, keyval] : keyvals) {
        EXPECT_EQ(keyvalOfKeyEquivalent(keyEquivalent), keyval) << keyEquivalent;
    }
    // An accelerator's modifiers, held in a key event, give its flags back.
    const ModifierFlags each[] = {kShiftKeyMask, kControlKeyMask, kAlternateKeyMask,
                                  kCommandKeyMask, kFunctionKeyMask};
    for (unsigned combination = 0; combination < 32; ++combination) {
        ModifierFlags flags = 0;
        for (unsigned bit = 0; bit < 5; ++bit) {
            flags |= (combination & (1U << bit)) != 0 ? each[bit] : 0;
        }
        EXPECT_EQ(modifierFlagsFromGdk(gdkModifiersOfFlags(flags)), flags) << std::hex << flags;
    }
}

} // namespace
} // namespace vantro::gtk
