// Clicks on title-bar buttons as a host delivers them: the plug-in's entry
// has replaced the button class's mouse handlers, a press is sent with the
// rest of the click (drags, the release) waiting in the event queue.

#include "platform/menu_model.h"
#include "platform/title_button.h"
#include "plugin/button/title_button_methods.h"
#include "plugin/entry/plugin_entry.h"
#include "support/log_capture.h"
#include "support/plugin_host.h"

#include <string>

namespace vantro::button {
namespace {

using namespace platform;
using fake::FakeTitleButton;
using fake::FakeWindow;
using settings::PlistValue;
using vantro::testing::settingPair;

const Rect kStart(100, 100, 640, 480);
// Inside the zoom button (60, 460, 16 x 16), and well outside it.
const Point kOnButton(66, 466);
const Point kOffButton(300, 200);

// The zoom options menu as the menu entry publishes it through the menu
// class; here a plain menu, since what is tested is when it pops up.
MenuObject& zoomOptionsMenu() {
    static auto* menu = new MenuObject(std::make_shared<Menu>("Zoom Options"));
    return *menu;
}
runtime::Object* publishedMenu(runtime::Object*, runtime::Selector) {
    return &zoomOptionsMenu();
}

class TitleButtonClicks : public vantro::testing::PluginHost {
  public:
    TitleButtonClicks() {
        entry::vantroThemeWidgetLoad();
        fake::addHostMenuMethods();
        static const bool published =
            runtime::addClassMethod(menuClass(), "vantroZoomOptionsMenu", &publishedMenu);
        (void)published;
        fake::menuPopUps().clear();
        window.frame = kStart;
    }

    static Event mouseEvent(EventType type, Point inWindow, ModifierFlags keys) {
        Event event;
        event.type = type;
        event.clickCount = 1;
        event.locationInWindow = inWindow;
        event.modifierFlags = keys;
        return event;
    }

