#include "installer/window_texts.h"

#include <glib.h>

namespace vantro::installer {

namespace {

constexpr std::string_view kNotInstalled = "Not Installed";

std::string_view orNotInstalled(const std::optional<std::string>& version) {
    return version ? std::string_view(*version) : kNotInstalled;
}

std::string folderOf(const std::string& path) {
    gchar* folder = g_path_get_dirname(path.c_str());
    std::string result(folder);
    g_free(folder);
    return result;
}

} // namespace

std::string filled(std::string_view format, std::initializer_list<std::string_view> arguments) {
    std::string text;
    const auto* next = arguments.begin();
    for (size_t at = 0; at < format.size();) {
        const size_t placeholder = format.find("%@", at);
        text += format.substr(at, placeholder - at);
        if (placeholder == std::string_view::npos) {
            break;
        }
        if (next != arguments.end()) {
            text += *next++;
        }
        at = placeholder + 2;
    }
    return text;
}

ActionButton actionButton(bool installMode, const Versions& versions, bool anythingInstalled) {
    ActionButton button;
    if (installMode) {
        const std::string_view verb = !anythingInstalled ? "Install"
                                      : versions.installedPrefPane == versions.internalPrefPane &&
                                              versions.installedPrefPane.has_value()
                                          ? "Reinstall"
                                          : "Update to";
        button.title = filled("%@ Vantro (%@)", {verb, versions.internalPrefPane.value_or("")});
    } else if (versions.installedPrefPane) {
        button.title = filled("%@ Vantro (%@)", {"Uninstall", *versions.installedPrefPane});
    } else {
        button.title =
            versions.installedPlugin ? "Uninstall Vantro" : std::string(kQuitInstallerTitle);
    }
    button.toolTip = filled(
        "Currently Installed Vantro Versions:\n\tSystem Preference Pane:\t%@\n\tSIMBL "
        "Plugin:\t\t\t%@\n\nInternal Vantro Installer Versions:\n\tSystem Preference "
        "Pane:\t%@\n\tSIMBL Plugin:\t\t\t%@",
        {orNotInstalled(versions.installedPrefPane), orNotInstalled(versions.installedPlugin),
         orNotInstalled(versions.internalPrefPane), orNotInstalled(versions.internalPlugin)});
    return button;
}

std::string prefPaneToolTip(const InstallLocations& locations) {
    return filled(
        "System Preferences Pane File:\n\t%@\nUser Location:\n\t%@/\nRoot Location:\n\t%@/",
        {kPrefPaneName, folderOf(locations.userPrefPane), folderOf(locations.rootPrefPane)});
}

std::string pluginToolTip(const InstallLocations& locations) {
    return filled("SIMBL Plugin File:\n\t%@\nUser Location:\n\t%@/\nRoot Location:\n\t%@/",
                  {kPluginName, folderOf(locations.userPlugin), folderOf(locations.rootPlugin)});
}

int locationRowOf(const std::string& installedLocation, const InstallLocations& locations) {
    return locations.isRootPath(installedLocation) ? 1 : 0;
}

} // namespace vantro::installer
