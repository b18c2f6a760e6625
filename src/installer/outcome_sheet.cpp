#include "installer/outcome_sheet.h"

#include "installer/bundle_versions.h"
#include "installer/window_texts.h"

namespace vantro::installer {

namespace {

struct PartFacts {
    bool atChosen = false;
    bool anywhere = false;
};

PartFacts factsOf(const std::string& user, const std::string& root, int row) {
    const bool atUser = somethingExistsAt(user);
    const bool atRoot = somethingExistsAt(root);
    return {row == 1 ? atRoot : atUser, atUser || atRoot};
}

std::string statusText(bool shown, bool elsewhere, const std::optional<std::string>& version) {
    if (!shown && !elsewhere) {
        return "Not Installed";
    }
    return filled("Installed (%@)%@", {version.value_or("N/A"), elsewhere ? " *" : ""});
}

} // namespace

OutcomeSheet outcomeSheet(const InstallChoices& choices, const InstallLocations& locations,
                          const Versions& versions, bool loaderModuleReady) {
    const PartFacts pane =
        factsOf(locations.userPrefPane, locations.rootPrefPane, choices.prefPaneRow);
    const PartFacts plugin = factsOf(locations.userPlugin, locations.rootPlugin, choices.pluginRow);

    const bool paneElsewhere = !pane.atChosen && pane.anywhere;
    const bool pluginShown = choices.plugin ? plugin.atChosen : plugin.anywhere;
    const bool pluginElsewhere = choices.plugin && !plugin.atChosen && plugin.anywhere;

    const auto sameVersion = [](const std::optional<std::string>& installed,
                                const std::optional<std::string>& carried) {
        return installed.has_value() && installed == carried;
    };
    const bool paneDone = choices.install ? pane.atChosen && sameVersion(versions.installedPrefPane,
                                                                         versions.internalPrefPane)
                                          : !pane.anywhere;
    bool pluginDone = paneDone;
    if (choices.plugin) {
        pluginDone = choices.install
                         ? plugin.atChosen && loaderModuleReady &&
                               sameVersion(versions.installedPlugin, versions.internalPlugin)
                         : !plugin.anywhere;
    }

    OutcomeSheet sheet;
    sheet.success = paneDone && pluginDone;
    const std::string_view action = choices.install ? "Install" : "Uninstall";
    sheet.message = filled(sheet.success            ? "\nVantro %@ Successful"
                           : paneDone || pluginDone ? "\nVantro %@ Partially Failed"
                                                    : "\nVantro %@ Failed",
                           {action});
    sheet.informativeText = filled(
        "Vantro System Preferences Pane:\t%@\nVantro SIMBL Plugin:\t\t\t%@\n%@",
        {statusText(pane.atChosen, paneElsewhere, versions.installedPrefPane),
         statusText(pluginShown, pluginElsewhere, versions.installedPlugin),
         paneElsewhere || pluginElsewhere ? "\t\t* Installed, but not in selected location." : ""});
    if (sheet.success) {
        sheet.defaultButton = choices.install
                                  ? "Quit Installer & Launch Vantro System Preferences Pane"
                                  : "Quit Installer";
        sheet.alternateButton = "Continue";
    } else {
        sheet.defaultButton = filled("Reattempt Vantro %@", {action});
        sheet.alternateButton = "Quit Installer";
    }
    return sheet;
}

} // namespace vantro::installer
