// The GTK backend's window frames and feedback popups on a real X server, in each kind of
// session (tools/with-test-session). Where zooms and drags put frames is zoom_button.sh's,
// resize_drag.sh's and the matrix's.

#include "platform/gtk/feedback_popup.h"
#include "platform/gtk/gtk_platform.h"
#include "platform/gtk/monitors.h"
#include "platform/gtk/window_frame.h"
#include "platform/gtk/window_proxy.h"
#include "platform/title_button.h"
#include "support/geometry_printers.h"
#include "support/main_loop.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vantro::gtk {
namespace {

using ::testing::PrintToString;

bool inPrivateSession() {
    return std::getenv("DISPLAY") != nullptr && std::getenv("VANTRO_PRIVATE_SESSION") != nullptr;
}

// Runs the main loop until `done` has held for 150 ms without a break, for
// at most 5 s: a frame the window manager is still moving may pass by the one
// wanted.
bool settle(const std::function<bool()>& done) {
    std::optional<gint64> heldSince;
    return vantro::testing::spinUntil(
        [&] {
            if (!done()) {
                heldSince.reset();
                return false;
            }
            heldSince = heldSince.value_or(g_get_monotonic_time());
            return g_get_monotonic_time() - *heldSince >= 150 * 1000;
        },
        5);
}

class GtkFrameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!inPrivateSession()) {
            GTEST_SKIP() << "needs DISPLAY and VANTRO_PRIVATE_SESSION (tools/with-test-session)";
        }
        ASSERT_TRUE(gtk_init_check(nullptr, nullptr)) << "cannot open " << std::getenv("DISPLAY");
        display_ = gdk_display_get_default();
        ASSERT_NE(display_, nullptr);
    }

    static GtkWindow* mappedTestWindow(const char* title) {
        GtkWindow* window = createTestWindow(title);
        EXPECT_TRUE(settle([window] { return gtk_widget_get_mapped(GTK_WIDGET(window)); }));
        return window;
    }

    GdkDisplay* display_ = nullptr;
};

TEST_F(GtkFrameTest, RefusesFramesWithoutAreaOrUnrealizedWindows) {
    GtkWindow* window = mappedTestWindow("Vantro refusal test");
    const CoordinateSpace space = coordinateSpaceOf(display_);
    const std::optional<Rect> before = windowFrame(window, space);
    ASSERT_TRUE(before.has_value());
    for (const Rect& frame :
         {Rect{100, 100, 0, 300}, Rect{100, 100, 300, 0}, Rect{100, 100, -5, 300},
          Rect{NAN, 100, 300, 200}, Rect{100, 100, INFINITY, 200}}) {
        EXPECT_FALSE(setWindowFrame(window, frame, space)) << PrintToString(frame);
    }
    EXPECT_TRUE(settle([&] { return windowFrame(window, space) == before; }));

    GtkWidget* unrealized = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    EXPECT_FALSE(setWindowFrame(GTK_WINDOW(unrealized), {0, 0, 300, 200}, space));
    EXPECT_FALSE(windowFrame(GTK_WINDOW(unrealized), space).has_value());
    EXPECT_TRUE(clientShadowExtents(GTK_WINDOW(unrealized)).isZero());
    EXPECT_EQ(x11WindowId(GTK_WINDOW(unrealized)), 0UL);
    EXPECT_FALSE(setWindowFrame(nullptr, {0, 0, 300, 200}, space));
    gtk_widget_destroy(unrealized);
    gtk_widget_destroy(GTK_WIDGET(window));
}

// The extents are kept between reads: another client's change must show once its
// PropertyNotify has been seen.
TEST_F(GtkFrameTest, ExtentsFollowPropertyChanges) {
    GtkWindow* window = mappedTestWindow("Vantro extents test");
    const struct {
        const char* property;
        FrameExtents (*read)(GtkWindow*);
    } cases[] = {{"_NET_FRAME_EXTENTS", decorationExtents},
                 {"_GTK_FRAME_EXTENTS", clientShadowExtents}};
    for (const auto& each : cases) {
        for (const FrameExtents& wanted : {FrameExtents{3, 4, 25, 6}, FrameExtents{7, 1, 2, 9}}) {
            each.read(window); // kept from here on
            g_autofree gchar* xprop = g_strdup_printf(
                "xprop -id %lu -f %s 32c -set %s '%g, %g, %g, %g'", x11WindowId(window),
                each.property, each.property, wanted.left, wanted.right, wanted.top, wanted.bottom);
            EXPECT_TRUE(g_spawn_command_line_sync(xprop, nullptr, nullptr, nullptr, nullptr));
            EXPECT_TRUE(settle([&] { return each.read(window) == wanted; })) << xprop;
        }
    }
    gtk_widget_destroy(GTK_WIDGET(window));
}

CoordinateSpace current() {
    return coordinateSpaceOf(gdk_display_get_default());
}

std::optional<std::string> bundleImage(std::string_view name) {
    return std::string(VANTRO_IMAGE_RESOURCES) + "/" + std::string(name) + ".svg";
}

