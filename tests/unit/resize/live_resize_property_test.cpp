// Resize drags as a user plays them, generated: any edge or corner, pointer
// movements, feature keys pressed and released in mid-drag with the pointer
// still, the window on a monitor above, below, left or right of the main one.
// Each drag runs against the plug-in's hooks on the fake host, which proposes
// what a plain drag of the held sides gives, and every step is checked
// against what the features promise.
//
// The drag player (DragPlayer) is separate from the checks so that a larger
// model of user actions can drive it.

#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_window.h"
#include "platform/window.h"
#include "plugin/core/window_state.h"
#include "plugin/entry/window_hooks.h"
#include "plugin/feedback/resize_indicator.h"
#include "support/memory_settings.h"

#include <gtest/gtest.h>
#include <rapidcheck.h>
#include <rapidcheck/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace vantro::resize {
namespace {

using namespace platform;
using fake::FakePlatform;
using fake::FakeWindow;

// Default keys of the four features.
constexpr ModifierFlags kKeepWidthHeight = kShiftKeyMask;
constexpr ModifierFlags kKeepAspectRatio = kControlKeyMask;
constexpr ModifierFlags kKeepCentered = kAlternateKeyMask;
constexpr ModifierFlags kPinBottomRight = kCommandKeyMask;
constexpr std::array<ModifierFlags, 4> kFeatureKeys{kKeepWidthHeight, kKeepAspectRatio,
                                                    kKeepCentered, kPinBottomRight};

constexpr std::array<unsigned, 8> kEdges{
    kResizeLeftEdge,
    kResizeRightEdge,
    kResizeTopEdge,
    kResizeBottomEdge,
    kResizeLeftEdge | kResizeTopEdge,
    kResizeRightEdge | kResizeTopEdge,
    kResizeLeftEdge | kResizeBottomEdge,
    kResizeRightEdge | kResizeBottomEdge,
};

const Size kMinimum{220, 160};

// The main monitor with a panel along its bottom, and a second one beside it.
enum class Placement { none, above, below, left, right };

std::vector<Screen> screensFor(Placement placement) {
    std::vector<Screen> screens{{Rect(0, 0, 1920, 1080), Rect(0, 30, 1920, 1050)}};
    const auto second = [&](double x, double y) {
        screens.push_back({Rect(x, y, 1440, 900), Rect(x, y, 1440, 876)});
    };
    switch (placement) {
    case Placement::none:
        break;
    case Placement::above:
        second(0, 1080);
        break;
    case Placement::below:
        second(240, -900);
        break;
    case Placement::left:
        second(-1440, 100);
        break;
    case Placement::right:
        second(1920, -100);
        break;
    }
    return screens;
}

// What the host proposes: the held sides follow the pointer from where they
// were pressed, the others stay, no length below the window's minimum.
Rect plainDrag(const Rect& start, unsigned edges, Point pressedAt, Point now) {
    const double dx = now.x - pressedAt.x;
    const double dy = now.y - pressedAt.y;
    double left = start.minX();
    double right = start.maxX();
    double bottom = start.minY();
    double top = start.maxY();
    if ((edges & kResizeLeftEdge) != 0) {
        left = std::min(left + dx, right - kMinimum.width);
    } else if ((edges & kResizeRightEdge) != 0) {
        right = std::max(right + dx, left + kMinimum.width);
    }
    if ((edges & kResizeTopEdge) != 0) {
        top = std::max(top + dy, bottom + kMinimum.height);
    } else if ((edges & kResizeBottomEdge) != 0) {
        bottom = std::min(bottom + dy, top - kMinimum.height);
    }
    return {left, bottom, right - left, top - bottom};
}

// Plays one drag on a fake window: press on the held sides, moves, key
// changes (a step with the pointer still, as the host sends one), release.
class DragPlayer {
  public:
    DragPlayer(std::vector<Screen> screens, const Rect& frame) {
        entry::installWindowHooks(FakeWindow::windowClass());
        platform.screenList = std::move(screens);
        window.frame = frame;
        window.minSize = kMinimum;
    }
    ~DragPlayer() {
        feedback::topLeftResizeIndicator().remove();
        platform.clock.runUntilIdle();
        core::vantroFakeIvars().removeEntry(&window);
    }
    DragPlayer(const DragPlayer&) = delete;
    DragPlayer& operator=(const DragPlayer&) = delete;