    // A click: press on the button, one drag to `dragTo`, release at `upAt`
    // with `keys` held.
    void click(FakeTitleButton& button, ModifierFlags keys, Point upAt = kOnButton,
               Point dragTo = kOnButton) {
        platform.trackingEvents = {mouseEvent(EventType::leftMouseDragged, dragTo, 0),
                                   mouseEvent(EventType::leftMouseUp, upAt, keys)};
        const Event press = mouseEvent(EventType::leftMouseDown, kOnButton, 0);
        platform.event = press;
        runtime::send<void>(&button, sel::mouseDown(), press);
    }
};

// Which keys make which decision is the click decision's table; these are
// the settings and keys as the click reads them.
TEST_F(TitleButtonClicks, ZoomButtonDecidesAtTheRelease) {
    enum class Seen { menu, zoomedWhole, host, nothing };
    struct Case {
        const char* name;
        PlistValue behavior;
        ModifierFlags keys;
        Seen seen;
        bool leftHalfOnControl = true;
    };
    const Case cases[] = {
        {"plain click", settingPair(true, 0), 0, Seen::menu},
        {"control claimed by the left half", settingPair(true, 0), kControlKeyMask, Seen::host},
        {"control unclaimed", settingPair(true, 0), kControlKeyMask, Seen::menu, false},
        {"plain click zooms whole", settingPair(true, 1), 0, Seen::zoomedWhole},
        {"unknown layout", settingPair(true, 9), 0, Seen::nothing},
        {"wrong shape is off", PlistValue::string("menu"), 0, Seen::host},
    };
    for (const Case& c : cases) {
        fake::menuPopUps().clear();
        window.zoomButton.hostHandled.clear();
        window.frame = kStart;
        store("VantroDefaultZoomBehavior", c.behavior);
        store("VantroMaximizeLeftHalf", settingPair(c.leftHalfOnControl, 1));
        click(window.zoomButton, c.keys);
        EXPECT_EQ(fake::menuPopUps().size(), c.seen == Seen::menu ? 1U : 0U) << c.name;
        EXPECT_EQ(window.zoomButton.hostHandled.size(), c.seen == Seen::host ? 1U : 0U) << c.name;
        EXPECT_EQ(window.frame, c.seen == Seen::zoomedWhole ? Rect(0, 0, 1440, 878) : kStart)
            << c.name;
        if (c.seen == Seen::menu && !fake::menuPopUps().empty()) {
            EXPECT_EQ(fake::menuPopUps().front().menu, &zoomOptionsMenu());
            EXPECT_EQ(fake::menuPopUps().front().view, &window.zoomButton);
            EXPECT_EQ(fake::menuPopUps().front().locationInWindow, kOnButton);
        }
        EXPECT_FALSE(window.zoomButton.highlighted) << c.name;
        core::vantroFakeIvars().removeEntry(&window);
    }
}

TEST_F(TitleButtonClicks, ReleasedOffTheButtonOrWithTheGrabLostIsCancelled) {
    click(window.zoomButton, 0, kOffButton, kOffButton);
    // Highlighted at the press, off while the pointer was away, off at the end.
    EXPECT_EQ(window.zoomButton.highlightsSet, (std::vector<bool>{true, false, false, false}));
    platform.trackingEvents.clear(); // the release never comes
    runtime::send<void>(&window.zoomButton, sel::mouseDown(),
                        mouseEvent(EventType::leftMouseDown, kOnButton, 0));
    EXPECT_FALSE(window.zoomButton.highlighted);
    EXPECT_TRUE(fake::menuPopUps().empty());
    EXPECT_TRUE(window.zoomButton.hostHandled.empty());
}

// Every gate closes through the common gate (its own tests); one shows that
// both clicks ask it.
TEST_F(TitleButtonClicks, AClosedGateLeavesBothClicksToTheHost) {
    store("VantroApplicationBlacklist",
          PlistValue::array({PlistValue::string("org.example.TestHost")}));
    click(window.zoomButton, 0);
    runtime::send<void>(&window.zoomButton, sel::rightMouseDown(),
                        mouseEvent(EventType::rightMouseDown, kOnButton, 0));
    EXPECT_TRUE(fake::menuPopUps().empty());
    EXPECT_EQ(window.zoomButton.hostHandled.size(), 2U);
}

// The other buttons' clicks are the host's, even a click in their bounds.
TEST_F(TitleButtonClicks, RightClicksShowTheMenuWhateverTheKeysOnlyOnTheZoomButton) {
    window.closeButton.frame = Rect(60, 460, 16, 16); // the clicks land in its bounds
    click(window.closeButton, 0);
    runtime::send<void>(&window.closeButton, sel::rightMouseDown(),
                        mouseEvent(EventType::rightMouseDown, kOnButton, 0));
    EXPECT_EQ(window.closeButton.hostHandled,
              (std::vector<std::string_view>{"mouseDown:", "rightMouseDown:"}));
    EXPECT_TRUE(fake::menuPopUps().empty());
    store("VantroDefaultZoomBehavior", settingPair(false, 3));
    for (const ModifierFlags keys : {ModifierFlags{0}, kShiftKeyMask, kFunctionKeyMask}) {
        runtime::send<void>(&window.zoomButton, sel::rightMouseDown(),
                            mouseEvent(EventType::rightMouseDown, kOnButton, keys));
    }
    EXPECT_EQ(fake::menuPopUps().size(), 3U);
    EXPECT_EQ(window.zoomButton.highlightsSet,
              (std::vector<bool>{true, false, true, false, true, false}));
}

TEST_F(TitleButtonClicks, ABrowserDrawingItsOwnTitleBarIsHitByArea) {
    runtime::Class* browser = FakeWindow::windowClass("ChromeBrowserWindow");
    ASSERT_NE(browser, nullptr);
    // The close button receives the click, but it lands in the zoom
    // button's area one point lower.
    window.closeButton.frame = Rect(0, 0, 640, 480);
    click(window.closeButton, 0, Point(66, 459.5));
    EXPECT_EQ(fake::menuPopUps().size(), 1U);
    // Elsewhere in such a browser the click is its own, even on the zoom
    // button.
    click(window.zoomButton, 0, Point(66, 475.5));
    EXPECT_EQ(window.zoomButton.hostHandled.size(), 1U);
}

TEST_F(TitleButtonClicks, PreferencesOpenTheUsersPaneFirst) {
    const std::string user = platform.dataDirectory + "/PreferencePanes/Vantro.prefPane";
    const std::string system = "/usr/local/share/PreferencePanes/Vantro.prefPane";
    const runtime::Selector open = runtime::Selector::named("vantroOpenPreferences");

    runtime::send<void>(&window, open); // neither installed: nothing
    EXPECT_TRUE(platform.panesOpened.empty());

    platform.existingPaths.insert(system);
    platform.runnablePanes = {system, user};
    runtime::send<void>(&window, open);
    platform.existingPaths.insert(user);
    runtime::send<void>(&window, open);
    EXPECT_EQ(platform.panesOpened, (std::vector<std::string>{system, user}));

    // A pane that is there but does not start is logged.
    const vantro::testing::LogCapture log;
    platform.runnablePanes.clear();
    runtime::send<void>(&window, open);
    ASSERT_EQ(log.lines().size(), 1U);
    EXPECT_NE(log.lines().front().find(user), std::string::npos);
}

} // namespace
} // namespace vantro::button
