#pragma once

// The size limits of a new test window, switched by the keys held while it
// is opened, so that every kind of size constraint can be provoked.

#include "platform/geometry.h"
#include "platform/modifier_flags.h"

#include <optional>

namespace vantro::test_app {

struct TestWindowLimits {
    Size minSize{420, 160};
    std::optional<Size> maxSize; // none: no maximum
    Size resizeIncrements{1, 1};
    friend bool operator==(const TestWindowLimits&, const TestWindowLimits&) = default;
};

// Shift lowers the minimum to 250 x 160, Control adds a maximum of
// 520 x 430, Alt (Option) makes the height grow in steps of 44.
TestWindowLimits testWindowLimits(platform::ModifierFlags held);

} // namespace vantro::test_app
