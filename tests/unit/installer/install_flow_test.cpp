#include "installer/authorized_file_operations.h"
#include "installer/bundle_versions.h"
#include "installer/install_flow.h"
#include "installer/installed_parts.h"
#include "installer/outcome_sheet.h"
#include "installer/scripted_authorization.h"
#include "installer/window_texts.h"
#include "installer_fixture.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

namespace vantro::installer {
namespace {

using testing::InstallerMachine;
using testing::RecordingServices;

// The sheets' titles and buttons as the user meets them after an install for
// the user, a refused one for every user and a removal: installer_app.sh.
class InstallFlowTest : public ::testing::Test {
  protected:
    OutcomeSheet run(const InstallChoices& choices) {
        InstallFlow flow(machine_.locations(), machine_.carried(), services_);
        if (choices.install) {
            flow.installVantro(choices);
        } else {
            flow.uninstallVantro();
        }
        return outcomeSheet(choices, flow.locations(), flow.versions(), flow.loaderModuleReady());
    }

    InstallerMachine machine_;
    RecordingServices services_{machine_};
    const InstallLocations& at_ = machine_.locations();
};

// For the user no rights are asked. Refused for every user over the user's
// own install, the user's copies, login item and settings stay and the sheet
// marks them as not where asked. A removal then takes everything.
TEST_F(InstallFlowTest, UserInstallThenARefusedSystemInstallThenRemoval) {
    OutcomeSheet sheet = run({.loginItem = true});
    EXPECT_TRUE(sheet.success);
    EXPECT_EQ(sheet.informativeText, "Vantro System Preferences Pane:\tInstalled (1.2)\n"
                                     "Vantro SIMBL Plugin:\t\t\tInstalled (12)\n");
    EXPECT_EQ(services_.authorizedCalls, 0);
    EXPECT_EQ(bundleVersion(at_.userPlugin, kVersionKey), "12");
    const std::string loader = at_.userPrefPane + "/Contents/Resources/Vantro Loader.app";
    EXPECT_EQ(services_.loadersLaunched, std::vector<std::string>{loader});
    EXPECT_EQ(services_.loginItems, std::vector<std::string>{loader});
    EXPECT_EQ(services_.settingsWritten, std::vector<std::string>{"VantroPluginEnabled=true"});
    EXPECT_EQ(services_.registeredModules,
              std::vector<std::string>{at_.userLoaderModule +
                                       "/Contents/Linux/libvantro-loader-module.so (user)"});

    services_.authorized = false;
    sheet = run({.prefPaneRow = 1, .pluginRow = 1, .loginItem = true});
    EXPECT_FALSE(sheet.success);
    EXPECT_EQ(sheet.informativeText, "Vantro System Preferences Pane:\tInstalled (1.2) *\n"
                                     "Vantro SIMBL Plugin:\t\t\tInstalled (12) *\n"
                                     "\t\t* Installed, but not in selected location.");
    EXPECT_EQ(sheet.defaultButton, "Reattempt Vantro Install");
    EXPECT_FALSE(std::filesystem::exists(at_.rootPrefPane));
    EXPECT_TRUE(std::filesystem::exists(at_.userPrefPane));
    EXPECT_TRUE(std::filesystem::exists(at_.userPlugin));
    EXPECT_EQ(services_.settingsWritten.size(), 1U); // the refused install switches nothing on
    EXPECT_EQ(services_.beeps, 1);
    services_.authorized = true;
    run({.loginItem = true}); // repeated: still one login item
    EXPECT_EQ(services_.loginItems.size(), 1U);

    EXPECT_TRUE(run({.install = false}).success);
    for (const std::string& location : at_.all()) {
        EXPECT_FALSE(std::filesystem::exists(location)) << location;
    }
    EXPECT_TRUE(services_.loginItems.empty());
    EXPECT_TRUE(services_.registeredModules.empty());
    EXPECT_EQ(services_.trashed, 1);
}

TEST_F(InstallFlowTest, PaneAloneIsJudgedByThePaneAndLeavesThePluginOff) {
    const OutcomeSheet sheet = run({.plugin = false});
    EXPECT_TRUE(sheet.success);
    EXPECT_FALSE(std::filesystem::exists(at_.userPlugin));
    EXPECT_TRUE(services_.settingsWritten.empty());
    EXPECT_TRUE(services_.loadersLaunched.empty());
}

// Older copies at both locations: an update ends in the user's alone.
TEST_F(InstallFlowTest, InstallForTheUserOverCopiesAtBothLocationsEndsInTheUsers) {
    machine_.installPrefPane(at_.rootPrefPane, "1.0");
    machine_.installPrefPane(at_.userPrefPane, "1.1");
    machine_.installPlugin(at_.rootPlugin, "10");
    machine_.installPlugin(at_.userPlugin, "11");
    EXPECT_TRUE(run({}).success);
    EXPECT_EQ(bundleVersion(at_.userPrefPane, kShortVersionKey), "1.2");
    EXPECT_EQ(bundleVersion(at_.userPlugin, kVersionKey), "12");
    EXPECT_FALSE(std::filesystem::exists(at_.rootPrefPane));
    EXPECT_FALSE(std::filesystem::exists(at_.rootPlugin));
    // Only the system's copies are removed with rights; the user's library
    // is written as the user.
    EXPECT_EQ(services_.authorizedCalls, 2);
}

TEST_F(InstallFlowTest, SystemInstallLeavesReadableCopiesAndNamesTheSystemModule) {
    ASSERT_TRUE(run({.prefPaneRow = 1, .pluginRow = 1}).success);
    namespace fs = std::filesystem;
    EXPECT_EQ(fs::status(at_.rootPrefPane).permissions(), fs::perms(0755));
    EXPECT_EQ(fs::status(at_.rootPlugin + "/Contents/Info.plist").permissions(), fs::perms(0644));
    EXPECT_FALSE(fs::exists(at_.userPrefPane));
    EXPECT_EQ(services_.registeredModules,
              std::vector<std::string>{at_.rootLoaderModule +
                                       "/Contents/Linux/libvantro-loader-module.so (system)"});
}

TEST_F(InstallFlowTest, PackageManagedCopyIsLeftAlone) {
    machine_.installPrefPane(at_.rootPrefPane, "1.0");
    machine_.installPlugin(at_.rootPlugin, "10");
    services_.packageOwned = {{at_.rootPrefPane, "vantro"}, {at_.rootPlugin, "vantro"}};
    InstallFlow flow(machine_.locations(), machine_.carried(), services_);
    EXPECT_EQ(flow.packageManagedInstall(), "vantro");
    for (const InstallChoices& choices :
         {InstallChoices{.install = false}, InstallChoices{.prefPaneRow = 1, .pluginRow = 1},
          InstallChoices{}}) {
        EXPECT_FALSE(run(choices).success);
    }
    EXPECT_EQ(bundleVersion(at_.rootPrefPane, kShortVersionKey), "1.0");
    EXPECT_EQ(bundleVersion(at_.rootPlugin, kVersionKey), "10");
    EXPECT_EQ(services_.authorizedCalls, 0);
    EXPECT_EQ(services_.trashed, 0);
}

// Copies at both locations: a refused removal of the system's changes
// nothing; an allowed one takes only the system's, found first.
TEST_F(InstallFlowTest, UninstallTakesOnlyTheCopyFoundFirstAndNothingWhenRefused) {
    machine_.installPrefPane(at_.rootPrefPane, "1.2");
    machine_.installPrefPane(at_.userPrefPane, "1.2");
    machine_.installPlugin(at_.rootPlugin, "12");
    machine_.installPlugin(at_.userPlugin, "12");
    services_.authorized = false;
    run({.install = false});
    EXPECT_TRUE(std::filesystem::exists(at_.rootPlugin));
    EXPECT_EQ(services_.trashed, 0);
    EXPECT_EQ(services_.beeps, 1);
    services_.authorized = true;
    const OutcomeSheet sheet = run({.install = false});
    EXPECT_FALSE(sheet.success);
    EXPECT_EQ(sheet.message, "\nVantro Uninstall Failed");
    EXPECT_EQ(sheet.defaultButton, "Reattempt Vantro Uninstall");
    EXPECT_FALSE(std::filesystem::exists(at_.rootPlugin));
    EXPECT_TRUE(std::filesystem::exists(at_.userPrefPane));
    EXPECT_TRUE(std::filesystem::exists(at_.userPlugin));
}

TEST_F(InstallFlowTest, MissingLoaderModuleLeavesThePluginOffAndTheInstallFailed) {
    std::filesystem::remove_all(machine_.carried().loaderModule);
    const OutcomeSheet sheet = run({});
    EXPECT_FALSE(sheet.success);
    EXPECT_EQ(sheet.message, "\nVantro Install Partially Failed");
    EXPECT_TRUE(services_.settingsWritten.empty());
    EXPECT_EQ(services_.beeps, 1);
}

// The installer carries pane 1.2 and plug-in 12.
TEST(InstallerWindow, ActionButtonFollowsModeAndVersions) {
    using Version = std::optional<std::string>;
    const std::tuple<bool, Version, Version, const char*> cases[] = {
        // Installing or not, the pane and the plug-in installed, the title.
        {true, {}, {}, "Install Vantro (1.2)"},
        {true, "1.2", "12", "Reinstall Vantro (1.2)"},
        {true, "1.0", "10", "Update to Vantro (1.2)"},
        {true, {}, "12", "Update to Vantro (1.2)"},
        {false, "1.0", "10", "Uninstall Vantro (1.0)"},
        {false, {}, "12", "Uninstall Vantro"},
        {false, {}, {}, "Quit Vantro Installer"},
    };
    for (const auto& [installing, pane, plugin, title] : cases) {
        const Versions versions{"1.2", "12", pane, plugin};
        EXPECT_EQ(actionButton(installing, versions, pane || plugin).title, title);
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
}

TEST(InstallLocations, JoinTheFoldersOnceAndOwnOnlyPathsInsideTheSystemFolder) {
    const InstallLocations locations =
        InstallLocations::in({.user = "/usr/local/share-of-ann//", .system = "/usr/local/share"});
    EXPECT_EQ(locations.userPlugin, "/usr/local/share-of-ann/SIMBL/Plugins/Vantro.bundle");
    EXPECT_TRUE(locations.isRootPath(locations.rootPlugin));
    EXPECT_FALSE(locations.isRootPath(locations.userPlugin)); // shares the folder's leading text
    EXPECT_FALSE(locations.isRootPath("/usr/local/share"));
    EXPECT_FALSE(locations.isRootPath(kPluginNotFound));
}

namespace fs = std::filesystem;
using Answer = ScriptedAuthorization::Answer;
using Part = InstallLocations::Part;

class AuthorizedFileOperationsTest : public ::testing::Test {
  protected:
    testing::InstallerMachine machine_;
    ScriptedAuthorization authorization_{
        Answer::no, PrivilegedOperations(machine_.locations(), machine_.carried(), getuid())};
    AuthorizedFileOperations files_{authorization_, machine_.locations()};
    const InstallLocations& at_ = machine_.locations();
};

// A refusal changes nothing and is asked again next time; after a yes it is
// asked no more, and never when there is nothing to do.
TEST_F(AuthorizedFileOperationsTest, AsksOnceAfterASuccessAndNeverForNothing) {
    EXPECT_TRUE(files_.authorizedRemove(Part::plugin)); // nothing there
    EXPECT_EQ(authorization_.timesAsked(), 0);
    EXPECT_FALSE(files_.authorizedInstall(Part::prefPane));
    EXPECT_FALSE(files_.authorizedInstall(Part::plugin));
    EXPECT_FALSE(fs::exists(at_.rootPrefPane));
    EXPECT_EQ(authorization_.timesAsked(), 2);
    EXPECT_EQ(authorization_.requests(), 0);
    authorization_.answerFromNow(Answer::yes);
    ASSERT_TRUE(files_.authorizedInstall(Part::prefPane));
    ASSERT_TRUE(files_.authorizedInstall(Part::loaderModule));
    EXPECT_TRUE(fs::exists(at_.rootPrefPane + "/Contents/Info.plist"));
    // Never onto what is there: the caller removes it first.
    EXPECT_FALSE(files_.authorizedInstall(Part::prefPane));
    ASSERT_TRUE(files_.authorizedRemove(Part::prefPane));
    EXPECT_FALSE(fs::exists(at_.rootPrefPane));
    EXPECT_EQ(authorization_.timesAsked(), 3);
    EXPECT_EQ(authorization_.requests(), 3);
}

} // namespace
} // namespace vantro::installer
