#pragma once

// Which keys the zoom's feature chain asks. Every target table is keyed by
// these strings; the tables check their keys against the chain at compile
// time, so a misspelt key cannot silently make a feature do nothing.

#include "plugin/core/feature_keys.h"

#include <string_view>

namespace vantro::zoom {

constexpr bool isZoomFeature(std::string_view key) {
    for (const std::string_view feature : core::feature::kZoomOrder) {
        if (feature == key) {
            return true;
        }
    }
    return false;
}

// True when every row's `feature` is a key of the chain.
template <typename Table> constexpr bool allAreZoomFeatures(const Table& table) {
    for (const auto& row : table) {
        if (!isZoomFeature(row.feature)) {
            return false;
        }
    }
    return true;
}

} // namespace vantro::zoom
