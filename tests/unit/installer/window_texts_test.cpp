#include "installer/installed_parts.h"
#include "installer/window_texts.h"
#include "installer_fixture.h"

#include <gtest/gtest.h>

namespace vantro::installer {
namespace {

using testing::InstallerMachine;

TEST(InstallerWindow, ActionButtonFollowsModeAndVersions) {
    struct Case {
        bool installMode;
        const char* installedPane;   // version, or nullptr
        const char* installedPlugin; // version, or nullptr
        const char* title;
    };
    const Case cases[] = {
        {true, nullptr, nullptr, "Install Vantro (1.2)"},
        {true, "1.2", "12", "Reinstall Vantro (1.2)"},
        {true, "1.0", "10", "Update to Vantro (1.2)"},
        {true, "2.0", "20", "Update to Vantro (1.2)"},
        {true, nullptr, "12", "Update to Vantro (1.2)"},
        {false, "1.0", "10", "Uninstall Vantro (1.0)"},
        {false, nullptr, "12", "Uninstall Vantro"},
        {false, nullptr, nullptr, "Quit Vantro Installer"},
    };
    for (const Case& c : cases) {
        const InstallerMachine machine;
        const InstallLocations& at = machine.locations();
        if (c.installedPane != nullptr) {
            machine.installPrefPane(at.userPrefPane, c.installedPane);
        }
        if (c.installedPlugin != nullptr) {
            machine.installPlugin(at.userPlugin, c.installedPlugin);
        }
        const bool anything = prefPaneInstallLocation(at) != kPrefPaneNotFound ||
                              pluginInstallLocation(at) != kPluginNotFound;
        EXPECT_EQ(actionButton(c.installMode, Versions::of(machine.carried(), at), anything).title,
                  c.title);
    }
}

TEST(InstallerWindow, RootCopyIsShownAndComparedBeforeTheUserCopy) {
    InstallerMachine machine;
    const InstallLocations& at = machine.locations();
    machine.installPrefPane(at.userPrefPane, "1.0");
    machine.installPrefPane(at.rootPrefPane, "1.2");
    machine.installPlugin(at.rootPlugin, "12");
    const Versions versions = Versions::of(machine.carried(), at);
    EXPECT_EQ(versions.installedPrefPane, "1.2");
    EXPECT_EQ(locationRowOf(prefPaneInstallLocation(at), at), 1);
    EXPECT_EQ(locationRowOf(pluginInstallLocation(at), at), 1);
    EXPECT_EQ(locationRowOf(std::string(kPluginNotFound), at), 0);
    EXPECT_EQ(actionButton(true, versions, true).toolTip,
              "Currently Installed Vantro Versions:\n\tSystem Preference Pane:\t1.2\n\tSIMBL "
              "Plugin:\t\t\t12\n\nInternal Vantro Installer Versions:\n\tSystem Preference "
              "Pane:\t1.2\n\tSIMBL Plugin:\t\t\t12");
}

TEST(InstallerWindow, MalformedInfoPlistCountsAsNoVersion) {
    InstallerMachine machine;
    testing::writeFile(machine.locations().userPrefPane + "/Contents/Info.plist", "<plist><dict");
    testing::writeFile(machine.carried().plugin + "/Contents/Info.plist", "not a plist");
    const Versions versions = Versions::of(machine.carried(), machine.locations());
    EXPECT_FALSE(versions.installedPrefPane.has_value());
    EXPECT_FALSE(versions.internalPlugin.has_value());
    EXPECT_EQ(versions.internalPrefPane, "1.2");
}

} // namespace
} // namespace vantro::installer
