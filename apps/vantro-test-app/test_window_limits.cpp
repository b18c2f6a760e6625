#include "test_window_limits.h"

namespace vantro::test_app {

TestWindowLimits testWindowLimits(platform::ModifierFlags held) {
    TestWindowLimits limits;
    if ((held & platform::kShiftKeyMask) != 0) {
        limits.minSize = {250, 160};
    }
    if ((held & platform::kControlKeyMask) != 0) {
        limits.maxSize = Size{520, 430};
    }
    if ((held & platform::kAlternateKeyMask) != 0) {
        limits.resizeIncrements = {1, 44};
    }
    return limits;
}

} // namespace vantro::test_app
