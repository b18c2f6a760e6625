// The test window's size limits for each set of held keys.

#include "test_window_limits.h"

#include <gtest/gtest.h>

namespace vantro::test_app {
namespace {

using namespace platform;

TEST(TestWindowLimits, HeldKeysSwitchTheLimits) {
    struct Case {
        ModifierFlags held;
        TestWindowLimits limits;
    };
    const Case cases[] = {
        {0, {{420, 160}, std::nullopt, {1, 1}}},
        {kShiftKeyMask, {{250, 160}, std::nullopt, {1, 1}}},
        {kControlKeyMask, {{420, 160}, Size{520, 430}, {1, 1}}},
        {kAlternateKeyMask, {{420, 160}, std::nullopt, {1, 44}}},
        {kShiftKeyMask | kControlKeyMask | kAlternateKeyMask,
         {{250, 160}, Size{520, 430}, {1, 44}}},
        // Super and AltGr switch nothing.
        {kCommandKeyMask | kFunctionKeyMask, {{420, 160}, std::nullopt, {1, 1}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(testWindowLimits(c.held), c.limits) << std::hex << c.held;
    }
}

} // namespace
} // namespace vantro::test_app
