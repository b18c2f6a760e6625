#include "installer/install_locations.h"

#include <gtest/gtest.h>

namespace vantro::installer {
namespace {

TEST(InstallLocations, AreFixedNamesBelowTheTwoLibraryFolders) {
    const InstallLocations locations =
        InstallLocations::in({.user = "/home/ann/.local/share/", .system = "/usr/local/share"});
    EXPECT_EQ(locations.userPrefPane, "/home/ann/.local/share/PreferencePanes/Vantro.prefPane");
    EXPECT_EQ(locations.rootPrefPane, "/usr/local/share/PreferencePanes/Vantro.prefPane");
    EXPECT_EQ(locations.userPlugin, "/home/ann/.local/share/SIMBL/Plugins/Vantro.bundle");
    EXPECT_EQ(locations.rootPlugin, "/usr/local/share/SIMBL/Plugins/Vantro.bundle");
    EXPECT_EQ(locations.userLoaderModule, "/home/ann/.local/share/ScriptingAdditions/SIMBL.osax");
    EXPECT_EQ(locations.rootLoaderModule, "/usr/local/share/ScriptingAdditions/SIMBL.osax");
}

TEST(InstallLocations, OnlyPathsInsideTheSystemFolderAreRootPaths) {
    const InstallLocations locations =
        InstallLocations::in({.user = "/usr/local/share-of-ann", .system = "/usr/local/share"});
    EXPECT_TRUE(locations.isRootPath(locations.rootPlugin));
    EXPECT_FALSE(locations.isRootPath(locations.userPlugin)); // shares the folder's leading text
    EXPECT_FALSE(locations.isRootPath("/usr/local/share"));
    EXPECT_FALSE(locations.isRootPath(kPluginNotFound));
}

} // namespace
} // namespace vantro::installer