    void press(unsigned edges) {
        edges_ = edges;
        start_ = window.frame;
        const Rect& f = window.frame;
        const double x = (edges & kResizeLeftEdge) != 0    ? f.minX() + 3
                         : (edges & kResizeRightEdge) != 0 ? f.maxX() - 3
                                                           : f.midX();
        const double y = (edges & kResizeTopEdge) != 0      ? f.maxY() - 3
                         : (edges & kResizeBottomEdge) != 0 ? f.minY() + 3
                                                            : f.midY();
        pressedAt_ = proposed_ = Point{x, y};
        proposedFrame_ = start_;
        platform.resizeEdges = edges;
        setEvent(EventType::leftMouseDown, 1);
        runtime::send<void>(&window, sel::startLiveResize());
    }
    void move(double dx, double dy) {
        proposed_ = Point{proposed_.x + dx, proposed_.y + dy};
        proposedFrame_ = plainDrag(start_, edges_, pressedAt_, proposed_);
        setEvent(EventType::leftMouseDragged, 0);
        setFrameDisplay(&window, proposedFrame_, true);
    }
    void changeKeys(ModifierFlags keys) {
        keys_ = keys;
        setEvent(EventType::flagsChanged, 0);
        setFrameDisplay(&window, proposedFrame_, true);
    }
    void release() {
        keys_ = 0;
        setEvent(EventType::leftMouseUp, 1);
        runtime::send<void>(&window, sel::endLiveResize());
    }
    [[nodiscard]] ModifierFlags keys() const { return keys_; }

    vantro::testing::MemorySettings settings;
    FakePlatform platform;
    FakeWindow window{platform};

  private:
    void setEvent(EventType type, int clickCount) {
        platform.mouse = proposed_;
        Event event;
        event.type = type;
        event.clickCount = clickCount;
        event.locationOnScreen = proposed_;
        event.modifierFlags = keys_;
        platform.event = event;
    }

