// Values of every shape, generated: both encodings give them back, and
// every key's readers answer within their contract whatever is stored.

#include "settings/catalogue.h"
#include "settings/gvariant_codec.h"
#include "settings/memory_backend.h"
#include "settings/plist_text.h"
#include "settings/vantro_user_defaults.h"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <cmath>

namespace vantro::settings {
namespace {

// Text of printable ASCII and control characters: GVariant strings hold
// no NUL and only valid UTF-8.
std::string anyText() {
    return *rc::gen::container<std::string>(rc::gen::inRange<char>(1, 127));
}

PlistValue anyValue(int depth = 0) {
    switch (*rc::gen::inRange(0, depth < 3 ? 6 : 4)) {
    case 0:
        return PlistValue::boolean(*rc::gen::arbitrary<bool>());
    case 1:
        return PlistValue::integer(*rc::gen::arbitrary<std::int64_t>());
    case 2: {
        const double real = *rc::gen::arbitrary<double>();
        return PlistValue::real(std::isnan(real) ? 0.5 : real);
    }
    case 3:
        return PlistValue::string(anyText());
    case 4: {
        Array items(*rc::gen::inRange<std::size_t>(0, 4));
        for (PlistValue& item : items) {
            item = anyValue(depth + 1);
        }
        return PlistValue::array(std::move(items));
    }
    default: {
        Dictionary entries;
        for (int i = *rc::gen::inRange(0, 3); i > 0; --i) {
            entries.insert_or_assign(anyText(), anyValue(depth + 1));
        }
        return PlistValue::dictionary(std::move(entries));
    }
    }
}

RC_GTEST_PROP(SettingsValues, TextAndDconfEncodingsGiveEveryValueBack, ()) {
    const PlistValue value = anyValue();
    const TextParseResult text = parseText(toText(value));
    RC_ASSERT(text.value.has_value());
    RC_ASSERT(*text.value == value);
    g_autoptr(GVariant) encoded = g_variant_ref_sink(toGVariant(value));
    RC_ASSERT(fromGVariant(encoded) == value);
}

RC_GTEST_PROP(SettingsValues, EveryKeyReadsSoundlyWhateverIsStored, ()) {
    VantroUserDefaults store(std::make_unique<MemoryBackend>(std::make_shared<MemoryDomainData>()),
                             BroadcastObject::plugin, kDomain);
    store.registerDefaults(defaultSettings());
    const KeyInfo& info = *rc::gen::elementOf(knownKeys());
    const PlistValue value = anyValue();
    RC_ASSERT(store.setObject(&value, info.key).ok());
    const PlistValue* read = store.objectForKey(info.key);
    RC_ASSERT(read != nullptr);
    RC_ASSERT(*read == value);
    const FeatureSetting feature = readFeatureSetting(read);
    const DisplaySetting display = readDisplaySetting(read);
    const Array* items = read->asArray();
    if (items == nullptr || items->empty()) {
        RC_ASSERT(!feature.enabled);
        RC_ASSERT(feature.code == 0);
        RC_ASSERT(display.mode == -1);
    } else {
        RC_ASSERT(feature.enabled == items->front().boolValue());
        RC_ASSERT(feature.code == items->back().integerValue());
    }
    RC_ASSERT(store.integerForKey(info.key) == value.intValue());
    RC_ASSERT(store.boolForKey(info.key) == (value.intValue() != 0));
}

} // namespace
} // namespace vantro::settings
