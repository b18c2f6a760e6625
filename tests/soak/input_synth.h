#pragma once

// Real input for the soak player through the XTest extension: the server
// takes it as the user's own pointer and keyboard.

#include <X11/Xlib.h>

#include <chrono>

namespace vantro::soak {

// Modifier sets as bits; each stands for the left-hand key of its kind.
enum Modifier : unsigned {
    kNoModifier = 0,
    kShift = 1U << 0,
    kControl = 1U << 1,
    kAlt = 1U << 2,
    kSuper = 1U << 3,
};

class InputSynth {
  public:
    explicit InputSynth(Display* display) : display_(display) {}

    void moveTo(int x, int y);
    void press(unsigned button);
    void release(unsigned button);
    // Presses the keys of a modifier set in a fixed order; releases in reverse.
    void holdModifiers(unsigned modifiers);
    void releaseModifiers(unsigned modifiers);
    // Taps a key with a modifier set held; a key the keymap lacks is skipped.
    void tapKey(const char* keysymName, unsigned modifiers = kNoModifier);
    // Every button and modifier key still down.
    void releaseEverything();
    // Lets the server deliver what was sent and the client act on it.
    void settle(std::chrono::milliseconds pause);

  private:
    void key(KeySym keysym, bool down);

    Display* display_;
};

} // namespace vantro::soak
