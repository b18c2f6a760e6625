// The zoom's size check: what each constraint does to a target size and the
// words it leaves for the HUD.

#include "plugin/resize/check_size.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <limits>
#include <string>

namespace vantro::resize {
namespace {

const Size kVisible{1440, 878};

class ClampingDelegate final : public ResizeDelegate {
  public:
    explicit ClampingDelegate(Size most) : most_(most) {}
    [[nodiscard]] Size willResizeToSize(Size proposed) const override {
        return {std::min(proposed.width, most_.width), std::min(proposed.height, most_.height)};
    }

  private:
    Size most_;
};

struct CheckCase {
    std::string name;
    Size target;
    WindowLimits window;
    std::optional<Size> visible;
    std::optional<Size> delegateMost; // a delegate that caps the size, when set
    Size expected;
    std::optional<std::string> message;
    // Test listings show the case by its name.
    friend void PrintTo(const CheckCase& c, std::ostream* out) { *out << c.name; }
};

WindowLimits plain(Size frame = {800, 600}) {
    WindowLimits limits;
    limits.frameSize = frame;
    return limits;
}

WindowLimits withMaximum(Size maximum) {
    WindowLimits limits = plain();
    limits.maxSize = maximum;
    return limits;
}

WindowLimits withMinimum(Size minimum) {
    WindowLimits limits = plain();
    limits.minSize = minimum;
    return limits;
}

WindowLimits withIncrements(Size increments, Size frame) {
    WindowLimits limits = plain(frame);
    limits.resizeIncrements = increments;
    return limits;
}

WindowLimits notResizable(std::string_view className) {
    WindowLimits limits = plain();
    limits.resizable = false;
    limits.className = className;
    return limits;
}

// A terminal: cells of 9 x 17 inside a 2 px border, 80 x 24 cells now.
WindowLimits terminal() {
    WindowLimits limits = withIncrements({9, 17}, {2 + 80 * 9 + 2, 2 + 24 * 17 + 2});
    limits.minSize = {2 + 9 + 2, 2 + 17 + 2};
    return limits;
}

class CheckSize : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckSize, SizeAndMessage) {
    const CheckCase& c = GetParam();
    std::optional<ClampingDelegate> delegate;
    if (c.delegateMost) {
        delegate.emplace(*c.delegateMost);
    }
    const CheckedSize checked =
        checkSizeForConstraints(c.target, c.window, c.visible, delegate ? &*delegate : nullptr);
    EXPECT_EQ(checked.size, c.expected);
    EXPECT_EQ(checked.hitConstraint, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Constraints, CheckSize,
    ::testing::Values(CheckCase{"NothingHit", {1000, 700}, plain(), kVisible, {}, {1000, 700}, {}},
                      CheckCase{"BothScreenLengths",
                                {2000, 1500},
                                plain(),
                                kVisible,
                                {},
                                {1440, 878},
                                "Max Screen Width 1440px\nMax Screen Height 878px"},
                      CheckCase{"WindowMaximumNamesTheWidth",
                                {2000, 1500},
                                withMaximum({1200, 1.0e7}),
                                kVisible,
                                {},
                                {1200, 878},
                                "Max Window Width 1200px\nMax Screen Height 878px"},
                      CheckCase{"OnlyTheHeightHasNoLineFeed",
                                {1000, 1500},
                                plain(),
                                kVisible,
                                {},
                                {1000, 878},
                                "Max Screen Height 878px"},
                      CheckCase{"MinimumAfterMaximumWins",
                                {2000, 200},
                                [] {
                                    WindowLimits w = withMinimum({500, 400});
                                    w.maxSize = {450, 1.0e7};
                                    return w;
                                }(),
                                kVisible,
                                {},
                                {500, 400},
                                "Min Window Width 500px\nMin Window Height 400px"},
                      CheckCase{"IncrementKeepsTheFramesRemainder",
                                {1000, 600},
                                withIncrements({7, 1}, {507, 600}),
                                kVisible,
                                {},
                                {997, 600},
                                "Width Incremented 997px"},
                      CheckCase{"TerminalCellsFillTheScreenWholly",
                                {1440, 878},
                                terminal(),
                                kVisible,
                                {},
                                // 4 + 159 x 9 = 1435 and 4 + 51 x 17 = 871: the largest
                                // whole numbers of cells inside the visible frame.
                                {1435, 871},
                                "Width Incremented 1435px\nHeight Incremented 871px"},
                      CheckCase{"TerminalHalfScreen",
                                {720, 878},
                                terminal(),
                                kVisible,
                                {},
                                // 724 keeps the frame's 4 px of border: a half is not a
                                // screen limit, so the width stays a cell over the half.
                                {724, 871},
                                "Width Incremented 724px\nHeight Incremented 871px"},
                      CheckCase{"IncrementedBackOntoTheScreen",
                                // The frame's remainder of 9 makes 1449; one increment
                                // down fits the screen again.
                                {1440, 600},
                                withIncrements({10, 1}, {809, 600}),
                                kVisible,
                                {},
                                {1439, 600},
                                "Width Incremented 1439px"},
                      CheckCase{"DelegateRestrictsLast",
                                {2000, 700},
                                plain(),
                                kVisible,
                                Size{1000, 5000},
                                {1000, 700},
                                "Width Restricted 1000px"},
                      CheckCase{"NotResizableKeepsTheFrame",
                                {2000, 1500},
                                notResizable("GtkWindow"),
                                kVisible,
                                {},
                                {800, 600},
                                "Window Not Resizable"},
                      CheckCase{"ExemptClassGoesOn",
                                {2000, 1500},
                                notResizable("ITNSWindow"),
                                kVisible,
                                {},
                                {1440, 878},
                                "Max Screen Width 1440px\nMax Screen Height 878px"},
                      CheckCase{"NoScreenSkipsTheScreenStep",
                                {2000, 1500},
                                plain(),
                                std::nullopt,
                                {},
                                {2000, 1500},
                                {}},
                      CheckCase{"UnknownLengthsBecomeTheFramesOwn",
                                {std::numeric_limits<double>::quiet_NaN(),
                                 std::numeric_limits<double>::infinity()},
                                plain(),
                                kVisible,
                                {},
                                {800, 600},
                                {}}),
    [](const auto& row) { return row.param.name; });

TEST(CheckSizeIncrements, ZeroNegativeAndNaNIncrementsDoNotSnap) {
    for (const double increment : {0.0, -9.0, 1.0, std::numeric_limits<double>::quiet_NaN()}) {
        const CheckedSize checked = checkSizeForConstraints(
            {1000, 700}, withIncrements({increment, increment}, {507, 406}), kVisible, nullptr);
        EXPECT_EQ(checked.size, Size(1000, 700)) << increment;
        EXPECT_FALSE(checked.hitConstraint) << increment;
    }
}

TEST(CheckSizeIncrements, AnIncrementWiderThanTheScreenStopsAtTheScreen) {
    // A window wider than the screen whose one increment is wider still:
    // whole increments down would give a negative width, so the width the
    // screen step left stands.
    const CheckedSize checked = checkSizeForConstraints(
        {3000, 700}, withIncrements({1.0e12, 1}, {2000, 406}), kVisible, nullptr);
    EXPECT_EQ(checked.size.width, kVisible.width);
    EXPECT_EQ(checked.hitConstraint, "Max Screen Width 1440px");
}

} // namespace
} // namespace vantro::resize
