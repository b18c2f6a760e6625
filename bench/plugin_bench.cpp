// Feature selection of one feature through the settings store, against one
// settings read (objectForKey), the unit the goal is stated in.

#include "plugin/core/feature_keys.h"
#include "plugin/core/feature_selection.h"
#include "plugin/core/store_selection_settings.h"
#include "settings/catalogue.h"
#include "settings/memory_backend.h"
#include "settings/vantro_user_defaults.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vantro;

settings::VantroUserDefaults& defaultsStore() {
    static auto* store = [] {
        auto* s =
            new settings::VantroUserDefaults(std::make_unique<settings::MemoryBackend>(),
                                             settings::BroadcastObject::plugin, settings::kDomain);
        s->registerDefaults(settings::defaultSettings());
        return s;
    }();
    return *store;
}

void oneSettingsRead(benchmark::State& state) {
    const settings::VantroUserDefaults& store = defaultsStore();
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.objectForKey(core::feature::kTopHalf));
    }
}
BENCHMARK(oneSettingsRead);

void selectOneFeature(benchmark::State& state) {
    const core::StoreSelectionSettings settings(defaultsStore());
    platform::ModifierFlags held = platform::kShiftKeyMask | platform::kControlKeyMask;
    for (auto _ : state) {
        benchmark::DoNotOptimize(held);
        // The top half reads the most: its own setting, the whole screen's
        // modifier and the default zoom behaviour.
        benchmark::DoNotOptimize(
            core::featureIsSelected(settings, held, std::nullopt, core::feature::kTopHalf));
    }
}
BENCHMARK(selectOneFeature);

} // namespace
