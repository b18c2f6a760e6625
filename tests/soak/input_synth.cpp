#include "input_synth.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <array>
#include <thread>

namespace vantro::soak {

namespace {

// Indexed by the modifier's bit.
constexpr std::array<KeySym, 4> kModifierKeys = {XK_Shift_L, XK_Control_L, XK_Alt_L, XK_Super_L};

} // namespace

void InputSynth::key(KeySym keysym, bool down) {
    if (const KeyCode code = XKeysymToKeycode(display_, keysym); code != 0) {
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
    for (std::size_t i = 0; i < kModifierKeys.size(); ++i) {
        if ((modifiers & (1U << i)) != 0) {
            key(kModifierKeys[i], true);
        }
    }
}

void InputSynth::releaseModifiers(unsigned modifiers) {
    for (std::size_t i = kModifierKeys.size(); i-- > 0;) {
        if ((modifiers & (1U << i)) != 0) {
            key(kModifierKeys[i], false);
        }
    }
}

void InputSynth::tapKey(const char* keysymName, unsigned modifiers) {
    const KeySym keysym = XStringToKeysym(keysymName);
    if (keysym == NoSymbol || XKeysymToKeycode(display_, keysym) == 0) {
        return;
    }
    holdModifiers(modifiers);
    key(keysym, true);
    key(keysym, false);
    releaseModifiers(modifiers);
}

void InputSynth::releaseEverything() {
    // Only what is down: a release of a button that is up still reaches the
    // client under the pointer as an event of its own.
    Window root = 0;
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    int x = 0;
    int y = 0;
    unsigned int mask = 0;
    XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &rootX, &rootY, &x, &y,
                  &mask);
    for (unsigned button = 1; button <= 5; ++button) {
        if ((mask & (Button1Mask << (button - 1))) != 0) {
            release(button);
        }
    }
    std::array<char, 32> keys{};
    XQueryKeymap(display_, keys.data());
    for (const KeySym keysym : kModifierKeys) {
        const KeyCode code = XKeysymToKeycode(display_, keysym);
        if (code != 0 && (keys[code / 8] & (1 << (code % 8))) != 0) {
            key(keysym, false);
        }
    }
    XSync(display_, False);
}

void InputSynth::settle(std::chrono::milliseconds pause) {
    XSync(display_, False);
    std::this_thread::sleep_for(pause);
}

} // namespace vantro::soak
