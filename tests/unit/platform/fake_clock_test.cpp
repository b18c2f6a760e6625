#include "platform/fake/fake_clock.h"

#include <gtest/gtest.h>

namespace vantro::platform::fake {
namespace {

using runtime::Selector;

TEST(FakeClock, RunsDelayedCallsInDueOrderOnlyWhenAdvanced) {
    FakeClock clock;
    std::vector<std::string> ran;
    const int target = 0;
    clock.performAfterDelay(&target, Selector::named("late"), 0.65, [&] { ran.push_back("late"); });
    clock.performAfterDelay(&target, Selector::named("early"), 0.1,
                            [&] { ran.push_back("early"); });
    clock.performAfterDelay(&target, Selector::named("tie"), 0.1, [&] { ran.push_back("tie"); });
    EXPECT_TRUE(ran.empty());
    clock.advance(0.099);
    EXPECT_TRUE(ran.empty());
    clock.advance(0.001);
    EXPECT_EQ(ran, (std::vector<std::string>{"early", "tie"}));
    clock.advance(1);
    EXPECT_EQ(ran.back(), "late");
    EXPECT_DOUBLE_EQ(clock.now(), 1.1);
}

TEST(FakeClock, CancelRemovesOnlyTheSameTargetAndSelector) {
    FakeClock clock;
    int a = 0;
    int b = 0;
    int ran = 0;
    const Selector hide = Selector::named("hide");
    clock.performAfterDelay(&a, hide, 0.5, [&] { ran += 1; });
    clock.performAfterDelay(&b, hide, 0.5, [&] { ran += 10; });
    clock.performAfterDelay(&a, Selector::named("other"), 0.5, [&] { ran += 100; });
    clock.cancelPerforms(&a, hide);
    clock.advance(1);
    EXPECT_EQ(ran, 110);
}

TEST(FakeClock, CallsScheduledWhileAdvancingRunWhenDueInTheInterval) {
    FakeClock clock;
    std::vector<double> times;
    const int target = 0;
    clock.performAfterDelay(&target, Selector::named("first"), 0.2, [&] {
        times.push_back(clock.now());
        clock.performAfterDelay(&target, Selector::named("second"), 0.3,
                                [&] { times.push_back(clock.now()); });
    });
    clock.advance(0.6);
    ASSERT_EQ(times.size(), 2U);
    EXPECT_DOUBLE_EQ(times[0], 0.2);
    EXPECT_DOUBLE_EQ(times[1], 0.5);
}

TEST(FakeClock, SelfReschedulingCallCannotHangTheClock) {
    FakeClock clock;
    const int target = 0;
    int runs = 0;
    std::function<void()> again = [&] {
        ++runs;
        clock.performAfterDelay(&target, Selector::named("again"), 0, again);
    };
    clock.performAfterDelay(&target, Selector::named("again"), 0, again);
    clock.advance(1);
    EXPECT_GT(runs, 1000);
    EXPECT_EQ(clock.pendingPerformCount(), 1U);
}

TEST(FakeClock, AnimationStepsForwardAndFinishesOnce) {
    FakeClock clock;
    std::vector<double> progress;
    int done = 0;
    clock.animate(
        0.35, [&](double p) { progress.push_back(p); }, [&] { ++done; });
    clock.advance(0.2);
    EXPECT_EQ(done, 0);
    clock.advance(1);
    EXPECT_EQ(done, 1);
    ASSERT_GE(progress.size(), 20U); // about 21 frames at 60 per second
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_GT(progress.front(), 0.0);
    EXPECT_DOUBLE_EQ(progress.back(), 1.0);
    EXPECT_EQ(clock.runningAnimationCount(), 0U);
}

TEST(FakeClock, AnimationCancelledFromItsOwnStepStops) {
    FakeClock clock;
    int steps = 0;
    int done = 0;
    std::uint64_t id = 0;
    id = clock.animate(
        1.0,
        [&](double) {
            if (++steps == 3) {
                clock.cancelAnimation(id);
            }
        },
        [&] { ++done; });
    clock.advance(2);
    EXPECT_EQ(steps, 3);
    EXPECT_EQ(done, 0);
}

TEST(FakeClock, ZeroOrNegativeDurationsFinishAtTheNextTurn) {
    FakeClock clock;
    int done = 0;
    clock.animate(0, nullptr, [&] { ++done; });
    clock.animate(-1, nullptr, [&] { ++done; });
    clock.advance(0);
    EXPECT_EQ(done, 2);
}

} // namespace
} // namespace vantro::platform::fake
