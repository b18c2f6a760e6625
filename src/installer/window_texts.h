#pragma once

// The texts of the installer window that follow from what is installed:
// the action button's title and tool tip, the parts' tool tips, and the
// location row shown at start.

#include "installer/install_locations.h"
#include "installer/installed_parts.h"

#include <string>
#include <string_view>

namespace vantro::installer {

inline constexpr std::string_view kQuitInstallerTitle = "Quit Vantro Installer";

struct ActionButton {
    std::string title;
    std::string toolTip;
};

// `installMode` is the pane's check box ticked; `anythingInstalled` whether
// either lookup found an installed copy.
ActionButton actionButton(bool installMode, const Versions& versions, bool anythingInstalled);

std::string prefPaneToolTip(const InstallLocations& locations);
std::string pluginToolTip(const InstallLocations& locations);

// Row 1 (the system's) when the installed copy is in the system library
// folder, else row 0; a marker gives row 0.
int locationRowOf(const std::string& installedLocation, const InstallLocations& locations);

// "printf" with the installer's own "%@" placeholders, filled in order;
// placeholders beyond the arguments stay empty.
std::string filled(std::string_view format, std::initializer_list<std::string_view> arguments);

} // namespace vantro::installer
