// Choosing the applications to ask from the session bus's names.

#include "request_targets.h"

#include <gtest/gtest.h>

namespace vantro::loader_app {
namespace {

constexpr const char* kPrefix = "com.quillworks.vantro.Loader.p";

std::string nameOf(pid_t pid) {
    return kPrefix + std::to_string(pid);
}

TEST(LoadRequestName, CarriesTheProcessId) {
    struct Case {
        std::string name;
        std::optional<pid_t> pid;
    };
    const Case cases[] = {
        {nameOf(4194304), 4194304},
        {std::string(kPrefix) + "0", std::nullopt},
        {std::string(kPrefix) + "012", std::nullopt},
        {std::string(kPrefix) + "+12", std::nullopt},
        {std::string(kPrefix) + "12a", std::nullopt},
        {std::string(kPrefix) + "99999999999", std::nullopt},
        {"com.quillworks.vantro.LoaderX.p12", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pidInLoadRequestName(c.name), c.pid) << c.name;
    }
}

TEST(InstallerProcess, ByExecutableOrCommandName) {
    struct Case {
        const char* executable;
        const char* command;
        bool installer;
    };
    const Case cases[] = {
        // Executable unreadable: the cut command name decides.
        {"", "vantro-installe", true},
        {"", "vantro-test-app", false},
        // A script: the interpreter is the executable, its own name the command's.
        {"/usr/bin/python3.11", "vantro-installe", true},
        // A program whose name only begins like the installer's.
        {"/usr/libexec/vantro-installer-helper", "vantro-installe", false},
        {"/opt/vantro-installer/bin/app", "app", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isInstallerProcess(c.executable, c.command), c.installer)
            << c.executable << " / " << c.command;
    }
}

TEST(ChooseLoadRequestTargets, EachApplicationOnceInProcessOrderWithoutTheInstaller) {
    const auto installerIs = [](pid_t installer) {
        return [installer](pid_t pid) { return pid == installer; };
    };
    struct Case {
        const char* why;
        std::vector<std::string> names;
        pid_t installer;
        std::vector<pid_t> asked;
        std::vector<pid_t> installers;
    };
    const Case cases[] = {
        {"sorted by process id, other names left out",
         {nameOf(30), ":1.3", nameOf(4), "com.quillworks.vantro.Loader", nameOf(200)},
         0,
         {4, 30, 200},
         {}},
        {"a name listed twice is asked once", {nameOf(7), nameOf(7)}, 0, {7}, {}},
        {"the installer is left out", {nameOf(9), nameOf(5), nameOf(12)}, 9, {5, 12}, {9}},
    };
    for (const Case& c : cases) {
        const LoadRequestChoice choice =
            chooseLoadRequestTargets(c.names, installerIs(c.installer));
        std::vector<pid_t> asked;
        for (const LoadRequestTarget& target : choice.toAsk) {
            EXPECT_EQ(target.busName, nameOf(target.pid)) << c.why;
            asked.push_back(target.pid);
        }
        std::vector<pid_t> installers;
        for (const LoadRequestTarget& target : choice.installers) {
            installers.push_back(target.pid);
        }
        EXPECT_EQ(asked, c.asked) << c.why;
        EXPECT_EQ(installers, c.installers) << c.why;
    }
}

TEST(EveryExpectedNamed, WaitsForEachExpectedApplication) {
    const auto choose = [](const std::vector<pid_t>& pids, pid_t installer) {
        std::vector<std::string> names;
        names.reserve(pids.size());
        for (const pid_t pid : pids) {
            names.push_back(nameOf(pid));
        }
        return chooseLoadRequestTargets(names, [installer](pid_t pid) { return pid == installer; });
    };
    struct Case {
        std::set<pid_t> expected;
        std::vector<pid_t> named;
        pid_t installer;
        bool complete;
    };
    const Case cases[] = {
        {{3, 4}, {3}, 0, false},
        {{3, 4}, {4, 3}, 0, true},
        // More names than expected: applications on another display.
        {{3}, {3, 8}, 0, true},
        // A name seen counts, whoever owns it.
        {{3, 9}, {3, 9}, 9, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(everyExpectedNamed(c.expected, choose(c.named, c.installer)), c.complete)
            << ::testing::PrintToString(c.expected) << " named "
            << ::testing::PrintToString(c.named);
    }
}

} // namespace
} // namespace vantro::loader_app
