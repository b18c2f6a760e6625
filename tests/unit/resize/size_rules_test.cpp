// The size rules of a window: its limits and increments, the zoom's size
// check and the words it leaves for the HUD, the live-resize check with its
// temporary hold, and keeping an aspect ratio. Terminal cells and a
// restricting delegate are zoomed through the hook in the zoom tests.

#include "plugin/resize/aspect_ratio.h"
#include "plugin/resize/check_size.h"
#include "plugin/resize/constrain_size.h"
#include "plugin/resize/increment_snapping.h"
#include "support/geometry_printers.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace vantro::resize {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
const Size kVisible{1440, 878};

// A window of `frame` with the given limits; 0 leaves a limit at its default.
WindowLimits limitsOf(Size frame, Size minimum = {}, Size maximum = {}, Size increments = {1, 1}) {
    WindowLimits limits;
    limits.frameSize = frame;
    limits.minSize = minimum;
    limits.maxSize = {maximum.width > 0 ? maximum.width : limits.maxSize.width,
                      maximum.height > 0 ? maximum.height : limits.maxSize.height};
    limits.resizeIncrements = increments;
    return limits;
}

// A delegate that answers one size whatever is proposed.
class FixedDelegate final : public ResizeDelegate {
  public:
    [[nodiscard]] Size willResizeToSize(Size /*proposed*/) const override { return {640, 480}; }
};

TEST(CheckSize, SizeAndMessage) {
    const WindowLimits plain = limitsOf({800, 600});
    WindowLimits fixed = plain;
    fixed.resizable = false;
    fixed.className = "GtkWindow";
    WindowLimits exempt = fixed;
    exempt.className = "ITNSWindow";
    const Size big{2000, 1500};
    const WindowLimits maxWidth = limitsOf({800, 600}, {}, {1200, 0});
    const WindowLimits crossed = limitsOf({800, 600}, {500, 400}, {450, 0});
    const WindowLimits bySeven = limitsOf({507, 600}, {}, {}, {7, 1});
    const WindowLimits byTen = limitsOf({809, 600}, {}, {}, {10, 1});
    const WindowLimits byHuge = limitsOf({2000, 406}, {}, {}, {1.0e12, 1});
    const std::string screen = "Max Screen Width 1440px\nMax Screen Height 878px";
    struct Case {
        Size target;
        WindowLimits window;
        std::optional<Size> visible;
        Size expected;
        std::optional<std::string> message;
    };
    const Case cases[] = {
        {{1000, 700}, plain, kVisible, {1000, 700}, {}}, // nothing hit
        {big, plain, kVisible, {1440, 878}, screen},
        {big, maxWidth, kVisible, {1200, 878}, "Max Window Width 1200px\nMax Screen Height 878px"},
        {{1000, 1500}, plain, kVisible, {1000, 878}, "Max Screen Height 878px"}, // no line feed
        // The minimum, applied after the maximum, wins.
        {{2000, 200},
         crossed,
         kVisible,
         {500, 400},
         "Min Window Width 500px\nMin Window Height 400px"},
        // An increment keeps the frame's remainder.
        {{1000, 600}, bySeven, kVisible, {997, 600}, "Width Incremented 997px"},
        // The frame's remainder of 9 makes 1449; one increment down fits.
        {{1440, 600}, byTen, kVisible, {1439, 600}, "Width Incremented 1439px"},
        {big, fixed, kVisible, {800, 600}, "Window Not Resizable"},
        {big, exempt, kVisible, {1440, 878}, screen},         // an exempt class goes on
        {big, plain, std::nullopt, big, {}},                  // no screen skips the screen step
        {{kNaN, kInfinity}, plain, kVisible, {800, 600}, {}}, // unknown lengths: the frame's
        // Whole increments down from a screen-wide width would go negative.
        {{3000, 700}, byHuge, kVisible, {1440, 700}, "Max Screen Width 1440px"},
    };
    for (const Case& c : cases) {
        const CheckedSize checked = checkSizeForConstraints(c.target, c.window, c.visible, nullptr);
        EXPECT_EQ(checked.size, c.expected) << c.target.width << " x " << c.target.height;
        EXPECT_EQ(checked.hitConstraint, c.message) << c.target.width << " x " << c.target.height;
    }
    for (const double increment : {0.0, -9.0, 1.0, kNaN}) {
        const CheckedSize checked = checkSizeForConstraints(
            {1000, 700}, limitsOf({507, 406}, {}, {}, {increment, increment}), kVisible, nullptr);
        EXPECT_EQ(checked.size, Size(1000, 700)) << increment;
        EXPECT_FALSE(checked.hitConstraint) << increment;
    }
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
        const ConstrainedSize result =
            constrainSize(c.proposed, limitsOf({800, 600}), c.hold, nullptr);
        EXPECT_EQ(result.size, c.expected) << c.proposed.width << " x " << c.proposed.height;
        EXPECT_EQ(result.releaseTemporaryMinimum, c.released) << c.proposed.width;
        EXPECT_EQ(result.removeHudAlertWindow, c.released) << c.proposed.width;
    }
}

