#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_window.h"
#include "plugin/feedback/dimension_overlay.h"
#include "plugin/feedback/dimension_text.h"
#include "support/allocation_counter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

namespace vantro::feedback {
namespace {

using platform::TextRun;
using platform::fake::FakeFeedbackSurface;
using platform::fake::FakePlatform;
using platform::fake::FakeWindow;

std::string textOf(const std::vector<TextRun>& runs) {
    std::string text;
    for (const TextRun& run : runs) {
        text += run.text;
    }
    return text;
}

TEST(DimensionText, ReadsAsTheTabShowsIt) {
    struct Case {
        Size size;
        double content;
        Size minimum, maximum;
        const char* expected;
    };
    const Size none{1e7, 1e7};
    // Narrow frames take the short form; limits reached are named.
    const Case cases[] = {
        {{1024, 768}, 746, {}, none, "Window Size: 1024 x 768 \u2013 Content Height: 746"},
        {{300, 200}, 178, {100, 200}, none, "300 x 200 (Min) \u2013 178"},
        {{200, 100}, 78, {200, 100}, {800, 1e7}, "200 (Min) x 100 (Min) \u2013 78"},
        {{400.5, 300}, 278, {}, none, "Window Size: 400 x 300 \u2013 Content Height: 278"},
        {{500, 300},
         278,
         {500, 0},
         {500, 1e7},
         "Window Size: 500 (Max) x 300 \u2013 Content Height: 278"},
        {{800.4, 600.6}, 578.6, {}, none, "Window Size: 800 x 601 \u2013 Content Height: 579"},
        {{0, 0}, 0, {}, {}, "0 (Max) x 0 (Max) \u2013 0"}, // no limits answered
    };
    std::vector<TextRun> runs;
    for (const Case& c : cases) {
        composeDimensionText(c.size, c.content, c.minimum, c.maximum, runs);
        EXPECT_EQ(textOf(runs), c.expected);
    }
    composeDimensionText({1024, 768}, 746, {}, {1e7, 1e7}, runs);
    EXPECT_FALSE(runs[0].larger); // "Window Size: " in the smaller type
    EXPECT_TRUE(runs[1].larger);  // the number in the larger one
    // Numbers read exactly as "%1.0f" prints them, on the fast path for
    // screen lengths and beyond it.
    const double inf = std::numeric_limits<double>::infinity();
    for (const double value : {-0.0, 0.5, 1.5, -0.4, -2.5, 807.5, 1e20, std::nan(""), -inf}) {
        composeDimensionText({10, value}, 5, {}, {1.0e7, 1.0e7}, runs);
        char digits[400];
        std::snprintf(digits, sizeof digits, "%1.0f", value);
        ASSERT_GE(runs.size(), 3U);
        EXPECT_EQ(runs[2].text, digits) << value; // the short form's third run is the height
    }
    // Recomposing does not allocate.
    composeDimensionText({1024, 768}, 746, {}, {1e7, 1e7}, runs);
    const testing::AllocationScope scope;
    for (int width = 1000; width < 1100; ++width) {
        composeDimensionText({static_cast<double>(width), 768}, 746, {}, {1e7, 1e7}, runs);
    }
    EXPECT_EQ(scope.allocations(), 0U);
}

TEST(DimensionTab, SitsOnTheBottomEdgeNearTheRightCorner) {
    const Rect tab = dimensionTabFrame({100, 200}, {1024, 768}, {150, 14});
    EXPECT_EQ(tab, Rect(100 + 1024 - 17 - 154, 200 - 7, 154, 20));
}

struct Overlay : ::testing::Test {
    FakePlatform platform;
    FakeWindow window{platform};
    FakeWindow other{platform};
    DimensionOverlay overlay;
};

TEST_F(Overlay, AttachesOnceAndUpdatesInPlace) {
    overlay.add(&window, Rect(100, 100, 1024, 768), 746);
    EXPECT_EQ(overlay.attachedTo(), &window);
    EXPECT_TRUE(overlay.surface().isVisible());
    EXPECT_EQ(overlay.surface().orderedAbove(), &window);
    overlay.add(&other, Rect(90, 100, 1034, 768), 746);
    EXPECT_EQ(overlay.attachedTo(), &window); // updated where it is
    EXPECT_EQ(overlay.surface().text(), "Window Size: 1034 x 768 \u2013 Content Height: 746");
    EXPECT_EQ(overlay.surface().frame().maxX(), 90 + 1034 - 17);
}

TEST_F(Overlay, RemovalFadesUnlessResizingOrZooming) {
    overlay.remove(&window, false); // detached: nothing
    overlay.add(&window, window.frame, 458);
    overlay.remove(&window, false);
    EXPECT_TRUE(overlay.isAttached());
    platform.clock.advance(kDimensionFadeDuration / 2);
    EXPECT_LT(overlay.surface().alpha(), 1.0);
    platform.clock.advance(kDimensionFadeDuration);
    EXPECT_FALSE(overlay.isAttached());
    EXPECT_EQ(overlay.surface().text(), "");
    EXPECT_EQ(overlay.surface().alpha(), 1.0);

    overlay.add(&window, window.frame, 458);
    overlay.remove(&window, true); // a zoom is applying its frame
    EXPECT_FALSE(overlay.isAttached());
    overlay.add(&window, window.frame, 458);
    window.inLiveResize = true;
    overlay.remove(&window, false);
    EXPECT_FALSE(overlay.isAttached());
    EXPECT_FALSE(overlay.surface().isVisible());
}

TEST_F(Overlay, AddDuringAFadeOutKeepsTheTab) {
    overlay.add(&window, window.frame, 458);
    overlay.remove(&window, false);
    platform.clock.advance(kDimensionFadeDuration / 2);
    overlay.add(&window, window.frame, 458); // still attached: updated in place
    platform.clock.advance(1);
    // The fade that was running still detaches it when it ends, as a fade
    // the caller asked for.
    EXPECT_FALSE(overlay.isAttached());
}

} // namespace
} // namespace vantro::feedback
