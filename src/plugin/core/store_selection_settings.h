#pragma once

// Feature selection reading the settings store.

#include "plugin/core/feature_selection.h"
#include "settings/vantro_user_defaults.h"

namespace vantro::core {

class StoreSelectionSettings final : public SelectionSettings {
  public:
    explicit StoreSelectionSettings(const settings::VantroUserDefaults& store) : store_(store) {}
    [[nodiscard]] FeatureSetting featureSetting(std::string_view key) const override;
    [[nodiscard]] std::int64_t resolutionZoomMode() const override;

  private:
    const settings::VantroUserDefaults& store_;
};

} // namespace vantro::core
