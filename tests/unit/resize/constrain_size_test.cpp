// The live-resize check: the temporary hold after an anchoring change, the
// window's limits and increments, and increments that would never let the
// host's loops end.

#include "plugin/resize/constrain_size.h"
#include "plugin/resize/increment_snapping.h"
#include "support/geometry_printers.h"

#include <gtest/gtest.h>

#include <limits>

namespace vantro::resize {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

WindowLimits window(Size minimum = {}, Size maximum = {1.0e7, 1.0e7}) {
    WindowLimits limits;
    limits.frameSize = {800, 600};
    limits.minSize = minimum;
    limits.maxSize = maximum;
    return limits;
}

TEST(ConstrainSize, TheTemporaryHoldHoldsOrReleases) {
    struct Case {
        ResizeHold hold;
        Size proposed;
        Size expected;
        bool released; // the hold and the HUD go
    };
    const Case cases[] = {
        {{}, {300, 200}, {300, 200}, true},
        {{{800, 600}}, {300, 200}, {800, 600}, false},
        // 790 + 20 > 800: released, yet this step still returns the held size.
        {{{800, 600}}, {790, 200}, {800, 600}, true},
        {{{800, 600}, true}, {790, 200}, {800, 600}, false}, // the kept width does not release
        {{{800, 600}, true}, {300, 590}, {800, 600}, true},
        {{{800, 600}, true, true}, {900, 700}, {900, 700}, false},
        {{{kNaN, kNaN}}, {300, 200}, {300, 200}, true}};
    for (const Case& c : cases) {
        const ConstrainedSize result = constrainSize(c.proposed, window(), c.hold, nullptr);
        EXPECT_EQ(result.size, c.expected) << c.proposed.width << " x " << c.proposed.height;
        EXPECT_EQ(result.releaseTemporaryMinimum, c.released) << c.proposed.width;
        EXPECT_EQ(result.removeHudAlertWindow, c.released) << c.proposed.width;
    }
}

TEST(ConstrainSize, LimitsThenTheDelegate) {
    // Minimum, then maximum, so the maximum wins.
    EXPECT_EQ(constrainSize({300, 1200}, window({500, 400}, {450, 1000}), {}, nullptr).size,
              Size(450, 1000));
    EXPECT_EQ(constrainSize({kNaN, kInfinity}, window(), {}, nullptr).size, Size(800, 600));
    class Fixed final : public ResizeDelegate {
      public:
        [[nodiscard]] Size willResizeToSize(Size /*proposed*/) const override { return {640, 480}; }
    } fixed;
    EXPECT_EQ(constrainSize({900, 900}, window({}, {500, 500}), {}, &fixed).size, Size(640, 480));
}

TEST(ConstrainSize, SnapsToWholeIncrements) {
    struct Case {
        double value, increment, minimum, maximum, current, expected;
    };
    const Case cases[] = {{1000, 7, 0, 1.0e7, 507, 997},    // 1000 mod 7 = 6 becomes 507 mod 7 = 3
                          {10, 7, 30, 1.0e7, 507, 31},      // raised to the minimum
                          {1000, 7, 0, 990, 507, 990},      // lowered under the maximum
                          {-10, 7, -1.0e7, 1.0e7, 507, -4}, // the remainder has the dividend's sign
                          {1000, 7.5, 0, 1.0e7, 507, 997},  // on the increment's whole part
                          {1000, 1, 0, 1.0e7, 507, 1000},
                          {1000, 0, 0, 1.0e7, 507, 1000},
                          {1000, -7, 0, 1.0e7, 507, 1000},
                          {1000, kNaN, 0, 1.0e7, 507, 1000},
                          {1000, kInfinity, 0, 1.0e7, 507, 1000},
                          {1000, 7, kInfinity, 1.0e7, 507, 997},
                          // 1.4e11 steps counted at once, keeping the current remainder 3.
                          {3, 7, 1.0e12, 2.0e12, 3, 1.0e12 + 2}};
    for (const Case& c : cases) {
        EXPECT_EQ(snapToIncrement(c.value, c.increment, c.minimum, c.maximum, c.current),
                  c.expected)
            << c.value << " by " << c.increment;
    }
    EXPECT_TRUE(std::isnan(snapToIncrement(kNaN, 7, 0, 1.0e7, 507)));
    // 1.5 is lost in the rounding of 1e300: adding it changes nothing, yet it ends.
    EXPECT_GE(snapToIncrement(0, 1.5, 1.0e300, kInfinity, 0), 1.0e300);
}

} // namespace
} // namespace vantro::resize
