#pragma once

// The loader's first step: make every running GTK 3 application load the
// loader module, by naming it in the session's XSETTINGS setting
// Gtk/Modules. GTK loads a module named there at once, in every
// application on the display; the module then answers load requests.

#include "report.h"

#include <X11/Xlib.h>

#include <string>

namespace vantro::loader_app {

enum class ModuleRegistration {
    alreadyNamed, // Gtk/Modules named the module before: nothing was changed
    changed,      // Gtk/Modules names it now; applications are loading it
    unreachable,  // it could not be named: reported on standard error
};

ModuleRegistration registerLoaderModule(Display* display, const std::string& modulePath,
                                        const Report& report);

} // namespace vantro::loader_app
