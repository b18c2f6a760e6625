// One resize drag step through the plug-in's setFrame:display: hook on the
// fake backend with every resize feature engaged, against the same step with
// the plug-in switched off (the gate fails and the host's implementation
// runs). Each reports the heap allocations it made per step after the
// drag's first steps.

#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_window.h"
#include "platform/window.h"
#include "plugin/entry/window_hooks.h"
#include "settings/catalogue.h"
#include "settings/memory_backend.h"
#include "settings/vantro_user_defaults.h"
#include "support/allocation_counter.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vantro;
using platform::fake::FakePlatform;
using platform::fake::FakeWindow;

constexpr platform::ModifierFlags kEveryFeature =
    platform::kShiftKeyMask | platform::kControlKeyMask | platform::kAlternateKeyMask |
    platform::kCommandKeyMask;

struct DragBench {
    DragBench() {
        auto store = std::make_unique<settings::VantroUserDefaults>(
            std::make_unique<settings::MemoryBackend>(), settings::BroadcastObject::plugin,
            settings::kDomain);
        defaults = store.get();
        store->registerDefaults(settings::defaultSettings());
        settings::VantroUserDefaults::installStandardUserDefaults(std::move(store));
        entry::installWindowHooks(FakeWindow::windowClass());
        platform.screenList = {{Rect(0, 0, 1440, 900), Rect(0, 40, 1440, 838)}};
    }

    void setEnabled(bool enabled) {
        const settings::PlistValue value = settings::PlistValue::boolean(enabled);
        (void)defaults->setObject(&value, "VantroPluginEnabled");
    }

    // A drag started at the window's bottom-right corner, with a few steps
    // behind it, so that the drag's state exists.
    void startDrag() {
        window.frame = Rect(100, 200, 600, 400);
        platform.mouse = Point(700, 200);
        runtime::send<void>(&window, platform::sel::startLiveResize());
        for (int i = 0; i < 4; ++i) {
            step(i);
        }
    }

    void step(std::size_t i) {
        const Point mouse(640 + static_cast<double>(i % 7), 240 + static_cast<double>(i % 5));
        platform.mouse = mouse;
        platform::Event event;
        event.type = platform::EventType::leftMouseDragged;
        event.locationOnScreen = mouse;
        event.modifierFlags = kEveryFeature;
        platform.event = event;
        const Rect current = window.frame;
        platform::setFrameDisplay(
            &window,
            Rect(current.minX(), mouse.y, mouse.x - current.minX(), current.maxY() - mouse.y),
            true);
    }

    void endDrag() {
        runtime::send<void>(&window, platform::sel::endLiveResize());
        platform.clock.advance(1);
        window.actions.clear();
        platform.cursorsSet.clear();
    }

    FakePlatform platform;
    FakeWindow window{platform};
    settings::VantroUserDefaults* defaults = nullptr;
};

DragBench& bench() {
    static auto* instance = new DragBench;
    return *instance;
}

void runSteps(benchmark::State& state, bool enabled) {
    DragBench& b = bench();
    b.setEnabled(enabled);
    b.startDrag();
    b.window.actions.reserve(1U << 22U);
    b.platform.cursorsSet.reserve(1U << 23U);
    const testing::AllocationScope scope;
    std::size_t i = 0;
    std::size_t steps = 0;
    for (auto _ : state) {
        b.step(i++);
        ++steps;
        // The fake host records every action; cleared in bulk, outside the
        // timing, so the records never grow the vectors.
        if (b.window.actions.size() > (1U << 21U)) {
            state.PauseTiming();
            b.window.actions.clear();
            b.platform.cursorsSet.clear();
            state.ResumeTiming();
        }
    }
    state.counters["allocationsPerStep"] =
        static_cast<double>(scope.allocations()) / static_cast<double>(steps);
    b.endDrag();
    b.setEnabled(true);
}

void dragStepPluginDisabled(benchmark::State& state) {
    runSteps(state, false);
}
BENCHMARK(dragStepPluginDisabled);

void dragStepEveryFeature(benchmark::State& state) {
    runSteps(state, true);
}
BENCHMARK(dragStepEveryFeature);

} // namespace
