#include "plugin/resize/live_resize_state.h"

#include "plugin/core/feature_keys.h"

#include <string>
#include <string_view>

namespace vantro::resize {

namespace {

namespace feature = core::feature;
namespace state_key = core::state_key;

constexpr std::string_view kOffsetX = "offsetX";
constexpr std::string_view kOffsetY = "offsetY";
constexpr std::string_view kRatioWidth = "width";
constexpr std::string_view kRatioHeight = "height";

const settings::Dictionary* nested(const core::WindowEntry* entry, std::string_view key) {
    if (entry == nullptr) {
        return nullptr;
    }
    const auto found = entry->find(key);
    return found != entry->end() ? found->second.asDictionary() : nullptr;
}

// The dictionary under `key`, made (or made a dictionary again) when needed.
settings::Dictionary& ensureNested(core::WindowEntry& entry, std::string_view key) {
    auto found = entry.find(key);
    if (found == entry.end()) {
        found = entry.emplace(std::string(key), settings::PlistValue::dictionary({})).first;
    } else if (!found->second.isDictionary()) {
        found->second = settings::PlistValue::dictionary({});
    }
    return *found->second.asDictionary();
}

} // namespace

std::optional<ResizeSelection> storedSelection(const core::WindowEntry* entry) {
    const settings::Dictionary* stored = nested(entry, state_key::kActiveFeatures);
    if (stored == nullptr || stored->size() != feature::kResizeOrder.size()) {
        return std::nullopt;
    }
    // One pass over the four entries: every drag step reads the selection.
    ResizeSelection selection;
    for (const auto& [key, value] : *stored) {
        if (!value.isNumber()) {
            return std::nullopt;
        }
        const bool on = value.boolValue();
        if (key == feature::kPinBottomRight) {
            selection.pinBottomRight = on;
        } else if (key == feature::kKeepCentered) {
            selection.keepCentered = on;
        } else if (key == feature::kKeepAspectRatio) {
            selection.keepAspectRatio = on;
        } else if (key == feature::kKeepWidthHeight) {
            selection.keepWidthHeight = on;
        } else {
            return std::nullopt;
        }
    }
    return selection;
}

void storeSelection(core::WindowEntry& entry, const ResizeSelection& selection) {
    settings::Dictionary& stored = ensureNested(entry, state_key::kActiveFeatures);
    if (stored.size() > feature::kResizeOrder.size()) {
        stored.clear(); // a foreign key would make every comparison unequal
    }
    core::writeFlag(stored, feature::kPinBottomRight, selection.pinBottomRight);
    core::writeFlag(stored, feature::kKeepCentered, selection.keepCentered);
    core::writeFlag(stored, feature::kKeepAspectRatio, selection.keepAspectRatio);
    core::writeFlag(stored, feature::kKeepWidthHeight, selection.keepWidthHeight);
}

std::optional<GripOffset> storedGripOffset(const core::WindowEntry* entry) {
    const settings::Dictionary* stored = nested(entry, state_key::kMouseOffset);
    if (stored == nullptr) {
        return std::nullopt;
    }
    return GripOffset{core::readLength(stored, kOffsetX), core::readLength(stored, kOffsetY)};
}

void storeGripOffset(core::WindowEntry& entry, const GripOffset& offset) {
    settings::Dictionary& stored = ensureNested(entry, state_key::kMouseOffset);
    core::writeLength(stored, kOffsetX, offset.x);
    core::writeLength(stored, kOffsetY, offset.y);
}

std::optional<Size> storedAspectRatio(const core::WindowEntry* entry) {
    const settings::Dictionary* stored = nested(entry, state_key::kAspectRatio);
    if (stored == nullptr) {
        return std::nullopt;
    }
    return Size{core::readLength(stored, kRatioWidth), core::readLength(stored, kRatioHeight)};
}

void storeAspectRatio(core::WindowEntry& entry, Size ratio) {
    settings::Dictionary& stored = ensureNested(entry, state_key::kAspectRatio);
    core::writeLength(stored, kRatioWidth, ratio.width);
    core::writeLength(stored, kRatioHeight, ratio.height);
}

} // namespace vantro::resize
