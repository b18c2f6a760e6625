#include "input_synth.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <array>
#include <thread>

namespace vantro::soak {

namespace {

struct ModifierKey {
    Modifier modifier;
    KeySym keysym;
};

constexpr std::array<ModifierKey, 5> kModifierKeys = {{
    {kShift, XK_Shift_L},
    {kControl, XK_Control_L},
    {kAlt, XK_Alt_L},
    {kSuper, XK_Super_L},
    {kLevel3, XK_ISO_Level3_Shift},
}};

constexpr unsigned kMouseButtons = 5;

} // namespace

bool InputSynth::available(Display* display) {
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    return XTestQueryExtension(display, &event, &error, &major, &minor) != 0;
}

InputSynth::InputSynth(Display* display) : display_(display) {
    for (const ModifierKey& key : kModifierKeys) {
        if (XKeysymToKeycode(display_, key.keysym) != 0) {
            typeable_ |= key.modifier;
        }
    }
}

KeyCode InputSynth::codeOf(unsigned modifier) const {
    for (const ModifierKey& key : kModifierKeys) {
        if (key.modifier == modifier) {
            return XKeysymToKeycode(display_, key.keysym);
        }
    }
    return 0;
}

void InputSynth::key(KeyCode code, bool down) {
    if (code != 0) {
        XTestFakeKeyEvent(display_, code, down ? True : False, CurrentTime);
    }
}

void InputSynth::moveTo(int x, int y) {
    XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
}

void InputSynth::press(unsigned button) {
    XTestFakeButtonEvent(display_, button, True, CurrentTime);
}

void InputSynth::release(unsigned button) {
    XTestFakeButtonEvent(display_, button, False, CurrentTime);
}

void InputSynth::holdModifiers(unsigned modifiers) {
    for (const ModifierKey& held : kModifierKeys) {
        if ((modifiers & held.modifier) != 0) {
            key(codeOf(held.modifier), true);
        }
    }
}

void InputSynth::releaseModifiers(unsigned modifiers) {
    // Released in the reverse order of holding.
    for (std::size_t i = kModifierKeys.size(); i-- > 0;) {
        if ((modifiers & kModifierKeys[i].modifier) != 0) {
            key(codeOf(kModifierKeys[i].modifier), false);
        }
    }
}

void InputSynth::tapKey(const char* keysymName, unsigned modifiers) {
    const KeySym keysym = XStringToKeysym(keysymName);
    const KeyCode code = keysym != NoSymbol ? XKeysymToKeycode(display_, keysym) : 0;
    if (code == 0) {
        return;
    }
    holdModifiers(modifiers);
    key(code, true);
    key(code, false);
    releaseModifiers(modifiers);
}

void InputSynth::releaseEverything() {
    // Only what is down: a release of a button that is up still reaches
    // the client under the pointer as an event of its own.
    Window root = 0;
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    int x = 0;
    int y = 0;
    unsigned int mask = 0;
    XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &rootX, &rootY, &x, &y,
                  &mask);
    for (unsigned button = 1; button <= kMouseButtons; ++button) {
        if ((mask & (Button1Mask << (button - 1))) != 0) {
            release(button);
        }
    }
    std::array<char, 32> keys{};
    XQueryKeymap(display_, keys.data());
    for (const ModifierKey& held : kModifierKeys) {
        const KeyCode code = XKeysymToKeycode(display_, held.keysym);
        if (code != 0 && (keys[code / 8] & (1 << (code % 8))) != 0) {
            key(code, false);
        }
    }
    XSync(display_, False);
}

void InputSynth::settle(std::chrono::milliseconds pause) {
    XSync(display_, False);
    std::this_thread::sleep_for(pause);
}

} // namespace vantro::soak
