#include "platform/fake/fake_clock.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vantro::platform::fake {

void FakeClock::performAfterDelay(const void* target, runtime::Selector selector, double delay,
                                  std::function<void()> action) {
    // A negative or NaN delay runs at the next turn, as the main loop would.
    const double safeDelay = std::isfinite(delay) && delay > 0 ? delay : 0;
    performs_.push_back(
        Perform{now_ + safeDelay, nextOrder_++, target, selector, std::move(action)});
}

void FakeClock::cancelPerforms(const void* target, runtime::Selector selector) {
    std::erase_if(performs_,
                  [&](const Perform& p) { return p.target == target && p.selector == selector; });
}

void FakeClock::cancelAllPerforms(const void* target) {
    std::erase_if(performs_, [&](const Perform& p) { return p.target == target; });
}

std::uint64_t FakeClock::animate(double duration, std::function<void(double)> step,
                                 std::function<void()> done) {
    const std::uint64_t id = nextAnimationId_++;
    const double safeDuration = std::isfinite(duration) && duration > 0 ? duration : 0;
    animations_.push_back(
        Animation{id, now_, safeDuration, now_ + kFrameInterval, std::move(step), std::move(done)});
    return id;
}

void FakeClock::cancelAnimation(std::uint64_t id) {
    std::erase_if(animations_, [id](const Animation& a) { return a.id == id; });
}

double FakeClock::nextDue() const {
    double due = std::numeric_limits<double>::infinity();
    for (const Perform& p : performs_) {
        due = std::min(due, p.due);
    }
    for (const Animation& a : animations_) {
        due = std::min(due, std::min(a.nextFrame, a.start + a.duration));
    }
    return due;
}

void FakeClock::runDueAt(double time) {
    now_ = time;
    // Delayed calls first, in due then scheduling order; one at a time, since
    // a call may schedule or cancel others. Calls scheduled during this turn
    // wait for the next one, like a main loop's sources.
    const std::uint64_t turnEnd = nextOrder_;
    while (true) {
        auto next = performs_.end();
        for (auto p = performs_.begin(); p != performs_.end(); ++p) {
            if (p->order < turnEnd && p->due <= time &&
                (next == performs_.end() || p->due < next->due ||
                 (p->due == next->due && p->order < next->order))) {
                next = p;
            }
        }
        if (next == performs_.end()) {
            break;
        }
        std::function<void()> action = std::move(next->action);
        performs_.erase(next);
        action();
    }
    // Then animation frames that are due; finished animations end with a
    // step at progress 1 and their completion.
    std::vector<std::uint64_t> due;
    for (const Animation& a : animations_) {
        if (a.nextFrame <= time || a.start + a.duration <= time) {
            due.push_back(a.id);
        }
    }
    for (std::uint64_t id : due) {
        auto found = std::find_if(animations_.begin(), animations_.end(),
                                  [id](const Animation& a) { return a.id == id; });
        if (found == animations_.end()) {
            continue; // cancelled by an earlier step
        }
        // Finished by the same test that made it due: start + duration can
        // reach `time` while time - start, rounded, stays below duration, and
        // the animation would step at just under 1 for ever.
        const double elapsed = time - found->start;
        if (found->duration <= 0 || found->start + found->duration <= time) {
            Animation finished = std::move(*found);
            animations_.erase(found);
            if (finished.step) {
                finished.step(1.0);
            }
            if (finished.done) {
                finished.done();
            }
            continue;
        }
        found->nextFrame = time + kFrameInterval;
        const auto step = found->step; // the step may cancel its own animation
        if (step) {
            step(elapsed / found->duration);
        }
    }
}

namespace {
// Bounds every run of the clock, so that a call that keeps rescheduling
// itself without delay cannot hang a test.
constexpr int kMaxTurns = 1000000;
} // namespace

void FakeClock::advance(double seconds) {
    const double end = now_ + (std::isfinite(seconds) && seconds > 0 ? seconds : 0);
    for (int turn = 0; turn < kMaxTurns; ++turn) {
        const double due = nextDue();
        if (due > end) {
            break;
        }
        runDueAt(std::max(due, now_));
    }
    now_ = end;
}

void FakeClock::runUntilIdle(double limitSeconds) {
    const double end = now_ + limitSeconds;
    for (int turn = 0; turn < kMaxTurns && (!performs_.empty() || !animations_.empty()); ++turn) {
        const double due = nextDue();
        if (due > end) {
            break;
        }
        runDueAt(std::max(due, now_));
    }
}

} // namespace vantro::platform::fake
