// objectForKey of a stored key through the dconf-backed store, against a
// lookup of the same keys in a std::unordered_map (the baseline), and
// against reading the key from dconf itself on every call (what the store
// avoids). Run under tools/with-private-session: it writes the keys first.

#include "settings/catalogue.h"
#include "settings/dconf_backend.h"
#include "settings/gvariant_codec.h"
#include "settings/vantro_user_defaults.h"

#include <benchmark/benchmark.h>
#include <dconf.h>
#include <unordered_map>

namespace {

using namespace vantro::settings;

const char* const kKey = "VantroMaximizeLeftHalf";

VantroUserDefaults& storeWithKeysWritten() {
    static VantroUserDefaults* store = [] {
        auto* s = new VantroUserDefaults(std::make_unique<DconfBackend>(),
                                         BroadcastObject::prefPane, kDomain);
        s->registerDefaults(defaultSettings());
        for (const auto& [key, value] : defaultSettings()) {
            s->setObject(&value, key);
        }
        return s;
    }();
    return *store;
}

void unorderedMapLookup(benchmark::State& state) {
    std::unordered_map<std::string, PlistValue> map;
    for (const auto& [key, value] : defaultSettings()) {
        map.emplace(key, value);
    }
    const std::string key = kKey;
    for (auto _ : state) {
        auto found = map.find(key);
        benchmark::DoNotOptimize(&found->second);
    }
}
BENCHMARK(unorderedMapLookup);

void storeObjectForKey(benchmark::State& state) {
    VantroUserDefaults& store = storeWithKeysWritten();
    if (!store.isStored(kKey)) {
        state.SkipWithError("no dconf database: run under tools/with-private-session");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.objectForKey(kKey));
    }
}
BENCHMARK(storeObjectForKey);

void dconfReadAndDecode(benchmark::State& state) {
    storeWithKeysWritten();
    DConfClient* client = dconf_client_new();
    const std::string path = dconfPathForDomain(kDomain) + kKey;
    for (auto _ : state) {
        GVariant* value = dconf_client_read(client, path.c_str());
        if (value != nullptr) {
            PlistValue decoded = fromGVariant(value);
            benchmark::DoNotOptimize(&decoded);
            g_variant_unref(value);
        }
    }
    g_object_unref(client);
}
BENCHMARK(dconfReadAndDecode);

} // namespace