    unsigned edges_ = 0;
    Rect start_;
    Point pressedAt_;
    Point proposed_;
    Rect proposedFrame_;
    ModifierFlags keys_ = 0;
};

bool overlaps(const Rect& a, const Rect& b) {
    return a.minX() < b.maxX() && b.minX() < a.maxX() && a.minY() < b.maxY() && b.minY() < a.maxY();
}

// Within a pixel, or on a grid within an increment, of a visible frame's edge.
bool touchesAVisibleEdge(const Rect& frame, const std::vector<Screen>& screens, Size inc) {
    const auto near = [](double a, double b, double by) { return std::fabs(a - b) <= by; };
    return std::any_of(screens.begin(), screens.end(), [&](const Screen& s) {
        const Rect& v = s.visibleFrame;
        return near(frame.minX(), v.minX(), inc.width) || near(frame.maxX(), v.maxX(), inc.width) ||
               near(frame.minY(), v.minY(), inc.height) || near(frame.maxY(), v.maxY(), inc.height);
    });
}

// Within a pixel of the ratio, or an increment on a grid, whichever dimension led.
bool keepsRatio(Size size, Size ratio, Size inc = {1, 1}) {
    return std::fabs(size.height - size.width * ratio.height / ratio.width) <= inc.height ||
           std::fabs(size.width - size.height * ratio.width / ratio.height) <= inc.width;
}

RC_GTEST_PROP(LiveResizeProperty, EveryDragKeepsWhatItsFeaturesPromise, ()) {
    const auto placement = static_cast<Placement>(*rc::gen::inRange(0, 5));
    const std::vector<Screen> screens = screensFor(placement);
    const Screen& home = screens[*rc::gen::inRange<std::size_t>(0, screens.size())];
    const Rect& v = home.visibleFrame;
    const double width = *rc::gen::inRange(260, 900);
    const double height = *rc::gen::inRange(200, 700);
    const double x = v.minX() + *rc::gen::inRange(0, static_cast<int>(v.size.width - width));
    const double y = v.minY() + *rc::gen::inRange(0, static_cast<int>(v.size.height - height));
    const unsigned edges = *rc::gen::elementOf(kEdges);
    const bool holdsX = (edges & (kResizeLeftEdge | kResizeRightEdge)) != 0;
    const bool holdsY = (edges & (kResizeTopEdge | kResizeBottomEdge)) != 0;

    DragPlayer drag(screens, Rect(x, y, width, height));
    const Size inc{*rc::gen::elementOf(std::array{1, 1, 3, 10}) * 1.0,
                   *rc::gen::elementOf(std::array{1, 1, 7, 19}) * 1.0};
    drag.window.resizeIncrements = inc;
    drag.press(edges);
    std::optional<Size> ratio; // the size when keep-aspect-ratio took hold
    const int actions = *rc::gen::inRange(1, 24);
    for (int i = 0; i < actions; ++i) {
        const Rect before = drag.window.frame;
        if (*rc::gen::inRange(0, 3) == 0) {
            ModifierFlags keys = 0;
            for (const ModifierFlags key : kFeatureKeys) {
                keys |= *rc::gen::arbitrary<bool>() ? key : 0;
            }
            drag.changeKeys(keys);
            RC_ASSERT(drag.window.frame == before);
            continue;
        }
        drag.move(*rc::gen::inRange(-300, 301), *rc::gen::inRange(-300, 301));
        const Rect after = drag.window.frame;
        const ModifierFlags keys = drag.keys();
        const bool pinned = (keys & kPinBottomRight) != 0 && (keys & kKeepCentered) == 0;
        const bool centred = (keys & kKeepCentered) != 0;
        const bool keepsAspect = (keys & kKeepAspectRatio) != 0;
        RC_ASSERT(after.size.width >= kMinimum.width - 0.5);
        RC_ASSERT(after.size.height >= kMinimum.height - 0.5);
        RC_ASSERT(std::any_of(screens.begin(), screens.end(),
                              [&](const Screen& s) { return overlaps(after, s.frame); }));
        if (pinned) {
            RC_ASSERT(after.maxX() == before.maxX());
            RC_ASSERT(after.minY() == before.minY());
        }
        if (!keepsAspect) {
            // A dimension the drag leaves alone stays.
            RC_ASSERT(holdsX || after.size.width == before.size.width);
            RC_ASSERT(holdsY || after.size.height == before.size.height);
        }
        if (centred) {
            const auto centredOn = [&](const Screen& s) {
                const Rect& sv = s.visibleFrame;
                return (!holdsX || std::fabs(after.midX() - sv.midX()) <= 1) &&
                       (!holdsY || std::fabs(after.midY() - sv.midY()) <= 1);
            };
            RC_ASSERT(std::any_of(screens.begin(), screens.end(), centredOn));
        }
        if (!keepsAspect) {
            ratio.reset();
        } else if (!ratio) {
            ratio = before.size;
        }
        // Where no size in the ratio both covers the minimum and fits the
        // room, the screen's edge cuts one dimension: the ratio holds away
        // from the edges.
        if (ratio && !touchesAVisibleEdge(after, screens, inc)) {
            RC_ASSERT(keepsRatio(after.size, *ratio, inc));
        }
    }
    drag.release();
    RC_ASSERT(!drag.platform.cursorsSet.empty());
    RC_ASSERT(drag.platform.cursorsSet.back() == Cursor::arrow);
}

// A window with increments (a terminal's cells): a Control drag outward by
// several increments grows it on its grid, its ratio within one increment.
RC_GTEST_PROP(LiveResizeProperty, AKeptRatioOnIncrementsMovesByWholeIncrements, ()) {
    const Size inc{*rc::gen::inRange(2, 17) * 1.0, *rc::gen::inRange(2, 17) * 1.0};
    const Rect start{700, 400, *rc::gen::inRange(300, 501) * 1.0,
                     *rc::gen::inRange(250, 401) * 1.0};
    const unsigned edges = *rc::gen::elementOf(kEdges);
    DragPlayer drag(screensFor(Placement::none), start);
    drag.window.resizeIncrements = inc;
    drag.press(edges);
    drag.changeKeys(kKeepAspectRatio);
    const double sx = (edges & kResizeLeftEdge) != 0 ? -1 : (edges & kResizeRightEdge) != 0;
    const double sy = (edges & kResizeBottomEdge) != 0 ? -1 : (edges & kResizeTopEdge) != 0;
    for (int i = *rc::gen::inRange(1, 3); i > 0; --i) {
        const Size before = drag.window.frame.size;
        const int cells = *rc::gen::inRange(2, 6);
        drag.move(sx * cells * inc.width, sy * cells * inc.height);
        const Size after = drag.window.frame.size;
        RC_ASSERT(after.width > before.width || after.height > before.height);
        RC_ASSERT(std::fmod(after.width - start.size.width, inc.width) == 0);
        RC_ASSERT(std::fmod(after.height - start.size.height, inc.height) == 0);
        RC_ASSERT(keepsRatio(after, start.size, inc));
    }
    drag.release();
}

} // namespace
} // namespace vantro::resize
