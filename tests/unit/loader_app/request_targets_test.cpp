// Choosing the applications to ask from the session bus's names, and
// telling whether a process runs on the loader's display.

#include "request_targets.h"
#include "x_display_name.h"

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

// Names any client may own; the installer found by name as
// tests/e2e/loader_app.sh starts it is there too.
TEST(LoadRequestName, CarriesAProcessIdAndTheInstallerIsKnownByItsProgram) {
    const std::string prefix = kPrefix;
    for (const std::string& name :
         {prefix + "0", prefix + "012", prefix + "+12", prefix + "12a", prefix + "99999999999",
          std::string("com.quillworks.vantro.LoaderX.p12")}) {
        EXPECT_EQ(pidInLoadRequestName(name), std::nullopt) << name;
    }
    EXPECT_EQ(pidInLoadRequestName(nameOf(4194304)), 4194304);
    // A script's executable is its interpreter; a longer program name is another program.
    EXPECT_TRUE(isInstallerProcess("/usr/bin/python3.11", "vantro-installe"));
    EXPECT_FALSE(isInstallerProcess("/usr/libexec/vantro-installer-helper", "vantro-installe"));
    EXPECT_FALSE(isInstallerProcess("/opt/vantro-installer/bin/app", "app"));
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

TEST(SameXDisplay, SameHostAndNumberWhateverTheScreen) {
    struct Case {
        const char* a;
        const char* b;
        bool same;
    };
    const Case cases[] = {
        {":0.1", ":0.0", true},
        {"unix:3", ":3", true},
        {":07", ":7", true},
        {":1", ":10", false},
        {"localhost:10.0", ":10", false},
        {"host:2", "host:2.0", true},
        {"0", "0", false},
        {":0.", ":0", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sameXDisplay(c.a, c.b), c.same) << '"' << c.a << "\" \"" << c.b << '"';
        EXPECT_EQ(sameXDisplay(c.b, c.a), c.same) << '"' << c.b << "\" \"" << c.a << '"';
    }
}

} // namespace
} // namespace vantro::loader_app
