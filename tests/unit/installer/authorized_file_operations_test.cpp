#include "installer/authorized_file_operations.h"

#include "installer/tasks.h"
#include "installer_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vantro::installer {
namespace {

namespace fs = std::filesystem;
using testing::writeFile;

// Answers every request as told, counts the requests, runs the tools as the
// test's own user and remembers every run.
class CountingAuthorization : public Authorization {
  public:
    bool grants = true;
    int asked = 0;
    std::vector<ToolRun> runs;

    bool obtain() override {
        if (held_) {
            return true;
        }
        ++asked;
        held_ = grants;
        return held_;
    }
    PrivilegedRunResult run(const ToolRun& run) override {
        runs.push_back(run);
        return held_ ? runCollectingOutput(run) : PrivilegedRunResult{};
    }

  private:
    bool held_ = false;
};

class AuthorizedFileOperationsTest : public ::testing::Test {
  protected:
    AuthorizedFileOperationsTest() { writeFile(source_ + "/Contents/Info.plist", "plist"); }

    testing::InstallerMachine machine_;
    std::string source_ = machine_.root() + "/Source.bundle";
    CountingAuthorization authorization_;
    AuthorizedFileOperations files_{authorization_};
};

TEST_F(AuthorizedFileOperationsTest, CopyMakesTheMissingParentFoldersFirst) {
    const std::string destination = machine_.root() + "/usr/SIMBL/Plugins/Vantro.bundle";
    ASSERT_TRUE(files_.authorizedCopy(source_, destination));
    EXPECT_TRUE(fs::exists(destination + "/Contents/Info.plist"));
    const std::vector<ToolRun> expected = {
        ToolRun::makeParentFolder(machine_.root() + "/usr/SIMBL/Plugins"),
        ToolRun::copy(source_, destination),
    };
    EXPECT_EQ(authorization_.runs, expected);
}

TEST_F(AuthorizedFileOperationsTest, NeverCopiesOrMovesOntoWhatExists) {
    const std::string destination = machine_.root() + "/Existing.bundle";
    fs::create_directories(destination);
    EXPECT_FALSE(files_.authorizedCopy(source_, destination));
    EXPECT_FALSE(files_.authorizedMove(source_, destination));
    EXPECT_FALSE(files_.authorizedCopy(machine_.root() + "/missing", machine_.root() + "/new"));
    EXPECT_TRUE(authorization_.runs.empty());
    EXPECT_FALSE(fs::exists(destination + "/Source.bundle")); // not merged into
}

TEST_F(AuthorizedFileOperationsTest, MoveTakesTheSourceAway) {
    const std::string destination = machine_.root() + "/Moved.bundle";
    ASSERT_TRUE(files_.authorizedMove(source_, destination));
    EXPECT_FALSE(fs::exists(source_));
    EXPECT_TRUE(fs::exists(destination + "/Contents/Info.plist"));
}

TEST_F(AuthorizedFileOperationsTest, RemovingNothingNeedsNoRights) {
    EXPECT_TRUE(files_.authorizedRemove(machine_.root() + "/nothing-here"));
    EXPECT_EQ(authorization_.asked, 0);
    ASSERT_TRUE(files_.authorizedRemove(source_));
    EXPECT_FALSE(fs::exists(source_));
    const std::vector<ToolRun> expected = {ToolRun::remove(source_)};
    EXPECT_EQ(authorization_.runs, expected);
}

TEST_F(AuthorizedFileOperationsTest, AsksOnceAfterASuccess) {
    ASSERT_TRUE(files_.authorizedCopy(source_, machine_.root() + "/A.bundle"));
    ASSERT_TRUE(files_.authorizedCopy(source_, machine_.root() + "/B.bundle"));
    ASSERT_TRUE(files_.authorizedRemove(machine_.root() + "/A.bundle"));
    EXPECT_EQ(authorization_.asked, 1);
}

TEST_F(AuthorizedFileOperationsTest, ARefusalFailsWithNothingChangedAndAsksAgainNextTime) {
    authorization_.grants = false;
    const std::string destination = machine_.root() + "/usr/PreferencePanes/Vantro.prefPane";
    EXPECT_FALSE(files_.authorizedCopy(source_, destination));
    EXPECT_FALSE(files_.authorizedRemove(source_));
    EXPECT_TRUE(authorization_.runs.empty());
    EXPECT_TRUE(fs::exists(source_));
    EXPECT_FALSE(fs::exists(machine_.root() + "/usr/PreferencePanes"));
    EXPECT_EQ(authorization_.asked, 2);
}

// The tool started but failed (the parent is a file, so cp cannot make the
// copy, as root too): a failure, so that the install does not go on as if
// the copy were there.
TEST_F(AuthorizedFileOperationsTest, AToolThatFailsIsAFailure) {
    const std::string plainFile = machine_.root() + "/plain";
    writeFile(plainFile, "x");
    EXPECT_FALSE(files_.authorizedCopy(source_, plainFile + "/Vantro.bundle"));
    ASSERT_EQ(authorization_.runs.size(), 1U);
    EXPECT_EQ(authorization_.runs.front().tool, kCopyTool);
}

} // namespace
} // namespace vantro::installer
