#include "platform/gtk/key_equivalent_keyvals.h"

#include <array>
#include <optional>
#include <utility>

namespace vantro::gtk {

namespace {

struct SpecialKey {
    guint keyval;
    gunichar spelling;
};

// Keys GDK gives no character for, or another one than the model spells
// (GDK types U+0008 for Backspace and U+007F for forward Delete), and those
// whose character GDK does not turn back into their keyval (Tab, Escape).
// Where two keyvals share a spelling, an accelerator label shows the first.
constexpr std::array<SpecialKey, 38> kSpecialKeys = {{
    {GDK_KEY_Up, 0xF700},        {GDK_KEY_KP_Up, 0xF700},        {GDK_KEY_Down, 0xF701},
    {GDK_KEY_KP_Down, 0xF701},   {GDK_KEY_Left, 0xF702},         {GDK_KEY_KP_Left, 0xF702},
    {GDK_KEY_Right, 0xF703},     {GDK_KEY_KP_Right, 0xF703},     {GDK_KEY_F1, 0xF704},
    {GDK_KEY_F2, 0xF705},        {GDK_KEY_F3, 0xF706},           {GDK_KEY_F4, 0xF707},
    {GDK_KEY_F5, 0xF708},        {GDK_KEY_F6, 0xF709},           {GDK_KEY_F7, 0xF70A},
    {GDK_KEY_F8, 0xF70B},        {GDK_KEY_F9, 0xF70C},           {GDK_KEY_F10, 0xF70D},
    {GDK_KEY_F11, 0xF70E},       {GDK_KEY_F12, 0xF70F},          {GDK_KEY_Insert, 0xF727},
    {GDK_KEY_KP_Insert, 0xF727}, {GDK_KEY_Delete, 0xF728},       {GDK_KEY_KP_Delete, 0xF728},
    {GDK_KEY_Home, 0xF729},      {GDK_KEY_KP_Home, 0xF729},      {GDK_KEY_End, 0xF72B},
    {GDK_KEY_KP_End, 0xF72B},    {GDK_KEY_Page_Up, 0xF72C},      {GDK_KEY_KP_Page_Up, 0xF72C},
    {GDK_KEY_Page_Down, 0xF72D}, {GDK_KEY_KP_Page_Down, 0xF72D}, {GDK_KEY_BackSpace, 0x007F},
    {GDK_KEY_Return, '\r'},      {GDK_KEY_KP_Enter, 0x0003},     {GDK_KEY_ISO_Left_Tab, 0x0019},
    {GDK_KEY_Tab, '\t'},         {GDK_KEY_Escape, 0x001B},
}};

std::optional<gunichar> singleCharacter(std::string_view text) {
    if (text.empty() ||
        g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr) == 0) {
        return std::nullopt;
    }
    if (g_utf8_next_char(text.data()) != text.data() + text.size()) {
        return std::nullopt;
    }
    return g_utf8_get_char(text.data());
}

std::string spelled(gunichar character) {
    std::array<char, 6> bytes{};
    const int length = g_unichar_to_utf8(g_unichar_tolower(character), bytes.data());
    return {bytes.data(), static_cast<std::size_t>(length)};
}

} // namespace

std::string keyEquivalentOfKeyval(guint keyval) {
    for (const SpecialKey& key : kSpecialKeys) {
        if (key.keyval == keyval) {
            return spelled(key.spelling);
        }
    }
    const gunichar character = gdk_keyval_to_unicode(keyval);
    return character == 0 ? std::string() : spelled(character);
}

std::string normalisedKeyEquivalent(std::string_view keyEquivalent) {
    const std::optional<gunichar> character = singleCharacter(keyEquivalent);
    return character ? spelled(*character) : std::string();
}

guint keyvalOfKeyEquivalent(std::string_view keyEquivalent) {
    const std::optional<gunichar> character = singleCharacter(keyEquivalent);
    if (!character) {
        return 0;
    }
    for (const SpecialKey& key : kSpecialKeys) {
        if (key.spelling == *character) {
            return key.keyval;
        }
    }
    return gdk_unicode_to_keyval(g_unichar_tolower(*character));
}

GdkModifierType gdkModifiersOfFlags(platform::ModifierFlags flags) {
    using namespace platform;
    static constexpr std::array<std::pair<ModifierFlags, unsigned>, 5> kMapping = {{
        {kShiftKeyMask, GDK_SHIFT_MASK},
        {kControlKeyMask, GDK_CONTROL_MASK},
        {kAlternateKeyMask, GDK_MOD1_MASK},
        {kCommandKeyMask, GDK_SUPER_MASK},
        {kFunctionKeyMask, GDK_MOD5_MASK},
    }};
    unsigned mask = 0;
    for (const auto& [core, gdk] : kMapping) {
        if ((flags & core) != 0) {
            mask |= gdk;
        }
    }
    return static_cast<GdkModifierType>(mask);
}

} // namespace vantro::gtk
