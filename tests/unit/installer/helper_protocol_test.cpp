#include "installer/helper_protocol.h"

#include <gtest/gtest.h>

#include <gio/gio.h>

namespace vantro::installer {
namespace {

TEST(HelperProtocol, RequestsArriveWholeAndInOrder) {
    const ToolRun first = ToolRun::copy("/a b/Source", "/usr/local/share/x\ny");
    const ToolRun second = ToolRun::remove("/usr/local/share/x");
    const std::string stream = encodedRequest(first) + encodedRequest(second);
    std::string buffer;
    std::vector<ToolRun> taken;
    // Byte by byte, as a pipe may deliver them.
    for (const char byte : stream) {
        buffer += byte;
        while (auto run = takeRequest(buffer)) {
            taken.push_back(*run);
        }
    }
    EXPECT_EQ(taken, (std::vector<ToolRun>{first, second}));
    EXPECT_TRUE(buffer.empty());
}

TEST(HelperProtocol, AnEmptyRequestIsARunWithoutATool) {
    std::string buffer(1, '\0');
    const auto run = takeRequest(buffer);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->tool, "");
}

TEST(HelperProtocol, AnswerHeadersReadBack) {
    const std::string exited = encodedExit(3, "out\nput");
    const auto header = parsedAnswerHeader(exited.substr(0, exited.find('\n')));
    ASSERT_TRUE(header);
    EXPECT_EQ(header->kind, AnswerHeader::Kind::exited);
    EXPECT_EQ(header->status, 3);
    EXPECT_EQ(header->outputLength, 7U);

    const std::string refusal = encodedRefusal("no\nsuch location");
    ASSERT_EQ(refusal.find('\n'), refusal.size() - 1); // one line whatever the reason holds
    const auto refused = parsedAnswerHeader(refusal.substr(0, refusal.size() - 1));
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->kind, AnswerHeader::Kind::refused);
    EXPECT_EQ(refused->why, "no such location");

    for (const char* malformed :
         {"", "exited", "exited 1", "exited x 2", "exited 1 -2", "exited 1 2 3", "granted 0 0"}) {
        EXPECT_FALSE(parsedAnswerHeader(malformed)) << malformed;
    }
}

// The helper program itself refuses what lies outside its scope, whatever
// the request, and stays up for the next one. It is run as the test's user:
// every request here is one it must refuse before running anything.
TEST(InstallHelper, RefusesEveryRequestOutsideItsScope) {
    std::string requests;
    for (const ToolRun& run : std::vector<ToolRun>{
             ToolRun::remove("/etc/passwd"),
             ToolRun::remove("/usr/local/share/PreferencePanes/../../../etc"),
             ToolRun::copy("/etc/passwd", "/usr/local/share/SIMBL/Plugins/Other.bundle"),
             {"/bin/sh", {"-c", "touch /tmp/vantro-helper-ran"}},
             {"/bin/rm", {"-d", "-R", "/usr/local/share/SIMBL/Plugins/Vantro.bundle", "/"}},
         }) {
        requests += encodedRequest(run);
    }
    requests += '\0'; // a request with nothing in it
    gchar* argv[] = {const_cast<gchar*>(VANTRO_INSTALL_HELPER), nullptr};
    GSubprocess* helper =
        g_subprocess_newv(argv,
                          static_cast<GSubprocessFlags>(G_SUBPROCESS_FLAGS_STDIN_PIPE |
                                                        G_SUBPROCESS_FLAGS_STDOUT_PIPE),
                          nullptr);
    ASSERT_NE(helper, nullptr);
    GBytes* input = g_bytes_new(requests.data(), requests.size());
    GBytes* output = nullptr;
    ASSERT_TRUE(g_subprocess_communicate(helper, input, nullptr, &output, nullptr, nullptr));
    EXPECT_TRUE(g_subprocess_get_if_exited(helper));
    EXPECT_EQ(g_subprocess_get_exit_status(helper), 0);
    gsize size = 0;
    const auto* data = static_cast<const char*>(g_bytes_get_data(output, &size));
    const std::string answers(data, size);
    g_bytes_unref(output);
    g_bytes_unref(input);
    g_object_unref(helper);

    ASSERT_TRUE(answers.starts_with(kHelperGreeting));
    size_t lines = 0;
    for (size_t start = kHelperGreeting.size(); start < answers.size(); ++lines) {
        const size_t end = answers.find('\n', start);
        ASSERT_NE(end, std::string::npos);
        const auto header = parsedAnswerHeader(answers.substr(start, end - start));
        ASSERT_TRUE(header) << answers.substr(start, end - start);
        EXPECT_EQ(header->kind, AnswerHeader::Kind::refused);
        start = end + 1;
    }
    EXPECT_EQ(lines, 6U);
    EXPECT_FALSE(g_file_test("/tmp/vantro-helper-ran", G_FILE_TEST_EXISTS));
}

} // namespace
} // namespace vantro::installer
