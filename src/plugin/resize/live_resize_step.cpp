#include "plugin/resize/live_resize_step.h"

#include "platform/platform.h"
#include "platform/window.h"
#include "plugin/core/common_gate.h"
#include "plugin/core/feature_keys.h"
#include "plugin/feedback/hud_alert.h"
#include "plugin/feedback/resize_indicator.h"
#include "plugin/resize/aspect_ratio.h"
#include "plugin/resize/host_window_inputs.h"
#include "plugin/resize/host_window_kinds.h"
#include "plugin/resize/live_resize_methods.h"
#include "plugin/resize/live_resize_state.h"
#include "plugin/resize/window_aspect_ratio.h"
#include "plugin/resize/window_size_checks.h"

#include <algorithm>
#include <cmath>

namespace vantro::resize {

namespace {

namespace feature = core::feature;
namespace state_key = core::state_key;
using platform::Cursor;
using platform::EventType;

bool isDragEvent() {
    const auto event = platform::currentPlatform().currentEvent();
    if (!event) {
        return false;
    }
    return event->type == EventType::leftMouseDragged ||
           (event->type == EventType::leftMouseUp && event->clickCount == 0);
}

bool keepsItsOwnRatio(runtime::Object* window) {
    const Size ratio = platform::aspectRatio(window);
    return !(ratio.width == 0 && ratio.height == 0);
}

bool resizesWithoutIndicator(runtime::Object* window) {
    return std::any_of(
        kResizableWithoutIndicator.begin(), kResizableWithoutIndicator.end(),
        [window](std::string_view name) { return isKindOfClassNamed(window, name); });
}

ResizeSelection selectFeatures(runtime::Object* receiver) {
    static const runtime::Selector shouldDo = runtime::Selector::named("vantroShouldDoFeature:");
    const auto selected = [receiver](std::string_view key) {
        return runtime::send<bool>(receiver, shouldDo, key);
    };
    // Asked in the order pin, centre, ratio, width/height, as the settings
    // panel lists them; every answer counts.
    ResizeSelection selection;
    selection.pinBottomRight = selected(feature::kPinBottomRight);
    selection.keepCentered = selected(feature::kKeepCentered);
    selection.keepAspectRatio = selected(feature::kKeepAspectRatio);
    selection.keepWidthHeight = selected(feature::kKeepWidthHeight);
    return selection;
}

// Step 6 of the sizing: the selection, with the temporary minimum that holds
// the window still when its anchoring changes.
void recordSelection(ResizeStep& step) {
    const ResizeSelection selection = selectFeatures(step.receiver);
    core::WindowEntry& entry = *step.entry;
    if (selection.any()) {
        step.engaged = true;
        if (!core::readFlag(&entry, state_key::kHasVantroResized)) {
            core::writeFlag(entry, state_key::kHasVantroResized, true);
        }
    }
    const std::optional<ResizeSelection> previous = storedSelection(&entry);
    if (previous != selection) {
        core::removeKey(entry, state_key::kSizeLimitsForAspectRatio);
    }
    step.pinNow = selection.pinBottomRight;
    step.centredNow = selection.keepCentered;
    step.selection = selection;
    const bool pinBefore = previous && previous->pinBottomRight;
    const bool centredBefore = previous && previous->keepCentered;
    if (step.pinNow != pinBefore || step.centredNow != centredBefore) {
        if (!step.pinNow || step.centredNow) {
            feedback::topLeftResizeIndicator().remove();
        }
        const Rect current = platform::frame(step.window);
        core::writeLength(entry, state_key::kTemporaryMinWidth, current.size.width);
        core::writeLength(entry, state_key::kTemporaryMinHeight, current.size.height);
    }
    if (previous != selection) {
        storeSelection(entry, selection);
    }
}

void chooseKeptDimension(core::WindowEntry& entry, Size size, const Rect& current, HeldSides held) {
    if (core::readFlag(&entry, state_key::kKeepHeight) ||
        core::readFlag(&entry, state_key::kKeepWidth)) {
        return;
    }
    // A single edge keeps the dimension it leaves alone.
    if (held.horizontal() != held.vertical()) {
        core::writeFlag(entry, state_key::kKeepHeight, held.horizontal());
        core::writeFlag(entry, state_key::kKeepWidth, held.vertical());
        return;
    }
    const double dh = std::fabs(std::trunc(size.height - current.size.height));
    const double dw = std::fabs(std::trunc(size.width - current.size.width));
    // Equal movement keeps the width. A NaN movement compares false both
    // ways and keeps the width too.
    core::writeFlag(entry, state_key::kKeepHeight, dh < dw);
    core::writeFlag(entry, state_key::kKeepWidth, !(dh < dw));
}

void removeRatio(core::WindowEntry& entry) {
    core::removeKey(entry, state_key::kAspectRatio);
    core::removeKey(entry, state_key::kSizeLimitsForAspectRatio);
}

void removeKeptDimension(core::WindowEntry& entry) {
    core::removeKey(entry, state_key::kKeepHeight);
    core::removeKey(entry, state_key::kKeepWidth);
}

} // namespace

Size sizeInStoredRatio(const ResizeStep& step, Size ratio, Size size) {
    // The dimension the drag moves leads; a drag of the top or bottom edge
    // alone moves the height.
    const HeldSides held(step.edges);
    if (!held.horizontal() && held.vertical()) {
        return vantroGetNewSizeInAspectRatioWithTargetHeight(step.window, ratio, size.height);
    }
    return vantroGetNewSizeInAspectRatioWithTargetWidth(step.window, ratio, size.width);
}

void chooseKeptDimensionForStep(const ResizeStep& step, Size size, const Rect& current) {
    chooseKeptDimension(*step.entry, size, current, HeldSides(step.edges));
}

Point heldSidesFromMouse(const ResizeStep& step, Point mouse) {
    const GripOffset offset = storedGripOffset(step.entry).value_or(GripOffset{});
    const HeldSides held(step.edges);
    return {held.left ? mouse.x - offset.x : mouse.x + offset.x,
            held.top ? mouse.y + offset.y : mouse.y - offset.y};
}

namespace {

// Step 9: keep-aspect-ratio, then keep-width/height.
void reshape(ResizeStep& step, const ResizeSelection& selection) {
    core::WindowEntry& entry = *step.entry;
    platform::Platform& host = platform::currentPlatform();
    Size& size = step.frame.size;
    const Rect current = platform::frame(step.window);
    if (!selection.keepWidthHeight && !selection.keepAspectRatio) {
        removeKeptDimension(entry);
        removeRatio(entry);
        return;
    }
    if (selection.keepAspectRatio) {
        removeKeptDimension(entry);
        if (!storedAspectRatio(&entry)) {
            storeAspectRatio(entry, aspectRatioForSize(current.size));
        }
        const Size ratio = *storedAspectRatio(&entry);
        vantroStoreSizeLimitsForAspectRatio(step.window, ratio, selection.keepCentered,
                                            selection.pinBottomRight, step.menuBarHeight,
                                            step.edges);
        size = sizeInStoredRatio(step, ratio, size);
        host.setCursor(Cursor::crosshair);
        return;
    }
    if (step.pinNow && !step.centredNow) {
        // The pinned placement keeps the dimension after its own sizing.
        // Centring wins over the pin, and then this is the only place.
        return;
    }
    removeRatio(entry);
    chooseKeptDimension(entry, size, current, HeldSides(step.edges));
    if (core::readFlag(&entry, state_key::kKeepHeight)) {
        size.height = current.size.height;
        host.setCursor(Cursor::resizeLeftRight);
    } else if (core::readFlag(&entry, state_key::kKeepWidth)) {
        size.width = current.size.width;
        host.setCursor(Cursor::resizeUpDown);
    }
}

} // namespace

HeldSides::HeldSides(unsigned edges)
    : left((edges & platform::kResizeLeftEdge) != 0),
      right(!left && (edges & platform::kResizeRightEdge) != 0),
      top((edges & platform::kResizeTopEdge) != 0),
      bottom(!top && (edges & platform::kResizeBottomEdge) != 0) {}

double menuBarHeightOf(const std::optional<Screen>& screen) {
    if (!screen) {
        return 0;
    }
    // The gap between the screen's top edge and its visible frame's; on the
    // main screen the same as its frame height less the visible height and
    // the visible frame's origin, and right on screens that stand higher.
    return screen->frame.maxY() - screen->visibleFrame.maxY();
}

std::optional<Screen> resizeScreenOf(runtime::Object* window) {
    if (auto screen = screenOf(window)) {
        return screen;
    }
    const auto& screens = platform::currentPlatform().screens();
    if (screens.empty()) {
        return std::nullopt;
    }
    return screens.front();
}

Size constrainForStep(ResizeStep& step, Size size) {
    const ConstrainedSize constrained =
        vantroConstrainSizeForWindow(step.receiver, size, step.window);
    if (constrained.removeHudAlertWindow) {
        feedback::hudAlertWindow().remove(step.receiver);
    }
    return constrained.size;
}

bool resizeStepApplies(runtime::Object* receiver, bool display) {
    runtime::Object* window = receiver;
    const double version = std::floor(platform::currentPlatform().appKitVersionNumber());
    if (!display || isKindOfClassNamed(window, kPopoverWindowClass) || keepsItsOwnRatio(window)) {
        return false;
    }
    if (!platform::showsResizeIndicator(window) && version <= 1038 &&
        !resizesWithoutIndicator(window)) {
        return false;
    }
    if (platform::isSheet(window) || !isDragEvent() || platform::parentWindow(window) != nullptr) {
        return false;
    }
    if (!platform::inLiveResize(window) &&
        !isKindOfClassNamed(window, kUnsignalledDragWindowClass)) {
        return false;
    }
    if (core::readFlag(core::vantroFakeIvars().entryFor(receiver), state_key::kZoom)) {
        return false;
    }
    // With no screen at all there is nothing to place the window in.
    return core::gateIsOpen(receiver) && !platform::currentPlatform().screens().empty();
}

bool sizeResizeStep(ResizeStep& step) {
    platform::Platform& host = platform::currentPlatform();
    step.frameHeight = platform::frame(step.window).size.height;
    step.contentHeight = platform::contentViewFrame(step.window).size.height;
    step.version = static_cast<int>(std::floor(host.appKitVersionNumber()));
    step.engaged = false;
    step.edges = host.liveResizeEdges();
    if (step.version > 1038) {
        return false;
    }
    if (isKindOfClassNamed(step.window, kUnsignalledDragWindowClass) &&
        !storedGripOffset(step.entry)) {
        vantroStartLiveResize(step.receiver);
        step.entry = &core::vantroFakeIvars().ensureEntry(step.receiver);
    }
    host.setCursor(Cursor::arrow);
    recordSelection(step);

    step.menuBarHeight = menuBarHeightOf(resizeScreenOf(step.window));
    step.mouse = host.mouseLocation();

    if (core::readFlag(step.entry, state_key::kHasVantroResized)) {
        // The held sides where the mouse puts them, the others where they
        // are: a side the drag does not hold never follows the pointer.
        const HeldSides held(step.edges);
        const Point sides = heldSidesFromMouse(step, step.mouse);
        const Rect current = platform::frame(step.window);
        Size size = current.size;
        if (held.horizontal()) {
            size.width = held.right ? sides.x - current.minX() : current.maxX() - sides.x;
        }
        if (held.vertical()) {
            size.height = held.bottom ? current.maxY() - sides.y : sides.y - current.minY();
        }
        if (!step.centredNow && !step.pinNow) {
            size = constrainForStep(step, size);
        }
        step.frame.size = size;
    }
    reshape(step, step.selection);
    return true;
}

} // namespace vantro::resize
