#pragma once

// Delayed calls and animations on the GLib main loop, as the GTK backend
// offers them to the plug-in: calls are keyed by target and selector so that
// they can be cancelled like the toolkit's delayed performs, and animations
// step at the display's usual 60 frames per second until their duration has
// passed. Main thread only.

#include "runtime/selector.h"

#include <glib.h>

#include <cstdint>
#include <functional>
#include <unordered_map>

namespace vantro::gtk {

class MainLoopScheduler {
  public:
    static constexpr unsigned kFrameIntervalMs = 16;

    MainLoopScheduler() = default;
    ~MainLoopScheduler();
    MainLoopScheduler(const MainLoopScheduler&) = delete;
    MainLoopScheduler& operator=(const MainLoopScheduler&) = delete;

    // Seconds on the monotonic clock.
    [[nodiscard]] static double now();

    // Runs `action` once after `delay` seconds (at once for a negative or
    // non-finite delay, on the next turn of the loop).
    void performAfterDelay(const void* target, runtime::Selector selector, double delay,
                           std::function<void()> action);
    void cancelPerforms(const void* target, runtime::Selector selector);
    void cancelAllPerforms(const void* target);
    [[nodiscard]] std::size_t pendingPerformCount() const { return performs_.size(); }

    // Calls `step` with the progress (0 to 1) on every frame for `duration`
    // seconds, then with 1, then `done`. Cancelling stops it without `done`.
    std::uint64_t animate(double duration, std::function<void(double progress)> step,
                          std::function<void()> done);
    void cancelAnimation(std::uint64_t id);
    [[nodiscard]] std::size_t runningAnimationCount() const { return animations_.size(); }

  private:
    struct Perform {
        const void* target;
        runtime::Selector selector;
        std::function<void()> action;
    };
    struct Animation {
        guint source;
        double start;
        double duration;
        std::function<void(double)> step;
        std::function<void()> done;
    };
    struct Callback {
        MainLoopScheduler* scheduler;
        std::uint64_t key;
    };

    static void freeCallback(gpointer data);
    static gboolean firePerform(gpointer data);
    static gboolean stepAnimation(gpointer data);
    void removePerform(std::uint64_t key);

    std::uint64_t nextKey_ = 1;
    std::unordered_map<std::uint64_t, Perform> performs_;
    std::unordered_map<std::uint64_t, guint> performSources_;
    std::unordered_map<std::uint64_t, Animation> animations_;
};

} // namespace vantro::gtk
