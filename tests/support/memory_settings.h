#pragma once

// The plug-in's settings store for a test: an in-memory domain installed as
// the standard store for the object's lifetime, with the previous store put
// back afterwards. `withDefaults` registers the default settings, as the
// plug-in's entry does.

#include "settings/catalogue.h"
#include "settings/memory_backend.h"
#include "settings/vantro_user_defaults.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace vantro::testing {

class MemorySettings {
  public:
    // `data` is shared with the stores of other processes a test plays.
    explicit MemorySettings(bool withDefaults = true,
                            std::shared_ptr<settings::MemoryDomainData> data =
                                std::make_shared<settings::MemoryDomainData>()) {
        auto store = std::make_unique<settings::VantroUserDefaults>(
            std::make_unique<settings::MemoryBackend>(std::move(data)),
            settings::BroadcastObject::plugin, settings::kDomain);
        store_ = store.get();
        if (withDefaults) {
            store_->registerDefaults(settings::defaultSettings());
        }
        previous_ = settings::VantroUserDefaults::installStandardUserDefaults(std::move(store));
    }
    ~MemorySettings() {
        delete settings::VantroUserDefaults::installStandardUserDefaults(
            std::unique_ptr<settings::VantroUserDefaults>(previous_));
    }
    MemorySettings(const MemorySettings&) = delete;
    MemorySettings& operator=(const MemorySettings&) = delete;

    [[nodiscard]] settings::VantroUserDefaults& store() const { return *store_; }
    // Stores `value` under `key`; false when the write failed.
    [[nodiscard]] bool set(std::string_view key, const settings::PlistValue& value) const {
        return store_->setObject(&value, key).ok();
    }

  private:
    settings::VantroUserDefaults* store_ = nullptr;
    settings::VantroUserDefaults* previous_ = nullptr;
};

// A two-element setting: [enabled, code or mode].
inline settings::PlistValue settingPair(bool on, std::int64_t second) {
    return settings::PlistValue::array(
        {settings::PlistValue::boolean(on), settings::PlistValue::integer(second)});
}

} // namespace vantro::testing
