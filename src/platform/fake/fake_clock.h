#pragma once

// Deterministic time for tests: delayed calls and animations run only when a
// test advances the clock, in due-time order (ties in the order scheduled).
// Animations step at 60 frames per second of fake time.

#include "runtime/selector.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace vantro::platform::fake {

class FakeClock {
  public:
    static constexpr double kFrameInterval = 1.0 / 60.0;

    [[nodiscard]] double now() const { return now_; }

    void performAfterDelay(const void* target, runtime::Selector selector, double delay,
                           std::function<void()> action);
    void cancelPerforms(const void* target, runtime::Selector selector);
    void cancelAllPerforms(const void* target);
    [[nodiscard]] std::size_t pendingPerformCount() const { return performs_.size(); }

    std::uint64_t animate(double duration, std::function<void(double)> step,
                          std::function<void()> done);
    void cancelAnimation(std::uint64_t id);
    [[nodiscard]] std::size_t runningAnimationCount() const { return animations_.size(); }

    // Moves time forward by `seconds`, running every call and animation frame
    // that falls due on the way. Calls scheduled while advancing run too when
    // they fall due within the interval.
    void advance(double seconds);
    // Advances until nothing is pending (bounded, so a call that keeps
    // rescheduling itself cannot hang a test).
    void runUntilIdle(double limitSeconds = 60);

  private:
    struct Perform {
        double due;
        std::uint64_t order;
        const void* target;
        runtime::Selector selector;
        std::function<void()> action;
    };
    struct Animation {
        std::uint64_t id;
        double start;
        double duration;
        double nextFrame;
        std::function<void(double)> step;
        std::function<void()> done;
    };
    [[nodiscard]] double nextDue() const;
    void runDueAt(double time);

    double now_ = 0;
    std::uint64_t nextOrder_ = 0;
    std::uint64_t nextAnimationId_ = 1;
    std::vector<Perform> performs_;
    std::vector<Animation> animations_;
};

} // namespace vantro::platform::fake
