// Random values of every shape stored under every known key, read through
// the real readers: nothing crashes and each reader answers within its
// contract.

#include "settings/catalogue.h"
#include "settings/gvariant_codec.h"
#include "settings/memory_backend.h"
#include "settings/plist_text.h"
#include "settings/vantro_user_defaults.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace vantro::settings {
namespace {

class RandomValues {
  public:
    explicit RandomValues(std::uint32_t seed) : engine_(seed) {}

    PlistValue next(int depth = 0) {
        switch (pick(depth < 3 ? 6 : 4)) {
        case 0:
            return PlistValue::boolean(pick(2) == 1);
        case 1: {
            const std::int64_t edges[] = {0,
                                          1,
                                          -1,
                                          2,
                                          3,
                                          4,
                                          std::numeric_limits<std::int64_t>::min(),
                                          std::numeric_limits<std::int64_t>::max(),
                                          1LL << 32};
            return PlistValue::integer(pick(2) == 0 ? edges[pick(9)]
                                                    : static_cast<std::int64_t>(engine_()));
        }
        case 2: {
            const double edges[] = {0.0, -0.0, 0.5, -1e308, 1e308, std::nan(""), INFINITY};
            return PlistValue::real(edges[pick(7)]);
        }
        case 3: {
            const char* strings[] = {"",         "1",
                                     "-2",       "yes",
                                     "  9x",     "com.apple.quicktimeplayer",
                                     "\xff\xfe", "VantroPluginEnabled"};
            return PlistValue::string(strings[pick(8)]);
        }
        case 4: {
            Array items;
            const int count = pick(4);
            for (int i = 0; i < count; ++i) {
                items.push_back(next(depth + 1));
            }
            return PlistValue::array(std::move(items));
        }
        default: {
            Dictionary entries;
            const int count = pick(3);
            for (int i = 0; i < count; ++i) {
                entries.insert_or_assign("k" + std::to_string(i), next(depth + 1));
            }
            return PlistValue::dictionary(std::move(entries));
        }
        }
    }

  private:
    int pick(int n) { return static_cast<int>(engine_() % static_cast<std::uint32_t>(n)); }
    std::mt19937 engine_;
};

TEST(RandomValues, EveryKeyReadsSoundlyWhateverIsStored) {
    auto data = std::make_shared<MemoryDomainData>();
    VantroUserDefaults store(std::make_unique<MemoryBackend>(data), BroadcastObject::plugin,
                             kDomain);
    store.registerDefaults(defaultSettings());
    RandomValues random(20261207);
    int accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        const KeyInfo& info = knownKeys()[static_cast<std::size_t>(round) % knownKeys().size()];
        const PlistValue value = random.next();
        ASSERT_TRUE(store.setObject(&value, info.key).ok());
        const PlistValue* read = store.objectForKey(info.key);
        ASSERT_NE(read, nullptr);
        ASSERT_EQ(*read, value); // stored values come back unchanged

        const FeatureSetting feature = readFeatureSetting(read);
        const DisplaySetting display = readDisplaySetting(read);
        const Array* items = read->asArray();
        if (items == nullptr || items->empty()) {
            EXPECT_FALSE(feature.enabled);
            EXPECT_EQ(feature.code, 0);
            EXPECT_EQ(display.mode, -1);
        } else {
            EXPECT_EQ(feature.enabled, items->front().boolValue());
            EXPECT_EQ(feature.code, items->back().integerValue());
        }
        (void)store.boolForKey(info.key);
        (void)store.integerForKey(info.key);
        (void)stringListContains(read, "com.apple.quicktimeplayer");
        accepted += valueHasShape(*read, info.shape) ? 1 : 0;

        // The text form and the dconf encoding hold every random value.
        const TextParseResult text = parseText(toText(value));
        ASSERT_TRUE(text.value.has_value()) << toText(value);
        g_autoptr(GVariant) encoded = g_variant_ref_sink(toGVariant(value));
        EXPECT_EQ(toText(fromGVariant(encoded)).size() > 0, true);
    }
    // Some random values happen to have the right shape; most do not.
    EXPECT_GT(accepted, 0);
    EXPECT_LT(accepted, 3000);
}

} // namespace
} // namespace vantro::settings
