#include "plugin/core/store_selection_settings.h"

#include "plugin/core/feature_keys.h"

namespace vantro::core {

FeatureSetting StoreSelectionSettings::featureSetting(std::string_view key) const {
    return settings::readFeatureSetting(store_.objectForKey(key));
}

std::int64_t StoreSelectionSettings::resolutionZoomMode() const {
    return settings::readInteger(store_.objectForKey(feature::kResolutionZoomMode));
}

} // namespace vantro::core
