#pragma once

// Installs the plug-in's window behaviour on a window class, as the
// plug-in's entry does with the class it extends: every method of
// VantroWindow is grafted onto the class, then the window hooks replace the
// host's methods in their fixed order, each previous implementation saved.
// Installing twice does nothing the second time.

#include "runtime/class.h"

namespace vantro::entry {

void installWindowHooks(runtime::Class* windowClass);

} // namespace vantro::entry
