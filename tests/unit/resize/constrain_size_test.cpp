// The live-resize check: the temporary hold after an anchoring change, the
// window's limits and increments, and increments that would never let the
// host's loops end.

#include "plugin/resize/constrain_size.h"
#include "plugin/resize/increment_snapping.h"

#include <gtest/gtest.h>

#include <ostream>

#include <limits>
#include <string>

namespace vantro::resize {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

WindowLimits window(Size frame = {800, 600}) {
    WindowLimits limits;
    limits.frameSize = frame;
    return limits;
}

struct HoldCase {
    std::string name;
    ResizeHold hold;
    Size proposed;
    Size expected;
    bool released;
    // Test listings show the case by its name.
    friend void PrintTo(const HoldCase& c, std::ostream* out) { *out << c.name; }
};

class Hold : public ::testing::TestWithParam<HoldCase> {};

TEST_P(Hold, HoldsOrReleases) {
    const HoldCase& c = GetParam();
    const ConstrainedSize result = constrainSize(c.proposed, window(), c.hold, nullptr);
    EXPECT_EQ(result.size, c.expected);
    EXPECT_EQ(result.releaseTemporaryMinimum, c.released);
    EXPECT_EQ(result.removeHudAlertWindow, c.released);
}

INSTANTIATE_TEST_SUITE_P(
    TemporaryMinimum, Hold,
    ::testing::Values(
        HoldCase{"NoHoldPassesAndRemovesTheHud", {}, {300, 200}, {300, 200}, true},
        HoldCase{"FarBelowTheHoldKeepsIt", {{800, 600}}, {300, 200}, {800, 600}, false},
        // 790 + 20 > 800: released, yet this step still returns the held size.
        HoldCase{"WithinTwentyReleasesButStillHolds", {{800, 600}}, {790, 200}, {800, 600}, true},
        HoldCase{"KeptWidthDoesNotRelease", {{800, 600}, true}, {790, 200}, {800, 600}, false},
        HoldCase{"HeightClauseReleasesWhenTheWidthIsKept",
                 {{800, 600}, true},
                 {300, 590},
                 {800, 600},
                 true},
        HoldCase{"BothKeptNeverRelease", {{800, 600}, true, true}, {900, 700}, {900, 700}, false},
        HoldCase{"NaNHoldCountsAsNone", {{kNaN, kNaN}}, {300, 200}, {300, 200}, true}),
    [](const auto& row) { return row.param.name; });

TEST(ConstrainSize, MinimumThenMaximumSoTheMaximumWins) {
    WindowLimits limits = window();
    limits.minSize = {500, 400};
    limits.maxSize = {450, 1000};
    const ConstrainedSize result = constrainSize({300, 1200}, limits, {}, nullptr);
    EXPECT_EQ(result.size, Size(450, 1000));
}

TEST(ConstrainSize, UnknownLengthsBecomeTheFramesOwn) {
    const ConstrainedSize result = constrainSize({kNaN, kInfinity}, window(), {}, nullptr);
    EXPECT_EQ(result.size, Size(800, 600));
}

TEST(ConstrainSize, TheDelegateHasTheLastWord) {
    class Fixed final : public ResizeDelegate {
      public:
        [[nodiscard]] Size willResizeToSize(Size /*proposed*/) const override { return {640, 480}; }
    } fixed;
    WindowLimits limits = window();
    limits.maxSize = {500, 500};
    EXPECT_EQ(constrainSize({900, 900}, limits, {}, &fixed).size, Size(640, 480));
}

struct SnapCase {
    std::string name;
    double value, increment, minimum, maximum, current;
    double expected;
    // Test listings show the case by its name.
    friend void PrintTo(const SnapCase& c, std::ostream* out) { *out << c.name; }
};

class Snap : public ::testing::TestWithParam<SnapCase> {};

TEST_P(Snap, ToWholeIncrements) {
    const SnapCase& c = GetParam();
    EXPECT_EQ(snapToIncrement(c.value, c.increment, c.minimum, c.maximum, c.current), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Increments, Snap,
    ::testing::Values(
        // 1000 mod 7 = 6 is replaced by 507 mod 7 = 3.
        SnapCase{"KeepsTheCurrentRemainder", 1000, 7, 0, 1.0e7, 507, 997},
        SnapCase{"RaisedToTheMinimum", 10, 7, 30, 1.0e7, 507, 31},
        SnapCase{"LoweredUnderTheMaximum", 1000, 7, 0, 990, 507, 990},
        // The remainder has the sign of the dividend.
        SnapCase{"NegativeValue", -10, 7, -1.0e7, 1.0e7, 507, -4},
        SnapCase{"FractionalIncrementSnapsOnItsWholePart", 1000, 7.5, 0, 1.0e7, 507, 997},
        SnapCase{"IncrementOfOneDoesNothing", 1000, 1, 0, 1.0e7, 507, 1000},
        SnapCase{"ZeroIncrementDoesNothing", 1000, 0, 0, 1.0e7, 507, 1000},
        SnapCase{"NegativeIncrementDoesNothing", 1000, -7, 0, 1.0e7, 507, 1000},
        SnapCase{"NaNIncrementDoesNothing", 1000, kNaN, 0, 1.0e7, 507, 1000},
        SnapCase{"InfiniteIncrementDoesNothing", 1000, kInfinity, 0, 1.0e7, 507, 1000},
        SnapCase{"InfiniteMinimumImposesNothing", 1000, 7, kInfinity, 1.0e7, 507, 997},
        // 1.4e11 steps of one increment each are counted at once; the
        // result keeps the remainder 3 of the current extent.
        SnapCase{"FarMinimumIsReachedWithoutLooping", 3, 7, 1.0e12, 2.0e12, 3, 1.0e12 + 2}),
    [](const auto& row) { return row.param.name; });

TEST(Snap, ANaNValueIsLeftAlone) {
    EXPECT_TRUE(std::isnan(snapToIncrement(kNaN, 7, 0, 1.0e7, 507)));
}

TEST(Snap, ATinyIncrementAgainstAHugeMinimumStillEnds) {
    // 1.5 is lost in the rounding of 1e300: adding it changes nothing.
    const double result = snapToIncrement(0, 1.5, 1.0e300, kInfinity, 0);
    EXPECT_GE(result, 1.0e300);
}

} // namespace
} // namespace vantro::resize
