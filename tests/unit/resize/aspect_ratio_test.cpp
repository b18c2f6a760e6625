// Keeping a window's aspect ratio: the ratio of a size, sizes of a ratio,
// the drag's limits and the acceptance test.

#include "plugin/resize/aspect_ratio.h"

#include <gtest/gtest.h>

#include <ostream>

#include <limits>
#include <string>

namespace vantro::resize {
namespace {

struct RatioCase {
    Size size;
    Size ratio;
    friend void PrintTo(const RatioCase& c, std::ostream* out) {
        *out << c.size.width << " x " << c.size.height;
    }
};

class RatioOfASize : public ::testing::TestWithParam<RatioCase> {};

TEST_P(RatioOfASize, LowestTerms) {
    EXPECT_EQ(aspectRatioForSize(GetParam().size), GetParam().ratio);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, RatioOfASize,
    ::testing::Values(RatioCase{{800, 600}, {4, 3}}, RatioCase{{1024, 768}, {4, 3}},
                      RatioCase{{1280, 800}, {8, 5}}, RatioCase{{801, 600}, {267, 200}},
                      RatioCase{{1000, 1000}, {1, 1}}, RatioCase{{1001, 640}, {1001, 640}},
                      // Divided by the whole parts' divisor, fractions kept.
                      RatioCase{{800.5, 600}, {800.5 / 200, 3}},
                      // No whole part to divide by: a square, never a division by zero.
                      RatioCase{{0.5, 600}, {1, 1}}, RatioCase{{0, 0}, {1, 1}},
                      RatioCase{{-800, 600}, {1, 1}},
                      RatioCase{{std::numeric_limits<double>::quiet_NaN(), 600}, {1, 1}},
                      RatioCase{{std::numeric_limits<double>::infinity(), 600}, {1, 1}}));

WindowLimits windowOf(Size frame) {
    WindowLimits limits;
    limits.frameSize = frame;
    return limits;
}

TEST(SizeOfARatio, TheLeadingLengthDecidesTheOther) {
    const WindowLimits window = windowOf({800, 600});
    const AspectRatioRules rules{window, std::nullopt, nullptr};
    EXPECT_EQ(sizeInAspectRatioForWidth({4, 3}, 801, rules), Size(801, 600));
    EXPECT_EQ(sizeInAspectRatioForHeight({4, 3}, 500, rules), Size(666, 500));
    // 0.1 x 3 x 10 is 2.9999999999999996 in double; single precision makes
    // it 3 before the floor.
    EXPECT_EQ(sizeInAspectRatioForWidth({10, 3}, 10 * (1 - 1e-16), rules).height, 3);
    // An unusable ratio counts as a square.
    EXPECT_EQ(sizeInAspectRatioForWidth({0, 3}, 500, rules), Size(500, 500));
}

struct AcceptCase {
    std::string name;
    Size size;
    std::optional<AspectRatioLimits> limits;
    Size increments;
    Size expected;
    // Test listings show the case by its name.
    friend void PrintTo(const AcceptCase& c, std::ostream* out) { *out << c.name; }
};

class Acceptance : public ::testing::TestWithParam<AcceptCase> {};

TEST_P(Acceptance, ClampsOrRefuses) {
    const AcceptCase& c = GetParam();
    WindowLimits window = windowOf({507, 406});
    window.resizeIncrements = c.increments;
    EXPECT_EQ(constrainAspectRatioSize(c.size, {window, c.limits, nullptr}), c.expected);
}

const AspectRatioLimits kLimits{{400, 300}, {1600, 1200}};
const AspectRatioLimits kWide{{100, 100}, {2000, 2000}};

INSTANTIATE_TEST_SUITE_P(
    Sizes, Acceptance,
    ::testing::Values(AcceptCase{"AboveTheMaximum", {2000, 1500}, kLimits, {1, 1}, {1600, 1200}},
                      AcceptCase{"BelowTheMinimum", {200, 150}, kLimits, {1, 1}, {400, 300}},
                      AcceptCase{"MinimumAboveMaximumWinsLow",
                                 {450, 450},
                                 AspectRatioLimits{{0, 500}, {2000, 400}},
                                 {1, 1},
                                 {450, 500}},
                      AcceptCase{"MinimumAboveMaximumHigh",
                                 {450, 600},
                                 AspectRatioLimits{{0, 500}, {2000, 400}},
                                 {1, 1},
                                 {450, 400}},
                      // 514 and 420 keep the frame's remainders modulo 7 and 14.
                      AcceptCase{"OnTheIncrements", {514, 420}, kWide, {7, 14}, {514, 420}},
                      AcceptCase{
                          "OffTheIncrementsKeepsTheFrame", {510, 420}, kWide, {7, 14}, {507, 406}},
                      AcceptCase{"OffTheIncrementsWithoutLimitsPassesUnchanged",
                                 {510, 420},
                                 std::nullopt,
                                 {7, 14},
                                 {510, 420}}),
    [](const auto& row) { return row.param.name; });

TEST(Acceptance, ADelegateThatChangesTheSizeRefusesIt) {
    class Fixed final : public ResizeDelegate {
      public:
        [[nodiscard]] Size willResizeToSize(Size /*proposed*/) const override { return {640, 480}; }
    } fixed;
    const WindowLimits window = windowOf({507, 406});
    EXPECT_EQ(constrainAspectRatioSize({800, 600}, {window, kWide, &fixed}), Size(507, 406));
    EXPECT_EQ(constrainAspectRatioSize({640, 480}, {window, kWide, &fixed}), Size(640, 480));
    EXPECT_EQ(constrainAspectRatioSize({800, 600}, {window, std::nullopt, &fixed}), Size(800, 600));
}

// A screen of 1440 x 900 with a 22 px bar at the top: visible (0, 0, 1440, 878).
const Screen kScreen{Rect(0, 0, 1440, 900), Rect(0, 0, 1440, 878)};
const Screen kScreenAbove{Rect(0, 1080, 1440, 900), Rect(0, 1080, 1440, 878)};
const Screen kScreenLeft{Rect(-1440, 0, 1440, 900), Rect(-1440, 0, 1440, 878)};

struct RoomCase {
    std::string name;
    Rect frame;
    bool keepCentered;
    bool pinBottomRight;
    Size room;
    Screen screen = kScreen;
    unsigned edges = platform::kResizeRightEdge | platform::kResizeBottomEdge;
    // Test listings show the case by its name.
    friend void PrintTo(const RoomCase& c, std::ostream* out) { *out << c.name; }
};

class Room : public ::testing::TestWithParam<RoomCase> {};

TEST_P(Room, ForTheAnchoring) {
    const RoomCase& c = GetParam();
    const WindowLimits window = windowOf(c.frame.size);
    const AspectRatioRoom room{c.frame, c.screen, 22, c.keepCentered, c.pinBottomRight, c.edges};
    EXPECT_EQ(roomOnScreen(room, window), c.room);
}

INSTANTIATE_TEST_SUITE_P(
    Anchorings, Room,
    ::testing::Values(
        RoomCase{"Centred", {100, 100, 600, 400}, true, false, {1440, 878}},
        // 100 px from the left edge, 600 wide: 700 to its right edge;
        // 900 - 500 - 22 + 400 above its bottom edge.
        RoomCase{"PinnedBottomRight", {100, 100, 600, 400}, false, true, {700, 778}},
        RoomCase{"Free", {100, 100, 600, 400}, false, false, {1340, 500}},
        // The same window on a screen above the main one and on
        // one left of it: the room is measured from that screen.
        RoomCase{
            "PinnedOnAScreenAbove", {100, 1180, 600, 400}, false, true, {700, 778}, kScreenAbove},
        RoomCase{
            "FreeOnAScreenLeft", {-1340, 100, 600, 400}, false, false, {1340, 500}, kScreenLeft},
        // Dragged by its top-left corner: the bottom-right stays.
        RoomCase{"FreeByTheTopLeftOnAScreenAbove",
                 {100, 1180, 600, 400},
                 false,
                 false,
                 {700, 778},
                 kScreenAbove,
                 platform::kResizeLeftEdge | platform::kResizeTopEdge}),
    [](const auto& row) { return row.param.name; });

TEST(Room, AWindowOnNoScreenHasItsMaximumSize) {
    WindowLimits window = windowOf({600, 400});
    window.maxSize = {1000, 900};
    const AspectRatioRoom room{{100, 100, 600, 400}, std::nullopt, 0, false, false};
    EXPECT_EQ(roomOnScreen(room, window), Size(1000, 900));
}

TEST(Limits, MinimumCoversTheWindowsMinimumAndMaximumFitsTheRoom) {
    WindowLimits window = windowOf({800, 600});
    window.minSize = {400, 200};
    const AspectRatioRoom room{{0, 0, 800, 600}, kScreen, 22, true, false};
    const AspectRatioLimits limits = computeAspectRatioLimits({4, 3}, room, window, nullptr);
    // 400 wide at 4:3 is 300 high, which covers a minimum height of 200.
    EXPECT_EQ(limits.minimum, Size(400, 300));
    // 1440 wide would be 1080 high, more than 878: the height leads.
    EXPECT_EQ(limits.maximum, Size(1170, 878));
}

TEST(Limits, HeldToTheWindowsMaximumWidthFirst) {
    WindowLimits window = windowOf({800, 600});
    window.maxSize = {1000, 700};
    const AspectRatioRoom room{{0, 0, 800, 600}, kScreen, 22, true, false};
    const AspectRatioLimits limits = computeAspectRatioLimits({4, 3}, room, window, nullptr);
    // 1170 x 878 -> width 1000 gives 750 high -> height 700 gives 933 wide.
    EXPECT_EQ(limits.maximum, Size(933, 700));
}

} // namespace
} // namespace vantro::resize
