#include "installer/helper_protocol.h"
#include "installer/install_locations.h"

#include <gtest/gtest.h>

namespace vantro::installer {
namespace {

using Operation = HelperRequest::Operation;
using Part = HelperRequest::Part;

TEST(HelperProtocol, EveryOperationReadsBackAndNothingElseIsARequest) {
    for (const Operation operation : {Operation::install, Operation::remove,
                                      Operation::registerModule, Operation::unregisterModule}) {
        for (const Part part : {Part::prefPane, Part::plugin, Part::loaderModule}) {
            const std::string line = encodedRequest({operation, part});
            const bool exists = !line.empty();
            const bool moduleOnly =
                operation == Operation::registerModule || operation == Operation::unregisterModule;
            EXPECT_EQ(exists, !moduleOnly || part == Part::loaderModule) << line;
            if (exists) {
                EXPECT_EQ(decodedRequest(line), (HelperRequest{operation, part})) << line;
                for (const std::string& altered :
                     {line + "/", line + " ", " " + line, line + std::string(1, '\0'),
                      line + " /etc/shadow", line + "\r"}) {
                    EXPECT_FALSE(decodedRequest(altered)) << line;
                }
            }
        }
    }
    EXPECT_FALSE(decodedRequest(""));
}

TEST(HelperProtocol, LoggedTextIsOnePrintableLine) {
    EXPECT_EQ(escapedForLog("a\nb\\c\x1b[0m\xff", 100), "a\\x0ab\\x5cc\\x1b[0m\\xff");
    EXPECT_EQ(escapedForLog(std::string(10, 'x'), 4), "xxxx...");
    const auto answer = decodedAnswer(encodedAnswer({HelperAnswer::Kind::refused, "no\nway"}));
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->kind, HelperAnswer::Kind::refused);
    EXPECT_EQ(answer->why, "no\\x0away");
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

} // namespace
} // namespace vantro::installer
