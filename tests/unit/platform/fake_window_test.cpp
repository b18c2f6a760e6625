#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_window.h"
#include "platform/window.h"
#include "runtime/swizzle_kit.h"

#include <gtest/gtest.h>

namespace vantro::platform::fake {
namespace {

using runtime::Class;
using runtime::Object;
using runtime::Selector;

TEST(FakeWindow, HostMethodsAnswerThroughSends) {
    FakePlatform platform;
    FakeWindow window(platform);
    window.minSize = {200, 150};
    window.resizeIncrements = {9, 17};
    EXPECT_EQ(frame(&window), Rect(100, 100, 640, 480));
    EXPECT_EQ(minSize(&window), Size(200, 150));
    EXPECT_EQ(resizeIncrements(&window), Size(9, 17));
    EXPECT_EQ(contentViewFrame(&window).size.height, 480 - window.titleBarHeight);
    EXPECT_EQ(screenIndex(&window), 0);
    EXPECT_TRUE(isEnabled(standardWindowButton(&window, kZoomButtonKind)));
    EXPECT_EQ(standardWindowButton(&window, 0), nullptr);
    EXPECT_EQ(send<std::string_view>(&window, Selector::named("className")), "GtkWindow");

    setFrameDisplay(&window, Rect(0, 22, 720, 856), true);
    setFrameOrigin(&window, Point{10, 20});
    EXPECT_EQ(window.frame, Rect(10, 20, 720, 856));
    ASSERT_EQ(window.actions.size(), 2U);
    EXPECT_EQ(window.actions[0].selector, "setFrame:display:");
    EXPECT_EQ(window.actions[1].frame, Rect(10, 20, 720, 856));

    window.frame = Rect(5000, 5000, 100, 100);
    EXPECT_EQ(screenIndex(&window), -1);
}

TEST(FakeWindow, HostZoomTogglesTheVisibleFrame) {
    FakePlatform platform;
    FakeWindow window(platform);
    const Rect before = window.frame;
    zoom(&window, nullptr);
    EXPECT_EQ(window.frame, platform.screenList[0].visibleFrame);
    zoom(&window, nullptr);
    EXPECT_EQ(window.frame, before);

    // Off every screen the host's zoom has nowhere to go.
    window.frame = Rect(-5000, 0, 100, 100);
    zoom(&window, nullptr);
    EXPECT_EQ(window.frame, Rect(-5000, 0, 100, 100));
}

std::string replacedZoomLog;
runtime::Imp savedZoom = nullptr;
void replacementZoom(Object* self, Selector cmd, Object* sender) {
    replacedZoomLog += "hook;";
    runtime::callImplementation<void>(savedZoom, self, cmd, sender);
}

TEST(FakeWindow, AHookOnTheRootWindowClassReachesSubclassWindows) {
    FakePlatform platform;
    FakeWindow dialog(platform, "GtkDialog");
    Class* provider = runtime::defineClass("FakeWindowHookProvider", nullptr);
    runtime::addMethod(provider, "VTzoom:", &replacementZoom);
    Class* root = FakeWindow::windowClass();
    runtime::SwizzleKit::extendClass(root, provider);
    savedZoom = runtime::SwizzleKit::swizzleInstanceMethod("zoom:", root);
    ASSERT_NE(savedZoom, nullptr);

    zoom(&dialog, nullptr);
    EXPECT_EQ(replacedZoomLog, "hook;");
    EXPECT_EQ(dialog.countOf("zoom:"), 1U); // the host's zoom ran through the saved one
    // Restore for the other tests in this process.
    runtime::setImplementation(runtime::instanceMethod(root, sel::zoom()), savedZoom);
}

TEST(FakeWindow, DelegateShapesTheProposedSize) {
    FakePlatform platform;
    FakeWindow window(platform);
    FakeResizeDelegate delegateObject([](Size s) { return Size{s.width - 10, s.height}; });
    window.delegateObject = &delegateObject;
    Object* d = delegate(&window);
    ASSERT_TRUE(runtime::respondsToSelector(d, sel::windowWillResizeToSize()));
    const Size answer = runtime::send<Size>(d, sel::windowWillResizeToSize(),
                                            static_cast<Object*>(&window), Size{500, 400});
    EXPECT_EQ(answer, Size(490, 400));
}

TEST(FakePlatform, TrackingAnswersOnlyMaskedEventsAndEnds) {
    FakePlatform platform;
    Event dragged;
    dragged.type = EventType::leftMouseDragged;
    Event key;
    key.type = EventType::keyDown;
    Event up;
    up.type = EventType::leftMouseUp;
    up.locationOnScreen = {30, 40};
    platform.trackingEvents = {dragged, key, up};
    const EventMask mask =
        eventMaskFor(EventType::leftMouseUp) | eventMaskFor(EventType::leftMouseDragged);
    EXPECT_EQ(platform.nextEventMatchingMask(mask)->type, EventType::leftMouseDragged);
    EXPECT_EQ(platform.nextEventMatchingMask(mask)->type, EventType::leftMouseUp);
    EXPECT_EQ(platform.mouseLocation(), Point(30, 40));
    EXPECT_FALSE(platform.nextEventMatchingMask(mask).has_value());
}

TEST(FakePlatform, InstallsItselfAsCurrentAndRestoresThePrevious) {
    EXPECT_FALSE(hasCurrentPlatform());
    {
        FakePlatform outer;
        {
            FakePlatform inner;
            EXPECT_EQ(&currentPlatform(), &inner);
        }
        EXPECT_EQ(&currentPlatform(), &outer);
        auto surface = outer.createFeedbackSurface(FeedbackKind::hudAlert);
        EXPECT_EQ(outer.surfaces.size(), 1U);
        surface.reset();
        EXPECT_TRUE(outer.surfaces.empty());
        EXPECT_TRUE(outer.pathForImageResource("TopLeftResizeIndicator").has_value());
        outer.existingPaths.clear(); // the bundle was deleted
        EXPECT_FALSE(outer.pathForImageResource("TopLeftResizeIndicator").has_value());
    }
    EXPECT_FALSE(hasCurrentPlatform());
}

} // namespace
} // namespace vantro::platform::fake
