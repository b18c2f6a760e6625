#pragma once

// The test every acting hook applies before it does anything of its own:
// the plug-in is enabled, the host application is not excluded, the
// plug-in's bundle is still on disk (deleting the installed plug-in switches
// it off in running applications at once), and, for the window hooks, the
// window belongs to the extended class. When a test fails the host's own
// behaviour runs.

#include "runtime/object.h"

namespace vantro::core {

enum class GateResult {
    open,
    pluginDisabled,
    applicationExcluded,
    bundleRemoved,
    windowNotExtended,
};

// The first failing test, in the order above; `window` null skips the
// window test (the menu and title-button hooks).
GateResult commonGate(runtime::Object* window);

inline bool gateIsOpen(runtime::Object* window) {
    return commonGate(window) == GateResult::open;
}

} // namespace vantro::core
