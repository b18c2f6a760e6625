#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_window.h"
#include "plugin/feedback/hud_alert.h"
#include "plugin/feedback/hud_placement.h"

#include <gtest/gtest.h>

namespace vantro::feedback {
namespace {

using platform::fake::FakePlatform;
using platform::fake::FakeWindow;

TEST(HudPlacement, CentresOverTheFrameAndStaysOnScreen) {
    const Rect visible(0, 0, 1440, 878);
    struct Case {
        Rect frame;
        Rect visible;
        Point expected;
    };
    const Case cases[] = {
        {Rect(100, 100, 800, 600), visible, {375, 408}},            // centred, 62.5% up
        {Rect(0, 100, 200, 600), visible, {10, 408}},               // narrow, at the left edge
        {Rect(100, 600, 800, 600), visible, {375, 878 - 133 - 10}}, // near the top
        {Rect(100, -500, 800, 300), visible, {375, 10}},            // below the bottom
        // 300 / 1.6f is just under 187.5; rounding through float lands on 221.
        {Rect(1300, 100, 400, 300), visible, {1440 - 250 - 10, 221}}, // past the right edge
        // A visible frame smaller than the panel: the right and top rules win.
        {Rect(0, 0, 100, 100), Rect(0, 0, 200, 100), {200 - 250 - 10, 100 - 133 - 10}},
        {Rect(1440, 0, 400, 300), Rect(1440, 0, 1024, 768), {1515, 121}}, // off the origin
    };
    for (const Case& c : cases) {
        EXPECT_EQ(hudOrigin(c.frame, c.visible), c.expected)
            << c.frame.minX() << ", " << c.frame.minY() << " in " << c.visible.size.width;
    }
}

struct Hud : ::testing::Test {
    FakePlatform platform;
    FakeWindow window{platform};
    HudAlert hud;

    Hud() { window.frame = Rect(100, 100, 800, 600); }
    void show(std::string_view message = "Undo Zoom") { hud.show(&window, message, window.frame); }
};

TEST_F(Hud, FadesInHoldsAndFadesOut) {
    show();
    EXPECT_TRUE(hud.isVisible());
    EXPECT_EQ(hud.surface().alpha(), 0.0);
    EXPECT_EQ(hud.surface().text(), "Undo Zoom");
    EXPECT_EQ(hud.surface().orderedAbove(), &window);
    EXPECT_EQ(hud.surface().frame(), Rect(375, 408, 250, 133));

    platform.clock.advance(kHudFadeDuration);
    EXPECT_EQ(hud.surface().alpha(), 1.0);
    platform.clock.advance(kHudHoldDuration - 0.01);
    EXPECT_EQ(hud.surface().alpha(), 1.0); // still held
    platform.clock.advance(0.02);
    platform.clock.advance(kHudFadeDuration / 2);
    EXPECT_TRUE(hud.isVisible());
    EXPECT_LT(hud.surface().alpha(), 1.0); // fading out
    platform.clock.advance(kHudFadeDuration);
    EXPECT_FALSE(hud.isVisible());
    EXPECT_EQ(hud.surface().alpha(), 1.0); // ready for the next message
    EXPECT_EQ(platform.clock.pendingPerformCount(), 0U);

    // Over a window on no screen it is placed on the main screen.
    window.frame = Rect(5000, 5000, 800, 600);
    show();
    EXPECT_LE(hud.surface().frame().maxX(), platform.screenList[0].visibleFrame.maxX());
    EXPECT_LE(hud.surface().frame().maxY(), platform.screenList[0].visibleFrame.maxY());
}

TEST_F(Hud, ASecondMessageWhileVisibleIsDropped) {
    show("Max Screen Width 1440px");
    platform.clock.advance(kHudFadeDuration + kHudHoldDuration + 0.05); // into the fade-out
    ASSERT_TRUE(hud.isVisible());
    show("Undo Zoom");
    EXPECT_EQ(hud.surface().text(), "Max Screen Width 1440px");
    platform.clock.advance(1);
    EXPECT_FALSE(hud.isVisible());
    show("Undo Zoom");
    EXPECT_EQ(hud.surface().text(), "Undo Zoom");
}

TEST_F(Hud, DuringAResizeDragItGoesWithoutAFade) {
    hud.remove(&window); // hidden: nothing happens
    EXPECT_FALSE(hud.isVisible());
    show();
    platform.clock.advance(kHudFadeDuration);
    window.inLiveResize = true;
    hud.remove(&window);
    EXPECT_FALSE(hud.isVisible());
    EXPECT_EQ(hud.surface().alpha(), 1.0);
}

TEST_F(Hud, OldestGenerationShowsAtOnceDuringADragAndRemovesAfter054) {
    platform.appKitVersion = 949;
    window.inLiveResize = true;
    show("Drag Top Left to Resize\nKeep Mouse & Keys Down");
    EXPECT_TRUE(hud.isVisible());
    EXPECT_EQ(hud.surface().alpha(), 1.0);
    platform.clock.advance(kHudLiveResizeHoldDuration - 0.01);
    EXPECT_TRUE(hud.isVisible());
    platform.clock.advance(0.02);
    EXPECT_FALSE(hud.isVisible());
}

TEST_F(Hud, ResigningKeyTakesItDownAtOnce) {
    show();
    platform.clock.advance(0.1);
    hud.orderOutNow();
    EXPECT_FALSE(hud.isVisible());
    platform.clock.advance(2); // the interrupted fade reports nothing
    EXPECT_FALSE(hud.isVisible());
    EXPECT_EQ(platform.clock.pendingPerformCount(), 0U);
}

TEST_F(Hud, ANewShowCancelsTheSameWindowsPendingRemoval) {
    platform.appKitVersion = 949;
    window.inLiveResize = true;
    show("first");
    window.inLiveResize = false;
    hud.orderOutNow(); // hidden, but the 0.54 s removal is still pending
    EXPECT_EQ(platform.clock.pendingPerformCount(), 1U);
    show("second");
    platform.clock.advance(kHudFadeDuration);
    EXPECT_EQ(platform.clock.pendingPerformCount(), 1U); // only the new hold
    platform.clock.advance(kHudLiveResizeHoldDuration - kHudFadeDuration);
    EXPECT_EQ(hud.surface().alpha(), 1.0); // the old removal did not fire
}

} // namespace
} // namespace vantro::feedback
