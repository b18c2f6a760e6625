#include "platform/gtk/main_loop_scheduler.h"

#include "runtime/trace_log.h"

#include <cmath>
#include <vector>

namespace vantro::gtk {

namespace {

guint delayInMilliseconds(double delay) {
    if (!std::isfinite(delay) || delay <= 0) {
        return 0;
    }
    // Beyond about 49 days a timeout would wrap; nothing waits that long.
    constexpr double kLongest = 4.0e6;
    return static_cast<guint>(std::lround(std::fmin(delay, kLongest) * 1000.0));
}

// One frame of an animation; with the trace switch VTAnimation on, how long
// it held the host's main loop, for bench/x11/animation.
void timedStep(const std::function<void(double)>& step, double progress, double elapsed) {
    const double began = MainLoopScheduler::now();
    step(progress);
    VANTRO_TRACE("VTAnimation", "frame at %.1f ms, progress %.3f, took %.3f ms", elapsed * 1000,
                 progress, (MainLoopScheduler::now() - began) * 1000);
}

} // namespace

void MainLoopScheduler::freeCallback(gpointer data) {
    delete static_cast<Callback*>(data);
}

MainLoopScheduler::~MainLoopScheduler() {
    for (const auto& [key, source] : performSources_) {
        g_source_remove(source);
    }
    for (const auto& [key, animation] : animations_) {
        g_source_remove(animation.source);
    }
}

double MainLoopScheduler::now() {
    return static_cast<double>(g_get_monotonic_time()) / 1.0e6;
}

void MainLoopScheduler::performAfterDelay(const void* target, runtime::Selector selector,
                                          double delay, std::function<void()> action) {
    const std::uint64_t key = nextKey_++;
    performs_.emplace(key, Perform{target, selector, std::move(action)});
    const guint source = g_timeout_add_full(
        G_PRIORITY_DEFAULT, delayInMilliseconds(delay), &MainLoopScheduler::firePerform,
        new Callback{this, key}, &MainLoopScheduler::freeCallback);
    performSources_.emplace(key, source);
}

void MainLoopScheduler::removePerform(std::uint64_t key) {
    if (const auto source = performSources_.find(key); source != performSources_.end()) {
        g_source_remove(source->second);
        performSources_.erase(source);
    }
    performs_.erase(key);
}

void MainLoopScheduler::cancelPerforms(const void* target, runtime::Selector selector) {
    std::vector<std::uint64_t> keys;
    for (const auto& [key, perform] : performs_) {
        if (perform.target == target && perform.selector == selector) {
            keys.push_back(key);
        }
    }
    for (const std::uint64_t key : keys) {
        removePerform(key);
    }
}

void MainLoopScheduler::cancelAllPerforms(const void* target) {
    std::vector<std::uint64_t> keys;
    for (const auto& [key, perform] : performs_) {
        if (perform.target == target) {
            keys.push_back(key);
        }
    }
    for (const std::uint64_t key : keys) {
        removePerform(key);
    }
}

gboolean MainLoopScheduler::firePerform(gpointer data) {
    const auto* callback = static_cast<Callback*>(data);
    MainLoopScheduler& scheduler = *callback->scheduler;
    const auto found = scheduler.performs_.find(callback->key);
    if (found == scheduler.performs_.end()) {
        return G_SOURCE_REMOVE;
    }
    // Taken out before it runs, so the action may schedule or cancel
    // anything, itself included.
    std::function<void()> action = std::move(found->second.action);
    scheduler.performs_.erase(found);
    scheduler.performSources_.erase(callback->key);
    if (action) {
        action();
    }
    return G_SOURCE_REMOVE;
}

std::uint64_t MainLoopScheduler::animate(double duration, std::function<void(double)> step,
                                         std::function<void()> done) {
    const std::uint64_t key = nextKey_++;
    const double safeDuration = std::isfinite(duration) && duration > 0 ? duration : 0;
    const guint source =
        g_timeout_add_full(G_PRIORITY_DEFAULT, kFrameIntervalMs, &MainLoopScheduler::stepAnimation,
                           new Callback{this, key}, &MainLoopScheduler::freeCallback);
    animations_.emplace(key,
                        Animation{source, now(), safeDuration, std::move(step), std::move(done)});
    return key;
}

void MainLoopScheduler::cancelAnimation(std::uint64_t id) {
    if (const auto found = animations_.find(id); found != animations_.end()) {
        g_source_remove(found->second.source);
        animations_.erase(found);
    }
}

gboolean MainLoopScheduler::stepAnimation(gpointer data) {
    const auto* callback = static_cast<Callback*>(data);
    MainLoopScheduler& scheduler = *callback->scheduler;
    const auto found = scheduler.animations_.find(callback->key);
    if (found == scheduler.animations_.end()) {
        return G_SOURCE_REMOVE;
    }
    Animation& animation = found->second;
    const double elapsed = now() - animation.start;
    const double progress =
        animation.duration > 0 ? std::fmin(1.0, elapsed / animation.duration) : 1.0;
    if (progress < 1.0) {
        // Held outside the table while it runs: the step may cancel its own
        // animation, which must not destroy the function being called.
        std::function<void(double)> step = std::move(animation.step);
        if (step) {
            timedStep(step, progress, elapsed);
        }
        const auto still = scheduler.animations_.find(callback->key);
        if (still == scheduler.animations_.end()) {
            return G_SOURCE_REMOVE;
        }
        still->second.step = std::move(step);
        return G_SOURCE_CONTINUE;
    }
    // The last frame: taken out first, so `done` may start a new animation.
    std::function<void(double)> step = std::move(animation.step);
    std::function<void()> done = std::move(animation.done);
    scheduler.animations_.erase(found);
    if (step) {
        timedStep(step, 1.0, elapsed);
    }
    if (done) {
        done();
    }
    return G_SOURCE_REMOVE;
}

} // namespace vantro::gtk
