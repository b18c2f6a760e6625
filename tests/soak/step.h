#pragma once

// One generated user step of the soak player, drawn whole from the seeded
// generator: every field is drawn whatever the kind, so that a seed gives
// the same decisions on any desktop (the kind is then bent to the number
// of windows open, see fitKind). Pure.

#include <cstdint>
#include <random>
#include <string>

namespace vantro::soak {

// Modifier sets as bits; each stands for the left-hand key of its kind.
enum Modifier : unsigned { kShift = 1U << 0, kControl = 1U << 1, kAlt = 1U << 2, kSuper = 1U << 3 };
// Held with a button: not Alt, with which the window manager moves windows
// (a drag) and after which pairs of clicks broke in ways not yet understood.
constexpr unsigned kPointerModifiers = kShift | kControl | kSuper;

enum class StepKind {
    zoomTwice,     // a zoom command given twice: the second undoes the first
    drag,          // an edge or corner drag, modifiers changing mid-drag
    openWindow,    // Ctrl+N or the New Window button, with limit modifiers
    closeWindow,   // Alt+F4 or the close button
    zoomThenClose, // a zoom shortcut and the window closed while it shows feedback
    setting,       // a setting written or reset by another process
};

struct Step {
    StepKind kind = StepKind::zoomTwice;
    unsigned window = 0;    // among the windows shown, modulo their number
    unsigned modifiers = 0; // a set of Modifier bits
    bool byClick = false;   // a title button, else keys
    int key = 0;            // a zoom shortcut, see shortcutOf
    int gapMs = 0;          // between the two commands; < 0: once settled
    int grip = 0;           // one of eight edges and corners
    int dx = 0;
    int dy = 0;
    int moves = 0;    // pointer motions of the drag
    int switchAt = 0; // the motion after which modifiers change
    unsigned pressedLater = 0;
    unsigned releasedLater = 0;
    bool linger = false;       // then check that no popup outlives the step
    std::uint32_t setting = 0; // the change made, and the menu's answer
};

Step drawStep(std::mt19937& random);

// The kind played with `windows` open: two are kept open where allowed (a
// click can hit the close button of a window moving under it, and closing
// the last window quits the application).
StepKind fitKind(StepKind kind, std::size_t windows, std::size_t maxWindows);

struct Shortcut {
    const char* key; // a keysym name
    unsigned modifiers;
};
Shortcut shortcutOf(const Step& step);

std::string describe(const Step& step);

} // namespace vantro::soak
