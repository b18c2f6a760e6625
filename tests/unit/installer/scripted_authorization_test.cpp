#include "installer/scripted_authorization.h"

#include "installer/authorized_file_operations.h"
#include "installer_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vantro::installer {
namespace {

namespace fs = std::filesystem;
using Answer = ScriptedAuthorization::Answer;

class ScriptedAuthorizationTest : public ::testing::Test {
  protected:
    [[nodiscard]] PrivilegedScope scope() const {
        return PrivilegedScope::ofSystem(machine_.locations(), machine_.root() + "/etc/xdg");
    }

    testing::InstallerMachine machine_;
};

TEST_F(ScriptedAuthorizationTest, YesRunsWhatTheHelperWouldRunAndNothingElse) {
    ScriptedAuthorization authorization(Answer::yes, scope());
    AuthorizedFileOperations files(authorization);
    const std::string& pane = machine_.locations().rootPrefPane;
    ASSERT_TRUE(files.authorizedCopy(machine_.carried().prefPane, pane));
    EXPECT_TRUE(fs::exists(pane + "/Contents/Info.plist"));
    // The carried copy is not an install location: the helper refuses it.
    EXPECT_FALSE(files.authorizedRemove(machine_.carried().prefPane));
    EXPECT_TRUE(fs::exists(machine_.carried().prefPane));
    ASSERT_TRUE(files.authorizedRemove(pane));
    EXPECT_FALSE(fs::exists(pane));
    EXPECT_EQ(authorization.timesAsked(), 1);
}

TEST_F(ScriptedAuthorizationTest, NoAndCancelFailEveryRequestAndAskEachTime) {
    for (const Answer answer : {Answer::no, Answer::cancel}) {
        ScriptedAuthorization authorization(answer, scope());
        AuthorizedFileOperations files(authorization);
        EXPECT_FALSE(
            files.authorizedCopy(machine_.carried().prefPane, machine_.locations().rootPrefPane));
        EXPECT_FALSE(files.authorizedRemove(machine_.carried().prefPane));
        EXPECT_EQ(authorization.timesAsked(), 2);
        EXPECT_FALSE(authorization.run(ToolRun::remove(machine_.carried().prefPane)).started);
        EXPECT_FALSE(fs::exists(machine_.locations().rootPrefPane));
        EXPECT_TRUE(fs::exists(machine_.carried().prefPane));
    }
}

TEST(ScriptedAuthorizationAnswer, IsNamedByTheTestVariable) {
    EXPECT_EQ(ScriptedAuthorization::answerNamed("yes"), Answer::yes);
    EXPECT_EQ(ScriptedAuthorization::answerNamed("no"), Answer::no);
    EXPECT_EQ(ScriptedAuthorization::answerNamed("cancel"), Answer::cancel);
    EXPECT_FALSE(ScriptedAuthorization::answerNamed("YES"));
    EXPECT_FALSE(ScriptedAuthorization::answerNamed(""));
}

} // namespace
} // namespace vantro::installer
