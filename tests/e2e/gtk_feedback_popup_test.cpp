// The feedback surfaces as real popup windows on a real X server: placed
// where the plug-in asks (in its coordinates), shown and hidden, sized to
// their text, pointer-transparent. Runs inside tools/with-test-session.

#include "platform/gtk/feedback_popup.h"
#include "platform/gtk/monitors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace vantro::gtk {
namespace {

// Runs GTK's main loop until DONE holds, five seconds at most.
template <typename Predicate> bool settle(Predicate done) {
    for (const gint64 end = g_get_monotonic_time() + 5 * G_USEC_PER_SEC;
         !done() && g_get_monotonic_time() < end; g_usleep(10000)) {
        while (gtk_events_pending() != 0) {
            gtk_main_iteration_do(FALSE);
        }
    }
    return done();
}

class FeedbackPopupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr || std::getenv("VANTRO_PRIVATE_SESSION") == nullptr) {
            GTEST_SKIP() << "needs DISPLAY and VANTRO_PRIVATE_SESSION (tools/with-test-session)";
        }
        ASSERT_TRUE(gtk_init_check(nullptr, nullptr));
    }
};

std::optional<std::string> bundleImage(std::string_view name) {
    return std::string(VANTRO_IMAGE_RESOURCES) + "/" + std::string(name) + ".svg";
}

TEST_F(FeedbackPopupTest, EachKindLandsWhereAskedAndComesAndGoes) {
    const CoordinateSpace space = coordinateSpaceOf(gdk_display_get_default());
    for (const auto kind : {platform::FeedbackKind::hudAlert, platform::FeedbackKind::dimensionTab,
                            platform::FeedbackKind::resizeIndicator}) {
        FeedbackPopup popup(kind, space, &bundleImage);
        const Rect frame(300, 200, 240, 60);
        popup.setFrame(frame);
        popup.setText("Max Screen Width 1440px\nMax Screen Height 878px");
        popup.setImageName("TopLeftResizeIndicator");
        popup.setAlpha(0.5);
        EXPECT_FALSE(popup.isVisible());
        popup.orderFrontAbove(nullptr);
        ASSERT_TRUE(settle([&] { return gtk_widget_get_mapped(popup.widget()) != 0; }));
        GdkWindow* window = gtk_widget_get_window(popup.widget());
        const bool placed = settle([&] {
            int x = 0;
            int y = 0;
            gdk_window_get_origin(window, &x, &y);
            const Rect onServer = space.toCore(
                Rect(x, y, gdk_window_get_width(window), gdk_window_get_height(window)));
            return onServer == frame;
        });
        EXPECT_TRUE(placed) << static_cast<int>(kind);
        EXPECT_TRUE(popup.isVisible());
        EXPECT_DOUBLE_EQ(popup.alpha(), 0.5);
        popup.orderOut();
        EXPECT_TRUE(settle([&] { return gtk_widget_get_mapped(popup.widget()) == 0; }));
    }
}

TEST_F(FeedbackPopupTest, TextSizeGrowsWithTheTextAndBadInputIsHarmless) {
    const CoordinateSpace space = coordinateSpaceOf(gdk_display_get_default());
    FeedbackPopup hud(platform::FeedbackKind::hudAlert, space, &bundleImage);
    hud.setText("Undo Zoom");
    const Size one = hud.fittingTextSize();
    hud.setText("Undo Zoom\nUndo Zoom <&>");
    const Size two = hud.fittingTextSize();
    EXPECT_GT(one.width, 0);
    EXPECT_GT(two.height, one.height);
    EXPECT_GE(two.width, one.width);

    FeedbackPopup tab(platform::FeedbackKind::dimensionTab, space, &bundleImage);
    tab.setTextRuns({{"800", true}, {" x ", true}, {"600", true}});
    EXPECT_EQ(tab.text(), "800 x 600");
    EXPECT_GT(tab.fittingTextSize().width, 0);
    tab.setFrame(Rect(std::nan(""), 0, 10, 10));
    tab.setAlpha(std::nan(""));
    EXPECT_DOUBLE_EQ(tab.alpha(), 1.0);
    tab.setImageName("NoSuchImage");
    tab.orderFrontAbove(nullptr);
    EXPECT_TRUE(settle([&] { return gtk_widget_get_mapped(tab.widget()) != 0; }));
}

} // namespace
} // namespace vantro::gtk
