#include "installer/install_locations.h"

#include <gtest/gtest.h>

namespace vantro::installer {
namespace {

TEST(InstallLocations, JoinTheFoldersOnceAndOwnOnlyPathsInsideTheSystemFolder) {
    const InstallLocations locations =
        InstallLocations::in({.user = "/usr/local/share-of-ann//", .system = "/usr/local/share"});
    EXPECT_EQ(locations.userPlugin, "/usr/local/share-of-ann/SIMBL/Plugins/Vantro.bundle");
    EXPECT_TRUE(locations.isRootPath(locations.rootPlugin));
    EXPECT_FALSE(locations.isRootPath(locations.userPlugin)); // shares the folder's leading text
    EXPECT_FALSE(locations.isRootPath("/usr/local/share"));
    EXPECT_FALSE(locations.isRootPath(kPluginNotFound));
}

} // namespace
} // namespace vantro::installer
