// The feedback surfaces as real popup windows on a real X server: placed
// where the plug-in asks (in its coordinates), shown and hidden, sized to
// their text, pointer-transparent. Runs inside tools/with-test-session.

#include "platform/gtk/feedback_popup.h"
#include "platform/gtk/monitors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>

namespace vantro::gtk {
namespace {

template <typename Predicate> bool settle(Predicate done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < end) {
        while (gtk_events_pending() != 0) {
            gtk_main_iteration_do(FALSE);
        }
        if (done()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
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

CoordinateSpace current() {
    return coordinateSpaceOf(gdk_display_get_default());
}

std::optional<std::string> bundleImage(std::string_view name) {
    return std::string(VANTRO_IMAGE_RESOURCES) + "/" + std::string(name) + ".svg";
}

TEST_F(FeedbackPopupTest, EachKindLandsWhereAskedAndComesAndGoes) {
    const CoordinateSpace space = current();
    for (const auto kind : {platform::FeedbackKind::hudAlert, platform::FeedbackKind::dimensionTab,
                            platform::FeedbackKind::resizeIndicator}) {
        FeedbackPopup popup(kind, current, &bundleImage);
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
            const double m = popup.shadowMargin();
            return onServer == Rect(frame.minX() - m, frame.minY(), frame.size.width + 2 * m,
                                    frame.size.height + m);
        });
        EXPECT_TRUE(placed) << static_cast<int>(kind);
        EXPECT_TRUE(popup.isVisible());
        EXPECT_DOUBLE_EQ(popup.alpha(), 0.5);
        popup.orderOut();
        EXPECT_TRUE(settle([&] { return gtk_widget_get_mapped(popup.widget()) == 0; }));
    }
}

TEST_F(FeedbackPopupTest, TextSizeGrowsWithTheTextAndBadInputIsHarmless) {
    FeedbackPopup hud(platform::FeedbackKind::hudAlert, current, &bundleImage);
    hud.setText("Undo Zoom");
    const Size one = hud.fittingTextSize();
    hud.setText("Undo Zoom\nUndo Zoom <&>");
    const Size two = hud.fittingTextSize();
    EXPECT_GT(one.width, 0);
    EXPECT_GT(two.height, one.height);
    EXPECT_GE(two.width, one.width);

    FeedbackPopup tab(platform::FeedbackKind::dimensionTab, current, &bundleImage);
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

// The tab as the user sees it, read back from the screen over a white
// window: a dark box of white level 0.1 at alpha 0.84, white text, corners
// that show the window below (never black) and, with a compositor only, a
// shadow above the box.
TEST_F(FeedbackPopupTest, TabIsADarkRoundedBoxWithWhiteText) {
    const CoordinateSpace space = current();
    GtkWidget* below = gtk_window_new(GTK_WINDOW_POPUP);
    gtk_widget_set_app_paintable(below, TRUE);
    g_signal_connect(below, "draw", G_CALLBACK(+[](GtkWidget*, cairo_t* cr, gpointer) {
                         cairo_set_source_rgb(cr, 1, 1, 1);
                         cairo_paint(cr);
                         return TRUE;
                     }),
                     nullptr);
    gtk_window_move(GTK_WINDOW(below), 200, 200);
    gtk_window_resize(GTK_WINDOW(below), 300, 100);
    gtk_widget_show(below);
    FeedbackPopup tab(platform::FeedbackKind::dimensionTab, current, &bundleImage);
    tab.setTextRuns({{"800 x 600", true}});
    const Size text = tab.fittingTextSize();
    const Rect box(250, 240, text.width + 4, text.height - 1); // what shows above the window
    tab.setFrame(space.toCore(Rect(box.minX(), box.minY(), box.size.width, text.height + 6)));
    tab.orderFrontAbove(nullptr);
    GdkPixbuf* shot = nullptr;
    const auto at = [&](int x, int y) { // the darkest channel of a pixel, from the box's origin
        const std::ptrdiff_t row = gdk_pixbuf_get_rowstride(shot);
        const std::ptrdiff_t pixel = gdk_pixbuf_get_n_channels(shot);
        const guchar* p = gdk_pixbuf_get_pixels(shot) + ((y + 10) * row) + ((x + 10) * pixel);
        return std::min({p[0], p[1], p[2]});
    };
    const bool composited = gdk_screen_is_composited(gdk_screen_get_default()) != 0;
    const int fill = static_cast<int>(std::lround(255 * (0.1 * 0.84 + (composited ? 0.16 : 0))));
    const bool drawn = settle([&] { // the window below shows, and through the tab's corner
        g_clear_object(&shot);
        shot = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), 240, 230,
                                          static_cast<int>(box.size.width) + 20, 40);
        return shot != nullptr && at(-8, -8) == 255 && at(0, 0) >= (composited ? 150 : 255) &&
               std::abs(at(1, static_cast<int>(box.size.height) / 2) - fill) <= 3;
    });
    ASSERT_TRUE(drawn) << "not a box of white 0.1 at 0.84 with the window below at its corners";
    int brightest = 0;
    for (int y = 0; y < static_cast<int>(box.size.height); ++y) {
        for (int x = 0; x < static_cast<int>(box.size.width); ++x) {
            brightest = std::max<int>(brightest, at(x, y));
        }
    }
    EXPECT_GE(brightest, 240) << "no white text";
    EXPECT_EQ(at(static_cast<int>(box.size.width) / 2, -2) < 250, composited) << "shadow";
    EXPECT_EQ(at(static_cast<int>(box.size.width) / 2, static_cast<int>(box.size.height) + 3), 255)
        << "the strip below the window's edge";
    g_clear_object(&shot);
    gtk_widget_destroy(below);
}

} // namespace
} // namespace vantro::gtk
