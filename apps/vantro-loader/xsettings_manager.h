#pragma once

// Which XSETTINGS manager serves the loader's display: the selection
// _XSETTINGS_S<screen> tells whether one runs; the process is found among
// the user's processes on the same display by its command name (the
// selection's owner window carries no process id).

#include <X11/Xlib.h>
#include <sys/types.h>

#include <string>

namespace vantro::loader_app {

enum class XSettingsManagerKind {
    none,       // nothing owns the selection
    xsettingsd, // reads its config file again on SIGHUP
    xfce,       // xfsettingsd: the xfconf channel "xsettings"
    gnome,      // the GNOME settings daemon's xsettings plug-in
    cinnamon,   // the Cinnamon settings daemon's
    other,      // a manager the loader cannot change
};

struct XSettingsManager {
    XSettingsManagerKind kind = XSettingsManagerKind::none;
    pid_t pid = 0; // 0 when the process was not found
    std::string commandName;
};

XSettingsManager findXSettingsManager(Display* display);

} // namespace vantro::loader_app
