#pragma once

// Whether a feature applies at the moment a hook handles a zoom or a frame
// change: decided from the modifier keys held, the feature's setting, the
// default zoom behaviour and a feature a menu command may have just chosen.
// Pure: the settings are read through SelectionSettings, so the rules are
// tested over plain values and the hooks adapt the settings store.

#include "platform/modifier_flags.h"
#include "settings/catalogue.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantro::core {

// A feature setting as read: its enabled flag and the code of its modifier
// (or, for a layout choice, its layout number).
using settings::FeatureSetting;

class SelectionSettings {
  public:
    virtual ~SelectionSettings() = default;
    [[nodiscard]] virtual FeatureSetting featureSetting(std::string_view key) const = 0;
    [[nodiscard]] virtual std::int64_t resolutionZoomMode() const = 0;
};

// The one modifier that selects the feature with this code: 0 Shift,
// 1 Control, 2 Command for maximize features and Option for the others,
// 3 Command, anything else Function.
platform::ModifierFlags modifierForCode(std::string_view key, std::int64_t code);

platform::ModifierFlags modifierForFeature(const SelectionSettings& settings, std::string_view key);

// The feature key, with "-" and the resolution zoom mode appended for a
// resolution feature. Written into `out` so that a caller can reuse its
// storage.
void writeUndoIdentity(std::string_view key, std::int64_t resolutionZoomMode, std::string& out);

// Whether `key` is selected. A pending menu choice selects its own feature
// whatever is held and excludes all others; otherwise the keys and the
// enabled flag decide, and a maximize feature that is already the plain-click
// behaviour is never selected by its keys.
bool featureIsSelected(const SelectionSettings& settings, platform::ModifierFlags held,
                       std::optional<std::string_view> menuFeature, std::string_view key);

// Whether Control is bound to an enabled maximize feature, the default zoom
// behaviour included.
bool controlKeyHasFeature(const SelectionSettings& settings);

} // namespace vantro::core
