#pragma once

// Real input for the soak driver through the XTest extension: the server
// takes it as the user's own pointer and keyboard, so the application
// sees exactly what a person's clicks, drags and key presses give it.

#include "modifier_set.h"

#include <X11/Xlib.h>

#include <chrono>

namespace vantro::soak {

class InputSynth {
  public:
    // False when the server lacks XTest.
    static bool available(Display* display);

    explicit InputSynth(Display* display);

    void moveTo(int x, int y);
    void press(unsigned button);
    void release(unsigned button);
    void click(unsigned button) {
        press(button);
        release(button);
    }
    // Presses (releases) the keys of a modifier set, in a fixed order.
    void holdModifiers(unsigned modifiers);
    void releaseModifiers(unsigned modifiers);
    // Taps a key with a modifier set held; a key the keymap lacks is skipped.
    void tapKey(const char* keysymName, unsigned modifiers = kNoModifier);
    // Every button and modifier key the driver may have left down.
    void releaseEverything();

    // Lets the server deliver what was sent and the client act on it.
    void settle(std::chrono::milliseconds pause);

    // The modifiers this keymap can type (AltGr is missing from some).
    [[nodiscard]] unsigned typeableModifiers() const { return typeable_; }

  private:
    void key(KeyCode code, bool down);
    [[nodiscard]] KeyCode codeOf(unsigned modifier) const;

    Display* display_;
    unsigned typeable_ = 0;
};

} // namespace vantro::soak
