#include "xsettings_manager.h"

#include "processes.h"
#include "x_display_name.h"

#include <array>
#include <string_view>
#include <utility>

namespace vantro::loader_app {

namespace {

// Command names as /proc/PID/comm gives them: cut to 15 characters.
constexpr std::array<std::pair<std::string_view, XSettingsManagerKind>, 6> kManagerCommands = {{
    {"xsettingsd", XSettingsManagerKind::xsettingsd},
    {"xfsettingsd", XSettingsManagerKind::xfce},
    {"gsd-xsettings", XSettingsManagerKind::gnome},
    {"gnome-settings-", XSettingsManagerKind::gnome},
    {"csd-xsettings", XSettingsManagerKind::cinnamon},
    {"cinnamon-settin", XSettingsManagerKind::cinnamon},
}};

XSettingsManagerKind kindOfCommand(std::string_view commandName) {
    for (const auto& [command, kind] : kManagerCommands) {
        if (command == commandName) {
            return kind;
        }
    }
    return XSettingsManagerKind::other;
}

bool selectionOwned(Display* display) {
    const std::string selection = "_XSETTINGS_S" + std::to_string(DefaultScreen(display));
    const Atom atom = XInternAtom(display, selection.c_str(), False);
    return XGetSelectionOwner(display, atom) != None;
}

} // namespace

XSettingsManager findXSettingsManager(Display* display) {
    if (!selectionOwned(display)) {
        return {};
    }
    const std::string_view ourDisplay = DisplayString(display);
    for (const pid_t pid : processes::allProcessIds()) {
        if (!processes::ownedByCurrentUser(pid)) {
            continue;
        }
        std::string command = processes::commandName(pid);
        const XSettingsManagerKind kind = kindOfCommand(command);
        if (kind == XSettingsManagerKind::other) {
            continue;
        }
        const auto theirDisplay = processes::environmentVariable(pid, "DISPLAY");
        if (theirDisplay && sameXDisplay(*theirDisplay, ourDisplay)) {
            return {kind, pid, std::move(command)};
        }
    }
    return {XSettingsManagerKind::other, 0, {}};
}

} // namespace vantro::loader_app
