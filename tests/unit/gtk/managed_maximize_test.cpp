#include "platform/gtk/managed_maximize.h"

#include "support/geometry_printers.h"

#include <gtest/gtest.h>

namespace vantro::gtk {
namespace {

// Core coordinates: y grows upwards, so a title bar 24 high of a frame whose
// top is at 600 spans y 576 to 600.
TEST(ManagedMaximize, TheFrameWhoseTitleBarWasClicked) {
    const Rect area{0, 0, 1920, 1056};
    const Rect window{100, 300, 800, 300};
    const Point onTitle{500, 590};
    struct Case {
        const char* what = "";
        ManagedMaximize seen;
        std::optional<Rect> before;
    };
    const Case cases[] = {
        {"the state before the maximized frame", {window, Rect{}, area, 24, onTitle}, window},
        {"the maximized frame before the state", {area, window, area, 24, onTitle}, window},
        {"a key binding: the pointer in the client", {window, Rect{}, area, 24, {500, 560}}, {}},
        {"the pointer right of the frame", {window, Rect{}, area, 24, {900, 590}}, {}},
        {"the pointer on the top edge", {window, Rect{}, area, 24, {500, 600}}, window},
        {"the pointer just under the title bar", {window, Rect{}, area, 24, {500, 576}}, {}},
        {"no title bar of the window manager's", {window, Rect{}, area, 0, onTitle}, {}},
        {"maximized with no frame seen before", {area, std::nullopt, area, 24, onTitle}, {}},
        {"no monitor: the last frame is taken",
         {window, Rect{}, std::nullopt, 24, onTitle},
         window},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(frameBeforeManagedMaximize(c.seen), c.before) << c.what;
    }
}

} // namespace
} // namespace vantro::gtk
