// One zoom through the plug-in's hooks on the fake backend (gate, feature
// selection, layout, size checks, execution, history and HUD bookkeeping),
// against the bare setFrame:display: send that a zoom ends in; and the heap
// after many zoom/undo cycles on one window, to show that nothing grows with
// the number of zooms.

#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_window.h"
#include "platform/window.h"
#include "plugin/entry/window_hooks.h"
#include "settings/catalogue.h"
#include "settings/memory_backend.h"
#include "settings/vantro_user_defaults.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

namespace {

using namespace vantro;
using platform::fake::FakePlatform;
using platform::fake::FakeWindow;

// The plug-in as a host runs it: settings with their defaults (animation
// off), the hooks installed on the window class, one window on one screen.
struct ZoomBench {
    ZoomBench() {
        auto store = std::make_unique<settings::VantroUserDefaults>(
            std::make_unique<settings::MemoryBackend>(), settings::BroadcastObject::plugin,
            settings::kDomain);
        store->registerDefaults(settings::defaultSettings());
        const settings::PlistValue noAnimation = settings::PlistValue::array(
            {settings::PlistValue::boolean(false), settings::PlistValue::integer(-1)});
        (void)store->setObject(&noAnimation, "VantroAnimateZooms");
        settings::VantroUserDefaults::installStandardUserDefaults(std::move(store));
        entry::installWindowHooks(FakeWindow::windowClass());
        platform.screenList = {{Rect(0, 0, 1440, 900), Rect(0, 0, 1440, 878)}};
        window.frame = Rect(100, 100, 800, 600);
        platform.holdModifiers(platform::kControlKeyMask); // the left half
    }

    // One zoom; every other one is the undo of the one before.
    void zoom() { platform::zoom(&window, nullptr); }

    FakePlatform platform;
    FakeWindow window{platform};
};

ZoomBench& bench() {
    static auto* instance = new ZoomBench;
    return *instance;
}

void bareSetFrameDisplay(benchmark::State& state) {
    ZoomBench& b = bench();
    const Rect frames[2] = {Rect(0, 0, 720, 878), Rect(100, 100, 800, 600)};
    std::size_t i = 0;
    for (auto _ : state) {
        platform::setFrameDisplay(&b.window, frames[i++ & 1U], true);
    }
    b.window.actions.clear();
}
BENCHMARK(bareSetFrameDisplay);

// The fake clock holds the HUD's fade and the dimension tab's removal, which
// a host's main loop runs later; they are run here every 256 zooms, inside
// the timing, so their cost is counted too.
void zoomWithoutAnimation(benchmark::State& state) {
    ZoomBench& b = bench();
    std::size_t i = 0;
    for (auto _ : state) {
        b.zoom();
        if ((++i & 255U) == 0) {
            b.platform.clock.advance(2);
            b.window.actions.clear();
        }
    }
    b.platform.clock.advance(2);
    b.window.actions.clear();
}
BENCHMARK(zoomWithoutAnimation);

std::size_t heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// 100,000 zoom/undo cycles after 1,000 to warm up; reports the heap in use
// before and after, and the growth per cycle.
void zoomUndoCyclesHeap(benchmark::State& state) {
    ZoomBench& b = bench();
    constexpr int kWarmUp = 1000;
    constexpr int kCycles = 100000;
    const auto cycle = [&b](int count) {
        for (int i = 0; i < count; ++i) {
            b.zoom();
            b.zoom();
            if ((i & 127) == 0) {
                b.platform.clock.advance(2);
                b.window.actions.clear();
            }
        }
        b.platform.clock.advance(2);
        b.window.actions.clear();
    };
    for (auto _ : state) {
        cycle(kWarmUp);
        const std::size_t before = heapInUse();
        cycle(kCycles);
        const std::size_t after = heapInUse();
        state.counters["heapBeforeBytes"] = static_cast<double>(before);
        state.counters["heapAfterBytes"] = static_cast<double>(after);
        state.counters["growthBytesPerCycle"] =
            (static_cast<double>(after) - static_cast<double>(before)) / kCycles;
    }
}
BENCHMARK(zoomUndoCyclesHeap)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