TEST(ConstrainSize, LimitsThenTheDelegate) {
    // Minimum, then maximum, so the maximum wins.
    EXPECT_EQ(
        constrainSize({300, 1200}, limitsOf({800, 600}, {500, 400}, {450, 1000}), {}, nullptr).size,
        Size(450, 1000));
    EXPECT_EQ(constrainSize({kNaN, kInfinity}, limitsOf({800, 600}), {}, nullptr).size,
              Size(800, 600));
    const FixedDelegate fixed;
    EXPECT_EQ(constrainSize({900, 900}, limitsOf({800, 600}, {}, {500, 500}), {}, &fixed).size,
              Size(640, 480));
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
                          {1000, 0, 0, 1.0e7, 507, 1000},
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

TEST(AspectRatio, OfASizeInLowestTerms) {
    const std::pair<Size, Size> cases[] = {
        {{1024, 768}, {4, 3}},
        {{801, 600}, {267, 200}},
        // Divided by the whole parts' divisor, fractions kept.
        {{800.5, 600}, {800.5 / 200, 3}},
        // No whole part to divide by: a square, never a division by zero.
        {{0.5, 600}, {1, 1}},
        {{-800, 600}, {1, 1}},
        {{kNaN, 600}, {1, 1}}};
    for (const auto& [size, ratio] : cases) {
        EXPECT_EQ(aspectRatioForSize(size), ratio) << size.width << " x " << size.height;
    }
}

TEST(AspectRatio, TheLeadingLengthDecidesTheOther) {
    const AspectRatioRules rules{limitsOf({800, 600}), std::nullopt, nullptr};
    EXPECT_EQ(sizeInAspectRatioForWidth({4, 3}, 801, rules), Size(801, 600));
    EXPECT_EQ(sizeInAspectRatioForHeight({4, 3}, 500, rules), Size(666, 500));
    // 0.1 x 3 x 10 is 2.9999999999999996 in double; single precision makes
    // it 3 before the floor.
    EXPECT_EQ(sizeInAspectRatioForWidth({10, 3}, 10 * (1 - 1e-16), rules).height, 3);
    // An unusable ratio counts as a square.
    EXPECT_EQ(sizeInAspectRatioForWidth({0, 3}, 500, rules), Size(500, 500));
}

TEST(AspectRatio, AcceptanceClampsOrRefuses) {
    const AspectRatioLimits limits{{400, 300}, {1600, 1200}};
    const AspectRatioLimits wide{{100, 100}, {2000, 2000}};
    const AspectRatioLimits crossed{{0, 500}, {2000, 400}};
    struct Case {
        Size size;
        std::optional<AspectRatioLimits> limits;
        Size increments;
        Size expected;
    };
    const Case cases[] = {{{2000, 1500}, limits, {1, 1}, {1600, 1200}},
                          {{200, 150}, limits, {1, 1}, {400, 300}},
                          // A minimum above the maximum wins at and below it.
                          {{450, 450}, crossed, {1, 1}, {450, 500}},
                          {{450, 600}, crossed, {1, 1}, {450, 400}},
                          // 514 and 420 keep the frame's remainders modulo 7 and 14; 510 does
                          // not, and the frame stays, unless there are no limits.
                          {{514, 420}, wide, {7, 14}, {514, 420}},
                          {{510, 420}, wide, {7, 14}, {507, 406}},
                          {{510, 420}, std::nullopt, {7, 14}, {510, 420}}};
    for (const Case& c : cases) {
        EXPECT_EQ(constrainAspectRatioSize(
                      c.size, {limitsOf({507, 406}, {}, {}, c.increments), c.limits, nullptr}),
                  c.expected)
            << c.size.width << " x " << c.size.height;
    }
    // A delegate that changes the size refuses it.
    const FixedDelegate fixed;
    const WindowLimits window = limitsOf({507, 406});
    EXPECT_EQ(constrainAspectRatioSize({800, 600}, {window, wide, &fixed}), Size(507, 406));
    EXPECT_EQ(constrainAspectRatioSize({640, 480}, {window, wide, &fixed}), Size(640, 480));
    EXPECT_EQ(constrainAspectRatioSize({800, 600}, {window, std::nullopt, &fixed}), Size(800, 600));
}

// A screen of 1440 x 900 with a 22 px bar at the top: visible (0, 0, 1440, 878).
const Screen kScreen{Rect(0, 0, 1440, 900), Rect(0, 0, 1440, 878)};

TEST(AspectRatio, RoomForTheAnchoring) {
    const Screen above{Rect(0, 1080, 1440, 900), Rect(0, 1080, 1440, 878)};
    const unsigned topLeft = platform::kResizeLeftEdge | platform::kResizeTopEdge;
    const unsigned bottomRight = platform::kResizeRightEdge | platform::kResizeBottomEdge;
    struct Case {
        Rect frame;
        Screen screen;
        bool keepCentered;
        bool pinBottomRight;
        unsigned edges;
        Size room;
    };
    const Case cases[] = {
        {{100, 100, 600, 400}, kScreen, true, false, bottomRight, {1440, 878}},
        // 700 to the right edge; 900 - 500 - 22 + 400 above the bottom edge.
        {{100, 100, 600, 400}, kScreen, false, true, bottomRight, {700, 778}},
        {{100, 100, 600, 400}, kScreen, false, false, bottomRight, {1340, 500}},
        // Measured from the window's own screen, above the main one.
        {{100, 1180, 600, 400}, above, false, true, bottomRight, {700, 778}},
        // Dragged by its top-left corner: the bottom-right stays.
        {{100, 1180, 600, 400}, above, false, false, topLeft, {700, 778}},
    };
    for (const Case& c : cases) {
        const AspectRatioRoom room{c.frame,        c.screen,         22,
                                   c.keepCentered, c.pinBottomRight, c.edges};
        EXPECT_EQ(roomOnScreen(room, limitsOf(c.frame.size)), c.room) << c.frame.minX();
    }
    WindowLimits window = limitsOf({600, 400});
    window.maxSize = {1000, 900};
    const AspectRatioRoom noScreen{{100, 100, 600, 400}, std::nullopt, 0, false, false};
    EXPECT_EQ(roomOnScreen(noScreen, window), Size(1000, 900));
}

TEST(AspectRatio, LimitsCoverTheMinimumAndFitTheRoomAndMaximum) {
    WindowLimits window = limitsOf({800, 600});
    window.minSize = {400, 200};
    const AspectRatioRoom room{{0, 0, 800, 600}, kScreen, 22, true, false};
    const AspectRatioLimits limits = computeAspectRatioLimits({4, 3}, room, window, nullptr);
    // 400 wide at 4:3 is 300 high, which covers a minimum height of 200.
    EXPECT_EQ(limits.minimum, Size(400, 300));
    // 1440 wide would be 1080 high, more than 878: the height leads.
    EXPECT_EQ(limits.maximum, Size(1170, 878));
    // 1170 x 878 -> width 1000 gives 750 high -> height 700 gives 933 wide.
    window.maxSize = {1000, 700};
    EXPECT_EQ(computeAspectRatioLimits({4, 3}, room, window, nullptr).maximum, Size(933, 700));
    // 106 wide at 458:363 is 84.01 high, floored to the minimum height of
    // 84; 84 high would floor to 105 wide, under the minimum width.
    window.minSize = {106, 84};
    EXPECT_EQ(computeAspectRatioLimits({458, 363}, room, window, nullptr).minimum, Size(106, 84));
}

} // namespace
} // namespace vantro::resize
