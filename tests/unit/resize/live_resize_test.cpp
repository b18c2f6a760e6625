// Resize drags as a host runs them: the plug-in's hooks installed on the fake
// window class, then a script of drag steps (mouse location, held keys,
// proposed frame) between the host's start and end of the drag. What holds
// for every drag is the user-action model's; here are the figures.

#include "plugin/feedback/dimension_overlay.h"
#include "plugin/feedback/hud_alert.h"
#include "plugin/resize/grip_offset.h"
#include "plugin/resize/live_resize_methods.h"
#include "support/allocation_counter.h"
#include "support/plugin_host.h"

#include <rapidcheck/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

namespace vantro::resize {
namespace {

using namespace platform;
using fake::FakeWindow;
using vantro::testing::settingPair;

// A 1440 x 900 screen whose visible frame leaves 40 points at the bottom and
// 22 at the top.
const Screen kScreen{Rect(0, 0, 1440, 900), Rect(0, 40, 1440, 838)};
const Rect kWindow(100, 200, 600, 400);
// The window's bottom-right corner, where the drags grip it.
const Point kCorner(700, 200);
// A step the host proposes, which the plug-in passes on unchanged.
const Rect kProposed(100, 150, 650, 450);

// Default keys of the four features.
constexpr ModifierFlags kKeepWidthHeight = kShiftKeyMask;
constexpr ModifierFlags kKeepAspectRatio = kControlKeyMask;
constexpr ModifierFlags kKeepCentered = kAlternateKeyMask;
constexpr ModifierFlags kPinBottomRight = kCommandKeyMask;

class LiveResize : public vantro::testing::PluginHost {
  public:
    LiveResize() {
        platform.screenList = {kScreen};
        window.frame = kWindow;
    }
    void start(Point mouse = kCorner, FakeWindow* target = nullptr) {
        setEvent(EventType::leftMouseDown, mouse, 0, 1);
        runtime::send<void>(target != nullptr ? target : &window, sel::startLiveResize());
    }
    // One step: the host proposes `proposed` while the mouse is at `mouse`.
    void step(Point mouse, ModifierFlags keys, const Rect& proposed, FakeWindow* target = nullptr) {
        setEvent(EventType::leftMouseDragged, mouse, keys);
        setFrameDisplay(target != nullptr ? target : &window, proposed, true);
    }
    // A step whose proposal is where the mouse takes the bottom-right corner
    // with the top-left corner fixed, as the host proposes it.
    void stepTo(Point mouse, ModifierFlags keys) {
        const Rect current = window.frame;
        step(mouse, keys,
             Rect(current.minX(), mouse.y, mouse.x - current.minX(), current.maxY() - mouse.y));
    }
    void end() {
        setEvent(EventType::leftMouseUp, platform.mouse, 0, 1);
        runtime::send<void>(&window, sel::endLiveResize());
    }
    // The window lies within the screen's visible frame.
    [[nodiscard]] bool onTheScreen() const {
        const Rect& v = kScreen.visibleFrame;
        const Rect& f = window.frame;
        return f.minX() >= v.minX() && f.maxX() <= v.maxX() && f.minY() >= v.minY() &&
               f.maxY() <= v.maxY();
    }
    [[nodiscard]] const core::WindowEntry* entry() const {
        return core::vantroFakeIvars().entryFor(&window);
    }
};

TEST(GripOffset, LimitedToTwentyPointsEitherWay) {
    struct Case {
        Point mouse;
        GripOffset offset;
    };
    const Case cases[] = {
        {{695, 203}, {5, 3}},   // near the corner: as gripped
        {{550, 203}, {20, 3}},  // 150 left of the right edge
        {{730, 203}, {20, 3}},  // 30 beyond it: still 20, positive
        {{695, 500}, {5, 20}},  // far above the bottom edge
        {{700, 180}, {0, -20}}, // 20 below the bottom edge: within the limit
        {{700, 170}, {0, 20}},  // 30 below it
        {{std::numeric_limits<double>::quiet_NaN(), 200}, {20, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(gripOffsetFor(kWindow, c.mouse), c.offset) << c.mouse.x << ", " << c.mouse.y;
    }
}

TEST_F(LiveResize, StepsTheHostOwnsPassUnchanged) {
    FakeWindow parent(platform);
    const std::pair<const char*, std::function<void(LiveResize&)>> cases[] = {
        {"sheet", [](LiveResize& t) { t.window.sheet = true; }},
        {"child window", [&parent](LiveResize& t) { t.window.parent = &parent; }},
        {"own aspect ratio", [](LiveResize& t) { t.window.aspectRatio = Size(16, 9); }},
        {"not in a drag", [](LiveResize& t) { t.window.inLiveResize = false; }},
        {"no indicator on the older generation",
         [](LiveResize& t) { t.window.showsResizeIndicator = false; }},
    };
    for (const auto& [name, arrange] : cases) {
        window.frame = kWindow;
        window.sheet = false;
        window.parent = nullptr;
        window.aspectRatio = {0, 0};
        window.showsResizeIndicator = true;
        start();
        arrange(*this);
        setEvent(EventType::leftMouseDragged, Point(10, 10), kPinBottomRight | kKeepCentered);
        setFrameDisplay(&window, kProposed, true);
        EXPECT_EQ(window.frame, kProposed) << name;
        EXPECT_FALSE(core::readFlag(entry(), core::state_key::kHasVantroResized)) << name;
        EXPECT_FALSE(entry()->contains(core::state_key::kActiveFeatures)) << name;
        window.inLiveResize = true;
        end();
    }
    // Not a drag step: the display flag off, or a frame set programmatically
    // while a click's release or a key is the current event.
    window.showsResizeIndicator = true;
    start();
    for (const auto& [type, display] : {std::pair{EventType::leftMouseDragged, false},
                                        {EventType::leftMouseUp, true},
                                        {EventType::keyDown, true}}) {
        window.frame = kWindow;
        setEvent(type, Point(10, 10), kPinBottomRight, type == EventType::leftMouseUp ? 1 : 0);
        setFrameDisplay(&window, kProposed, display);
        EXPECT_EQ(window.frame, kProposed) << static_cast<int>(type);
    }
}

TEST_F(LiveResize, PinnedBottomRightFollowsTheTopLeftCorner) {
    start();
    // Far from the held size: the window keeps it, shows the indicator at
    // its top-left corner and the hint in the HUD.
    step(Point(650, 250), kPinBottomRight, window.frame);
    EXPECT_EQ(window.frame, kWindow);
    ASSERT_TRUE(feedback::topLeftResizeIndicator().isShown());
    EXPECT_EQ(feedback::topLeftResizeIndicator().surface()->frame(), Rect(103, 582, 16, 16));
    EXPECT_TRUE(feedback::hudAlertWindow().isVisible());
    EXPECT_EQ(feedback::hudAlertWindow().surface().text(),
              "Drag Top Left to Resize\nKeep Mouse & Keys Down");

    // Within 20 points of the held height: released, then the corner follows.
    step(Point(150, 650), kPinBottomRight, window.frame);
    step(Point(150, 650), kPinBottomRight, window.frame);
    EXPECT_EQ(window.frame, Rect(150, 200, 550, 450));
    EXPECT_TRUE(feedback::topLeftResizeIndicator().isShown());

    // Past the left edge of the visible frame: whole points are given up.
    step(Point(-30, 650), kPinBottomRight, window.frame);
    EXPECT_EQ(window.frame, Rect(0, 200, 700, 450));
    // Above the visible frame's top (878): cut to it.
    step(Point(150, 1000), kPinBottomRight, window.frame);
    EXPECT_EQ(window.frame, Rect(150, 200, 550, 678));

    // Released: the indicator goes with the next change of anchoring.
    step(Point(150, 650), 0, window.frame);
    EXPECT_FALSE(feedback::topLeftResizeIndicator().isShown());
}

TEST_F(LiveResize, KeepWidthOrHeightIsChosenByTheFirstMovement) {
    struct Case {
        Point mouse;
        Rect frame;
        Cursor cursor;
    };
    const Case cases[] = {
        // 10 right, 2 down: the height is kept.
        {Point(710, 198), Rect(100, 200, 610, 400), Cursor::resizeLeftRight},
        // 3 right, 3 down: equal movement keeps the width.
        {Point(703, 197), Rect(100, 197, 600, 403), Cursor::resizeUpDown},
    };
    for (const Case& c : cases) {
        window.frame = kWindow;
        start();
        stepTo(c.mouse, kKeepWidthHeight);
        EXPECT_EQ(window.frame, c.frame);
        EXPECT_EQ(platform.cursorsSet.back(), c.cursor);
        // The choice holds while the feature does.
        stepTo(Point(800, 100), kKeepWidthHeight);
        EXPECT_TRUE(window.frame.size.width == c.frame.size.width ||
                    window.frame.size.height == c.frame.size.height);
        end();
    }
}

TEST_F(LiveResize, AspectRatioTakenInMidDragStaysWithinTheRoom) {
    window.frame = Rect(100, 100, 800, 600);
    start(Point(900, 100));
    step(Point(900, 100), 0, window.frame);
    // Control in mid-drag: 4:3 from now on, the corner follows the mouse.
    step(Point(1000, 100), kKeepAspectRatio, window.frame);
    // 900 wide would be 675 high; the room below the top edge is 660, so
    // the largest 4:3 size is 880 x 660, placed with the top edge kept.
    EXPECT_EQ(window.frame, Rect(100, 40, 880, 660));
    EXPECT_EQ(platform.cursorsSet.back(), Cursor::crosshair);
    ASSERT_NE(entry(), nullptr);
    EXPECT_TRUE(entry()->contains(core::state_key::kSizeLimitsForAspectRatio));

    // Switching to keep-width/height drops the ratio and chooses anew.
    step(Point(950, 100), kKeepWidthHeight, window.frame);
    EXPECT_FALSE(entry()->contains(core::state_key::kAspectRatio));
    EXPECT_TRUE(core::readFlag(entry(), core::state_key::kKeepWidth) ||
                core::readFlag(entry(), core::state_key::kKeepHeight));
}

// Releasing the centring key holds the window at its size; a kept ratio that
// then shapes it smaller is not undone by the next plain movement, which
// moves the right edge alone.
TEST_F(LiveResize, ARatioBelowTheHoldIsNotGrownBack) {
    platform.screenList = {Screen{Rect(0, 0, 1440, 900), Rect(0, 0, 1440, 900)}};
    platform.resizeEdges = kResizeRightEdge;
    window.frame = Rect(0, 0, 120, 90);
    window.minSize = Size(100, 80);
    start(Point(120, 45));
    step(Point(122, 0), kKeepWidthHeight | kKeepAspectRatio | kKeepCentered | kPinBottomRight,
         Rect(0, 0, 122, 90));
    step(Point(0, 0), kKeepWidthHeight | kKeepAspectRatio, window.frame);
    const Rect held = window.frame;
    step(Point(0, 0), 0, Rect(held.minX(), held.minY(), 100, held.size.height));
    EXPECT_EQ(window.frame, held);
}

// A window with increments (a terminal's cells): a kept ratio is met on its
// grid only at rare sizes, so a Control drag outward by whole increments
// grows it on the grid with its ratio within an increment.
RC_GTEST_FIXTURE_PROP(LiveResize, AKeptRatioOnIncrementsMovesByWholeIncrements, ()) {
    const Size inc{*rc::gen::inRange(2, 17) * 1.0, *rc::gen::inRange(2, 17) * 1.0};
    const Size size{*rc::gen::inRange(300, 501) * 1.0, *rc::gen::inRange(250, 401) * 1.0};
    window.frame = Rect(100, 400, size.width, size.height);
    window.resizeIncrements = inc;
    Point corner(window.frame.maxX(), window.frame.minY());
    start(corner);
    for (int moves = *rc::gen::inRange(1, 3); moves > 0; --moves) {
        const Size before = window.frame.size;
        const int cells = *rc::gen::inRange(2, 6);
        corner = Point(corner.x + cells * inc.width, corner.y - cells * inc.height);
        stepTo(corner, kKeepAspectRatio);
        const Size after = window.frame.size;
        RC_ASSERT(after.width > before.width || after.height > before.height);
        RC_ASSERT(std::fmod(after.width - size.width, inc.width) == 0);
        RC_ASSERT(std::fmod(after.height - size.height, inc.height) == 0);
        RC_ASSERT(std::fabs(after.height - after.width * size.height / size.width) <= inc.height ||
                  std::fabs(after.width - after.height * size.width / size.height) <= inc.width);
    }
    end();
}

TEST_F(LiveResize, TheNewestGenerationOnlyShowsTheDimensions) {
    platform.appKitVersion = 1138;
    store("VantroShowDimensionsDuringResizing", settingPair(true, 1));
    start();
    step(Point(750, 150), kPinBottomRight | kKeepAspectRatio, kProposed);
    EXPECT_EQ(window.frame, kProposed);
    EXPECT_TRUE(feedback::dimensionsBox().isAttached());
    EXPECT_FALSE(feedback::topLeftResizeIndicator().isShown());
}

TEST_F(LiveResize, DimensionTabFollowsItsModeAndTheFunctionKey) {
    struct Case {
        bool enabled;
        std::int64_t mode;
        ModifierFlags keys;
        bool shown;
    };
    for (const Case& c :
         {Case{true, 2, 0, true}, Case{true, 0, 0, true}, Case{true, 0, kKeepWidthHeight, false},
          Case{true, 1, 0, false}, Case{true, 1, kKeepWidthHeight, true}, Case{false, 2, 0, false},
          Case{false, 2, kFunctionKeyMask, true}, Case{true, 7, 0, false}}) {
        store("VantroShowDimensionsDuringResizing", settingPair(c.enabled, c.mode));
        window.frame = kWindow;
        start();
        stepTo(kCorner, c.keys);
        EXPECT_EQ(feedback::dimensionsBox().isAttached(), c.shown) << c.enabled << c.mode << c.keys;
        end();
        platform.clock.advance(1);
    }
}

// That the end discards the drag's state and the zoom history is the
// user-action model's; here is what the end leaves on screen.
TEST_F(LiveResize, TheEndTakesDownTheIndicatorAndLaterTheTab) {
    start();
    step(Point(650, 250), kPinBottomRight, window.frame);
    ASSERT_TRUE(feedback::topLeftResizeIndicator().isShown());
    end();
    EXPECT_FALSE(feedback::topLeftResizeIndicator().isShown());
    // The last dimensions stay readable for 0.45 s.
    EXPECT_TRUE(feedback::dimensionsBox().isAttached());
    platform.clock.advance(0.44);
    EXPECT_TRUE(feedback::dimensionsBox().isAttached());
    platform.clock.advance(0.2);
    EXPECT_FALSE(feedback::dimensionsBox().isAttached());

    // These applications have the tab taken down (faded) at once.
    platform.bundleIdentifier = "com.adobe.Example";
    start();
    stepTo(kCorner, 0);
    end();
    platform.clock.advance(0.2);
    EXPECT_FALSE(feedback::dimensionsBox().isAttached());
}

TEST_F(LiveResize, AnEndDuringAZoomKeepsTheState) {
    start();
    core::writeFlag(core::vantroFakeIvars().ensureEntry(&window), core::state_key::kZoom, true);
    end();
    ASSERT_NE(entry(), nullptr);
    EXPECT_TRUE(entry()->contains(core::state_key::kMouseOffset));
}

TEST_F(LiveResize, ASheetRecordsNothingButTheHudGoes) {
    window.sheet = true;
    feedback::hudAlertWindow().show(&window, "Undo Zoom", kWindow);
    ASSERT_TRUE(feedback::hudAlertWindow().isVisible());
    start();
    EXPECT_FALSE(feedback::hudAlertWindow().isVisible());
    EXPECT_EQ(entry(), nullptr);
}

TEST_F(LiveResize, AnUnsignalledDragEndsOnceAfterItsLastStep) {
    FakeWindow unsignalled(platform, "ITNSWindow");
    unsignalled.frame = kWindow;
    for (int i = 0; i < 3; ++i) {
        step(Point(700 + 10.0 * i, 200), 0, Rect(100, 200, 600 + 10.0 * i, 400), &unsignalled);
        platform.clock.advance(0.3);
    }
    EXPECT_EQ(unsignalled.countOf("_startLiveResize"), 1U);
    EXPECT_EQ(unsignalled.countOf("_endLiveResize"), 0U);
    platform.clock.advance(0.41);
    EXPECT_EQ(unsignalled.countOf("_endLiveResize"), 1U);
    EXPECT_EQ(core::vantroFakeIvars().entryFor(&unsignalled), nullptr);
    platform.clock.advance(5);
    EXPECT_EQ(unsignalled.countOf("_endLiveResize"), 1U);
}

TEST_F(LiveResize, AStartAfterADragThatNeverEndedStartsAfresh) {
    start();
    step(Point(650, 250), kPinBottomRight, window.frame);
    ASSERT_TRUE(feedback::topLeftResizeIndicator().isShown());
    // No end: the next drag starts without the last one's state.
    start();
    EXPECT_FALSE(feedback::topLeftResizeIndicator().isShown());
    EXPECT_FALSE(core::readFlag(entry(), core::state_key::kHasVantroResized));
    step(Point(750, 150), 0, kProposed);
    EXPECT_EQ(window.frame, kProposed);
    EXPECT_EQ(platform.cursorsSet.back(), Cursor::arrow);
}

TEST_F(LiveResize, BadIncrementsStayOnTheScreen) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const Size increments : {Size{0, 0}, Size{-9, -17}, Size{nan, nan}, Size{9, 17}}) {
        // Plain after keep-width/height, then centred, far past the edges.
        for (const ModifierFlags keys : {ModifierFlags{0}, kKeepCentered}) {
            window.frame = kWindow;
            window.resizeIncrements = increments;
            start();
            stepTo(kCorner, kKeepWidthHeight);
            stepTo(Point(5000, -5000), keys);
            stepTo(Point(5000, -5000), keys);
            EXPECT_TRUE(onTheScreen())
                << ::testing::PrintToString(window.frame) << increments.width << " " << keys;
            end();
        }
    }
}

TEST_F(LiveResize, ADelegateAnsweringNaNNeverHangs) {
    static fake::FakeResizeDelegate nanDelegate([](Size /*size*/) {
        return Size{std::numeric_limits<double>::quiet_NaN(),
                    std::numeric_limits<double>::infinity()};
    });
    window.delegateObject = &nanDelegate;
    window.resizeIncrements = {9, 17};
    start();
    for (const ModifierFlags keys :
         {kKeepCentered, kKeepCentered, kPinBottomRight, kKeepAspectRatio, ModifierFlags{0}}) {
        stepTo(Point(900, 100), keys);
        EXPECT_TRUE(std::isfinite(window.frame.size.width)) << std::hex << keys;
        EXPECT_TRUE(std::isfinite(window.frame.size.height)) << std::hex << keys;
        EXPECT_TRUE(std::isfinite(window.frame.minX())) << std::hex << keys;
    }
    end();
}

TEST_F(LiveResize, AWindowOnNoScreenIsHeldToTheMainScreen) {
    window.frame = Rect(5000, 5000, 600, 400);
    start(Point(5600, 5000));
    step(Point(5600, 5000), kKeepCentered, window.frame);
    step(Point(5600, 5000), kKeepCentered, window.frame);
    EXPECT_TRUE(onTheScreen()) << ::testing::PrintToString(window.frame);
}

TEST_F(LiveResize, StepsAfterTheFirstAllocateNothing) {
    for (const ModifierFlags keys :
         {kPinBottomRight | kKeepCentered | kKeepAspectRatio | kKeepWidthHeight, kPinBottomRight,
          kKeepWidthHeight, kKeepAspectRatio, ModifierFlags{0}}) {
        window.frame = kWindow;
        start();
        // The first steps create the drag's state and grow the feedback's
        // strings and the host's records to their size.
        for (int i = 0; i < 4; ++i) {
            stepTo(Point(650 + i, 250), keys);
        }
        window.actions.reserve(window.actions.size() + 200);
        platform.cursorsSet.reserve(platform.cursorsSet.size() + 200);
        const testing::AllocationScope scope;
        for (int i = 0; i < 50; ++i) {
            stepTo(Point(640 + (i % 7), 240 + (i % 5)), keys);
        }
        EXPECT_EQ(scope.allocations(), 0U) << keys;
        end();
        platform.clock.advance(1);
    }
}

} // namespace
} // namespace vantro::resize
