#pragma once

// The size check a zoom target passes its proposed size through: the
// window's limits, increments and delegate, recording which limit was hit.
// The check belongs to the window, so the targets take it as a parameter and
// stay pure; tests pass an identity or a clamping check.

#include "platform/geometry.h"

#include <cmath>
#include <functional>
#include <optional>

namespace vantro::zoom {

using SizeCheck = std::function<Size(Size proposed)>;

// The size `check` allows for `proposed`; an empty check allows it unchanged.
// None when the check answers a size that no frame can take (not finite, or
// negative), so that a faulty check never puts a window at NaN.
inline std::optional<Size> allowedSize(const SizeCheck& check, Size proposed) {
    const Size allowed = check ? check(proposed) : proposed;
    if (!(std::isfinite(allowed.width) && std::isfinite(allowed.height) && allowed.width >= 0 &&
          allowed.height >= 0)) {
        return std::nullopt;
    }
    return allowed;
}

} // namespace vantro::zoom
