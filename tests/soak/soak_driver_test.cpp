// The soak driver's own logic: reading the resident set, judging growth,
// the action mix's limits on windows, and telling a running process from
// one that has exited.

#include "action_mix.h"
#include "memory_verdict.h"
#include "process_watch.h"

#include <gtest/gtest.h>

#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace vantro::soak {
namespace {

TEST(ResidentKib, ReadsTheVmRssLine) {
    struct Case {
        const char* status = nullptr;
        std::optional<std::int64_t> kib;
    };
    const Case cases[] = {
        {"Name:\tapp\nVmHWM:\t  9000 kB\nVmRSS:\t   81234 kB\nRssAnon:\t 1 kB\n", 81234},
        {"VmRSS:\t0 kB\n", 0},
        {"Name:\tzombie\nState:\tZ (zombie)\n", std::nullopt},
        {"Name:\tVmRSS: 5 kB\n", std::nullopt}, // the label must start a line
        {"VmRSS:\t12 MB\n", std::nullopt},
        {"VmRSS:\t\n", std::nullopt},
        {"VmRSS:\t-3 kB\n", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseResidentKib(c.status), c.kib) << c.status;
    }
}

TEST(ResidentKib, ReadsThisProcess) {
    const std::optional<std::int64_t> rss = residentKib(getpid());
    ASSERT_TRUE(rss.has_value());
    EXPECT_GT(*rss, 0);
}

TEST(MemoryVerdict, AllowsTheLargerOfFloorAndShare) {
    struct Case {
        std::int64_t warmup, end, floor;
        double share;
        std::int64_t growth, allowed;
        bool flat;
    };
    const Case cases[] = {
        {100000, 104000, 4096, 0.05, 4000, 5000, true},  // the share is larger
        {100000, 105001, 4096, 0.05, 5001, 5000, false}, // just beyond it
        {20000, 24096, 4096, 0.05, 4096, 4096, true},    // the floor is larger
        {20000, 24097, 4096, 0.05, 4097, 4096, false},
        {100000, 90000, 0, 0.0, -10000, 0, true}, // shrinking is flat
        {100000, 100001, 0, 0.0, 1, 0, false},    // no tolerance at all
        {100000, 100000, -5, -1.0, 0, 0, true},   // negative tolerances are none
    };
    for (const Case& c : cases) {
        const MemoryVerdict verdict = judgeMemory(c.warmup, c.end, {c.floor, c.share});
        EXPECT_EQ(verdict.growthKib, c.growth) << c.warmup << " to " << c.end;
        EXPECT_EQ(verdict.allowedKib, c.allowed) << c.warmup << " to " << c.end;
        EXPECT_EQ(verdict.flat, c.flat) << c.warmup << " to " << c.end;
    }
}

TEST(ActionMix, KeepsASpareWindowAndNoMoreThanTheMost) {
    std::mt19937 random(1);
    std::set<ActionKind> seen;
    for (int i = 0; i < 20000; ++i) {
        const auto windows = static_cast<std::size_t>(i % 6); // 0 to 5, the most 4
        const ActionKind kind = chooseAction(random, windows, 4);
        seen.insert(kind);
        if (windows < 2) {
            EXPECT_EQ(kind, ActionKind::openWindow) << windows << " windows";
        }
        if (windows <= 2) {
            EXPECT_NE(kind, ActionKind::closeWindow) << windows << " windows";
        }
        if (windows >= 4) {
            EXPECT_NE(kind, ActionKind::openWindow) << windows << " windows";
        }
    }
    EXPECT_EQ(seen.size(), kActionKindCount);
    // With one window allowed, nothing is opened or closed once it is open.
    for (int i = 0; i < 2000; ++i) {
        const ActionKind kind = chooseAction(random, 1, 1);
        EXPECT_NE(kind, ActionKind::openWindow);
        EXPECT_NE(kind, ActionKind::closeWindow);
    }
    EXPECT_EQ(chooseAction(random, 0, 1), ActionKind::openWindow);
}

TEST(ActionMix, ASeedReplaysTheSameChoices) {
    std::mt19937 first(8004);
    std::mt19937 second(8004);
    for (int i = 0; i < 500; ++i) {
        ASSERT_EQ(chooseAction(first, 2, 4), chooseAction(second, 2, 4));
        ASSERT_EQ(chooseModifiers(first, kAllModifiers, 0.3),
                  chooseModifiers(second, kAllModifiers, 0.3));
    }
}

TEST(ActionMix, ModifiersComeFromTheTypeableOnes) {
    std::mt19937 random(3);
    unsigned everSeen = 0;
    for (int i = 0; i < 2000; ++i) {
        const unsigned chosen = chooseModifiers(random, kShift | kSuper, 0.5);
        EXPECT_EQ(chosen & ~(kShift | kSuper), 0U);
        everSeen |= chosen;
    }
    EXPECT_EQ(everSeen, kShift | kSuper);
    EXPECT_EQ(chooseModifiers(random, kAllModifiers, 0.0), kNoModifier);
    EXPECT_EQ(chooseModifiers(random, kAllModifiers, 1.0), kAllModifiers);
}

TEST(ProcessWatch, TellsAnExitedChildFromARunningOne) {
    EXPECT_TRUE(processIsRunning(getpid()));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        _exit(0);
    }
    // Not yet reaped: a zombie, which has exited.
    for (int i = 0; i < 200 && processIsRunning(child); ++i) {
        usleep(10000);
    }
    EXPECT_FALSE(processIsRunning(child));
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_FALSE(processIsRunning(child)); // gone altogether
}

} // namespace
} // namespace vantro::soak
