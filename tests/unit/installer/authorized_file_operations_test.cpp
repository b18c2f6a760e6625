#include "installer/authorized_file_operations.h"

#include "installer/scripted_authorization.h"
#include "installer_fixture.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

namespace vantro::installer {
namespace {

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
