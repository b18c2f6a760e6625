#pragma once

// The implementations that the replaced host methods had before the plug-in
// replaced them, one per hook. A replacement calls its saved implementation
// wherever the host's own behaviour should run; an empty one (the host
// lacked the method) does nothing when called.

#include "runtime/method.h"

namespace vantro::core {

struct SavedImplementations {
    runtime::Imp setFrame = nullptr;          // "_setFrame:"
    runtime::Imp setFrameDisplay = nullptr;   // "setFrame:display:"
    runtime::Imp performZoom = nullptr;       // "performZoom:"
    runtime::Imp zoom = nullptr;              // "zoom:"
    runtime::Imp windowMovedToRect = nullptr; // "_windowMovedToRect:"
    runtime::Imp setFrameAfterMove = nullptr; // "_setFrameAfterMove:"
    runtime::Imp startLiveResize = nullptr;   // "_startLiveResize"
    runtime::Imp endLiveResize = nullptr;     // "_endLiveResize"
    runtime::Imp resignKeyWindow = nullptr;   // "resignKeyWindow"
    runtime::Imp orderOut = nullptr;          // "orderOut:"
    runtime::Imp update = nullptr;            // the menu's "update"
    runtime::Imp mouseDown = nullptr;         // the title button's "mouseDown:"
    runtime::Imp rightMouseDown = nullptr;    // the title button's "rightMouseDown:"
};

// The process's saved implementations, filled once by the plug-in's entry.
SavedImplementations& savedImplementations();

} // namespace vantro::core
