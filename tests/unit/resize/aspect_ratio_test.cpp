// Keeping a window's aspect ratio: the ratio of a size, sizes of a ratio,
// the drag's limits and the acceptance test.

#include "plugin/resize/aspect_ratio.h"
#include "support/geometry_printers.h"

#include <gtest/gtest.h>

#include <limits>

namespace vantro::resize {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

WindowLimits windowOf(Size frame, Size increments = {1, 1}) {
    WindowLimits limits;
    limits.frameSize = frame;
    limits.resizeIncrements = increments;
    return limits;
}

TEST(AspectRatio, OfASizeInLowestTerms) {
    const std::pair<Size, Size> cases[] = {
        {{1024, 768}, {4, 3}},
        {{1280, 800}, {8, 5}},
        {{801, 600}, {267, 200}},
        {{1001, 640}, {1001, 640}},
        // Divided by the whole parts' divisor, fractions kept.
        {{800.5, 600}, {800.5 / 200, 3}},
        // No whole part to divide by: a square, never a division by zero.
        {{0.5, 600}, {1, 1}},
        {{0, 0}, {1, 1}},
        {{-800, 600}, {1, 1}},
        {{kNaN, 600}, {1, 1}}};
    for (const auto& [size, ratio] : cases) {
        EXPECT_EQ(aspectRatioForSize(size), ratio) << size.width << " x " << size.height;
    }
}

TEST(AspectRatio, TheLeadingLengthDecidesTheOther) {
    const AspectRatioRules rules{windowOf({800, 600}), std::nullopt, nullptr};
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
        EXPECT_EQ(constrainAspectRatioSize(c.size,
                                           {windowOf({507, 406}, c.increments), c.limits, nullptr}),
                  c.expected)
            << c.size.width << " x " << c.size.height;
    }
    // A delegate that changes the size refuses it.
    class Fixed final : public ResizeDelegate {
      public:
        [[nodiscard]] Size willResizeToSize(Size /*proposed*/) const override { return {640, 480}; }
    } fixed;
    const WindowLimits window = windowOf({507, 406});
    EXPECT_EQ(constrainAspectRatioSize({800, 600}, {window, wide, &fixed}), Size(507, 406));
    EXPECT_EQ(constrainAspectRatioSize({640, 480}, {window, wide, &fixed}), Size(640, 480));
    EXPECT_EQ(constrainAspectRatioSize({800, 600}, {window, std::nullopt, &fixed}), Size(800, 600));
}

// A screen of 1440 x 900 with a 22 px bar at the top: visible (0, 0, 1440, 878).
const Screen kScreen{Rect(0, 0, 1440, 900), Rect(0, 0, 1440, 878)};

TEST(AspectRatio, RoomForTheAnchoring) {
    const Screen above{Rect(0, 1080, 1440, 900), Rect(0, 1080, 1440, 878)};
    const Screen left{Rect(-1440, 0, 1440, 900), Rect(-1440, 0, 1440, 878)};
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
        // Measured from the window's own screen, above or left of the main one.
        {{100, 1180, 600, 400}, above, false, true, bottomRight, {700, 778}},
        {{-1340, 100, 600, 400}, left, false, false, bottomRight, {1340, 500}},
        // Dragged by its top-left corner: the bottom-right stays.
        {{100, 1180, 600, 400}, above, false, false, topLeft, {700, 778}},
    };
    for (const Case& c : cases) {
        const AspectRatioRoom room{c.frame,        c.screen,         22,
                                   c.keepCentered, c.pinBottomRight, c.edges};
        EXPECT_EQ(roomOnScreen(room, windowOf(c.frame.size)), c.room) << c.frame.minX();
    }
    WindowLimits window = windowOf({600, 400});
    window.maxSize = {1000, 900};
    const AspectRatioRoom noScreen{{100, 100, 600, 400}, std::nullopt, 0, false, false};
    EXPECT_EQ(roomOnScreen(noScreen, window), Size(1000, 900));
}

TEST(AspectRatio, LimitsCoverTheMinimumAndFitTheRoomAndMaximum) {
    WindowLimits window = windowOf({800, 600});
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
