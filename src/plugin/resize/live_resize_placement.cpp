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

// Keep centred: the mouse-driven corner where the user drags it, the
// opposite one mirrored about the visible frame's centre.
Rect placeCentred(ResizeStep& step, const ResizeSelection& selection, const Rect& visible,
                  Size increments) {
    Size size = step.frame.size;
    if (!selection.keepAspectRatio) {
        const GripOffset offset = storedGripOffset(step.entry).value_or(GripOffset{});
        if (!core::readFlag(step.entry, state_key::kKeepWidth)) {
            const double d = offset.x + step.mouse.x - visible.minX();
            size.width = d - (visible.size.width - d);
        }
        if (!core::readFlag(step.entry, state_key::kKeepHeight)) {
            const double e = step.mouse.y - offset.y - visible.minY();
            size.height = visible.size.height - e - e;
        }
    }
    size = constrainForStep(step, size);
    size.width = lowerInStepsTo(size.width, increments.width, visible.size.width);
    size.height = lowerInStepsTo(size.height, increments.height, visible.size.height);
    return {singlePrecisionFloor(0.5 * visible.size.width + visible.minX() + (-0.5) * size.width),
            singlePrecisionFloor(0.5 * visible.size.height + visible.minY() + (-0.5) * size.height),
            size.width, size.height};
}

// Pin bottom right: the right and bottom edges stay, the top-left corner
// follows the mouse.
Rect placePinned(ResizeStep& step, const ResizeSelection& selection, const Screen& screen,
                 Size increments) {
    platform::Platform& host = platform::currentPlatform();
    core::WindowEntry& entry = *step.entry;
    const Rect current = platform::frame(step.window);
    const double right = current.maxX();
    const double bottom = current.minY();
    const GripOffset offset = storedGripOffset(&entry).value_or(GripOffset{});
    const Point mouse = host.mouseLocation();
    Size size{right - (mouse.x - offset.x), offset.y + mouse.y - bottom};
    size = constrainForStep(step, size);

    if (selection.keepAspectRatio) {
        core::removeKey(entry, state_key::kKeepHeight);
        core::removeKey(entry, state_key::kKeepWidth);
        if (const auto ratio = storedAspectRatio(&entry)) {
            size = vantroGetNewSizeInAspectRatioWithTargetWidth(step.window, *ratio, size.width);
        }
    } else if (selection.keepWidthHeight) {
        core::removeKey(entry, state_key::kAspectRatio);
        core::removeKey(entry, state_key::kSizeLimitsForAspectRatio);
        if (!core::readFlag(&entry, state_key::kKeepHeight) &&
            !core::readFlag(&entry, state_key::kKeepWidth)) {
            const double dh = std::fabs(std::trunc(size.height - current.size.height));
            const double dw = std::fabs(std::trunc(size.width - current.size.width));
            core::writeFlag(entry, state_key::kKeepHeight, dh < dw);
            core::writeFlag(entry, state_key::kKeepWidth, !(dh < dw));
        }
        if (core::readFlag(&entry, state_key::kKeepWidth)) {
            size.width = current.size.width;
            host.setCursor(Cursor::resizeUpDown);
        } else if (core::readFlag(&entry, state_key::kKeepHeight)) {
            size.height = current.size.height;
            host.setCursor(Cursor::resizeLeftRight);
        }
    }

    const Rect& visible = screen.visibleFrame;
    const auto leftEdge = [&] { return right - size.width; };
    if (visible.minX() > leftEdge() && !holdsTemporaryMinimum(step)) {
        size.width = lowerInStepsTo(size.width, increments.width, right - visible.minX());
        size = constrainForStep(step, size);
    }
    // The screen's top less its panel: the visible frame's top edge.
    const double top = screen.frame.maxY() - menuBarHeightOf(screen);
    if (bottom + size.height > top && !holdsTemporaryMinimum(step)) {
        size.height = lowerInStepsTo(size.height, increments.height, top - bottom);
        size = constrainForStep(step, size);
    }
    const Rect placed{leftEdge(), bottom, size.width, size.height};
    feedback::topLeftResizeIndicator().addForFrame(step.window, placed);
    return placed;
}

// No anchoring feature, once the mouse drives the size: the top-left corner
// stays.
Rect placePlain(ResizeStep& step, const Rect& visible, Size increments) {
    const Rect current = platform::frame(step.window);
    const double top = current.maxY();
    Size size = step.frame.size;
    const double x = current.minX();
    if ((x - visible.minX()) + size.width > visible.size.width && !holdsTemporaryMinimum(step)) {
        size.width =
            lowerInStepsTo(size.width, increments.width, visible.size.width - (x - visible.minX()));
        size = constrainForStep(step, size);
    }
    if (visible.minY() > top - size.height && !holdsTemporaryMinimum(step)) {
        size.height = lowerInStepsTo(size.height, increments.height, top - visible.minY());
        size = constrainForStep(step, size);
    }
    // The origin follows the final size, so the top edge stays put even when
    // the last check changed the height.
    return {x, top - size.height, size.width, size.height};
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
