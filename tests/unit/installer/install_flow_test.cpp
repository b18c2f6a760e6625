#include "installer/bundle_versions.h"
#include "installer/install_flow.h"
#include "installer/outcome_sheet.h"
#include "installer_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vantro::installer {
namespace {

using testing::InstallerMachine;
using testing::RecordingServices;

class InstallFlowTest : public ::testing::Test {
  protected:
    OutcomeSheet run(const InstallChoices& choices) {
        InstallFlow flow(machine.locations(), machine.carried(), services);
        if (choices.install) {
            flow.installVantro(choices);
        } else {
            flow.uninstallVantro();
        }
        return outcomeSheet(choices, flow.locations(), flow.versions(), flow.loaderModuleReady());
    }

    InstallerMachine machine;
    RecordingServices services{machine};
    const InstallLocations& at = machine.locations();
};

TEST_F(InstallFlowTest, FreshInstallForTheUserNeedsNoRightsAndStartsTheLoader) {
    const OutcomeSheet sheet = run({.loginItem = true});
    EXPECT_TRUE(sheet.success);
    EXPECT_EQ(sheet.message, "\nVantro Install Successful");
    EXPECT_EQ(sheet.informativeText, "Vantro System Preferences Pane:\tInstalled (1.2)\n"
                                     "Vantro SIMBL Plugin:\t\t\tInstalled (12)\n");
    EXPECT_EQ(sheet.defaultButton, "Quit Installer & Launch Vantro System Preferences Pane");
    EXPECT_EQ(sheet.alternateButton, "Continue");
    EXPECT_EQ(services.authorizedCalls, 0);
    EXPECT_EQ(bundleVersion(at.userPlugin, kVersionKey), "12");
    const std::string loader = at.userPrefPane + "/Contents/Resources/Vantro Loader.app";
    EXPECT_EQ(services.loadersLaunched, std::vector<std::string>{loader});
    EXPECT_EQ(services.loginItems, std::vector<std::string>{loader});
    EXPECT_EQ(services.settingsWritten, std::vector<std::string>{"VantroPluginEnabled=true"});
    EXPECT_EQ(services.registeredModules,
              std::vector<std::string>{at.userLoaderModule +
                                       "/Contents/Linux/libvantro-loader-module.so (user)"});
}

TEST_F(InstallFlowTest, RepeatedInstallsLeaveOneLoginItem) {
    run({.loginItem = true});
    run({.loginItem = true});
    EXPECT_EQ(services.loginItems.size(), 1U);
}

TEST_F(InstallFlowTest, SystemInstallRefusedChangesNothingAndOffersToTryAgain) {
    services.authorized = false;
    const OutcomeSheet sheet = run({.prefPaneRow = 1, .pluginRow = 1});
    EXPECT_FALSE(sheet.success);
    EXPECT_EQ(sheet.message, "\nVantro Install Failed");
    EXPECT_EQ(sheet.informativeText, "Vantro System Preferences Pane:\tNot Installed\n"
                                     "Vantro SIMBL Plugin:\t\t\tNot Installed\n");
    EXPECT_EQ(sheet.defaultButton, "Reattempt Vantro Install");
    EXPECT_EQ(sheet.alternateButton, "Quit Installer");
    EXPECT_FALSE(std::filesystem::exists(at.rootPrefPane));
    EXPECT_TRUE(services.settingsWritten.empty()); // the plug-in is not switched on
    EXPECT_EQ(services.beeps, 1);
}

TEST_F(InstallFlowTest, SystemInstallRefusedKeepsTheUsersCopy) {
    run({.loginItem = true});
    ASSERT_TRUE(std::filesystem::exists(at.userPrefPane));
    services.authorized = false;
    const OutcomeSheet sheet = run({.prefPaneRow = 1, .pluginRow = 1});
    EXPECT_FALSE(sheet.success);
    EXPECT_TRUE(std::filesystem::exists(at.userPrefPane));
    EXPECT_TRUE(std::filesystem::exists(at.userPlugin));
    EXPECT_EQ(services.loginItems.size(), 1U); // its login item too
}

TEST_F(InstallFlowTest, UpdatingAnOlderCopyReplacesIt) {
    machine.installPrefPane(at.userPrefPane, "1.0");
    machine.installPlugin(at.userPlugin, "10");
    EXPECT_TRUE(run({}).success);
    EXPECT_EQ(bundleVersion(at.userPrefPane, kShortVersionKey), "1.2");
    EXPECT_EQ(bundleVersion(at.userPlugin, kVersionKey), "12");
}

TEST_F(InstallFlowTest, PaneAloneIsJudgedByThePaneAndLeavesThePluginOff) {
    const OutcomeSheet sheet = run({.plugin = false});
    EXPECT_TRUE(sheet.success);
    EXPECT_FALSE(std::filesystem::exists(at.userPlugin));
    EXPECT_TRUE(services.settingsWritten.empty());
    EXPECT_TRUE(services.loadersLaunched.empty());
}

TEST_F(InstallFlowTest, InstallForTheUserOverCopiesAtBothLocationsEndsInTheUsers) {
    machine.installPrefPane(at.rootPrefPane, "1.0");
    machine.installPrefPane(at.userPrefPane, "1.1");
    machine.installPlugin(at.rootPlugin, "10");
    machine.installPlugin(at.userPlugin, "11");
    EXPECT_TRUE(run({}).success);
    EXPECT_EQ(bundleVersion(at.userPrefPane, kShortVersionKey), "1.2");
    EXPECT_EQ(bundleVersion(at.userPlugin, kVersionKey), "12");
    EXPECT_FALSE(std::filesystem::exists(at.rootPrefPane));
    EXPECT_FALSE(std::filesystem::exists(at.rootPlugin));
    // Only the system's copies are removed with rights; the user's library
    // is written as the user.
    EXPECT_EQ(services.authorizedCalls, 2);
}

TEST_F(InstallFlowTest, SystemInstallLeavesReadableCopiesAndNamesTheSystemModule) {
    ASSERT_TRUE(run({.prefPaneRow = 1, .pluginRow = 1}).success);
    namespace fs = std::filesystem;
    EXPECT_EQ(fs::status(at.rootPrefPane).permissions(), fs::perms(0755));
    EXPECT_EQ(fs::status(at.rootPlugin + "/Contents/Info.plist").permissions(), fs::perms(0644));
    EXPECT_FALSE(fs::exists(at.userPrefPane));
    EXPECT_EQ(services.registeredModules,
              std::vector<std::string>{at.rootLoaderModule +
                                       "/Contents/Linux/libvantro-loader-module.so (system)"});
}

TEST_F(InstallFlowTest, PackageManagedCopyIsLeftAlone) {
    machine.installPrefPane(at.rootPrefPane, "1.0");
    machine.installPlugin(at.rootPlugin, "10");
    services.packageOwned = {{at.rootPrefPane, "vantro"}, {at.rootPlugin, "vantro"}};
    InstallFlow flow(machine.locations(), machine.carried(), services);
    EXPECT_EQ(flow.packageManagedInstall(), "vantro");
    for (const InstallChoices& choices :
         {InstallChoices{.install = false}, InstallChoices{.prefPaneRow = 1, .pluginRow = 1},
          InstallChoices{}}) {
        EXPECT_FALSE(run(choices).success);
    }
    EXPECT_EQ(bundleVersion(at.rootPrefPane, kShortVersionKey), "1.0");
    EXPECT_EQ(bundleVersion(at.rootPlugin, kVersionKey), "10");
    EXPECT_EQ(services.authorizedCalls, 0);
    EXPECT_EQ(services.trashed, 0);
}

TEST_F(InstallFlowTest, CopyLeftAtTheOtherLocationIsMarked) {
    machine.installPrefPane(at.rootPrefPane, "1.2");
    services.authorized = false; // the root copy cannot be taken away
    const OutcomeSheet sheet = run({.plugin = false});
    EXPECT_FALSE(sheet.success);
    EXPECT_EQ(sheet.informativeText, "Vantro System Preferences Pane:\tInstalled (1.2) *\n"
                                     "Vantro SIMBL Plugin:\t\t\tNot Installed\n"
                                     "\t\t* Installed, but not in selected location.");
}

TEST_F(InstallFlowTest, UninstallRemovesEverythingAndTrashesTheSettings) {
    run({.loginItem = true});
    const OutcomeSheet sheet = run({.install = false});
    EXPECT_TRUE(sheet.success);
    EXPECT_EQ(sheet.message, "\nVantro Uninstall Successful");
    EXPECT_EQ(sheet.defaultButton, "Quit Installer");
    for (const std::string& location : at.all()) {
        EXPECT_FALSE(std::filesystem::exists(location)) << location;
    }
    EXPECT_TRUE(services.loginItems.empty());
    EXPECT_TRUE(services.registeredModules.empty());
    EXPECT_EQ(services.trashed, 1);
}

TEST_F(InstallFlowTest, UninstallTakesOnlyTheCopyFoundFirst) {
    machine.installPrefPane(at.rootPrefPane, "1.2");
    machine.installPrefPane(at.userPrefPane, "1.2");
    machine.installPlugin(at.rootPlugin, "12");
    machine.installPlugin(at.userPlugin, "12");
    const OutcomeSheet sheet = run({.install = false});
    EXPECT_FALSE(sheet.success);
    EXPECT_EQ(sheet.message, "\nVantro Uninstall Failed");
    EXPECT_EQ(sheet.defaultButton, "Reattempt Vantro Uninstall");
    EXPECT_TRUE(std::filesystem::exists(at.userPrefPane));
    EXPECT_TRUE(std::filesystem::exists(at.userPlugin));
}

TEST_F(InstallFlowTest, UninstallWhoseRemovalIsRefusedKeepsSettingsAndBeeps) {
    machine.installPlugin(at.rootPlugin, "12");
    services.authorized = false;
    run({.install = false});
    EXPECT_TRUE(std::filesystem::exists(at.rootPlugin));
    EXPECT_EQ(services.trashed, 0);
    EXPECT_EQ(services.beeps, 1);
}

TEST_F(InstallFlowTest, MissingLoaderModuleLeavesThePluginOffAndTheInstallFailed) {
    std::filesystem::remove_all(machine.carried().loaderModule);
    const OutcomeSheet sheet = run({});
    EXPECT_FALSE(sheet.success);
    EXPECT_EQ(sheet.message, "\nVantro Install Partially Failed");
    EXPECT_TRUE(services.settingsWritten.empty());
    EXPECT_EQ(services.beeps, 1);
}

TEST_F(InstallFlowTest, UserFolderThatIsNotWritableFailsWithoutRights) {
    const std::filesystem::path folder = std::filesystem::path(at.userPrefPane).parent_path();
    std::filesystem::create_directories(folder);
    std::filesystem::permissions(folder, std::filesystem::perms::owner_read |
                                             std::filesystem::perms::owner_exec);
    if (access(folder.c_str(), W_OK) == 0) {
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    }
    EXPECT_FALSE(run({.plugin = false}).success);
    EXPECT_EQ(services.authorizedCalls, 0);
}

} // namespace
} // namespace vantro::installer
