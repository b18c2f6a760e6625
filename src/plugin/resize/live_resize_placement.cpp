#include "platform/geometry.h"
#include "platform/platform.h"
#include "platform/window.h"
#include "plugin/core/feature_keys.h"
#include "plugin/feedback/dimension_overlay.h"
#include "plugin/feedback/hud_alert.h"
#include "plugin/feedback/resize_indicator.h"
#include "plugin/resize/host_window_kinds.h"
#include "plugin/resize/increment_snapping.h"
#include "plugin/resize/live_resize_methods.h"
#include "plugin/resize/live_resize_state.h"
#include "plugin/resize/live_resize_step.h"
#include "plugin/resize/window_aspect_ratio.h"
#include "settings/catalogue.h"
#include "settings/vantro_user_defaults.h"

#include <algorithm>
#include <cmath>

namespace vantro::resize {

namespace {

namespace state_key = core::state_key;
using platform::Cursor;

constexpr std::string_view kPinnedHint = "Drag Top Left to Resize\nKeep Mouse & Keys Down";

const settings::PlistValue* setting(std::string_view key) {
    return settings::VantroUserDefaults::standardUserDefaults().objectForKey(key);
}

bool holdsTemporaryMinimum(const ResizeStep& step) {
    return step.entry->contains(state_key::kTemporaryMinWidth);
}

// One axis of the placement: the window's current span along it, the new
// length, and the visible frame's span.
struct Axis {
    double currentMin;
    double currentLength;
    double visibleMin;
    double visibleLength;
    [[nodiscard]] double currentMax() const { return currentMin + currentLength; }
    [[nodiscard]] double visibleMax() const { return visibleMin + visibleLength; }
};

Axis horizontalAxis(const Rect& current, const Rect& visible) {
    return {current.minX(), current.size.width, visible.minX(), visible.size.width};
}

Axis verticalAxis(const Rect& current, const Rect& visible) {
    return {current.minY(), current.size.height, visible.minY(), visible.size.height};
}

// The length that keeps the side which moves within the visible frame, the
// other side staying (`lowSideStays`: the left or bottom one). An axis the
// drag does not hold is limited only where the length grew, so that a
// window already past the edge is not shrunk by a drag of another side.
double lengthWithinScreen(const Axis& axis, double length, bool lowSideStays, bool held,
                          double increment) {
    if (!held && length <= axis.currentLength) {
        return length;
    }
    const double room =
        lowSideStays ? axis.visibleMax() - axis.currentMin : axis.currentMax() - axis.visibleMin;
    return length > room ? lowerInStepsTo(length, increment, room) : length;
}

// Keep centred: along each axis the drag holds, the mouse-driven side where
// the user drags it and the opposite one mirrored about the visible frame's
// centre; along an axis it leaves alone, the window keeps its own centre.
Rect placeCentred(ResizeStep& step, const ResizeSelection& selection, const Rect& visible,
                  Size increments) {
    const HeldSides held(step.edges);
    const Rect current = platform::frame(step.window);
    Size size = step.frame.size;
    const Point centre{visible.minX() + 0.5 * visible.size.width,
                       visible.minY() + 0.5 * visible.size.height};
    if (!selection.keepAspectRatio) {
        const Point sides = heldSidesFromMouse(step, step.mouse);
        if (held.horizontal() && !core::readFlag(step.entry, state_key::kKeepWidth)) {
            size.width = 2 * (held.right ? sides.x - centre.x : centre.x - sides.x);
        }
        if (held.vertical() && !core::readFlag(step.entry, state_key::kKeepHeight)) {
            size.height = 2 * (held.top ? sides.y - centre.y : centre.y - sides.y);
        }
    }
    size = constrainForStep(step, size);
    if (held.horizontal()) {
        size.width = lowerInStepsTo(size.width, increments.width, visible.size.width);
    }
    if (held.vertical()) {
        size.height = lowerInStepsTo(size.height, increments.height, visible.size.height);
    }
    const double x =
        held.horizontal()
            ? singlePrecisionFloor(0.5 * visible.size.width + visible.minX() + (-0.5) * size.width)
            : std::floor(current.minX() + 0.5 * (current.size.width - size.width));
    const double y = held.vertical()
                         ? singlePrecisionFloor(0.5 * visible.size.height + visible.minY() +
                                                (-0.5) * size.height)
                         : std::floor(current.minY() + 0.5 * (current.size.height - size.height));
    return {x, y, size.width, size.height};
}

// The size with each moving side kept within the visible frame, the width
// first, each by whole increments; a length the screen cuts is held to the
// window's rules again.
Size sizeWithinScreen(ResizeStep& step, Size size, const Rect& current, const Rect& visible,
                      Size increments, bool leftStays, bool bottomStays) {
    const HeldSides held(step.edges);
    const double width = lengthWithinScreen(horizontalAxis(current, visible), size.width, leftStays,
                                            held.horizontal(), increments.width);
    if (width != size.width) {
        size.width = width;
        size = constrainForStep(step, size);
    }
    const double height = lengthWithinScreen(verticalAxis(current, visible), size.height,
                                             bottomStays, held.vertical(), increments.height);
    if (height != size.height) {
        size.height = height;
        size = constrainForStep(step, size);
    }
    return size;
}

// Pin bottom right: the right and bottom sides stay; along each axis the drag
// holds, the left or top side follows the mouse with the grip's offset.
Rect placePinned(ResizeStep& step, const ResizeSelection& selection, const Screen& screen,
                 Size increments) {
    platform::Platform& host = platform::currentPlatform();
    core::WindowEntry& entry = *step.entry;
    const HeldSides held(step.edges);
    const Rect current = platform::frame(step.window);
    const double right = current.maxX();
    const double bottom = current.minY();
    const GripOffset offset = storedGripOffset(&entry).value_or(GripOffset{});
    const Point mouse = host.mouseLocation();
    Size size = current.size;
    if (held.horizontal()) {
        size.width = right - (mouse.x - offset.x);
    }
    if (held.vertical()) {
        size.height = offset.y + mouse.y - bottom;
    }
    size = constrainForStep(step, size);

    if (selection.keepAspectRatio) {
        core::removeKey(entry, state_key::kKeepHeight);
        core::removeKey(entry, state_key::kKeepWidth);
        if (const auto ratio = storedAspectRatio(&entry)) {
            size = sizeInStoredRatio(step, *ratio, size);
        }
    } else if (selection.keepWidthHeight) {
        core::removeKey(entry, state_key::kAspectRatio);
        core::removeKey(entry, state_key::kSizeLimitsForAspectRatio);
        chooseKeptDimensionForStep(step, size, current);
        if (core::readFlag(&entry, state_key::kKeepWidth)) {
            size.width = current.size.width;
            host.setCursor(Cursor::resizeUpDown);
        } else if (core::readFlag(&entry, state_key::kKeepHeight)) {
            size.height = current.size.height;
            host.setCursor(Cursor::resizeLeftRight);
        }
    }

    // The visible frame's top edge is the screen's top less its panel.
    Rect visible = screen.visibleFrame;
    visible.size.height = screen.frame.maxY() - menuBarHeightOf(screen) - visible.minY();
    if (!holdsTemporaryMinimum(step)) {
        size = sizeWithinScreen(step, size, current, visible, increments, false, true);
    }
    const Rect placed{right - size.width, bottom, size.width, size.height};
    feedback::topLeftResizeIndicator().addForFrame(step.window, placed);
    return placed;
}

// No anchoring feature, once the mouse drives the size: the side opposite a
// held left or top edge stays, otherwise the left and the top sides stay.
Rect placePlain(ResizeStep& step, const Rect& visible, Size increments) {
    const HeldSides held(step.edges);
    const Rect current = platform::frame(step.window);
    Size size = step.frame.size;
    if (!holdsTemporaryMinimum(step)) {
        size = sizeWithinScreen(step, size, current, visible, increments, !held.left, held.top);
    }
    // The origin follows the final size, so the sides that stay do so even
    // when the last check changed the size.
    return {held.left ? current.maxX() - size.width : current.minX(),
            held.top ? current.minY() : current.maxY() - size.height, size.width, size.height};
}

bool onSomeScreen(const Rect& frame) {
    const auto& screens = platform::currentPlatform().screens();
    return std::any_of(screens.begin(), screens.end(), [&frame](const Screen& screen) {
        const Rect& s = screen.frame;
        return frame.minX() < s.maxX() && s.minX() < frame.maxX() && frame.minY() < s.maxY() &&
               s.minY() < frame.maxY();
    });
}

void showPinnedHint(ResizeStep& step) {
    if (!settings::readFeatureSetting(setting("VantroShowResizeHudAlert")).enabled) {
        return;
    }
    const bool indicatorShown = feedback::topLeftResizeIndicator().isShown();
    if (indicatorShown && step.entry->contains(state_key::kTemporaryMinHeight)) {
        feedback::hudAlertWindow().show(step.receiver, kPinnedHint, step.frame);
    }
    if (!indicatorShown) {
        feedback::hudAlertWindow().remove(step.receiver);
    }
}

// The hold keeps the window at the size it had when its anchoring changed.
// A kept ratio or the screen may shape the window below that size after the
// checks, and then the hold follows the size the window really takes: held
// higher, it would grow the window back on the next movement, the sides the
// drag leaves alone included.
void holdNoLargerThanFrame(ResizeStep& step) {
    if (!holdsTemporaryMinimum(step)) {
        return;
    }
    core::WindowEntry& entry = *step.entry;
    const Size size = step.frame.size;
    if (core::readLength(&entry, state_key::kTemporaryMinWidth) > size.width) {
        core::writeLength(entry, state_key::kTemporaryMinWidth, size.width);
    }
    if (core::readLength(&entry, state_key::kTemporaryMinHeight) > size.height) {
        core::writeLength(entry, state_key::kTemporaryMinHeight, size.height);
    }
}

runtime::Selector removeDimensionsSelector() {
    static const runtime::Selector selector =
        runtime::Selector::named("vantroRemoveDimensionsFromWindow");
    return selector;
}

} // namespace

void placeResizeStep(ResizeStep& step) {
    const ResizeSelection& selection = step.selection;
    const std::optional<Screen> screen = resizeScreenOf(step.window);
    if (!screen) {
        return;
    }
    const Size increments = platform::resizeIncrements(step.window);
    if (selection.keepCentered) {
        step.frame = placeCentred(step, selection, screen->visibleFrame, increments);
    } else if (selection.pinBottomRight) {
        step.frame = placePinned(step, selection, *screen, increments);
    } else if (core::readFlag(step.entry, state_key::kHasVantroResized)) {
        step.frame = placePlain(step, screen->visibleFrame, increments);
    }
    // A side that stays may already lie past the screen (the host's own
    // drag put it there); a step that would leave the window on no screen
    // at all keeps it where it is.
    if (!onSomeScreen(step.frame)) {
        step.frame = platform::frame(step.window);
    }
    holdNoLargerThanFrame(step);
    showPinnedHint(step);
}

void scheduleUnsignalledDragEnd(ResizeStep& step) {
    if (!isKindOfClassNamed(step.window, kUnsignalledDragWindowClass)) {
        return;
    }
    platform::Platform& host = platform::currentPlatform();
    runtime::Object* receiver = step.receiver;
    host.cancelPerforms(receiver, endLiveResizeSelector());
    host.performAfterDelay(receiver, endLiveResizeSelector(), kUnsignalledDragEndDelay,
                           [receiver] { vantroEndLiveResize(receiver); });
}

void showDimensionsForStep(ResizeStep& step) {
    const auto event = platform::currentPlatform().currentEvent();
    const bool functionKey = event && (event->modifierFlags & platform::kFunctionKeyMask) != 0;
    bool shown = functionKey;
    if (!functionKey) {
        const settings::DisplaySetting display =
            settings::readDisplaySetting(setting("VantroShowDimensionsDuringResizing"));
        shown = display.enabled && (display.mode == 2 || (display.mode == 0 && !step.engaged) ||
                                    (display.mode == 1 && step.engaged) || step.version > 1038);
    }
    if (shown) {
        const double chrome = std::trunc(step.frameHeight - step.contentHeight);
        feedback::dimensionsBox().add(step.window, step.frame, step.frame.size.height - chrome);
    } else {
        runtime::send<void>(step.window, removeDimensionsSelector());
    }
}

} // namespace vantro::resize
