// Delayed calls and animations on a real GLib main loop: cancelling, also from
// inside a call or a step, and what a destroyed scheduler leaves. Their order
// and timing with real zooms are driven by tests/e2e/zoom_button.sh.

#include "platform/gtk/main_loop_scheduler.h"
#include "support/main_loop.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace vantro::gtk {
namespace {

using runtime::Selector;

using testing::spinUntil;

TEST(MainLoopScheduler, CancellingTakesOnlyTheCallsOfItsTargetAndSelector) {
    MainLoopScheduler scheduler;
    std::vector<std::string> ran;
    const int a = 0;
    const int b = 0;
    const Selector first = Selector::named("first");
    const Selector second = Selector::named("second");
    scheduler.performAfterDelay(&a, second, 0.01, [&ran] { ran.emplace_back("a second"); });
    scheduler.performAfterDelay(&a, first, 0.02, [&ran] { ran.emplace_back("a first"); });
    scheduler.performAfterDelay(&b, first, 0.01, [&ran] { ran.emplace_back("b first"); });
    scheduler.cancelPerforms(&a, second);
    scheduler.cancelAllPerforms(&b);
    ASSERT_TRUE(spinUntil([&] { return scheduler.pendingPerformCount() == 0; }));
    EXPECT_EQ(ran, (std::vector<std::string>{"a first"}));
}

TEST(MainLoopScheduler, ACallMayRescheduleOrCancelItself) {
    MainLoopScheduler scheduler;
    const int target = 0;
    const Selector tick = Selector::named("tick");
    int runs = 0;
    std::function<void()> again = [&] {
        ++runs;
        scheduler.cancelPerforms(&target, tick); // nothing pending: harmless
        if (runs < 3) {
            scheduler.performAfterDelay(&target, tick, 0, again);
        }
    };
    scheduler.performAfterDelay(&target, tick, std::numeric_limits<double>::quiet_NaN(), again);
    ASSERT_TRUE(spinUntil([&] { return runs == 3 && scheduler.pendingPerformCount() == 0; }));
}

// An animation cancelled from its own step, then whatever a destroyed
// scheduler still had: nothing runs or ends after.
TEST(MainLoopScheduler, NothingCancelledOrLeftAtDestructionRuns) {
    int steps = 0;
    bool ran = false;
    {
        MainLoopScheduler scheduler;
        std::uint64_t id = 0;
        id = scheduler.animate(
            10, [&](double) { scheduler.cancelAnimation(id), ++steps; }, [&ran] { ran = true; });
        ASSERT_TRUE(spinUntil([&] { return steps == 1; }));
        g_usleep(50000);
        g_main_context_iteration(nullptr, FALSE);
        EXPECT_EQ(steps, 1);
        scheduler.performAfterDelay(&ran, Selector::named("late"), 0.01, [&ran] { ran = true; });
        scheduler.animate(0.01, {}, [&ran] { ran = true; });
    }
    g_usleep(30000);
    for (int i = 0; i < 10; ++i) {
        g_main_context_iteration(nullptr, FALSE);
    }
    EXPECT_FALSE(ran);
}

} // namespace
} // namespace vantro::gtk