// Each kind: its text measured grows with the text, it lands where asked and
// comes and goes, and a frame or alpha that is no number or an image the
// bundle lacks do not keep it from showing.
TEST_F(GtkFrameTest, EachKindLandsWhereAskedAndComesAndGoes) {
    const CoordinateSpace space = current();
    for (const auto kind : {platform::FeedbackKind::hudAlert, platform::FeedbackKind::dimensionTab,
                            platform::FeedbackKind::resizeIndicator}) {
        FeedbackPopup popup(kind, current, &bundleImage);
        const Rect frame(300, 200, 240, 60);
        popup.setFrame(frame);
        popup.setText("Max Screen Width 1440px");
        const Size one = popup.fittingTextSize();
        popup.setText("Max Screen Width 1440px\nMax Screen Height 878px <&>");
        EXPECT_GT(one.width, 0);
        EXPECT_GT(popup.fittingTextSize().height, one.height);
        EXPECT_GE(popup.fittingTextSize().width, one.width);
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
        popup.setFrame(Rect(std::nan(""), 0, 10, 10));
        popup.setAlpha(std::nan(""));
        EXPECT_DOUBLE_EQ(popup.alpha(), 1.0);
        popup.setImageName("NoSuchImage");
        popup.orderFrontAbove(nullptr);
        EXPECT_TRUE(settle([&] { return gtk_widget_get_mapped(popup.widget()) != 0; }));
    }
}

// A popup coming up with a window's new frame maps once the window manager has
// applied it, or after a short wait when no ConfigureNotify comes; hiding it
// first or the window going while it waits keeps it down or does no harm.
TEST_F(GtkFrameTest, APopupWaitsForItsWindowsNewFrame) {
    const CoordinateSpace space = current();
    GtkWindow* window = mappedTestWindow("Vantro popup wait test");
    const auto mapped = [](const FeedbackPopup& popup) {
        return gtk_widget_get_mapped(popup.widget()) != 0;
    };
    FeedbackPopup tab(platform::FeedbackKind::dimensionTab, current, &bundleImage,
                      [&window](runtime::Object*) { return window; });
    tab.setFrame(Rect(300, 200, 120, 30));
    const std::optional<Rect> before = windowFrame(window, space);
    ASSERT_TRUE(before.has_value());
    ASSERT_TRUE(setWindowFrame(
        window,
        Rect(before->minX() + 40, before->minY() + 30, before->size.width, before->size.height),
        space));
    tab.orderFrontAbove(nullptr);
    EXPECT_TRUE(tab.isVisible());
    EXPECT_FALSE(mapped(tab));
    EXPECT_TRUE(settle([&] { return mapped(tab); }));

    tab.orderOut();
    tab.orderFrontAbove(nullptr);
    tab.orderOut();
    EXPECT_FALSE(tab.isVisible());
    EXPECT_TRUE(settle([&] { return !mapped(tab); }));

    tab.orderFrontAbove(nullptr);
    gtk_widget_destroy(GTK_WIDGET(window));
    window = nullptr;
    EXPECT_TRUE(settle([&] { return mapped(tab); }));
}

// The tab as the user sees it, read back from the screen over a white
// window: a dark box of white level 0.1 at alpha 0.84, white text, corners
// that show the window below (never black) and, with a compositor only, a
// shadow above the box.
TEST_F(GtkFrameTest, TabIsADarkRoundedBoxWithWhiteText) {
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
    tab.setTextRuns({{"800", true}, {" x ", true}, {"600", true}});
    EXPECT_EQ(tab.text(), "800 x 600");
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

void findMaximizeButton(GtkWidget* widget, gpointer found) {
    GtkStyleContext* style = gtk_widget_get_style_context(widget);
    if (gtk_style_context_has_class(style, "titlebutton") &&
        gtk_style_context_has_class(style, "maximize")) {
        *static_cast<GtkWidget**>(found) = widget;
    } else if (GTK_IS_CONTAINER(widget)) {
        gtk_container_forall(GTK_CONTAINER(widget), findMaximizeButton, found);
    }
}

// A click's place in the window is measured from the frame the window has;
// so must the maximize button's be, while a frame asked for (a zoom, a step
// of its animation) is still on its way.
TEST_F(GtkFrameTest, TitleButtonFrameIgnoresAFrameOnItsWay) {
    GtkPlatform host(display_, "");
    platform::Platform* previous = platform::setCurrentPlatform(&host);
    host.refreshScreens();
    GtkWindow* window = mappedTestWindow("Vantro title button test");
    WindowProxy* proxy = proxyFor(window);
    findMaximizeButton(GTK_WIDGET(window), &proxy->zoomButton.button);
    ASSERT_NE(proxy->zoomButton.button, nullptr);
    const std::optional<Rect> frame = windowFrame(window, host.space());
    ASSERT_TRUE(frame.has_value());
    const Rect settled = platform::buttonFrame(&proxy->zoomButton);
    EXPECT_GT(settled.size.width, 0);
    proxy->requestFrame(
        {frame->origin.x, frame->origin.y - 200, frame->size.width, frame->size.height + 200},
        host.now());
    EXPECT_EQ(platform::buttonFrame(&proxy->zoomButton), settled);
    gtk_widget_destroy(GTK_WIDGET(window));
    platform::setCurrentPlatform(previous);
}

} // namespace
} // namespace vantro::gtk
