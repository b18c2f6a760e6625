// Choosing the applications to ask from the session bus's names.

#include "request_targets.h"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <algorithm>
#include <set>

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

// Any mix of application names (some twice), other names and one
// installer: each application is asked once, in process order, the installer
// never, and the loader has waited long enough once each expected one is named.
RC_GTEST_PROP(ChooseLoadRequestTargets, EachApplicationOnceInProcessOrderWithoutTheInstaller, ()) {
    const auto pids = *rc::gen::container<std::vector<pid_t>>(rc::gen::inRange<pid_t>(1, 50));
    const pid_t installer = *rc::gen::inRange<pid_t>(1, 50);
    std::vector<std::string> names;
    names.reserve(pids.size() + 2);
    for (const pid_t pid : pids) {
        names.push_back(nameOf(pid));
    }
    for (const char* other : {":1.3", "com.quillworks.vantro.Loader"}) {
        names.insert(names.begin() + *rc::gen::inRange<std::ptrdiff_t>(
                                         0, static_cast<std::ptrdiff_t>(names.size()) + 1),
                     other);
    }
    const LoadRequestChoice choice =
        chooseLoadRequestTargets(names, [installer](pid_t pid) { return pid == installer; });
    std::set<pid_t> applications(pids.begin(), pids.end());
    const bool installerNamed = applications.erase(installer) == 1;
    std::vector<LoadRequestTarget> expected;
    expected.reserve(applications.size());
    for (const pid_t pid : applications) {
        expected.push_back({nameOf(pid), pid});
    }
    RC_ASSERT(choice.toAsk == expected);
    RC_ASSERT(choice.installers ==
              (installerNamed ? std::vector<LoadRequestTarget>{{nameOf(installer), installer}}
                              : std::vector<LoadRequestTarget>{}));
    // A name seen counts, whoever owns it; more names than expected are
    // applications on another display.
    const std::set<pid_t> waitedFor =
        *rc::gen::container<std::set<pid_t>>(rc::gen::inRange<pid_t>(1, 50));
    const bool allNamed = std::ranges::all_of(
        waitedFor, [&pids](pid_t pid) { return std::ranges::find(pids, pid) != pids.end(); });
    RC_ASSERT(everyExpectedNamed(waitedFor, choice) == allNamed);
}

} // namespace
} // namespace vantro::loader_app
