#include "plugin/core/feature_selection.h"

#include "plugin/core/feature_keys.h"

#include <array>
#include <cstdio>

namespace vantro::core {

using platform::ModifierFlags;

ModifierFlags modifierForCode(std::string_view key, std::int64_t code) {
    switch (code) {
    case 0:
        return platform::kShiftKeyMask;
    case 1:
        return platform::kControlKeyMask;
    case 2:
        return key.find(feature::kMaximizeMarker) != std::string_view::npos
                   ? platform::kCommandKeyMask
                   : platform::kAlternateKeyMask;
    case 3:
        return platform::kCommandKeyMask;
    default:
        return platform::kFunctionKeyMask;
    }
}

ModifierFlags modifierForFeature(const SelectionSettings& settings, std::string_view key) {
    return modifierForCode(key, settings.featureSetting(key).code);
}

void writeUndoIdentity(std::string_view key, std::int64_t resolutionZoomMode, std::string& out) {
    out.assign(key);
    if (key.find(feature::kResolutionMarker) == std::string_view::npos) {
        return;
    }
    // "%d" of the mode as the platform's 32-bit integer formatting prints it.
    char suffix[24];
    const int length =
        std::snprintf(suffix, sizeof suffix, "-%d",
                      static_cast<int>(static_cast<std::int32_t>(resolutionZoomMode)));
    out.append(suffix, static_cast<std::size_t>(length));
}

namespace {

// The default behaviour's layout when its setting is enabled, otherwise -1.
std::int64_t enabledDefaultLayout(const SelectionSettings& settings) {
    const FeatureSetting behavior = settings.featureSetting(feature::kDefaultZoomBehavior);
    return behavior.enabled ? behavior.code : -1;
}

bool isPlainClickBehavior(std::string_view key, std::int64_t layout) {
    return layout >= 1 && layout <= 5 &&
           feature::kDefaultBehaviorLayouts[static_cast<std::size_t>(layout)] == key;
}

} // namespace

bool featureIsSelected(const SelectionSettings& settings, ModifierFlags held,
                       std::optional<std::string_view> menuFeature, std::string_view key) {
    if (menuFeature) {
        return *menuFeature == key;
    }
    if (key == feature::kTopHalf || key == feature::kBottomHalf) {
        if ((held & modifierForFeature(settings, feature::kWholeScreen)) == 0) {
            return false;
        }
    }
    const FeatureSetting setting = settings.featureSetting(key);
    if ((held & modifierForCode(key, setting.code)) == 0 || !setting.enabled) {
        return false;
    }
    return !isPlainClickBehavior(key, enabledDefaultLayout(settings));
}

bool controlKeyHasFeature(const SelectionSettings& settings) {
    constexpr std::array<std::string_view, 3> kCandidates = {
        feature::kWholeScreen, feature::kLeftHalf, feature::kRightHalf};
    std::optional<std::size_t> controlled;
    for (std::size_t i = 0; i < kCandidates.size(); ++i) {
        if (modifierForFeature(settings, kCandidates[i]) == platform::kControlKeyMask) {
            controlled = i;
            break;
        }
    }
    // The layout number is read whether or not the behaviour is enabled.
    const FeatureSetting behavior = settings.featureSetting(feature::kDefaultZoomBehavior);
    if (behavior.code >= 1 && behavior.code <= 3 && behavior.enabled && controlled &&
        static_cast<std::size_t>(behavior.code - 1) == *controlled) {
        return true;
    }
    if (!controlled) {
        return false;
    }
    return settings.featureSetting(kCandidates[*controlled]).enabled;
}

} // namespace vantro::core
